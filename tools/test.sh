#!/usr/bin/env bash
# Builds the i686 (release) and x86_64 builds and runs every test of both
# under Wine inside a private Xvfb screen, then a short run of the profile
# fuzzer. Installs what is missing first. Where this machine cannot execute
# 32-bit programs (or QUELLON_64BIT_ONLY=1), the i686 build is still built
# and gets the checks that need no running; its other tests are counted as
# skipped. Ends with one line that counts every test, and every build or
# test run that failed as a whole, of both builds:
#   tests: N passed, M failed, K skipped
set -euo pipefail
# shellcheck source=wine-env.sh
. "$(dirname "$0")/wine-env.sh"
# From here on a failure is counted, not the end of the run.
set +e

status=0
passed=0
failed=0
skipped=0

# A failure of a whole step (a build, a test run that stopped early) counts once.
fail_step() {
  echo "FAILED: $1" >&2
  failed=$((failed + 1))
  status=1
}

declare -A built
for arch in i686 x86_64; do
  if qn_build "$arch"; then built[$arch]=1; else built[$arch]=0; fail_step "the $arch build"; fi
done
qn_start_wine || { echo "tests: $passed passed, $((failed + 1)) failed, $skipped skipped"; exit 1; }

# Tests of one build; adds to the counts.
run_ctest() {
  local arch="$1"
  shift
  local log="$QUELLON_BUILD_ROOT/$arch/ctest-summary.log"
  (cd "$QUELLON_BUILD_ROOT/$arch" && ctest --output-on-failure --no-tests=error --timeout 120 "$@") \
    2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  # "100% tests passed, 0 tests failed out of 141"; a discovery that failed
  # stops CTest before it prints this line.
  local line total bad
  line="$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)"
  if [ -z "$line" ] && [ $# -gt 0 ] && grep -q 'No tests were found' "$log"; then
    # A filter of the caller's (-R ...) that leaves this build nothing to run.
    echo "== no test of the $arch build matches: $*"
    return
  fi
  if [ -z "$line" ]; then
    fail_step "the $arch test run ended without a summary"
    return
  fi
  total="$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")"
  bad="$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")"
  # CTest counts a test that skipped itself (GTEST_SKIP) among the passed
  # and lists it under "The following tests did not run".
  notrun="$(grep -cE '^[[:space:]]+[0-9]+ - .* \((Skipped|Disabled)\)$' "$log")"
  local failedRun="$bad" name again=0 outputs="$QUELLON_BUILD_ROOT/$arch/ctest-outputs.log"
  # A test run again writes CTest's log anew: the first run's is kept.
  cp "$QUELLON_BUILD_ROOT/$arch/Testing/Temporary/LastTest.log" "$outputs" 2>/dev/null
  # Now and then Wine does not start a program at all: it fails at once and
  # prints nothing, not even GoogleTest's first line. Such a test runs once
  # more; any test that printed something stands as it failed.
  for name in $(sed -nE 's/^[[:space:]]+[0-9]+ - (.*) \(Failed\)$/\1/p' "$log"); do
    if printed_nothing "$outputs" "$name" &&
       (cd "$QUELLON_BUILD_ROOT/$arch" && ctest -R "^$name\$" --timeout 120 >/dev/null 2>&1); then
      echo "== $name: Wine did not start it the first time; it passed when run again"
      again=$((again + 1))
    fi
  done
  bad=$((bad - again))
  passed=$((passed + total - bad - notrun))
  skipped=$((skipped + notrun))
  failed=$((failed + bad))
  if [ "$rc" -ne 0 ] && [ "$failedRun" -eq 0 ]; then fail_step "the $arch test run (CTest exit status $rc)"; fi
  [ "$bad" -eq 0 ] || status=1
}

# Whether the named test's output in CTest's log is empty.
printed_nothing() {
  awk -v t="$2" 'BEGIN { r = 1 }
    /^[0-9]+\/[0-9]+ Test: / { cur = substr($0, index($0, "Test: ") + 6) }
    cur == t && /^Output:/ { getline; getline; r = ($0 == "<end of output>") ? 0 : 1; exit }
    END { exit r }' "$1"
}

# The names of the tests CTest knows in one build directory, sorted.
test_names() {
  local arch="$1"
  shift
  (cd "$QUELLON_BUILD_ROOT/$arch" && ctest -N "$@" 2>/dev/null) |
    sed -nE 's/^ *Test +#[0-9]+: (.*)$/\1/p' | sort
}

for arch in x86_64 i686; do
  [ "${built[$arch]}" = 1 ] || continue
  echo "== tests of the $arch build"
  run_ctest "$arch" "$@"
done

# The i686 tests that start a program: the x86_64 build registers the same
# tests from the same sources, so those of its tests that the i686 build did
# not register are theirs (the i686 build has checks of its own, such as the
# release packages, which the x86_64 build lacks).
if [ "$QN_RUN32" != 1 ] && [ "${built[i686]}" = 1 ] && [ "${built[x86_64]}" = 1 ]; then
  all="$(test_names x86_64 "$@")"
  if [ -n "$all" ]; then
    skipped="$(comm -23 <(echo "$all") <(test_names i686 "$@") | grep -c .)"
    echo "== $skipped tests of the i686 build skipped: they run 32-bit programs under Wine," \
         "which this run does not (see the line on 32-bit programs above)"
  else
    fail_step "counting the skipped i686 tests"
  fi
fi

# A short native run of the profile fuzzer; tools/fuzz.sh alone runs it at length.
echo "== profile fuzzing, ${QUELLON_FUZZ_SECONDS:-10} s"
if bash "$QUELLON_ROOT/tools/fuzz.sh" "${QUELLON_FUZZ_SECONDS:-10}"; then
  passed=$((passed + 1))
else
  fail_step "the profile fuzzer"
fi
echo "tests: $passed passed, $failed failed, $skipped skipped"
exit $status
