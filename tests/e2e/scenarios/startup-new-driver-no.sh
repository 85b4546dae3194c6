#!/usr/bin/env bash
# "/startup" with a "LastDetVersion" other than the installed driver's: the program beeps (which no test can
# hear) and asks, without an icon; No ends it and keeps the old version so that the question comes again.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

old_log="debug.txt of an earlier start"
question="New Detonator drivers found, do you want to run the program and re-apply your settings?"
profile=$(sc_variant profiles/xp-range)
sed -i 's/"LastDetVersion"="6.14.10.3082"/"LastDetVersion"="6.14.10.2960"/' "$profile/registry.reg"
printf '%s\r\n' "$old_log" >"$profile/program/debug.txt"
e2e_scenario "$profile" || e2e_end_scenario
sc_driver_keys
e2e_start_tsln /startup
e2e_drive icon box:No
window=$E2E_OUT
sc_wait_exit
cmp -s <(printf '%s\r\n' "$old_log") "$TSLN_PROGRAM_DIR/debug.txt" || e2e_fail "debug.txt was touched"
e2e_expect "SOFTWARE\\TSLN after No" "LastDetVersion=REG_SZ:6.14.10.2960" "$(e2e_wine_values "$SC_TSLN_KEY")"
sc_console --startup --no
e2e_expect "console" "[beep]
[Tessaline] $question [No]
(the program ended at start-up)" "$E2E_OUT"
e2e_expect "question, without an icon" "icon=none
box=$question" "$window"
sc_same_registry NV11_Modes_Delta
sc_same_debug_txt own-first-line
e2e_end_scenario
