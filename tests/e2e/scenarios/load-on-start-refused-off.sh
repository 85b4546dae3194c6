#!/usr/bin/env bash
# Switching Load on Windows Start off when "LoadOnStartup" cannot be deleted (SOFTWARE\TSLN read-only):
# "Error writing to the registry" with the critical icon, and the mark, "LoadOnStartup" and the Run entry
# all stay as they were.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

run_entry='"C:\\Program Files\\Tessaline\\tsln.exe" /startup'
profile=$(sc_variant profiles/demo)
sc_reg_section "$profile" 'SOFTWARE\TSLN' '"LoadOnStartup"=dword:00000001'
sc_reg_section "$profile" "$SC_RUN_KEY" "\"TSLN\"=\"${run_entry//\"/\\\"}\""
e2e_scenario "$profile" || e2e_end_scenario
e2e_start_tsln
e2e_drive wait-main click:IDC_CHECK1 "deny-writes:$SC_TSLN_KEY" menus menu:IDM_LOAD icon box:OK no-box menus \
    menu:IDM_EXIT gone
e2e_expect "window" "Extras > Load on Windows Start: enabled, checked
Extras > TV-Out Resolutions...: disabled
icon=error
box=Error writing to the registry
Extras > Load on Windows Start: enabled, checked
Extras > TV-Out Resolutions...: disabled" "$E2E_OUT"
e2e_expect "SOFTWARE\\TSLN" "LastDetVersion=REG_SZ:6.14.10.4523
LoadOnStartup=REG_DWORD:0x1" "$(e2e_wine_values "$SC_TSLN_KEY")"
e2e_expect "Run entry" 'TSLN=REG_SZ:"C:\Program Files\Tessaline\tsln.exe" /startup' \
    "$(e2e_wine_values "$SC_RUN_KEY" | grep '^TSLN=')"
e2e_end_scenario
