#include "transfer/limits.h"
