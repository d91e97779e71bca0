// Owner of the key-action switch.
#include "shell/active.h"

volatile long ActiveFlag = 1;
