#!/usr/bin/env bash
# The scripts' choice of architecture: the 32-bit probe, its message, the fall-back to x86_64 and
# the refusal of an explicit --arch i686, with the probe's answer forced both ways so that this
# runs on every machine. Prints "N passed, N failed".
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
passed=0
failed=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $1: expected [$2], got [$3]"; fi
}
contains() {  # contains NAME NEEDLE TEXT
  if [[ "$3" == *"$2"* ]]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $1: [$2] not in [$3]"; fi
}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Forced answers.
check "forced yes picks the shipped build" i686 "$(ACTIVITY_I686_RUNS=1 default_arch demo 2>/dev/null)"
check "forced no falls back" x86_64 "$(ACTIVITY_I686_RUNS=0 default_arch demo 2>/dev/null)"
said=$(ACTIVITY_I686_RUNS=0 default_arch demo 2>&1 >/dev/null)
contains "the fall-back is said in one line" "demo: " "$said"
contains "the fall-back says what it runs" "running the x86_64 build instead" "$said"
check "the fall-back is one line" 1 "$(printf '%s\n' "$said" | wc -l)"
(ACTIVITY_I686_RUNS=0 require_arch lint i686) 2>"$scratch/err"
check "explicit i686 refused with 2" 2 $?
contains "the refusal says what can run" "--arch x86_64 can" "$(cat "$scratch/err")"
(ACTIVITY_I686_RUNS=0 require_arch lint x86_64) 2>/dev/null
check "explicit x86_64 always allowed" 0 $?
(ACTIVITY_I686_RUNS=1 require_arch lint i686) 2>/dev/null
check "explicit i686 allowed where it runs" 0 $?

# The real probe starts the loader: a loader the kernel refuses, a missing one, a working one.
printf '#!/bin/sh\necho "cannot execute binary file: Exec format error" >&2\nexit 126\n' >"$scratch/refused"
printf '#!/bin/sh\necho wine-8.0\n' >"$scratch/works"
chmod +x "$scratch/refused" "$scratch/works"
said=$(unset ACTIVITY_I686_RUNS; WINE32="$scratch/refused"; i686_runs; echo "answer $?"; i686_unavailable "instead")
contains "a refused loader answers no" "answer 1" "$said"
contains "a refused loader blames the kernel" "kernel refuses 32-bit programs" "$said"
contains "the message quotes the loader" "Exec format error" "$said"
contains "the message says how to see it" "dmesg" "$said"
contains "the message names the boot parameter" "ia32_emulation=on" "$said"
said=$(unset ACTIVITY_I686_RUNS; WINE32="$scratch/missing"; i686_runs; echo "answer $?"; i686_unavailable "instead")
contains "a missing loader answers no" "answer 1" "$said"
contains "a missing loader names the package" "wine32:i386" "$said"
said=$(unset ACTIVITY_I686_RUNS; WINE32="$scratch/works"; i686_runs; echo "answer $?")
check "a working loader answers yes" "answer 0" "$said"

# The commands themselves refuse an explicit i686 before building anything.
for command in demo preview lint; do
  ACTIVITY_I686_RUNS=0 bash "$REPO_ROOT/scripts/$command.sh" --arch i686 >/dev/null 2>"$scratch/err" </dev/null
  check "$command.sh --arch i686 where it cannot run" 2 $?
done
ACTIVITY_I686_RUNS=0 bash "$REPO_ROOT/scripts/test.sh" --arch i686 >/dev/null 2>"$scratch/err" </dev/null
check "test.sh --arch i686 where it cannot run" 2 $?
ACTIVITY_I686_RUNS=1 bash "$REPO_ROOT/scripts/test.sh" --emulate-i686 >/dev/null 2>"$scratch/err" </dev/null
check "test.sh --emulate-i686 where i686 runs" 2 $?

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
