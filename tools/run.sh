#!/usr/bin/env bash
# Builds the release (i686) quellon.exe and starts it under Wine, from a
# program folder of its own (build/run/), so that its profile.cfg and
# settings.ini land there. Installs what is missing first.
# Without a display of your own it runs on a private Xvfb screen; set
# QUELLON_USE_DISPLAY=1 to use $DISPLAY instead.
set -euo pipefail
# shellcheck source=wine-env.sh
. "$(dirname "$0")/wine-env.sh"

qn_build i686 --target quellon
qn_start_wine

run="$QUELLON_BUILD_ROOT/run"
mkdir -p "$run"
cp "$QUELLON_BUILD_ROOT/i686/quellon.exe" "$run/"
echo "Quellon runs on display $DISPLAY from $run (Ctrl+C ends it)."
echo "Its icon is in Wine's system tray at the top left; right-click it for the menu."
cd "$run"
"$WINE64" quellon.exe
