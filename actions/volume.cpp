// Master volume. Not served yet: a bound volume action does nothing.
#include "actions/volume.h"

void VolumeCommand(int32_t) {}
