#!/usr/bin/env bash
# tessaline.exe, the console program for Windows, on the prefix's live PC: its "show" is the Linux console's
# on the profile of that PC, line for line; the same clicks make it write the value tsln.exe writes, and
# its undo puts back what was there. A mistake on its command line is refused before anything runs. Its exit
# status tells what happened: an error box stops the run with 1, a start-up that ends the program runs no
# action and gives 3, and /? and --version answer on standard output with 0. It sets and removes the limits
# of the PC's monitor (Wine's, with no EDID: kept under its device ID).
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/demo || e2e_end_scenario
sc_driver_keys
sc_console_exe --now "2026-12-07 13:00:00" show
exe_show=$E2E_OUT
sc_console show
e2e_expect "show" "$E2E_OUT" "$exe_show"

sc_console_exe advanced rate 1024x768 62 rate 640x400 74 --yes apply show-value
exe_apply=$E2E_OUT
exe_value=$(sc_wine_mode_list NV25_Modes_Delta)
sc_console_exe --yes undo
e2e_expect "value after tessaline.exe undo" "<missing>" "$(sc_wine_mode_list NV25_Modes_Delta)"

e2e_start_tsln
e2e_drive wait-main click:IDC_CHECK1 arrow:IDC_UPDOWN9:+1 arrow:IDC_UPDOWN9:+1 arrow:IDC_UPDOWN6:-1 \
    click:IDC_CMDAPPLY box:Yes box:OK menu:IDM_EXIT gone
e2e_expect "value tessaline.exe wrote" "$(sc_wine_mode_list NV25_Modes_Delta)" "$exe_value"
e2e_expect "tessaline.exe apply" "[Tessaline] Are you sure you want to apply these values to the registry? [Yes]
[Tessaline] Values added succesfully. Please remember to REBOOT your computer for changes to take effect
NV25_Modes_Delta=$exe_value" "$exe_apply"

out=$(cd "$E2E_TMP/console-exe" && wine tessaline.exe --yes apply rate 1024x768 999 2>&1 | tr -d '\r')
e2e_expect "refused command line" "tessaline: the selector of 1024x768 cannot show \"999\"" "$out"
e2e_expect "value after the refused command line" "$exe_value" "$(sc_wine_mode_list NV25_Modes_Delta)"

hand_key='SOFTWARE\TSLN\Monitors\MONITOR#Default_Monitor#{4D36E96E-E325-11CE-BFC1-08002BE10318}#0000'
sc_console_exe monitor-limits 30-96 50-160 monitor
e2e_expect "tessaline.exe monitor-limits" "no EDID
limits: 30-96 kHz H, 50-160 Hz V (set by hand)" "$E2E_OUT"
e2e_expect "limits stored" "Limits=REG_SZ:30-96 50-160" "$(e2e_wine_values "$hand_key")"
sc_console_exe monitor-limits auto monitor
e2e_expect "tessaline.exe monitor-limits auto" "no EDID
limits: none" "$E2E_OUT"
! wine reg query 'HKLM\SOFTWARE\TSLN\Monitors' >/dev/null 2>&1 || e2e_fail "the limits' key is left after auto"

sc_console --help
usage=$E2E_OUT
sc_console_exe "/?"
e2e_expect "usage on standard output" "$usage" "$E2E_OUT"
e2e_expect "nothing on standard error" "" "$E2E_ERR"
sc_console_exe --version
e2e_expect "version" "Tessaline 2.0" "$E2E_OUT"

# The last start wrote this driver's version: --startup ends the program at once.
sc_console_exe_status 3 --startup show
e2e_expect "start-up ended" "tessaline: the program ended at start-up; no action ran" "$E2E_OUT"
sc_console_exe --startup

# A debug.txt that cannot be written is Apply's write error.
rm -f "$E2E_TMP/console-exe/debug.txt"
mkdir "$E2E_TMP/console-exe/debug.txt"
sc_console_exe_status 1 --yes apply show-value
e2e_expect "error box" "[Tessaline] Are you sure you want to apply these values to the registry? [Yes]
[Tessaline] Error writing to the registry
tessaline: apply: the program showed the error \"Error writing to the registry\"" "$E2E_OUT"
e2e_expect "value after the error" "$exe_value" "$(sc_wine_mode_list NV25_Modes_Delta)"
e2e_end_scenario
