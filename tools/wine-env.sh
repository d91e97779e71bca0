# Sourced by the run, test and benchmark scripts: installs what is missing,
# then offers the build, a display, a Wine prefix and one wineserver kept
# alive for the whole run. QUELLON_BUILD_ROOT defaults to build/.

QUELLON_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export QUELLON_ROOT
bash "$QUELLON_ROOT/tools/setup-debian.sh"
export QUELLON_BUILD_ROOT="${QUELLON_BUILD_ROOT:-$QUELLON_ROOT/build}"
mkdir -p "$QUELLON_BUILD_ROOT"

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="$QUELLON_BUILD_ROOT/wineprefix"
export WINE64

QN_XVFB_PID=""

# Some machines of our kind run a kernel that cannot execute 32-bit Linux
# programs at all; there Wine's 32-bit half cannot start, and neither can the
# i686 build. Asked once, after set-up has installed wine32 (which brings the
# 32-bit loader). QUELLON_64BIT_ONLY=1 takes the 64-bit-only path anywhere.
#   QN_MACHINE_RUNS_32  1 where this machine can run 32-bit programs
#   QN_RUN32            1 where the scripts run the i686 build
#   QN_RUN_ARCH         the build the scripts start: i686, else x86_64
# Without wine32 (the set-up could not install it) they cannot run either.
if /lib/ld-linux.so.2 --version >/dev/null 2>&1 &&
   dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  QN_MACHINE_RUNS_32=1
else
  QN_MACHINE_RUNS_32=0
fi
if [ "$QN_MACHINE_RUNS_32" = 1 ] && [ "${QUELLON_64BIT_ONLY:-0}" != 1 ]; then
  QN_RUN32=1
  QN_RUN_ARCH=i686
  echo "32-bit programs: this machine runs them; the i686 build is run and tested."
elif [ "$QN_MACHINE_RUNS_32" = 1 ]; then
  QN_RUN32=0
  QN_RUN_ARCH=x86_64
  echo "32-bit programs: not run (QUELLON_64BIT_ONLY=1); the x86_64 build is run instead."
else
  QN_RUN32=0
  QN_RUN_ARCH=x86_64
  echo "32-bit programs: this machine cannot execute them (/lib/ld-linux.so.2 does not run, or wine32 is missing);" \
       "the x86_64 build is run instead."
fi
export QN_MACHINE_RUNS_32 QN_RUN32 QN_RUN_ARCH

# Configures and builds one architecture (i686 or x86_64); further
# arguments go to the build, for example --target quellon.
qn_build() {
  local arch="$1"
  shift
  cmake -S "$QUELLON_ROOT" -B "$QUELLON_BUILD_ROOT/$arch" \
        -DCMAKE_TOOLCHAIN_FILE="$QUELLON_ROOT/cmake/toolchain-$arch-mingw.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DQUELLON_WINE="$WINE64" \
        -DQUELLON_RUN_TESTS="$(qn_can_run "$arch" && echo ON || echo OFF)" >/dev/null &&
  cmake --build "$QUELLON_BUILD_ROOT/$arch" -j "$(nproc)" "$@"
}

# Whether the programs of one build can be started here.
qn_can_run() {
  [ "$1" = x86_64 ] || [ "$QN_RUN32" = 1 ]
}

# Display, prefix and wineserver, torn down again when the script ends.
qn_start_wine() {
  trap qn_cleanup EXIT
  qn_start_display
  qn_make_prefix
  qn_map_test_drive
  qn_make_readonly_program_dirs
  qn_start_wineserver
}

qn_cleanup() {
  qn_undo_readonly_program_dirs
  "$WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "$QN_XVFB_PID" ]; then kill "$QN_XVFB_PID" >/dev/null 2>&1 || true; fi
}

