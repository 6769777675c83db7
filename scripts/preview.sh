#!/usr/bin/env bash
# Draws the new-user discount pop-up for a campaign's remote-configuration item into a PNG, with the
# module's own dialog, layout, resources and engine, in a window that is never shown. No state file,
# no reports, no network unless --fetch.
#   scripts/preview.sh --config FILE|TEXT (--images DIR | --fetch) --out PNG [--host-type N]
#                      [--price PAY/REF[/MONTHS]] [--count-down off|hours:H] [--count-down-style 1|2]
#                      [--dpi 1.0|1.2|1.5] [--sheet] [--arch i686|x86_64]
# --sheet draws every host type x count-down state x factor into one PNG.
# Exit codes: 0 written, 1 written but the module would reject the pictures, 2 could not run.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
fail() { echo "preview: $*" >&2; exit 2; }
"$REPO_ROOT/scripts/setup.sh" >&2 || fail "setup failed"

windows_path() { local path; path=$(realpath -m -- "$1"); echo "Z:${path//\//\\}"; }
arch=
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch=${2:-}; shift 2 || fail "--arch needs a value" ;;
    --config)
      [ $# -ge 2 ] || fail "--config needs a value"
      # A file the tool reads itself; anything else is the item's text.
      if [ -f "$2" ]; then args+=(--config "$(windows_path "$2")"); else args+=(--config "$2"); fi
      shift 2 ;;
    --images|--out)
      [ $# -ge 2 ] || fail "$1 needs a value"
      args+=("$1" "$(windows_path "$2")")
      shift 2 ;;
    *) args+=("$1"); shift ;;
  esac
done
case "$arch" in
  i686|x86_64) require_arch preview "$arch" ;;
  "") arch=$(default_arch preview) ;;
  *) fail "--arch takes i686 or x86_64" ;;
esac
export ACTIVITY_ARCH=$arch

if [ -f "$BUILD_ROOT/$arch/CMakeCache.txt" ]; then configure_arch "$arch"; else configure_arch "$arch" -DACTIVITY_BUILD_TESTS=OFF; fi ||
  fail "cmake could not configure build/$arch"
build_log="$BUILD_ROOT/tools-build-$arch.log"
build_arch "$arch" preview >"$build_log" 2>&1 || { cat "$build_log" >&2; fail "the build failed"; }

export WINEPREFIX="$BUILD_ROOT/wine/tools"
prepare_prefix "$WINEPREFIX" >&2 || fail "the Wine prefix is not ready"
"$WINESERVER" -k 2>/dev/null || true  # Wine's desktop must start on this run's display
xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_ROOT/scripts/wine-run.sh" "$BUILD_ROOT/$arch/bin/preview.exe" \
  ${args[@]+"${args[@]}"}
