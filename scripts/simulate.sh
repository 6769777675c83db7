#!/usr/bin/env bash
# Before a campaign ships: runs the module's own checks, refresh and price requests over a
# simulated population of installs for some days, and prints the funnel (the first check that
# refuses each exit scene, with the records it sends), shows per day, the share of installs that
# ever see the offer, and the VIP-centre load of a fleet of the given size.
#   scripts/simulate.sh --config ITEM --population FILE [--installs N] [--days D] [--seed S]
#                       [--fleet F] [--compare ITEM_FILE] [--threads T] [--json] [--arch i686|x86_64]
# The population is described in the README; tools/simulate/examples/ holds one.
# Exit codes: 0 the report was printed, 2 could not run.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
run_tool simulate "--population --compare" "$@"