# A private Xvfb screen of a fixed size, unless the caller asked for its own display.
# Two runs that start at the same moment may pick the same free number: a
# screen counts as ours only when its lock file names our Xvfb, and an Xvfb
# that lost the race has ended, so the next number is tried.
qn_start_display() {
  if [ "${QUELLON_USE_DISPLAY:-}" = 1 ] && [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n i
  for n in $(seq 91 120); do
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    QN_XVFB_PID=$!
    for i in $(seq 1 100); do
      kill -0 "$QN_XVFB_PID" 2>/dev/null || break
      if [ -e "/tmp/.X11-unix/X$n" ] && [ "$(tr -d ' ' <"/tmp/.X$n-lock" 2>/dev/null)" = "$QN_XVFB_PID" ]; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$QN_XVFB_PID" >/dev/null 2>&1
    QN_XVFB_PID=""
  done
  echo "Xvfb did not start on any of :91 to :120" >&2
  return 1
}

# The prefix must be made after both wine64 and wine32 are installed; one
# made before wine32 arrived fails later with "could not load kernel32.dll".
# One made where 32-bit programs cannot run lacks its 32-bit half: the stamp
# records the kind of machine, so that it is made anew where they can.
qn_prefix_stamp() {
  dpkg-query -W -f='${Package}:${Architecture}=${Version}\n' wine64 wine32:i386 2>/dev/null
  echo "machine-runs-32bit=$QN_MACHINE_RUNS_32"
}

qn_make_prefix() {
  local stamp
  stamp="$(qn_prefix_stamp)"
  if [ -f "$WINEPREFIX/.quellon-stamp" ] && [ "$(cat "$WINEPREFIX/.quellon-stamp")" = "$stamp" ] \
     && [ -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
    return 0
  fi
  # Now and then wineboot leaves an empty system32 behind and every program
  # fails (status 53): such a prefix is made once more, and never stamped.
  local try
  for try in 1 2 3; do
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE64" wineboot -i >/dev/null 2>&1 </dev/null
    "$WINESERVER" -w
    [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ] && break
    echo "The Wine prefix came out empty (try $try of 3)" >&2
    [ "$try" = 3 ] && return 1
  done
  # No window manager under Xvfb: without this every closed box waits 2 s.
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # A crash exits with a backtrace instead of opening a dialog and hanging.
  "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Pointer acceleration would double injected relative moves.
  local v
  for v in MouseSpeed MouseThreshold1 MouseThreshold2; do
    "$WINE64" reg add 'HKCU\Control Panel\Mouse' /v "$v" /d 0 /f >/dev/null 2>&1
  done
  "$WINESERVER" -w
  echo "$stamp" > "$WINEPREFIX/.quellon-stamp"
}

# One wineserver for the whole run: without it every program start waits
# for the lingering server to let go of the pipe.
# Drive Q: is an empty folder of the build, for running from the root of a drive.
qn_map_test_drive() {
  mkdir -p "$QUELLON_BUILD_ROOT/drive-q"
  ln -sfn "$QUELLON_BUILD_ROOT/drive-q" "$WINEPREFIX/dosdevices/q:"
}

# A program folder that cannot be written, as Program Files cannot for a
# user: quellon.exe linked into a folder made immutable, the one thing that
# stops root from writing. Undone when the script ends; where chattr is not
# allowed the folder stays writable and the test that needs it is skipped.
qn_make_readonly_program_dirs() {
  local d
  for d in "$QUELLON_BUILD_ROOT"/i686 "$QUELLON_BUILD_ROOT"/x86_64; do
    [ -f "$d/quellon.exe" ] || continue
    chattr -i "$d/readonly-program" >/dev/null 2>&1 || true
    rm -rf "$d/readonly-program"
    mkdir -p "$d/readonly-program"
    ln -s ../quellon.exe "$d/readonly-program/quellon.exe"
    chattr +i "$d/readonly-program" >/dev/null 2>&1 || true
  done
}

qn_undo_readonly_program_dirs() {
  chattr -i "$QUELLON_BUILD_ROOT"/*/readonly-program >/dev/null 2>&1 || true
}

qn_start_wineserver() {
  "$WINESERVER" -p
  "$WINE64" cmd /c exit >/dev/null 2>&1 </dev/null
}

# Without a sound card Wine has no audio device at all: offer ALSA's null
# device instead, so that the volume actions have a mixer to work on.
qn_null_audio_without_card() {
  if ! grep -qs '^ *[0-9]' /proc/asound/cards; then
    export ALSA_CONFIG_PATH="$QUELLON_ROOT/tests/tools/alsa-null.conf"
  fi
}
