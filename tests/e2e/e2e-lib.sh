# shellcheck shell=bash
# What every scenario uses. run-e2e.sh starts the display and runs each scenario file as a shell of its own,
# with E2E_BUILD (the windows-x64 build), E2E_NATIVE (the native build), E2E_ARTIFACTS and E2E_TMP (this
# scenario's scratch folder) in the environment. A scenario file sources scenario-lib.sh, which sources this.
#
#   e2e_scenario PROFILE          new prefix seeded from PROFILE; CONSOLE_PROFILE is a copy of PROFILE that
#                                 sees the PC this prefix really is. The scenario's name is its file's name
#   e2e_start_tsln [ARGS]         start tsln.exe from its program folder (in the background)
#   e2e_drive STEP...             run the driver (tsln-driver.exe help lists the steps); output in $E2E_OUT
#   e2e_console ARGS...           run the console on CONSOLE_PROFILE; its output is in $E2E_OUT
#   e2e_wine_values KEY           the values of HKLM\KEY under Wine, one "name=TYPE:data" line each, sorted
#   e2e_wine_value KEY NAME       a REG_SZ value as Wine holds it, or "<missing>"
#   e2e_expect NAME EXPECTED ACTUAL   compare whole texts; a difference fails the scenario
#   e2e_fail TEXT                 fail the scenario with this reason and go on
#   e2e_end_scenario              stop tsln.exe and the prefix; on failure keep a screenshot and the log;
#                                 exit 0 when the scenario passed, 1 when it failed

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../wine/wine-lib.sh
source "$E2E_LIB_DIR/../wine/wine-lib.sh"
# shellcheck source=display-lib.sh
source "$E2E_LIB_DIR/display-lib.sh"
# shellcheck source=seed-lib.sh
source "$E2E_LIB_DIR/seed-lib.sh"

E2E_NAME=$(basename "$0" .sh)
E2E_STARTED=$(date +%s.%N)
E2E_SCENARIO_FAILED=0
E2E_TSLN_PID=""
: "${E2E_BUILD:?run scenarios through tests/e2e/run-e2e.sh}" "${E2E_NATIVE:?}" "${E2E_ARTIFACTS:?}" "${E2E_TMP:?}"

e2e_scenario() {
    local profile=${1:?usage: e2e_scenario PROFILE}
    trap 'e2e_fail "interrupted"; e2e_end_scenario' INT TERM
    tsln_wine_new_prefix "$E2E_TMP/prefix" || { e2e_fail "no prefix"; return 1; }
    E2E_WINE_LOG="$E2E_TMP/wine.log"
    : >"$E2E_WINE_LOG"
    tsln_seed "$profile" "$E2E_BUILD" "$E2E_NATIVE" >>"$E2E_WINE_LOG" 2>&1 || { e2e_fail "seeding failed"; return 1; }
    CONSOLE_PROFILE="$E2E_TMP/console-profile"
    tsln_console_profile "$profile" "$CONSOLE_PROFILE" "$E2E_BUILD" 2>>"$E2E_WINE_LOG" ||
        { e2e_fail "no console profile"; return 1; }
}

e2e_start_tsln() {
    (cd "$TSLN_PROGRAM_DIR" && WINEDEBUG=err+all exec wine tsln.exe "$@" >>"$E2E_WINE_LOG" 2>&1) &
    E2E_TSLN_PID=$!
}

e2e_drive() {
    # Into a file, not through a pipe: the driver's status would be lost in $(... | tr).
    wine "$E2E_BUILD/tests/e2e/driver/tsln-driver.exe" "$@" >"$E2E_TMP/driver.out" 2>>"$E2E_WINE_LOG"
    local status=$?
    E2E_OUT=$(tr -d '\r' <"$E2E_TMP/driver.out")
    if printf '%s\n' "$E2E_OUT" | grep -q '^error: '; then
        e2e_fail "driver: $(printf '%s\n' "$E2E_OUT" | grep '^error: ' | head -n 1)"
        return 1
    fi
    [ "$status" -eq 0 ] || e2e_fail "driver: ended with status $status"
    return "$status"
}

e2e_console() {
    E2E_OUT=$("$E2E_NATIVE/src/console/tessaline" --machine "$CONSOLE_PROFILE" "$@" 2>&1)
}

# Read through the driver, not "wine reg query": that one prints an empty value stored without its NUL
# with the bytes of the value before it.
e2e_wine_values() {
    local status
    wine "$E2E_BUILD/tests/e2e/driver/tsln-driver.exe" "values:$1" >"$E2E_TMP/values.out" 2>>"$E2E_WINE_LOG"
    status=$?
    [ "$status" -eq 0 ] || e2e_fail "driver: values:$1 ended with status $status"
    tr -d '\r' <"$E2E_TMP/values.out" | LC_ALL=C sort
}

e2e_wine_value() {
    e2e_wine_values "$1" | NAME="$2" awk 'index($0, ENVIRON["NAME"] "=REG_SZ:") == 1 {
        print substr($0, length(ENVIRON["NAME"]) + 9); found = 1 }
        END { if (!found) print "<missing>" }'
}

e2e_fail() {
    E2E_SCENARIO_FAILED=1
    echo "  FAIL [$E2E_NAME] $*"
}

e2e_expect() {
    local what=$1 expected=$2 actual=$3
    [ "$expected" = "$actual" ] && return 0
    e2e_fail "$what differs"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | head -n 20 | sed 's/^/    /'
    return 1
}

e2e_end_scenario() {
    trap - INT TERM
    if [ "$E2E_SCENARIO_FAILED" -ne 0 ]; then
        tsln_screenshot "$E2E_ARTIFACTS/$E2E_NAME.png" 2>/dev/null
        cp "${E2E_WINE_LOG:-/dev/null}" "$E2E_ARTIFACTS/$E2E_NAME.wine.log" 2>/dev/null
        echo "  (screenshot and Wine log in $E2E_ARTIFACTS)"
    else
        awk -v name="$E2E_NAME" -v start="$E2E_STARTED" -v now="$(date +%s.%N)" \
            'BEGIN { printf "  ok   %s (%.1f s)\n", name, now - start }'
    fi
    tsln_wine_cleanup
    [ -n "$E2E_TSLN_PID" ] && wait "$E2E_TSLN_PID" 2>/dev/null
    exit "$E2E_SCENARIO_FAILED"
}
