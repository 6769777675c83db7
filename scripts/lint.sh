#!/usr/bin/env bash
# Checks a campaign's remote-configuration item before release, the way the module reads it: one
# line per finding with its severity and field. --fetch also downloads the pictures and checks
# their MD5, that they decode and their size against the layout.
#   scripts/lint.sh --config FILE|TEXT [--fetch] [--json] [--host-type N] [--arch i686|x86_64]
# Exit codes: 0 clean, 1 findings, 2 could not run.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
fail() { echo "lint: $*" >&2; exit 2; }
"$REPO_ROOT/scripts/setup.sh" >&2 || fail "setup failed"

windows_path() { local path; path=$(realpath -m -- "$1"); echo "Z:${path//\//\\}"; }
arch=
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch=${2:-}; shift 2 || fail "--arch needs a value" ;;
    --config)
      [ $# -ge 2 ] || fail "--config needs a value"
      if [ -f "$2" ]; then args+=(--config "$(windows_path "$2")"); else args+=(--config "$2"); fi
      shift 2 ;;
    *) args+=("$1"); shift ;;
  esac
done
case "$arch" in
  i686|x86_64) require_arch lint "$arch" ;;
  "") arch=$(default_arch lint) ;;
  *) fail "--arch takes i686 or x86_64" ;;
esac
export ACTIVITY_ARCH=$arch

if [ -f "$BUILD_ROOT/$arch/CMakeCache.txt" ]; then configure_arch "$arch"; else configure_arch "$arch" -DACTIVITY_BUILD_TESTS=OFF; fi ||
  fail "cmake could not configure build/$arch"
build_log="$BUILD_ROOT/tools-build-$arch.log"
build_arch "$arch" lint >"$build_log" 2>&1 || { cat "$build_log" >&2; fail "the build failed"; }

export WINEPREFIX="$BUILD_ROOT/wine/tools"
prepare_prefix "$WINEPREFIX" >&2 || fail "the Wine prefix is not ready"
"$WINESERVER" -k 2>/dev/null || true
xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_ROOT/scripts/wine-run.sh" "$BUILD_ROOT/$arch/bin/lint.exe" \
  ${args[@]+"${args[@]}"}
