# A full start on each kind of PC (mask list on XP, compressed list on XP, normal list on Windows 2000):
# the detection labels, rate labels, menu states, selectors, quick set and window height of the simple view;
# then Advanced Mode on, one selector moved; then Advanced Mode off again, which must discard the move and
# show the system's rates. The console does the same clicks on the same PC; debug.txt is also checked
# against the literal ten lines of that PC.

# sc_start_views MOVED MENUS: MOVED is the 640 x 480 label after one right-arrow click in the advanced view,
# MENUS the six "Extras > ..." lines expected over the three views.
sc_start_views() {
    local moved=$1 menus=$2 console view
    view="text:1201 text:1202 text:1203 check:1212 menus"
    e2e_start_tsln
    # shellcheck disable=SC2086
    e2e_drive wait-main $view selectors height rates \
        click:1212 $view quickset text:1050 selectors height arrow:1107:+1 rates \
        click:1212 $view selectors height rates menu:2001 gone || return 1
    # Kept for the checks each scenario adds.
    SC_WINDOW=$E2E_OUT
    sc_console show rates advanced show rate 640x480 "$moved" rates advanced show rates || return 1
    console=$E2E_OUT

    local b1 b2 b3
    b1=$(sc_console_block "$console" 1)
    b2=$(sc_console_block "$console" 2)
    b3=$(sc_console_block "$console" 3)
    e2e_expect "the three views" "$(sc_window_lines "$b1")
selectors: 23 of 23 enabled
height=5800
$(sc_rate_lines "$b1")
$(sc_window_lines "$b2")
selectors: 23 of 23 enabled
height=6400
$(sc_rate_lines "$b2")
$(sc_window_lines "$b3")
selectors: 0 of 23 enabled
height=5800
$(sc_rate_lines "$b3")" "$SC_WINDOW"
    e2e_expect "menu states" "$menus" "$(printf '%s\n' "$SC_WINDOW" | grep '^Extras > ')"
    e2e_expect "the move is discarded" "$(sc_rate_lines "$b1")" "$(sc_rate_lines "$b3")"
    e2e_expect "the 640 x 480 label after the move" "640 x 480=$moved" \
        "$(sc_rate_lines "$b2" | grep '^640 x 480=')"
    sc_same_registry
    sc_same_debug_txt
}

e2e_scenario start-mask profiles/demo && {
    sc_driver_keys
    # Hertz mode: the selector takes the label's 60 and goes on to 61.
    sc_start_views 61 "Extras > Load on Windows Start: disabled
Extras > TV-Out Resolutions...: disabled
Extras > Load on Windows Start: enabled
Extras > TV-Out Resolutions...: disabled
Extras > Load on Windows Start: disabled
Extras > TV-Out Resolutions...: disabled"
    e2e_expect "quick set and added resolutions in the advanced view" "Quick set: (empty) kHz, enabled
1050=Added Resolutions: N/A" "$(printf '%s\n' "$SC_WINDOW" | grep -E '^(Quick set|1050)')"
    sc_expect_log "Windows version: 5.1" "Detonator version: 6.14.10.4523" \
        "Card Description: NVIDIA GeForce4 Ti 4600" "Adapter codename: NV25_Modes_Delta" \
        "Adapter modes: Compressed" "Registry path: $SC_CONSOLE_DRIVER_KEY" "DLL Used: nv4_disp.dll" \
        "Program mode: Normal Mode" "TV Resolutions: 1.  2. "
    e2e_end_scenario
}

