#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine; they print their figures.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
"$REPO_ROOT/scripts/setup.sh"
configure_arch x86_64
build_arch x86_64 bench_md5 bench_log bench_parsers >/dev/null
export WINEPREFIX="$BUILD_ROOT/wine/test"
prepare_prefix "$WINEPREFIX"
for bench in bench_md5 bench_log bench_parsers; do
  "$REPO_ROOT/scripts/wine-run.sh" "$BUILD_ROOT/x86_64/bin/$bench.exe"
done
