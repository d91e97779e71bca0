#!/usr/bin/env bash
# Builds the 32-bit release of quellon.exe and writes the release package,
# dist/quellon-VERSION-win32.zip: one folder holding quellon.exe, the user
# guide with its pictures and the licence. VERSION is the one kept in
# shell/version.h. Needs only CMake and the i686 MinGW-w64 compiler (it
# installs them when they are missing); the ZIP is made by CMake's own
# packager, CPack.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUELLON_BUILD_ROOT:-$root/build}/package-i686"

if ! command -v cmake >/dev/null || ! command -v i686-w64-mingw32-g++-posix >/dev/null; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends \
    cmake make g++-mingw-w64-i686-posix binutils-mingw-w64-i686
fi

# A build of its own, without the tests, so that no test build is reconfigured.
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DQUELLON_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target quellon
rm -rf "$build/package"
(cd "$build" && cpack --config CPackConfig.cmake -B "$build/package" >/dev/null)
mkdir -p "$root/dist"
for zip in "$build"/package/quellon-*-win32.zip; do
  cp "$zip" "$root/dist/"
  echo "$root/dist/$(basename "$zip")"
done
