#!/usr/bin/env bash
# The i686 tsln.exe on the XP PC with a mask list that holds a value already. Its full start (start-mask.sh on
# x64): the three views and the menus are what the Linux console shows on the same PC. Then a quick set
# typed with real key presses and a selector moved: Apply writes the value the console writes for the same
# clicks; Extras > Undo Last Change... gives back the driver key exactly as it was, and "tsln.exe /undo"
# applies the change again exactly. The undo record's bytes (its counted texts and both sides with their
# type) are the ones the program's layout gives; the program's values and debug.txt end as the console's.
# shellcheck source=../i686-lib.sh
source "$(dirname "$0")/../i686-lib.sh"

before_list='S 640x480=8000; 800x600=8000;'

in_vm() {
    local profile
    profile=$(sc_variant profiles/demo)
    sc_reg_section "$profile" 'SYSTEM\CurrentControlSet\Control\Video\{6B3E0D42-91A7-4C58-B2F3-7D1E8A905C64}\0000' \
        "\"NV25_Modes_Delta\"=\"$before_list\""
    e2e_scenario "$profile" || return 1
    sc_driver_keys
    sc_start_views_drive || return 1
    i686_keep views "$SC_WINDOW"
    e2e_start_tsln
    # A changed text makes "Set" the default button: Enter sets 85 kHz.
    e2e_drive wait-main "say:@@ before" "values:$SC_WINE_DRIVER_KEY" say:@@ \
        click:IDC_CHECK1 type:IDC_TEXT1:85 key:IDC_TEXT1:Return arrow:IDC_UPDOWN7:-1 rates \
        click:IDC_CMDAPPLY box:Yes box:OK "say:@@ applied" "values:$SC_WINE_DRIVER_KEY" say:@@ \
        menu:IDM_UNDO box:Yes box:OK "say:@@ undone" "values:$SC_WINE_DRIVER_KEY" say:@@ menu:IDM_EXIT gone
    i686_keep clicks "$E2E_OUT"
    e2e_start_tsln /undo
    e2e_drive box:Yes box:OK
    i686_keep safe-mode "$E2E_OUT"
    sc_wait_exit
}

driver_key() { i686_section "$(i686_kept clicks)" "$1" | LC_ALL=C sort; }

on_host() {
    local console clicks record saved applied_list
    SC_WINDOW=$(i686_kept views)
    # Hertz mode: one step up from the label's 60 is 61.
    sc_start_views_check 61 || return 1
    sc_driver_keys
    clicks=$(i686_kept clicks)
    record=$(e2e_wine_values "$SC_TSLN_KEY\\Undo" | grep '^Record=')
    saved=$(sc_undo_saved "${record#Record=TYPE3:}")
    # The console's change bears the VM's time, so that the questions read the same. 85 kHz puts 640 x 480
    # at 85000 / 480 x 0.95 - 2.5 = 165.7, so 166; one arrow down is 165.
    sc_console --now "$saved" advanced quickset 85 rate 640x480 165 rates --yes apply --yes undo || return 1
    console=$E2E_OUT
    sc_console --yes undo || return 1
    console+=$'\n'$E2E_OUT
    e2e_expect "rate labels after the clicks" "$(sc_rates "$console" 1)" "$(sc_rates "$clicks" 1)"
    e2e_expect "message boxes" "$(sc_boxes "$console")" "$(sc_boxes "$clicks
$(i686_kept safe-mode)")"
    applied_list=$(driver_key applied | sed -n 's/^NV25_Modes_Delta=REG_SZ://p')
    e2e_expect "the value Apply wrote" "$(sc_logged_list 1)" "$applied_list"
    e2e_expect "the driver key after Extras > Undo Last Change..." "$(driver_key before)" "$(driver_key undone)"
    e2e_expect "the driver key after tsln.exe /undo" "$(driver_key applied)" "$(e2e_wine_values "$SC_WINE_DRIVER_KEY")"
    e2e_expect "the undo record" \
        "Record=TYPE3:$(sc_undo_record "$SC_CONSOLE_DRIVER_KEY" NV25_Modes_Delta "$saved" "$before_list" "$applied_list")" \
        "$record"
    sc_same_registry NV25_Modes_Delta
    sc_same_debug_txt
}

i686_scenario
