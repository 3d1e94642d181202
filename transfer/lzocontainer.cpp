#include "transfer/lzocontainer.h"