# "LoadOnStartup" = 2 is not "registered": the mark stays clear.
sc_profile=$(sc_variant profiles/xp-range)
sc_reg_section "$sc_profile" 'SOFTWARE\TSLN' '"LoadOnStartup"=dword:00000002'
e2e_scenario start-range "$sc_profile" && {
    sc_driver_keys
    # Ladder mode: the label's 60 is index 1, one up is 70. TV-Out is enabled at start, and disabled again
    # by switching Advanced Mode off.
    sc_start_views 70 "Extras > Load on Windows Start: disabled
Extras > TV-Out Resolutions...: enabled
Extras > Load on Windows Start: enabled
Extras > TV-Out Resolutions...: enabled
Extras > Load on Windows Start: disabled
Extras > TV-Out Resolutions...: disabled"
    e2e_expect "quick set and added resolutions in the advanced view" "Quick set: (empty) kHz, disabled
1050=Added Resolutions: None" "$(printf '%s\n' "$SC_WINDOW" | grep -E '^(Quick set|1050)')"
    sc_expect_log "Windows version: 5.1" "Detonator version: 6.14.10.3082" \
        "Card Description: NVIDIA GeForce2 MX/MX 400" "Adapter codename: NV11_Modes_Delta" \
        "Adapter modes: Compressed" "Registry path: $SC_CONSOLE_DRIVER_KEY" "DLL Used: nv4_disp.dll" \
        "Program mode: Normal Mode" "TV Resolutions: 1.  2. "
    e2e_end_scenario
}

# Registered to load at Windows start, with two TV-Out resolutions stored.
sc_profile=$(sc_variant profiles/w2k-normal)
sc_reg_section "$sc_profile" 'SOFTWARE\TSLN' '"LoadOnStartup"=dword:00000001' '"ResW1"="720"' '"ResH1"="480"' \
    '"ResW2"="768"' '"ResH2"="576"'
e2e_scenario start-normal "$sc_profile" && {
    sc_driver_keys
    sc_start_views 70 "Extras > Load on Windows Start: disabled, checked
Extras > TV-Out Resolutions...: enabled
Extras > Load on Windows Start: enabled, checked
Extras > TV-Out Resolutions...: enabled
Extras > Load on Windows Start: disabled, checked
Extras > TV-Out Resolutions...: disabled"
    e2e_expect "quick set and added resolutions in the advanced view" "Quick set: (empty) kHz, disabled
1050=Added Resolutions: 720x480; 768x576" "$(printf '%s\n' "$SC_WINDOW" | grep -E '^(Quick set|1050)')"
    # Three-digit TV-Out values are logged with the space that pads them in the normal list.
    sc_expect_log "Windows version: 5.0" "Detonator version: 6.13.10.2832" "Card Description: NVIDIA GeForce3" \
        "Adapter codename: NV20_Modes" "Adapter modes: Normal" \
        'Registry path: SYSTEM\CurrentControlSet\Services\nv\Device0' "DLL Used: nv4.dll" \
        "Program mode: Normal Mode" "TV Resolutions: 1.  720x 480 2.  768x 576"
    e2e_end_scenario
}

# A driver file whose version fields are 32768 or more (the PE reader's test file of the native build, version
# 40000.65535.1.4041): Windows' version resource gives them unsigned, and the build "4041" is new enough
# for rate masks, so the quick set is on and TV-Out off.
sc_profile=$(sc_variant profiles/demo)
sc_high_dll="$E2E_NATIVE/pe_test_files/test_i686.dll"
[ -f "$sc_high_dll" ] && cp "$sc_high_dll" "$sc_profile/system32/nv4_disp.dll"
e2e_scenario start-high-version "$sc_profile" && {
    if [ ! -f "$sc_high_dll" ]; then
        e2e_fail "the native build has no $sc_high_dll (target pe_test_files)"
    else
        e2e_start_tsln
        e2e_drive wait-main text:1202 quickset menus menu:2001 gone
        e2e_expect "window" "1202=40000.65535.1.4041
Quick set: (empty) kHz, enabled
Extras > Load on Windows Start: disabled
Extras > TV-Out Resolutions...: disabled" "$E2E_OUT"
        sc_console
        e2e_expect "SOFTWARE\\TSLN" "LastDetVersion=REG_SZ:40000.65535.1.4041" "$(e2e_wine_values "$SC_TSLN_KEY")"
        e2e_expect "debug.txt line 3" "Detonator version: 40000.65535.1.4041" \
            "$(sed -n 3p "$TSLN_PROGRAM_DIR/debug.txt" | tr -d '\r')"
        sc_same_registry NV25_Modes_Delta
        sc_same_debug_txt
    fi
    e2e_end_scenario
}
