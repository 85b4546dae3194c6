#!/usr/bin/env bash
# Runs with the command line "/startup", as the Run entry starts the program at every Windows start, with
# "LastDetVersion" equal to the installed driver's version: the program ends at once, with no window and
# no message, and writes nothing. Wine puts the program's path in quotation marks in front of "/startup";
# the unquoted form, as Windows runs a Run entry whose path has no space, comes in load-on-start-plain.sh.
# Another letter case is no "/startup": an ordinary start, logged as such.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

old_log="debug.txt of an earlier start"
# The profile carries its driver's version as "LastDetVersion".
profile=$(sc_variant profiles/demo)
printf '%s\r\n' "$old_log" >"$profile/program/debug.txt"
e2e_scenario "$profile" || e2e_end_scenario
sc_driver_keys
e2e_start_tsln /startup
sc_wait_exit
cmp -s <(printf '%s\r\n' "$old_log") "$TSLN_PROGRAM_DIR/debug.txt" || e2e_fail "debug.txt was touched"
e2e_expect "SOFTWARE\\TSLN after the quiet run" "LastDetVersion=REG_SZ:6.14.10.4523" \
    "$(e2e_wine_values "$SC_TSLN_KEY")"
sc_console --startup
e2e_expect "console" "(the program ended at start-up)" "$E2E_OUT"
sc_same_registry NV25_Modes_Delta
sc_same_debug_txt own-first-line

e2e_start_tsln /STARTUP
e2e_drive wait-main menu:IDM_EXIT gone
sc_console
sc_same_registry NV25_Modes_Delta
sc_same_debug_txt
e2e_expect "debug.txt" "Program mode: Normal Mode" "$(sc_log_line "Program mode")"
e2e_end_scenario
