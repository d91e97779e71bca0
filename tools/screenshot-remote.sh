#!/usr/bin/env bash
# Takes docs/remote.png, the README's picture: the on-screen remote beside
# Quellon's OSD texts, on a private 1024 x 768 Xvfb screen, with the
# demonstration files of the run command in a fresh folder. The remote
# presses DISPL (the time, top right) and VOL+ (the volume bar).
#   bash tools/screenshot-remote.sh [output.png]
set -euo pipefail
export QUELLON_USE_DISPLAY=0
# shellcheck source=wine-env.sh
. "$(dirname "$0")/wine-env.sh"

out="$(realpath -m "${1:-$QUELLON_ROOT/docs/remote.png}")"
qn_build "$QN_RUN_ARCH" --target quellon remote
qn_null_audio_without_card
qn_start_wine

dir="$(mktemp -d "$QUELLON_BUILD_ROOT/shot.XXXXXX")"
trap 'qn_cleanup; rm -rf "$dir"' EXIT
cp "$QUELLON_BUILD_ROOT/$QN_RUN_ARCH/quellon.exe" "$QUELLON_BUILD_ROOT/$QN_RUN_ARCH/remote.exe" "$dir/"
cd "$dir"
"$WINE64" remote.exe /demo
"$WINE64" remote.exe /press DISPL,VOL+ &
sleep 2
"$WINE64" quellon.exe &
for _ in $(seq 1 300); do
  [ -e remote-pressed ] && break
  sleep 0.1
done
[ -e remote-pressed ] || { echo "the remote pressed nothing" >&2; exit 1; }
sleep 0.5    # the OSD windows repaint
import -window root "$out"
echo "wrote $out"
