# Release build: one 32-bit executable for every Windows from XP to 11.
set(MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
