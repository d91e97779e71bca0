// The program's version, kept here and nowhere else: the About box and the
// version resource use these numbers, and CMakeLists.txt reads them for the
// project's version and the name of the release package.
#pragma once

#define QUELLON_VERSION_MAJOR 1
#define QUELLON_VERSION_MINOR 0
#define QUELLON_VERSION_PATCH 0

// "1.0.0", made from the three numbers above.
#define QUELLON_VERSION_QUOTE(text) #text
#define QUELLON_VERSION_JOIN(major, minor, patch) QUELLON_VERSION_QUOTE(major.minor.patch)
#define QUELLON_VERSION_TEXT \
    QUELLON_VERSION_JOIN(QUELLON_VERSION_MAJOR, QUELLON_VERSION_MINOR, QUELLON_VERSION_PATCH)
