#!/usr/bin/env bash
# Takes the README's screenshots of the Configuration and Settings dialogs:
# builds the release (i686) quellon.exe, runs it on a private Xvfb screen and
# writes docs/config-dialog.png and docs/settings-dialog.png.
set -euo pipefail
# shellcheck source=wine-env.sh
. "$(dirname "$0")/wine-env.sh"

qn_build "$QN_RUN_ARCH" --target dialog_shots
qn_start_wine
mkdir -p "$QUELLON_ROOT/docs"
"$WINE64" "$QUELLON_BUILD_ROOT/$QN_RUN_ARCH/tests/dialog_shots.exe" "$QUELLON_ROOT/docs"
