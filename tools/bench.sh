#!/usr/bin/env bash
# Runs the benchmarks against the release (i686) build under Wine: the
# key-press latency as the card maker's reminder sees it.
#   bash tools/bench.sh [presses]
set -euo pipefail
# shellcheck source=wine-env.sh
. "$(dirname "$0")/wine-env.sh"

qn_build i686 --target key_latency
qn_start_wine
"$WINE64" "$QUELLON_BUILD_ROOT/i686/tests/key_latency.exe" "${1:-200}"
