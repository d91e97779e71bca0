// Owner of the key-action switch.
#include "core/active.h"

volatile long ActiveFlag = 1;
