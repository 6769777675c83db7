#!/usr/bin/env bash
# Sets everything up, builds the module, lays out a simulated host installation in the demo's
# Wine prefix and runs that host's executable (the demo host) under Wine.
# By default everything is the 32-bit build, as it ships; --arch x86_64 runs the 64-bit one. Where
# the kernel refuses 32-bit programs the default is the 64-bit build, said in one line.
#   scripts/demo.sh [--arch i686|x86_64] [--host-type N] [--host-state S] [--qa] [--keep] [--interactive]
#                   [demo host options]
# --host-state: new (default: a new install where the offer can show), shown-before, old-install
# or vip (the three where it cannot).
# --qa: the host was installed a month ago and has seen the offer, but its machine uuid is in the
# item's qa_uuids, so the pop-up shows all the same, without records.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
"$REPO_ROOT/scripts/setup.sh"

host_type=1
host_state=new
arch=
family=()
tryno=5
keep=false
interactive=false
qa=false
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --host-type) host_type=$2; shift 2 ;;
    --host-state) host_state=$2; shift 2 ;;
    --arch) arch=$2; shift 2 ;;
    --keep) keep=true; shift ;;
    --qa) qa=true; shift ;;
    --interactive) interactive=true; shift ;;
    *) args+=("$1"); shift ;;
  esac
done
case "$host_type" in
  1) host_exe='Tessik\tessik.exe'; local_folder=TessikPDF ;;
  2) host_exe='Orbilant\orbilant.exe'; local_folder=OrbilantPDF ;;
  3) host_exe='Quillon\WystanPDF.exe'; local_folder=quillon ;;
  4|5) host_exe='PdfBuild\WystanPDF.exe'; local_folder=quillon; family=(--family-row 5) ;;
  # The page SDK build has no updater server list: its try number reads as -1.
  6) host_exe='PageSdk\pagesdkhost.exe'; local_folder=zpagesdk; family=(--family-row 101); tryno=-1 ;;
  7) host_exe='Fennick\fennick.exe'; local_folder=FennickPDF ;;
  *) echo "demo: --host-type takes 1 to 7" >&2; exit 2 ;;
esac
case "$host_state" in
  new|shown-before|old-install|vip) ;;
  *) echo "demo: --host-state takes new, shown-before, old-install or vip" >&2; exit 2 ;;
esac

case "$arch" in
  i686|x86_64) require_arch demo "$arch" ;;
  "") arch=$(default_arch demo) ;;
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
run() { xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_ROOT/scripts/wine-run.sh" "$@"; }

# The local VIP-centre service: prices for host types 1 and 2 (79 instead of 89 for 12 months)
# and the campaign's pictures, which the module downloads on its first refresh.
campaign="$BUILD_ROOT/demo-campaign"
service="$campaign/service"
python3 "$REPO_ROOT/tools/vipcenter/vipcenter.py" stop --state-dir "$service" >/dev/null 2>&1 || true
rm -rf "$campaign"
mkdir -p "$campaign/images"
python3 "$REPO_ROOT/tools/vipcenter/vipcenter.py" start --state-dir "$service" --files "$campaign/images" >/dev/null
port=$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["http_port"])' "$service/state.json")
cleanup() {
  python3 "$REPO_ROOT/tools/vipcenter/vipcenter.py" stop --state-dir "$service" >/dev/null 2>&1 || true
  if [ "$keep" != true ]; then
    run "$BUILD_ROOT/$arch/bin/hostfixture.exe" remove --type "$host_type" --root "$root" >/dev/null 2>&1 || true
  fi
}
trap cleanup EXIT
base="http://127.0.0.1:$port"

# A campaign: three pictures named by their MD5, published on the service, and a remote-
# configuration item that offers them (group 2, new install, count-down on, 12 months). The
# module's folder starts empty and the offer has not been shown yet.
uuid=abcdefabcdefabcdefabcdefabcdefab
qa_item=()
if [ "$qa" = true ]; then qa_item=(--qa-uuid "${uuid^^}"); fi
python3 "$REPO_ROOT/tools/images/make_campaign.py" --images "$campaign/images" --zvanta "$campaign/zvanta.json" \
  --tryno "$tryno" --url-base "$base/files/" ${qa_item[@]+"${qa_item[@]}"} >/dev/null
util="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/$local_folder/pagesdkutil"
rm -rf "$util"
screenshot="$BUILD_ROOT/demo-popup.png"
rm -f "$screenshot"

