#include "ufif/firmwares.h"
