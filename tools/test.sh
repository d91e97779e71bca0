#!/usr/bin/env bash
# Builds the i686 (release) and x86_64 builds and runs every test of both
# under Wine inside a private Xvfb screen, then a short run of the profile
# fuzzer. Installs what is missing first. Ends with one line that counts
# the tests of both builds.
set -euo pipefail
# shellcheck source=wine-env.sh
. "$(dirname "$0")/wine-env.sh"

for arch in i686 x86_64; do
  qn_build "$arch"
done
qn_start_wine

status=0
passed=0
failed=0
for arch in i686 x86_64; do
  echo "== tests of the $arch build"
  log="$QUELLON_BUILD_ROOT/$arch/ctest-summary.log"
  (cd "$QUELLON_BUILD_ROOT/$arch" && ctest --output-on-failure --no-tests=error --timeout 120 "$@") \
    | tee "$log" || status=1
  # "100% tests passed, 0 tests failed out of 141"
  line="$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1 || true)"
  if [ -n "$line" ]; then
    total="$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")"
    bad="$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")"
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  else
    status=1
  fi
done
# A short native run of the profile fuzzer; tools/fuzz.sh alone runs it at length.
echo "== profile fuzzing, ${QUELLON_FUZZ_SECONDS:-10} s"
if bash "$QUELLON_ROOT/tools/fuzz.sh" "${QUELLON_FUZZ_SECONDS:-10}"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  status=1
fi
echo "tests: $passed passed, $failed failed"
exit $status
