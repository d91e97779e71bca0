#!/usr/bin/env bash
# Builds the 32-bit release of quellon.exe and writes both release packages
# (tools/make-packages.sh): dist/quellon-VERSION-win32.zip, one folder named
# Quellon, and dist/quellon-VERSION.msi, the per-user installer. Both hold
# quellon.exe, the user guide as HTML with its pictures, README.txt and
# LICENSE.txt. VERSION is the one kept in shell/version.h. Needs CMake, the
# i686 MinGW-w64 compiler, wixl and msitools, and python3-markdown (it
# installs them when they are missing); no Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUELLON_BUILD_ROOT:-$root/build}/package-i686"

need=()
for p in cmake make g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wixl msitools python3-markdown; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${need[@]}"
fi

# A build of its own, without the tests, so that no test build is reconfigured.
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DQUELLON_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target quellon
bash "$root/tools/make-packages.sh" "$build/quellon.exe" "$root/dist"
rm -rf "$root/dist/stage"
