#!/usr/bin/env bash
# Load on Windows Start when "LoadOnStartup" cannot be written (SOFTWARE\TSLN read-only, the Run key
# writable): the program says "Error writing to the registry" with the critical icon and writes no Run
# entry, so Windows never starts a program whose menu says it will not; the mark stays clear.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/demo || e2e_end_scenario
e2e_start_tsln
e2e_drive wait-main click:IDC_CHECK1 "deny-writes:$SC_TSLN_KEY" menu:IDM_LOAD icon box:OK no-box menus \
    menu:IDM_EXIT gone
e2e_expect "window" "icon=error
box=Error writing to the registry
Extras > Load on Windows Start: enabled
Extras > TV-Out Resolutions...: disabled" "$E2E_OUT"
e2e_expect "SOFTWARE\\TSLN" "LastDetVersion=REG_SZ:6.14.10.4523" "$(e2e_wine_values "$SC_TSLN_KEY")"
e2e_expect "Run entry" "" "$(e2e_wine_values "$SC_RUN_KEY" | grep '^TSLN=')"
e2e_end_scenario
