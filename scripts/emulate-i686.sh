#!/usr/bin/env bash
# A smoke of what ships on a machine whose kernel refuses 32-bit programs: registers Debian's
# qemu-user-static for i386 ELF programs through binfmt_misc (root), runs a small i686 subset under
# it, and puts back what it changed. Each 32-bit program then takes a minute or more to start, so
# the subset is small: the export and the controller through its slot table (about 75 s), and the
# demo's type-1 session end to end (about 12 min). Expects built trees (scripts/test.sh builds them).
#   scripts/emulate-i686.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

QEMU=/usr/bin/qemu-i386-static
BINFMT=/proc/sys/fs/binfmt_misc
ENTRY=activity-i386
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if i686_runs; then
  echo "emulate: this machine runs 32-bit programs itself; scripts/test.sh --arch i686 runs them all" >&2
  exit 2
fi
if [ ! -x "$QEMU" ]; then
  log "installing qemu-user-static"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
fi

mounted=false
registered=false
restore() {
  if [ "$registered" = true ]; then echo -1 | as_root tee "$BINFMT/$ENTRY" >/dev/null || true; fi
  if [ "$mounted" = true ]; then as_root umount "$BINFMT" || true; fi
  "$WINESERVER" -k 2>/dev/null || true
}
trap restore EXIT
if [ ! -e "$BINFMT/register" ]; then
  as_root mount -t binfmt_misc binfmt_misc "$BINFMT"
  mounted=true
fi
if [ ! -e "$BINFMT/$ENTRY" ]; then
  # i386 ELF executables and shared objects; F opens the interpreter now, so it serves every
  # mount namespace and chroot.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":$ENTRY:M::$magic:$mask:$QEMU:F" | as_root tee "$BINFMT/register" >/dev/null
  registered=true
fi
unset ACTIVITY_I686_PROBED
if ! i686_runs; then
  echo "emulate: $WINE32 does not start even under $QEMU: ${ACTIVITY_I686_PROBE_OUTPUT:-}" >&2
  exit 1
fi
log "emulate: 32-bit programs run under $QEMU (each program takes a minute or more to start)"

started=$(date +%s)
failed=()
export WINEPREFIX="$BUILD_ROOT/wine/test"
prepare_prefix "$WINEPREFIX"
"$WINESERVER" -k 2>/dev/null || true
log "emulate: the export and the controller through its slot table (integration_export)"
(cd "$BUILD_ROOT/i686" && xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest -R '^integration_export$' --output-on-failure --timeout 3600) || failed+=(integration_export)

log "emulate: the demo, host type 1, end to end"
"$WINESERVER" -k 2>/dev/null || true
output="$BUILD_ROOT/emulated-demo.txt"
"$REPO_ROOT/scripts/demo.sh" --arch i686 --host-type 1 --wait-refresh 1800 --click-after 5000 >"$output" 2>&1 || true
summary=$(grep '^result ' "$output" | tail -1 || true)
if [ "$summary" = "result 1, out-flag false, records 3, screenshot build/demo-popup.png" ] &&
   grep -q "demo: loaded .*pagesdkutil.dll (i686," "$output"; then
  log "emulate: demo: $summary"
else
  tail -40 "$output" >&2
  failed+=(demo)
fi

log "emulate: i686 subset took $(( $(date +%s) - started )) s"
if [ ${#failed[@]} -gt 0 ]; then
  log "emulate: FAILED: ${failed[*]}"
  exit 1
fi
