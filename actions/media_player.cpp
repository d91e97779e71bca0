// Generic media-player commands. Not served yet: a bound action does nothing.
#include "actions/media_player.h"

void MediaPlayerCommand(int32_t) {}
