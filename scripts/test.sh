#!/usr/bin/env bash
# Sets everything up, builds both architectures and runs the whole test suite under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
"$REPO_ROOT/scripts/setup.sh"

configure_arch i686 -DACTIVITY_BUILD_TESTS=OFF
build_arch i686
configure_arch x86_64 -DACTIVITY_PEER_DLLS="i686=$BUILD_ROOT/i686/bin/pagesdkutil.dll"
build_arch x86_64

export WINEPREFIX="$BUILD_ROOT/wine/test"
prepare_prefix "$WINEPREFIX"
"$WINESERVER" -k 2>/dev/null || true
log "running the tests"
cd "$BUILD_ROOT/x86_64"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 300 -j "$(nproc)" "$@"
