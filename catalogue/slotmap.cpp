#include "catalogue/slotmap.h"
