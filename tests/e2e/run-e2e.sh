#!/usr/bin/env bash
# End-to-end scenarios: tsln.exe (x64 build) under Wine on Xorg, driven through window messages, checked
# against the registry Wine holds, debug.txt byte for byte, and the console doing the same clicks on the
# same PC.
#   bash tests/e2e/run-e2e.sh [BUILD [NATIVE]]     (defaults build/windows-x64 and build/native)
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/e2e/e2e-lib.sh

e2e_begin "${1:-build/windows-x64}" "${2:-build/native}" || exit 1
for scenario in tests/e2e/scenarios/*.sh; do
    source "$scenario"
done
e2e_finish
