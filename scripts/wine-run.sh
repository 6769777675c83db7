#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest and the scripts. A persistent wineserver with its
# services booted detached (once per prefix, under a lock) keeps each run at a few hundredths of a
# second, and keeps Wine's background processes off the caller's pipes. ACTIVITY_ARCH=i686 starts
# the program with the 32-bit loader (one prefix serves both architectures).
set -u
# Wine's server and services outlive this script: they must not inherit the caller's descriptors
# (a lock held by the caller would stay held by them).
for descriptor in /proc/$$/fd/*; do
  number=${descriptor##*/}
  if [ "$number" -gt 2 ] 2>/dev/null; then eval "exec $number>&-" 2>/dev/null || true; fi
done
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
export WINEPREFIX="${WINEPREFIX:-$BUILD_ROOT/wine/test}"

exec 9>>"$WINEPREFIX/.activity-lock"
flock 9
if "$WINESERVER" -p </dev/null >/dev/null 2>&1; then
  "$WINE64" wineboot </dev/null >/dev/null 2>&1
fi
flock -u 9
exec 9>&-

# Programs of the 32-bit build start through the 32-bit loader (ACTIVITY_ARCH=i686).
exec "$(wine_loader "${ACTIVITY_ARCH:-x86_64}")" "$@"
