#include "ufif/ufifheader.h"
