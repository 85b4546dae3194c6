#!/usr/bin/env bash
# "tsln.exe /undo" as from Safe Mode: a record planted to make it write a Run entry is none, so it says there
# is nothing to undo. After an Apply, on a PC whose start-up
# the program refuses (the driver's InstalledDisplayDrivers gone, as when the NVIDIA driver is not loaded),
# it shows no main window, asks, puts back the value the record names and ends. The value did not exist
# before the Apply: the undo deletes it. Wine points "\Device\Video0" back at its own key in every process
# that shows a window (measured: a message box is enough), so the device map cannot be held elsewhere here;
# the unit and console tests point it elsewhere.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/demo || e2e_end_scenario
sc_driver_keys
planted=$(sc_undo_record "$SC_RUN_KEY" NV25_Modes_Delta "2026-12-07 13:05:09" - 'C:\evil.exe')
wine reg add 'HKLM\SOFTWARE\TSLN\Undo' /v Record /t REG_BINARY /f /d "$planted" >>"$E2E_WINE_LOG" 2>&1
e2e_expect "planted record" "Record=TYPE3:$planted" "$(e2e_wine_values 'SOFTWARE\TSLN\Undo')"
e2e_start_tsln /undo
e2e_drive icon box:OK
e2e_expect "nothing to undo" "icon=information
box=There is no change to undo." "$E2E_OUT"
sc_wait_exit
e2e_expect "Run entry after the planted record" "" "$(sc_key "$(e2e_wine_values "$SC_RUN_KEY")" NV25_Modes_Delta)"

e2e_start_tsln
e2e_drive wait-main click:IDC_CMDAPPLY box:Yes box:OK menu:IDM_EXIT gone
[ "$(sc_wine_mode_list NV25_Modes_Delta)" != "<missing>" ] || e2e_fail "Apply wrote nothing"
record=$(e2e_wine_values 'SOFTWARE\TSLN\Undo')
saved=$(sc_undo_saved "${record#Record=TYPE3:}")

wine reg delete "HKLM\\$SC_WINE_DRIVER_KEY" /v InstalledDisplayDrivers /f >>"$E2E_WINE_LOG" 2>&1
e2e_start_tsln
e2e_drive box:OK
e2e_expect "the start-up refuses this PC" "box=No compatible Detonator version found" "$E2E_OUT"
sc_wait_exit

e2e_start_tsln /undo
e2e_drive box:Yes box:OK
e2e_expect "undo boxes" "box=Restore the mode list as it was before the change of $saved?
box=Mode list restored. Please remember to REBOOT your computer for changes to take effect" "$E2E_OUT"
sc_wait_exit
e2e_expect "value after the undo" "<missing>" "$(sc_wine_mode_list NV25_Modes_Delta)"
e2e_expect "debug.txt, last line" "Restored registry value: (none)" \
    "$(tail -n 1 "$TSLN_PROGRAM_DIR/debug.txt" | tr -d '\r')"
e2e_end_scenario
