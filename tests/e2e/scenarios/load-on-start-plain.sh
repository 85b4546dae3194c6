#!/usr/bin/env bash
# "LoadOnStartup" = 1 whose Run entry another tool removed: the item shows checked, and one click clears both.
# Ticked again in a program folder without a space, the Run entry stays unquoted, and run as Windows runs it
# the program finds "/startup" behind the plain path and ends quietly.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

profile=$(sc_variant profiles/xp-range)
sc_reg_section "$profile" 'SOFTWARE\TSLN' '"LoadOnStartup"=dword:00000001'
e2e_scenario "$profile" || e2e_end_scenario
e2e_start_tsln
e2e_drive wait-main menus click:IDC_CHECK1 menus menu:IDM_LOAD menus
e2e_expect "checked at start, cleared by one click" "Extras > Load on Windows Start: disabled, checked
Extras > TV-Out Resolutions...: enabled
Extras > Load on Windows Start: enabled, checked
Extras > TV-Out Resolutions...: enabled
Extras > Load on Windows Start: enabled
Extras > TV-Out Resolutions...: enabled" "$E2E_OUT"
e2e_expect "SOFTWARE\\TSLN after unticking" "LastDetVersion=REG_SZ:6.14.10.3082" "$(e2e_wine_values "$SC_TSLN_KEY")"
sc_console advanced load-on-start
sc_same_registry
sc_same_debug_txt

e2e_drive menu:IDM_LOAD menus run-entry menu:IDM_EXIT gone
e2e_expect "after ticking" "Extras > Load on Windows Start: enabled, checked
Extras > TV-Out Resolutions...: enabled
run-entry=ended" "$E2E_OUT"
e2e_expect "Run entry" 'TSLN=REG_SZ:D:\Utilities\Tessaline\tsln.exe /startup' \
    "$(e2e_wine_values "$SC_RUN_KEY" | grep '^TSLN=')"
sc_console advanced load-on-start
sc_same_registry
sc_same_debug_txt
e2e_end_scenario
