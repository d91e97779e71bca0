#!/usr/bin/env bash
# Soak test of the release (i686) build under Wine: 100 000 key presses
# (tests/bench/soak.cpp) with OSD feedback, a Winamp stand-in that answers
# its commands and queries, and a "Send Message" target, while
# this script prints what Linux sees of the quellon.exe process at intervals:
# resident memory, threads, open descriptors, CPU time and context switches.
# Not run by the test command.
#   bash tools/soak.sh [presses] [seconds between reports]
set -euo pipefail
# shellcheck source=wine-env.sh
. "$(dirname "$0")/wine-env.sh"

presses="${1:-100000}"
every="${2:-10}"
qn_build "$QN_RUN_ARCH" --target soak
qn_start_wine
# The volume keys need a default output device, also on machines without a sound card.
export ALSA_CONFIG_PATH="$QUELLON_ROOT/tests/tools/alsa-null.conf"

dir="$QUELLON_BUILD_ROOT/soak-run"
rm -rf "$dir"
mkdir -p "$dir"
"$WINE64" "$QUELLON_BUILD_ROOT/$QN_RUN_ARCH/tests/soak.exe" "Z:${dir//\//\\}" "$presses" "$every" &
driver=$!

# The Linux process of a Windows program is the one whose cwd is the folder
# it was started in.
find_pid() {
  local p
  for p in /proc/[0-9]*; do
    if [ "$(readlink "$p/cwd" 2>/dev/null)" = "$dir" ]; then echo "${p#/proc/}"; return 0; fi
  done
  return 1
}

report() {
  local pid="$1" rss anon threads fds vol invol ticks t v n
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  anon=$(awk '/^RssAnon/ {print $2}' "/proc/$pid/status")
  threads=$(awk '/^Threads/ {print $2}' "/proc/$pid/status")
  fds=$(find "/proc/$pid/fd" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)
  vol=0; invol=0
  # A thread may end between the listing and the reading: it counts as 0.
  for t in /proc/"$pid"/task/*/status; do
    v=$(awk '/^voluntary_ctxt/ {print $2}' "$t" 2>/dev/null || true)
    n=$(awk '/^nonvoluntary_ctxt/ {print $2}' "$t" 2>/dev/null || true)
    vol=$((vol + ${v:-0}))
    invol=$((invol + ${n:-0}))
  done
  ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  printf 'linux: pid %s  RSS %s kB  RssAnon %s kB  threads %s  fds %s  cpu %s ticks  ctxt %s vol / %s invol\n' \
    "$pid" "$rss" "$anon" "$threads" "$fds" "$ticks" "$vol" "$invol"
}

pid=""
while kill -0 "$driver" 2>/dev/null; do
  [ -n "$pid" ] && [ -d "/proc/$pid" ] || pid="$(find_pid || true)"
  if [ -n "$pid" ] && [ -d "/proc/$pid" ]; then report "$pid" || true; fi
  sleep "$every"
done
wait "$driver"
