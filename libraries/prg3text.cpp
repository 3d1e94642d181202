#include "libraries/prg3text.h"
