#!/usr/bin/env bash
# Runs the benchmarks against the release (i686) build under Wine (the
# x86_64 build where 32-bit programs cannot run), each
# beside a floor measured in the same run (docs/PERFORMANCE.md keeps the
# figures):
#   key latency and throughput of a key bound to one "Send Message"
#   (quellon.exe, a minimal receiver, a null receiver that only finds the
#   key and posts the message, the plain Sleep(50) loop), and the short
#   press of a "Long press" key (quellon.exe alone);
#   what a started program that is slow to come up costs the next key
#   (beside that key pressed alone);
#   idle CPU time, thread wake-ups and resident memory of quellon.exe and
#   both receivers, measured from the Linux side (Wine reports no other
#   process's times), and of a quellon.exe with ten program sets of
#   bindings of their own;
#   the size of the release quellon.exe.
#   bash tools/bench.sh [presses]        (1000 by default)
# QUELLON_IDLE_SECONDS sets the idle span (30 by default).
set -euo pipefail
# shellcheck source=wine-env.sh
. "$(dirname "$0")/wine-env.sh"

presses="${1:-1000}"
idle="${QUELLON_IDLE_SECONDS:-30}"
bin="$QUELLON_BUILD_ROOT/$QN_RUN_ARCH"
qn_build "$QN_RUN_ARCH" --target quellon key_latency minimal_receiver null_receiver slow_start >/dev/null
qn_start_wine

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')," \
     "$("$WINE64" --version), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo

status=0
"$WINE64" "$bin/tests/key_latency.exe" "$presses" || status=$?
echo
"$WINE64" "$bin/tests/key_latency.exe" stall 5 || status=$?
echo

