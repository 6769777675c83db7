#!/usr/bin/env bash
# Sets everything up, builds both architectures with their tests and runs the whole suite under
# Wine, once per architecture: the 32-bit build (what ships) through the 32-bit loader, the 64-bit
# one through wine64, in the same prefix one after the other. Where the kernel refuses 32-bit
# programs, the i686 run is the checks that need no execution (label "static"); the rest of it is
# counted as not run, with the reason, in the closing lines.
#   scripts/test.sh [--arch i686|x86_64|both] [--emulate-i686] [ctest arguments, e.g. -L core or -R unit_]
# --emulate-i686 (only where the kernel refuses 32-bit programs) also runs a small i686 subset
# under Debian's qemu-user-static (scripts/emulate-i686.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

arches=(i686 x86_64)
arch_asked=both
emulate=false
ctest_args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --arch)
      case "${2:-}" in
        i686|x86_64) arches=("$2") ;;
        both) arches=(i686 x86_64) ;;
        *) echo "test: --arch takes i686, x86_64 or both" >&2; exit 2 ;;
      esac
      arch_asked=${2}
      shift 2 ;;
    --emulate-i686) emulate=true; shift ;;
    *) ctest_args+=("$1"); shift ;;
  esac
done

started=$(date +%s)
"$REPO_ROOT/scripts/setup.sh"
[ "$arch_asked" != i686 ] || require_arch test i686
i686_static_only=false
if [[ " ${arches[*]} " == *" i686 "* ]] && ! i686_runs; then
  i686_static_only=true
  log "$(i686_unavailable "the i686 run is its checks that need no execution; the rest is counted as not run")"
fi
if [ "$emulate" = true ] && [ "$i686_static_only" != true ]; then
  echo "test: --emulate-i686 is for machines whose kernel refuses 32-bit programs; this one runs them" >&2
  exit 2
fi
for arch in "${arches[@]}"; do
  configure_arch "$arch" -DACTIVITY_BUILD_TESTS=ON
  build_arch "$arch"
done

export WINEPREFIX="$BUILD_ROOT/wine/test"
prepare_prefix "$WINEPREFIX"

# Runs ctest in one build folder under a display: in_build ARCH [ctest arguments...]
in_build() {
  local arch=$1
  shift
  (cd "$BUILD_ROOT/$arch" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest "$@")
}
# How many tests ctest would pick: test_count ARCH [ctest arguments...]
test_count() {
  local arch=$1
  shift
  (cd "$BUILD_ROOT/$arch" && ctest -N "$@" | sed -n 's/^Total Tests: *//p')
}

failed=()
not_run=()
for arch in "${arches[@]}"; do
  "$WINESERVER" -k 2>/dev/null || true
  arch_args=()
  if [ "$arch" = i686 ] && [ "$i686_static_only" = true ]; then
    arch_args=(-L '^static$')
    total=$(test_count "$arch" ${ctest_args[@]+"${ctest_args[@]}"})
    runnable=$(test_count "$arch" ${ctest_args[@]+"${ctest_args[@]}"} -L '^static$')
    [ "$total" -eq "$runnable" ] ||
      not_run+=("i686: $((total - runnable)) of $total tests not run (they execute 32-bit programs)")
    log "running the $runnable tests of i686 that need no execution"
  else
    log "running the tests of $arch"
  fi
  arch_started=$(date +%s)
  status=0
  # One test at a time: the GUI and end-to-end tests click on one shared display, and the
  # simulated hosts share the prefix's registry and stand-in processes.
  in_build "$arch" --output-on-failure --timeout 300 ${ctest_args[@]+"${ctest_args[@]}"} \
    ${arch_args[@]+"${arch_args[@]}"} || status=$?
  # Under load Wine now and then fails to start a program at all (no output, gone within 0.02 s).
  # The failed tests run once more, by name in the log; a test that fails twice fails the run.
  failed_list="$BUILD_ROOT/$arch/Testing/Temporary/LastTestsFailed.log"
  if [ "$status" -ne 0 ] && [ -s "$failed_list" ]; then
    first_failures=$(cut -d: -f2 "$failed_list" | tr '\n' ' ')
    log "$arch: running the failed tests once more: $first_failures"
    status=0
    in_build "$arch" --rerun-failed --output-on-failure --timeout 300 || status=$?
    [ "$status" -ne 0 ] || log "$arch: WARNING: failed once, passed on the second run: $first_failures"
  fi
  log "$arch: ctest exited $status after $(( $(date +%s) - arch_started )) s"
  [ "$status" -eq 0 ] || failed+=("$arch")
done
"$WINESERVER" -k 2>/dev/null || true

if [ "$emulate" = true ]; then
  "$REPO_ROOT/scripts/emulate-i686.sh" || failed+=("i686 (emulated)")
fi

log "whole run: $(( $(date +%s) - started )) s for ${arches[*]}"
for line in ${not_run[@]+"${not_run[@]}"}; do
  log "NOT RUN: $line: $(i686_unavailable "scripts/test.sh --emulate-i686 runs a small i686 subset under emulation")"
done
if [ ${#failed[@]} -gt 0 ]; then
  log "FAILED in: ${failed[*]} (see each architecture's ctest output above)"
  exit 1
fi
