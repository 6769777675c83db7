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
run_tool preview "--images --out" "$@"
