#!/usr/bin/env bash
# Sets everything up, builds the module and runs the demo host under Wine.
# Arguments go to the demo host (see: scripts/demo.sh --help).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
"$REPO_ROOT/scripts/setup.sh"

configure_arch x86_64
build_arch x86_64 demohost pagesdkutil >/dev/null

export WINEPREFIX="$BUILD_ROOT/wine/demo"
prepare_prefix "$WINEPREFIX"
# Wine's desktop must start on this run's display.
"$WINESERVER" -k 2>/dev/null || true
log "running the demo host"
xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_ROOT/scripts/wine-run.sh" \
  "$BUILD_ROOT/x86_64/bin/demohost.exe" "$@"
