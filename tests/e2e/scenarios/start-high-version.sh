#!/usr/bin/env bash
# A driver file whose version fields are 32768 or more (the PE reader's test file of the native build, version
# 40000.65535.1.4041): Windows' version resource gives them unsigned, and the build "4041" is new enough
# for rate masks, so the quick set is on and TV-Out off.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

profile=$(sc_variant profiles/demo)
high_dll="$E2E_NATIVE/pe_test_files/test_i686.dll"
[ -f "$high_dll" ] && cp "$high_dll" "$profile/system32/nv4_disp.dll"
e2e_scenario "$profile" || e2e_end_scenario
if [ ! -f "$high_dll" ]; then
    e2e_fail "the native build has no $high_dll (target pe_test_files)"
    e2e_end_scenario
fi
e2e_start_tsln
e2e_drive wait-main text:IDC_LBLDETVERSION quickset menus menu:IDM_EXIT gone
e2e_expect "window" "IDC_LBLDETVERSION=40000.65535.1.4041
Quick set: (empty) kHz, enabled
Extras > Load on Windows Start: disabled
Extras > TV-Out Resolutions...: disabled" "$E2E_OUT"
sc_console
e2e_expect "SOFTWARE\\TSLN" "LastDetVersion=REG_SZ:40000.65535.1.4041" "$(e2e_wine_values "$SC_TSLN_KEY")"
e2e_expect "debug.txt" "Detonator version: 40000.65535.1.4041" "$(sc_log_line "Detonator version")"
sc_same_registry NV25_Modes_Delta
sc_same_debug_txt
e2e_end_scenario
