#!/usr/bin/env bash
# Keys read-only for everyone, as HKLM is for a user without administrator rights: Apply, Set Defaults and
# Load on Windows Start report the error and never the success message. Apply logs its list first, so
# debug.txt still gets it; the registry keeps what it had. The console has no access lists: it does the same clicks with a writable
# registry, which must log the same lines.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

write_error="Error writing to the registry"
e2e_scenario profiles/demo || e2e_end_scenario
sc_driver_keys
e2e_start_tsln
e2e_drive wait-main "deny-writes:$SC_WINE_DRIVER_KEY" click:IDC_CHECK1 arrow:IDC_UPDOWN7:+1 \
    click:IDC_CMDAPPLY box:Yes icon box:OK no-box click:IDC_CMDRESET box:Yes icon box:OK no-box \
    "deny-writes:$SC_TSLN_KEY" "deny-writes:$SC_RUN_KEY" menu:IDM_LOAD icon box:OK no-box menus menu:IDM_EXIT gone
e2e_expect "window" "box=Are you sure you want to apply these values to the registry?
icon=error
box=$write_error
box=Are you sure you wish to set the Nvidia driver default values?
icon=error
box=$write_error
icon=error
box=$write_error
Extras > Load on Windows Start: enabled
Extras > TV-Out Resolutions...: disabled" "$E2E_OUT"
e2e_expect "value" "<missing>" "$(sc_wine_mode_list NV25_Modes_Delta)"
e2e_expect "SOFTWARE\\TSLN" "LastDetVersion=REG_SZ:6.14.10.4523" "$(e2e_wine_values "$SC_TSLN_KEY")"
e2e_expect "Run entry" "" "$(e2e_wine_values "$SC_RUN_KEY" | grep '^TSLN=')"
sc_console advanced rate 640x480 61 --yes apply
sc_same_debug_txt
e2e_end_scenario
