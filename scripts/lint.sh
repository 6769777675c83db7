#!/usr/bin/env bash
# Checks a campaign's remote-configuration item before release, the way the module reads it: one
# line per finding with its severity and field. --fetch also downloads the pictures and checks
# their MD5, that they decode and their size against the layout.
#   scripts/lint.sh --config FILE|TEXT [--fetch] [--json] [--host-type N] [--arch i686|x86_64]
# Exit codes: 0 clean, 1 findings, 2 could not run.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
run_tool lint "" "$@"
