#!/usr/bin/env bash
# End-to-end scenarios: tsln.exe (x64 build) under Wine on Xorg, driven through window messages and real key
# presses, checked against the registry Wine holds, debug.txt byte for byte, and the console doing the same
# clicks on the same PC. Each file in scenarios/ is one scenario and runs in a shell of its own.
#
#   bash tests/e2e/run-e2e.sh [BUILD [NATIVE]] [NAME...]
#
# BUILD and NATIVE default to build/windows-x64 and build/native; NAME is a scenario's file name without
# ".sh" (e.g. "quickset-decimal"), all scenarios when none is given. Failed scenarios leave a screenshot and
# their Wine log in BUILD/e2e-artifacts.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=../wine/wine-lib.sh
source tests/wine/wine-lib.sh
# shellcheck source=display-lib.sh
source tests/e2e/display-lib.sh

builds=()
names=()
for arg in "$@"; do
    if [ -d "$arg" ] && [ "${#builds[@]}" -lt 2 ]; then builds+=("$arg"); else names+=("$arg"); fi
done
E2E_BUILD=$(cd "${builds[0]:-build/windows-x64}" && pwd) || exit 1
E2E_NATIVE=$(cd "${builds[1]:-build/native}" && pwd) || exit 1
scenarios=()
if [ "${#names[@]}" -eq 0 ]; then
    scenarios=(tests/e2e/scenarios/*.sh)
else
    for name in "${names[@]}"; do
        [ -f "tests/e2e/scenarios/$name.sh" ] || { echo "run-e2e: no scenario tests/e2e/scenarios/$name.sh" >&2; exit 1; }
        scenarios+=("tests/e2e/scenarios/$name.sh")
    done
fi

E2E_ARTIFACTS="$E2E_BUILD/e2e-artifacts"
rm -rf "$E2E_ARTIFACTS"
mkdir -p "$E2E_ARTIFACTS"
tmp=$(mktemp -d /tmp/tsln-e2e.XXXXXX)
export E2E_BUILD E2E_NATIVE E2E_ARTIFACTS
tsln_wine_template >/dev/null || exit 1
tsln_display_start || exit 1
trap 'tsln_display_stop; rm -rf "$tmp"; exit 1' INT TERM

passed=0
failed=0
for scenario in "${scenarios[@]}"; do
    E2E_TMP=$(mktemp -d "$tmp/scenario.XXXXXX")
    if E2E_TMP=$E2E_TMP bash "$scenario"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
    rm -rf "$E2E_TMP"
done

tsln_display_stop
rm -rf "$tmp"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
