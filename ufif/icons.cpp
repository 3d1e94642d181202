#include "ufif/icons.h"
