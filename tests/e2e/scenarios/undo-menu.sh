#!/usr/bin/env bash
# Apply through the window, then Extras > Undo Last Change... twice: the first gives back the driver's value
# exactly as it was (the whole key compared through the driver, the value through tessaline.exe on the same
# PC), the second offers the change again and redoes it. The record under SOFTWARE\TSLN\Undo is one binary
# value holding both sides with their type, and no undo rewrites it; debug.txt logs each write.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

undo_key='SOFTWARE\TSLN\Undo'
before_list='S 640x480=8000; 800x600=8000;'
profile=$(sc_variant profiles/demo)
sc_reg_section "$profile" 'SYSTEM\CurrentControlSet\Control\Video\{6B3E0D42-91A7-4C58-B2F3-7D1E8A905C64}\0000' \
    "\"NV25_Modes_Delta\"=\"$before_list\""
e2e_scenario "$profile" || e2e_end_scenario
sc_driver_keys
before=$(e2e_wine_values "$SC_WINE_DRIVER_KEY")
sc_console_exe show-value
e2e_expect "value before, through tessaline.exe" "NV25_Modes_Delta=$before_list" "$E2E_OUT"

e2e_start_tsln
# Nothing to undo yet: the item does nothing.
e2e_drive wait-main menu:IDM_UNDO no-box click:IDC_CHECK1 arrow:IDC_UPDOWN9:+1 click:IDC_CMDAPPLY box:Yes box:OK
applied=$(e2e_wine_values "$SC_WINE_DRIVER_KEY")
applied_list=$(sc_key "$applied" NV25_Modes_Delta | sed 's/^NV25_Modes_Delta=REG_SZ://')
record=$(e2e_wine_values "$undo_key")
saved=$(sc_undo_saved "${record#Record=TYPE3:}")
e2e_expect "undo record after Apply" \
    "Record=TYPE3:$(sc_undo_record "$SC_CONSOLE_DRIVER_KEY" NV25_Modes_Delta "$saved" "$before_list" "$applied_list")" \
    "$record"

e2e_drive menu:IDM_UNDO box:Yes box:OK
e2e_expect "undo boxes" "box=Restore the mode list as it was before the change of $saved?
box=Mode list restored. Please remember to REBOOT your computer for changes to take effect" "$E2E_OUT"
e2e_expect "driver key after the undo" "$before" "$(e2e_wine_values "$SC_WINE_DRIVER_KEY")"
sc_console_exe show-value
e2e_expect "value after the undo, through tessaline.exe" "NV25_Modes_Delta=$before_list" "$E2E_OUT"

# The value as it was before: the change is offered again. No is the default answer.
e2e_drive menu:IDM_UNDO box:No no-box
e2e_expect "driver key after a redo answered No" "$before" "$(e2e_wine_values "$SC_WINE_DRIVER_KEY")"
e2e_drive menu:IDM_UNDO box:Yes box:OK menu:IDM_EXIT gone
e2e_expect "redo boxes" "box=Apply the change of $saved again?
box=Change applied again. Please remember to REBOOT your computer for changes to take effect" "$E2E_OUT"
e2e_expect "driver key after the redo" "$applied" "$(e2e_wine_values "$SC_WINE_DRIVER_KEY")"
e2e_expect "undo record, never rewritten" "$record" "$(e2e_wine_values "$undo_key")"
e2e_expect "debug.txt after the start" "Added registry value: $applied_list
Restored registry value: $before_list
Restored registry value: $applied_list" "$(grep -aE '^(Added|Restored) registry value: ' "$TSLN_PROGRAM_DIR/debug.txt" | tr -d '\r')"
e2e_end_scenario
