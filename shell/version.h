// Version numbers shared by the About box and the version resource.
#pragma once

#define QUELLON_VERSION_MAJOR 1
#define QUELLON_VERSION_MINOR 0
#define QUELLON_VERSION_PATCH 0
#define QUELLON_VERSION_TEXT "1.0.0"