# The Linux process of a Windows program: started in a folder of its own,
# it is the one whose working directory is that folder.
linux_pid() {
  local dir="$1" exe="$2" p
  for p in /proc/[0-9]*; do
    if [ "$(readlink "$p/cwd" 2>/dev/null)" = "$dir" ] && tr '\0' ' ' < "$p/cmdline" 2>/dev/null | grep -qi "$exe"; then
      basename "$p"
      return 0
    fi
  done
  return 1
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

wakeups() {
  cat /proc/"$1"/task/*/status 2>/dev/null |
    awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { n += $2 } END { print n }'
}

start_idle() {
  local dir="$1" exe="$2"
  cp "$3" "$dir/"
  (cd "$dir" && exec "$WINE64" "$exe" >/dev/null 2>&1) &
}

# Ten program sets, each binding eight keys ("Volume Up" in slot 0): what a
# user with a set per player and browser has.
write_sets() {
  local dir="$1" i k
  for i in $(seq 1 10); do
    head -c 98304 /dev/zero > "$dir/profile-program$i.exe.cfg"
    for k in $(seq 10 17); do
      printf '\x14' | dd of="$dir/profile-program$i.exe.cfg" bs=1 seek=$((k * 2048)) conv=notrunc status=none
    done
  done
}

qdir="$(mktemp -d "$QUELLON_BUILD_ROOT/idle-quellon.XXXXXX")"
sdir="$(mktemp -d "$QUELLON_BUILD_ROOT/idle-sets.XXXXXX")"
mdir="$(mktemp -d "$QUELLON_BUILD_ROOT/idle-minimal.XXXXXX")"
ndir="$(mktemp -d "$QUELLON_BUILD_ROOT/idle-null.XXXXXX")"
trap 'qn_cleanup; rm -rf "$qdir" "$sdir" "$mdir" "$ndir"' EXIT
write_sets "$sdir"
start_idle "$qdir" quellon.exe "$bin/quellon.exe"
start_idle "$mdir" minimal_receiver.exe "$bin/tests/minimal_receiver.exe"
start_idle "$ndir" null_receiver.exe "$bin/tests/null_receiver.exe"
sleep 5    # start-up done
qpid="$(linux_pid "$qdir" quellon.exe)"
mpid="$(linux_pid "$mdir" minimal_receiver.exe)"
npid="$(linux_pid "$ndir" null_receiver.exe)"
hz="$(getconf CLK_TCK)"
declare -A cpu0 wake0 rss anon threads
for p in "$qpid" "$mpid" "$npid"; do
  cpu0[$p]="$(cpu_ticks "$p")"
  wake0[$p]="$(wakeups "$p")"
  rss[$p]="$(awk '/^VmRSS/ { print $2 }' "/proc/$p/status")"
  anon[$p]="$(awk '/^RssAnon/ { print $2 }' "/proc/$p/status")"    # private, not mapped files
  threads[$p]="$(ls "/proc/$p/task" | wc -l)"
done
sleep "$idle"
echo "Idle: ${idle} s after start-up, measured from Linux (/proc/PID/stat, the tasks' context switches)"
printf '  %-18s %12s %14s %12s %14s %8s\n' "" "CPU (ms/s)" "wake-ups/s" "RSS (KB)" "private (KB)" "threads"
declare -A cpu wake
for p in "$qpid" "$mpid" "$npid"; do
  cpu[$p]="$(awk -v a="${cpu0[$p]}" -v b="$(cpu_ticks "$p")" -v hz="$hz" -v s="$idle" \
             'BEGIN { printf "%.2f", (b - a) * 1000 / hz / s }')"
  wake[$p]="$(awk -v a="${wake0[$p]}" -v b="$(wakeups "$p")" -v s="$idle" 'BEGIN { printf "%.1f", (b - a) / s }')"
done
printf '  %-18s %12s %14s %12s %14s %8s\n' "quellon.exe" "${cpu[$qpid]}" "${wake[$qpid]}" "${rss[$qpid]}" "${anon[$qpid]}" "${threads[$qpid]}"
printf '  %-18s %12s %14s %12s %14s %8s\n' "minimal receiver" "${cpu[$mpid]}" "${wake[$mpid]}" "${rss[$mpid]}" "${anon[$mpid]}" "${threads[$mpid]}"
printf '  %-18s %12s %14s %12s %14s %8s\n' "null receiver" "${cpu[$npid]}" "${wake[$npid]}" "${rss[$npid]}" "${anon[$npid]}" "${threads[$npid]}"
verdict() { if awk -v a="$1" -v b="$2" 'BEGIN { exit !(a <= b) }'; then echo met; else echo "NOT met"; status=2; fi; }
echo "  goal: wake-ups at most a tenth of the minimal receiver's:" \
     "$(awk -v a="${wake[$qpid]}" -v b="${wake[$mpid]}" 'BEGIN { printf "%.3f x", (b > 0 ? a / b : 0) }')," \
     "$(verdict "${wake[$qpid]}" "$(awk -v b="${wake[$mpid]}" 'BEGIN { print b / 10 }')")"
# The kernel counts CPU time in clock ticks: one tick over the span is the resolution.
tick="$(awk -v hz="$hz" -v s="$idle" 'BEGIN { printf "%.2f", 1000 / hz / s }')"
echo "  goal: CPU no more than the minimal receiver's, within one clock tick ($tick ms/s):" \
     "$(verdict "${cpu[$qpid]}" "$(awk -v a="${cpu[$mpid]}" -v t="$tick" 'BEGIN { print a + t }')")"
# One copy runs per session: the one with ten program sets is started once
# the first has ended, and measured at the same point after its start.
kill "$qpid"
while [ -e "/proc/$qpid" ]; do sleep 0.2; done
start_idle "$sdir" quellon.exe "$bin/quellon.exe"
sleep 5
spid="$(linux_pid "$sdir" quellon.exe)"
rss[$spid]="$(awk '/^VmRSS/ { print $2 }' "/proc/$spid/status")"
anon[$spid]="$(awk '/^RssAnon/ { print $2 }' "/proc/$spid/status")"
echo "  quellon.exe with ten program sets (eight keys bound in each), 5 s after its start:" \
     "RSS ${rss[$spid]} KB, private ${anon[$spid]} KB"
kill "$spid"
echo "  goal: private memory, with ten program sets, less than 3 MB (3072 KB) over the minimal receiver's:" \
     "$((anon[$spid] - anon[$mpid])) KB, $(verdict "$((anon[$spid] - anon[$mpid]))" 3071)"
echo "  goal: ten program sets cost at most 300 KB of private memory:" \
     "$((anon[$spid] - anon[$qpid])) KB, $(verdict "$((anon[$spid] - anon[$qpid]))" 300)"
echo

size="$(stat -c %s "$bin/quellon.exe")"
# 100 KB is the 32-bit release's goal; the x86_64 build's wider code gets 112 KB.
limit_kb=100
[ "$QN_RUN_ARCH" = x86_64 ] && limit_kb=112
echo "Release quellon.exe ($QN_RUN_ARCH): $size bytes; goal under $limit_kb KB" \
     "($((limit_kb * 1024)) bytes): $(verdict "$size" $((limit_kb * 1024 - 1)))"
exit "$status"
