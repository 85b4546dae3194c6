# Runs with the command line "/startup", as the Run entry starts the program at every Windows start.
# "LastDetVersion" equal to the installed driver's version: the program ends at once, with no window and
# no message, and writes nothing. A different one: it beeps (which no test can hear) and asks; No ends it
# and keeps the old version so that the question comes again; Yes is a full start logged as "Startup Mode".
# Wine puts the program's path in quotation marks in front of "/startup"; the unquoted form, as Windows runs
# a Run entry whose path has no space, comes in 35-load-on-start.sh.

SC_OLD_LOG="debug.txt of an earlier start"
SC_NEW_DRIVER_QUESTION="New Detonator drivers found, do you want to run the program and re-apply your settings?"

# sc_keeps_old_log: debug.txt is still the one the scenario put there.
sc_keeps_old_log() {
    cmp -s <(printf '%s\r\n' "$SC_OLD_LOG") "$TSLN_PROGRAM_DIR/debug.txt" || e2e_fail "debug.txt was touched"
}

sc_profile=$(sc_variant profiles/demo)
sc_reg_section "$sc_profile" 'SOFTWARE\TSLN' '"LastDetVersion"="6.14.10.4523"'
printf '%s\r\n' "$SC_OLD_LOG" >"$sc_profile/program/debug.txt"
e2e_scenario startup-same-driver "$sc_profile" && {
    sc_driver_keys
    e2e_start_tsln /startup
    sc_wait_exit
    sc_keeps_old_log
    e2e_expect "SOFTWARE\\TSLN after the quiet run" "LastDetVersion=REG_SZ:6.14.10.4523" \
        "$(e2e_wine_values "$SC_TSLN_KEY")"
    sc_console --startup show
    e2e_expect "console" "(the program ended at start-up)" "$E2E_OUT"
    sc_same_registry NV25_Modes_Delta
    sc_same_debug_txt own-first-line

    # Another letter case is no "/startup": an ordinary start, logged as such.
    e2e_start_tsln /STARTUP
    e2e_drive wait-main menu:2001 gone
    sc_console
    sc_same_registry NV25_Modes_Delta
    sc_same_debug_txt
    e2e_expect "debug.txt line 9" "Program mode: Normal Mode" "$(sed -n 9p "$TSLN_PROGRAM_DIR/debug.txt" | tr -d '\r')"
    e2e_end_scenario
}

sc_profile=$(sc_variant profiles/xp-range)
sc_reg_section "$sc_profile" 'SOFTWARE\TSLN' '"LastDetVersion"="6.14.10.2960"'
printf '%s\r\n' "$SC_OLD_LOG" >"$sc_profile/program/debug.txt"
e2e_scenario startup-new-driver-no "$sc_profile" && {
    sc_driver_keys
    e2e_start_tsln /startup
    e2e_drive icon box:No
    window=$E2E_OUT
    sc_wait_exit
    sc_keeps_old_log
    e2e_expect "SOFTWARE\\TSLN after No" "LastDetVersion=REG_SZ:6.14.10.2960" "$(e2e_wine_values "$SC_TSLN_KEY")"
    sc_console --startup --no show
    e2e_expect "console" "[beep]
[Tessaline] $SC_NEW_DRIVER_QUESTION [No]
(the program ended at start-up)" "$E2E_OUT"
    e2e_expect "question, without an icon" "icon=none
box=$SC_NEW_DRIVER_QUESTION" "$window"
    sc_same_registry NV11_Modes_Delta
    sc_same_debug_txt own-first-line
    e2e_end_scenario
}

# No "LastDetVersion" yet: the first "/startup" run after installing asks too.
e2e_scenario startup-new-driver-yes profiles/w2k-normal && {
    sc_driver_keys
    e2e_start_tsln /startup
    e2e_drive box:Yes wait-main text:1201 text:1202 text:1203 rates menu:2001 gone
    window=$E2E_OUT
    sc_console --startup --yes rates
    e2e_expect "question, then the window" "box=$SC_NEW_DRIVER_QUESTION
1201=Windows 2000
1202=6.13.10.2832
1203=NVIDIA GeForce3
$(sc_lines "$E2E_OUT" 3 25)" "$window"
    e2e_expect "console question" "[beep]
[Tessaline] $SC_NEW_DRIVER_QUESTION [Yes]" "$(sc_lines "$E2E_OUT" 1 2)"
    e2e_expect "SOFTWARE\\TSLN after Yes" "LastDetVersion=REG_SZ:6.13.10.2832" "$(e2e_wine_values "$SC_TSLN_KEY")"
    sc_same_registry NV20_Modes
    sc_same_debug_txt
    e2e_expect "debug.txt line 9" "Program mode: Startup Mode" "$(sed -n 9p "$TSLN_PROGRAM_DIR/debug.txt" | tr -d '\r')"
    e2e_end_scenario
}
