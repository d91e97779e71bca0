#!/usr/bin/env bash
# Builds the i686 (release) and x86_64 builds and runs every test of both
# under Wine inside a private Xvfb screen. Installs what is missing first.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/setup-debian.sh"

export QUELLON_BUILD_ROOT="${QUELLON_BUILD_ROOT:-$root/build}"
mkdir -p "$QUELLON_BUILD_ROOT"
# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"

for arch in i686 x86_64; do
  cmake -S "$root" -B "$QUELLON_BUILD_ROOT/$arch" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DQUELLON_WINE="$WINE64" >/dev/null
  cmake --build "$QUELLON_BUILD_ROOT/$arch" -j "$(nproc)"
done

trap qn_cleanup EXIT
qn_start_display
qn_make_prefix
qn_map_test_drive
qn_start_wineserver

status=0
for arch in i686 x86_64; do
  echo "== tests of the $arch build"
  (cd "$QUELLON_BUILD_ROOT/$arch" && ctest --output-on-failure --no-tests=error --timeout 120 "$@") || status=1
done
exit $status
