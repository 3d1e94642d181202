#include "ufif/relocation.h"
