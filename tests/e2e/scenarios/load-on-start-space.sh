#!/usr/bin/env bash
# Extras > Load on Windows Start: on writes "LoadOnStartup" = 1 and the Run entry "TSLN", which Windows runs
# at logon; off deletes both and keeps the key SOFTWARE\TSLN. The check mark shows what the registry holds.
# A program folder with a space gets its path in quotation marks (unquoted, Windows would try to start
# C:\Program.exe first). The Run entry is then run as Windows runs it, the whole value as the command line:
# the program must find "/startup" behind the quoted path and, since the driver version has not changed,
# end quietly. The console clicks the same in two runs, one per state.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/demo || e2e_end_scenario
e2e_start_tsln
e2e_drive wait-main click:IDC_CHECK1 menu:IDM_LOAD menus run-entry
e2e_expect "after ticking" "Extras > Load on Windows Start: enabled, checked
Extras > TV-Out Resolutions...: disabled
run-entry=ended" "$E2E_OUT"
e2e_expect "SOFTWARE\\TSLN after ticking" "LastDetVersion=REG_SZ:6.14.10.4523
LoadOnStartup=REG_DWORD:0x1" "$(e2e_wine_values "$SC_TSLN_KEY")"
e2e_expect "Run entry" 'TSLN=REG_SZ:"C:\Program Files\Tessaline\tsln.exe" /startup' \
    "$(e2e_wine_values "$SC_RUN_KEY" | grep '^TSLN=')"
sc_console advanced load-on-start
sc_same_registry
sc_same_debug_txt

e2e_drive menu:IDM_LOAD menus click:IDC_CHECK1 menus menu:IDM_EXIT gone
e2e_expect "after unticking, and in the simple view" "Extras > Load on Windows Start: enabled
Extras > TV-Out Resolutions...: disabled
Extras > Load on Windows Start: disabled
Extras > TV-Out Resolutions...: disabled" "$E2E_OUT"
e2e_expect "SOFTWARE\\TSLN after unticking" "LastDetVersion=REG_SZ:6.14.10.4523" "$(e2e_wine_values "$SC_TSLN_KEY")"
e2e_expect "Run entry after unticking" "" "$(e2e_wine_values "$SC_RUN_KEY" | grep '^TSLN=')"
sc_console advanced load-on-start
sc_same_registry
sc_same_debug_txt
e2e_end_scenario
