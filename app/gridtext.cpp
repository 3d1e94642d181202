#include "app/gridtext.h"
