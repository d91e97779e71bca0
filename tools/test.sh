#!/usr/bin/env bash
# Builds the i686 (release) and x86_64 builds and runs every test of both
# under Wine inside a private Xvfb screen. Installs what is missing first.
set -euo pipefail
# shellcheck source=wine-env.sh
. "$(dirname "$0")/wine-env.sh"

for arch in i686 x86_64; do
  qn_build "$arch"
done
qn_start_wine

status=0
for arch in i686 x86_64; do
  echo "== tests of the $arch build"
  (cd "$QUELLON_BUILD_ROOT/$arch" && ctest --output-on-failure --no-tests=error --timeout 120 "$@") || status=1
done
# A short native run of the profile fuzzer; tools/fuzz.sh alone runs it at length.
echo "== profile fuzzing, ${QUELLON_FUZZ_SECONDS:-10} s"
bash "$QUELLON_ROOT/tools/fuzz.sh" "${QUELLON_FUZZ_SECONDS:-10}" || status=1
exit $status
