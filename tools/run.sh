#!/usr/bin/env bash
# Builds the release (i686) quellon.exe and the on-screen remote and starts
# both under Wine, from a program folder of their own (build/run/), so that
# profile.cfg and settings.ini land there. The first run puts a
# demonstration profile.cfg and settings.ini there; files that exist already
# (your own) are never replaced. Installs what is missing first.
# It uses your display ($DISPLAY); without one it runs on a private Xvfb
# screen and says how to look at it. QUELLON_USE_DISPLAY=0 forces Xvfb.
# Where this machine cannot execute 32-bit programs (or QUELLON_64BIT_ONLY=1)
# it builds and starts the x86_64 programs instead, and says so.
set -euo pipefail
export QUELLON_USE_DISPLAY="${QUELLON_USE_DISPLAY:-1}"
# shellcheck source=wine-env.sh
. "$(dirname "$0")/wine-env.sh"

qn_build "$QN_RUN_ARCH" --target quellon remote
qn_null_audio_without_card
qn_start_wine

run="$QUELLON_BUILD_ROOT/run"
mkdir -p "$run"
cp "$QUELLON_BUILD_ROOT/$QN_RUN_ARCH/quellon.exe" "$QUELLON_BUILD_ROOT/$QN_RUN_ARCH/remote.exe" "$run/"
cd "$run"
"$WINE64" remote.exe /demo

# The remote first, so that it sees Quellon's first notice (0x0A01).
"$WINE64" remote.exe &
sleep 2
"$WINE64" quellon.exe &
quellon=$!

echo "Quellon and the on-screen remote run on display $DISPLAY from $run (Ctrl+C ends both)."
if [ -n "$QN_XVFB_PID" ]; then
  echo "That is a private Xvfb screen. To look at it, take a picture:"
  echo "    DISPLAY=$DISPLAY import -window root /tmp/quellon.png"
  echo "or, with x11vnc installed, serve it to a VNC viewer: x11vnc -display $DISPLAY -localhost"
fi
echo "Click the remote's keys (after a click on its title bar the PC keyboard presses them"
echo "too): DISPL shows the time, VOL+/VOL-/MUTE the volume, TEXT opens Notepad, the digits"
echo "type into it, FULL maximises it, CANCEL closes it, the arrows move the mouse pointer."
echo "Quellon's icon is in the system tray (Wine's tray at the top left on Xvfb);"
echo "right-click it for the menu."
wait "$quellon"
