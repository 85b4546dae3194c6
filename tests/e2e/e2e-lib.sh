# Shared by the end-to-end scenarios: one X server for the whole run, a fresh prefix seeded from a profile
# for each scenario, tsln.exe driven by tsln-driver.exe, and the same clicks through the console.
#
#   e2e_begin BUILD NATIVE        start the display; BUILD is the windows-x64 build, NATIVE the native one
#   e2e_scenario NAME PROFILE     new prefix seeded from PROFILE; CONSOLE_PROFILE is a copy of PROFILE that
#                                 sees the PC this prefix really is
#   e2e_start_tsln [ARGS]         start tsln.exe from its program folder (in the background)
#   e2e_drive STEP...             run the driver; its output is in $E2E_OUT
#   e2e_console ARGS...           run the console on CONSOLE_PROFILE; its output is in $E2E_OUT
#   e2e_wine_values KEY           the values of HKLM\KEY under Wine, one "name=TYPE:data" line each, sorted
#   e2e_wine_value KEY NAME       a REG_SZ value as Wine holds it, or "<missing>"
#   e2e_expect NAME EXPECTED ACTUAL   compare whole texts; a difference fails the scenario
#   e2e_end_scenario              stop tsln.exe and the prefix; on failure keep a screenshot and the log
#   e2e_finish                    stop the display, print the tally, exit non-zero after a failure

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_LIB_DIR/../wine/wine-lib.sh"
source "$E2E_LIB_DIR/display-lib.sh"
source "$E2E_LIB_DIR/seed-lib.sh"

E2E_PASSED=0
E2E_FAILED=0

e2e_begin() {
    E2E_BUILD=$(cd "${1:?usage: e2e_begin BUILD NATIVE}" && pwd)
    E2E_NATIVE=$(cd "${2:?usage: e2e_begin BUILD NATIVE}" && pwd)
    E2E_ARTIFACTS="$E2E_BUILD/e2e-artifacts"
    rm -rf "$E2E_ARTIFACTS"
    mkdir -p "$E2E_ARTIFACTS"
    E2E_TMP=$(mktemp -d /tmp/tsln-e2e.XXXXXX)
    tsln_wine_template >/dev/null || return 1
    tsln_display_start || return 1
    trap 'e2e_abort' INT TERM
}

e2e_abort() {
    e2e_end_scenario
    tsln_display_stop
    exit 1
}

e2e_scenario() {
    E2E_NAME=${1:?usage: e2e_scenario NAME PROFILE}
    local profile=${2:?usage: e2e_scenario NAME PROFILE}
    E2E_SCENARIO_FAILED=0
    E2E_STARTED=$(date +%s.%N)
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
    E2E_OUT=$(wine "$E2E_BUILD/tests/e2e/driver/tsln-driver.exe" "$@" 2>>"$E2E_WINE_LOG" | tr -d '\r')
    local status=${PIPESTATUS[0]}
    if printf '%s\n' "$E2E_OUT" | grep -q '^error: '; then
        e2e_fail "driver: $(printf '%s\n' "$E2E_OUT" | grep '^error: ' | head -n 1)"
        return 1
    fi
    return "$status"
}

e2e_console() {
    E2E_OUT=$("$E2E_NATIVE/src/console/tessaline" --machine "$CONSOLE_PROFILE" "$@" 2>&1)
}

# Read through the driver, not "wine reg query": that one prints an empty value stored without its NUL
# with the bytes of the value before it.
e2e_wine_values() {
    wine "$E2E_BUILD/tests/e2e/driver/tsln-driver.exe" "values:$1" 2>>"$E2E_WINE_LOG" | tr -d '\r' | LC_ALL=C sort
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
    [ -n "${E2E_NAME:-}" ] || return 0
    if [ "${E2E_SCENARIO_FAILED:-0}" -ne 0 ]; then
        tsln_screenshot "$E2E_ARTIFACTS/$E2E_NAME.png" 2>/dev/null
        cp "$E2E_WINE_LOG" "$E2E_ARTIFACTS/$E2E_NAME.wine.log" 2>/dev/null
        E2E_FAILED=$((E2E_FAILED + 1))
        echo "  (screenshot and Wine log in $E2E_ARTIFACTS)"
    else
        E2E_PASSED=$((E2E_PASSED + 1))
        awk -v name="$E2E_NAME" -v start="$E2E_STARTED" -v now="$(date +%s.%N)" \
            'BEGIN { printf "  ok   %s (%.1f s)\n", name, now - start }'
    fi
    tsln_wine_cleanup
    [ -n "${E2E_TSLN_PID:-}" ] && wait "$E2E_TSLN_PID" 2>/dev/null
    unset E2E_NAME E2E_TSLN_PID
}

e2e_finish() {
    tsln_display_stop
    rm -rf "$E2E_TMP"
    echo "$E2E_PASSED passed, $E2E_FAILED failed"
    [ "$E2E_FAILED" -eq 0 ]
}
