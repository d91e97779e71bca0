#!/usr/bin/env bash
# Fuzzes the profile store, the dispatcher and the details view of the
# Configuration dialog with libFuzzer (clang, with
# AddressSanitizer and UndefinedBehaviorSanitizer), natively on Linux: the
# same sources as quellon.exe, with a few Win32 calls served from memory
# (tests/fuzz/shim/).
#   bash tools/fuzz.sh [seconds]       (default 600)
# New inputs go to build/fuzz/corpus/, a failing one to build/fuzz/crash-*;
# copy a failing input into tests/fuzz/corpus/ once it is mended, so that
# the test run replays it from then on.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/setup-debian.sh"
seconds="${1:-600}"
out="${QUELLON_BUILD_ROOT:-$root/build}/fuzz"
mkdir -p "$out/corpus"

sources=(core/profile.cpp remote/dispatch.cpp core/text.cpp core/remote_keys.cpp
         core/catalogue.cpp core/held_choices.cpp actions/virtual_keys.cpp core/app_state.cpp core/active.cpp platform/paths.cpp
         config/slot_details.cpp
         tests/dispatcher/recorders.cpp tests/fuzz/shim/win32_shim.cpp tests/fuzz/profile_fuzz.cpp)
exe="$out/profile_fuzz"
newest="$(cd "$root" && ls -t "${sources[@]}" tests/fuzz/shim/windows.h core/*.h actions/*.h remote/*.h config/*.h | head -1)"
if [ ! -x "$exe" ] || [ "$root/$newest" -nt "$exe" ]; then
  (cd "$root" && clang++-14 -std=c++17 -g -O1 -fno-exceptions -fno-rtti -Wall -Wextra -Werror \
     -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
     -DQUELLON_LIBFUZZER -I tests/fuzz/shim -I . "${sources[@]}" -o "$exe")
fi
cd "$out"
if ./profile_fuzz -max_len=100000 -max_total_time="$seconds" -print_final_stats=1 \
     -artifact_prefix="$out/" corpus "$root/tests/fuzz/corpus" >"$out/fuzz.log" 2>&1; then
  grep -E '^(#[0-9]+.*DONE|stat::)' "$out/fuzz.log"
else
  tail -40 "$out/fuzz.log"
  echo "profile fuzzing found a failing input: see $out/fuzz.log" >&2
  exit 1
fi
