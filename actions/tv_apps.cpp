// iuVCR and ChrisTV commands. Not served yet: a bound action does nothing.
#include "actions/tv_apps.h"

void TvAppCommand(int32_t) {}
