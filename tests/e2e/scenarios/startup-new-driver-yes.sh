#!/usr/bin/env bash
# No "LastDetVersion" yet: the first "/startup" run after installing asks too; Yes is a full start logged as
# "Startup Mode".
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

question="New Detonator drivers found, do you want to run the program and re-apply your settings?"
profile=$(sc_variant profiles/w2k-normal)
sc_reg_section "$profile" 'SOFTWARE\TSLN' '"LastDetVersion"=-'
e2e_scenario "$profile" || e2e_end_scenario
sc_driver_keys
e2e_start_tsln /startup
e2e_drive box:Yes wait-main text:IDC_LBLOS text:IDC_LBLDETVERSION text:IDC_LBLADAPTERS rates menu:IDM_EXIT gone
window=$E2E_OUT
sc_console --startup --yes rates
e2e_expect "question, then the window" "box=$question
IDC_LBLOS=Windows 2000
IDC_LBLDETVERSION=6.13.10.2832
IDC_LBLADAPTERS=NVIDIA GeForce3
$(sc_rates "$E2E_OUT" 1)" "$window"
e2e_expect "console question" "[beep]
[Tessaline] $question [Yes]" "$(printf '%s\n' "$E2E_OUT" | grep -v -E '^[0-9]+ x [0-9]+=')"
e2e_expect "SOFTWARE\\TSLN after Yes" "LastDetVersion=REG_SZ:6.13.10.2832" "$(e2e_wine_values "$SC_TSLN_KEY")"
sc_same_registry NV20_Modes
sc_same_debug_txt
e2e_expect "debug.txt" "Program mode: Startup Mode" "$(sc_log_line "Program mode")"
e2e_end_scenario
