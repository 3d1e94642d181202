#include "catalogue/classify.h"
