#include "link/gbplibrary.h"
