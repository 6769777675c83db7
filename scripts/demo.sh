#!/usr/bin/env bash
# Sets everything up, builds the module, lays out a simulated host installation in the demo's
# Wine prefix and runs that host's executable (the demo host) under Wine.
# By default everything is the 32-bit build, as it ships; --arch x86_64 runs the 64-bit one.
#   scripts/demo.sh [--arch i686|x86_64] [--host-type N] [demo host options, see --help]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
"$REPO_ROOT/scripts/setup.sh"

host_type=3
arch=i686
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --host-type) host_type=$2; shift 2 ;;
    --arch) arch=$2; shift 2 ;;
    *) args+=("$1"); shift ;;
  esac
done
case "$host_type" in
  1) host_exe='Tessik\tessik.exe'; local_folder=TessikPDF ;;
  2) host_exe='Orbilant\orbilant.exe'; local_folder=OrbilantPDF ;;
  3) host_exe='Quillon\WystanPDF.exe'; local_folder=quillon ;;
  4|5) host_exe='PdfBuild\WystanPDF.exe'; local_folder=quillon ;;
  6) host_exe='PageSdk\pagesdkhost.exe'; local_folder=zpagesdk ;;
  7) host_exe='Fennick\fennick.exe'; local_folder=FennickPDF ;;
  *) echo "demo: --host-type takes 1 to 7" >&2; exit 2 ;;
esac

case "$arch" in
  i686|x86_64) ;;
  *) echo "demo: --arch takes i686 or x86_64" >&2; exit 2 ;;
esac
export ACTIVITY_ARCH=$arch

# A build folder configured earlier (by the tests, say) keeps its own options.
if [ -f "$BUILD_ROOT/$arch/CMakeCache.txt" ]; then configure_arch "$arch"; else configure_arch "$arch" -DACTIVITY_BUILD_TESTS=OFF; fi
build_arch "$arch" demohost pagesdkutil hostfixture >/dev/null

export WINEPREFIX="$BUILD_ROOT/wine/demo"
prepare_prefix "$WINEPREFIX"
# Wine's desktop must start on this run's display.
"$WINESERVER" -k 2>/dev/null || true
root='C:\activity-demo\host'"$host_type"
windows_path() { local path=$1; echo "Z:${path//\//\\}"; }

# A campaign: the three pictures named by their MD5 and a remote-configuration item that offers
# them (group 2, count-down on). The pictures start in place, as after an earlier refresh, and the
# offer has not been shown yet.
campaign="$BUILD_ROOT/demo-campaign"
rm -rf "$campaign"
python3 "$REPO_ROOT/tools/images/make_campaign.py" --images "$campaign/images" --zvanta "$campaign/zvanta.json" \
  --tryno 5 >/dev/null
util="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/$local_folder/pagesdkutil"
rm -rf "$util"
mkdir -p "$util"
cp "$campaign"/images/new_user_discount_*.png "$util/"
screenshot="$BUILD_ROOT/demo-popup.png"
rm -f "$screenshot"

log "installing a simulated host of type $host_type at $root"
run() { xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_ROOT/scripts/wine-run.sh" "$@"; }
run "$BUILD_ROOT/$arch/bin/hostfixture.exe" install --type "$host_type" --root "$root" \
  --tid1 1001 --tid2 2002 --install-time "$(date +%s)" --tryno 5 \
  --svrid 0123456789abcdef0123456789abcdef --uuid abcdefabcdefabcdefabcdefabcdefab \
  --remote-config "$(windows_path "$campaign/zvanta.json")"
log "running the $arch host $root\\$host_exe"
status=0
output="$BUILD_ROOT/demo-output.txt"
run "$root\\$host_exe" --click confirm --screenshot "$(windows_path "$screenshot")" ${args[@]+"${args[@]}"} \
  >"$output" || status=$?
cat "$output"
journals="$WINEPREFIX/drive_c/activity-demo/host$host_type"
for journal in $(find "$journals" -name '*.journal.jsonl' 2>/dev/null | sort); do
  log "journal $(basename "$journal")"
  cat "$journal"
done
# One line a script can read: the pop-up's result, the out-flag, the records reported, the picture.
result=$(grep -o 'show pop dlg ret is [0-9-]*' "$output" | tail -1 | grep -o '[0-9-]*$' || true)
out_flag=$(grep -o 'shown_not_accepted=[a-z]*' "$output" | tail -1 | cut -d= -f2 || true)
records=$(cat $(find "$journals" -name '*.journal.jsonl' 2>/dev/null) /dev/null | grep -c '"call":"record"' || true)
picture=none
if [ -f "$screenshot" ]; then picture=${screenshot#"$REPO_ROOT"/}; fi
echo "result ${result:-none}, out-flag ${out_flag:-none}, records ${records:-0}, screenshot $picture"
exit $status