now=$(date +%s)
installed=$now
state_options=()
case "$host_state" in
  new) ;;
  # The offer showed yesterday: the module's own state file says so.
  shown-before)
    mkdir -p "$util"
    printf '[new_user_discount]\r\nlast_show_time=%d\r\n' $((now - 86400)) >"$util/sdkutilcfg.ini" ;;
  old-install) installed=$((now - 30 * 86400)) ;;
  # A VIP user, as the VIP service, the privilege store, the SDK and the account library read it.
  vip)
    cat >"$campaign/vip.state.json" <<'JSON'
{"logged_in": true, "vip": true, "privileges": ["pdf_to_word"], "open_id": "open-8", "token": "tok-8",
 "nick_name": "Bo", "is_logout": 0, "vip_type": 2, "vaild_date": 20301231,
 "user_info": {"open_id": "open-8", "token": "tok-8", "vip_type": 2, "nickname": "Bo"}}
JSON
    state_options=(--vip-state "$(windows_path "$campaign/vip.state.json")") ;;
esac

if [ "$qa" = true ]; then
  installed=$((now - 30 * 86400))
  mkdir -p "$util"
  printf '[new_user_discount]\r\nlast_show_time=%s\r\n' "$installed" >"$util/sdkutilcfg.ini"
  log "QA machine $uuid: installed 30 days ago, offer shown before, listed in the item's qa_uuids"
fi

log "installing a simulated host of type $host_type ($host_state) at $root (VIP-centre service on port $port)"
run "$BUILD_ROOT/$arch/bin/hostfixture.exe" install --type "$host_type" --root "$root" ${state_options[@]+"${state_options[@]}"} \
  --tid1 1001 --tid2 2002 --install-time "$installed" --first-open-time "$installed" --tryno 5 \
  --svrid 0123456789abcdef0123456789abcdef --uuid "$uuid" \
  --remote-config "$(windows_path "$campaign/zvanta.json")" ${family[@]+"${family[@]}"} \
  --wexutil --wexutil-rule https://vipcenter.tessik.example/ "$base/s/demo/t/" \
  --wexutil-rule https://vip.orbilant.example/ "$base/s/demo/o/"
# The VIP SDK's stand-in (host types 2 to 5) reads its account beside the host.
if [ "$host_state" = vip ]; then
  cp "$campaign/vip.state.json" "$WINEPREFIX/drive_c/activity-demo/host$host_type/${host_exe%%\\*}/vipsdk.state.json"
fi
log "running the $arch host $root\\$host_exe"
status=0
output="$BUILD_ROOT/demo-output.txt"
click=(--click confirm)
if [ "$interactive" = true ]; then
  if [ -z "${DISPLAY:-}" ]; then
    echo "demo: --interactive needs a display (DISPLAY is not set)" >&2
    exit 2
  fi
  click=(--click none)
  run() { "$REPO_ROOT/scripts/wine-run.sh" "$@"; }
fi
run "$root\\$host_exe" "${click[@]}" --screenshot "$(windows_path "$screenshot")" ${args[@]+"${args[@]}"} \
  >"$output" || status=$?
cat "$output"
journals="$WINEPREFIX/drive_c/activity-demo/host$host_type"
for journal in $(find "$journals" -name '*.journal.jsonl' 2>/dev/null | sort); do
  log "journal $(basename "$journal")"
  cat "$journal"
done
log "the page program's command lines"
python3 - $(find "$journals" -name 'vippage.journal.jsonl' -o -name 'quillhelper.journal.jsonl' 2>/dev/null) <<'PY'
import json, sys
lines = [json.loads(line) for name in sys.argv[1:] for line in open(name, encoding="utf-8") if line.strip()]
runs = [line["command_line"] for line in lines if "command_line" in line]
print("\n".join(runs) if runs else "(none)")
PY
if [ "$keep" = true ]; then log "kept the host at $root and its journals under $journals"; fi
# One line a script can read: the pop-up's result, the out-flag, the records reported, the picture.
result=$(grep -o 'show pop dlg ret is [0-9-]*' "$output" | tail -1 | grep -o '[0-9-]*$' || true)
out_flag=$(grep -o 'shown_not_accepted=[a-z]*' "$output" | tail -1 | cut -d= -f2 || true)
records=$(cat $(find "$journals" -name '*.journal.jsonl' 2>/dev/null) /dev/null | grep -c '"call":"record"' || true)
picture=none
if [ -f "$screenshot" ]; then picture=${screenshot#"$REPO_ROOT"/}; fi
echo "result ${result:-none}, out-flag ${out_flag:-none}, records ${records:-0}, screenshot $picture"
exit $status
