#!/usr/bin/env bash
# The ctest emulator of the 32-bit build: wine-run.sh with the 32-bit loader.
export ACTIVITY_ARCH=i686
exec "$(dirname "${BASH_SOURCE[0]}")/wine-run.sh" "$@"
