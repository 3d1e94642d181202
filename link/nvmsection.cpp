#include "link/nvmsection.h"
