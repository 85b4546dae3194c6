#!/usr/bin/env bash
# A full start on the compressed-list PC (XP), as start-mask.sh does. "LoadOnStartup" = 2 is not
# "registered": the mark stays clear.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

profile=$(sc_variant profiles/xp-range)
sc_reg_section "$profile" 'SOFTWARE\TSLN' '"LoadOnStartup"=dword:00000002'
e2e_scenario "$profile" || e2e_end_scenario
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
IDC_LABEL50=Added Resolutions: None" "$(printf '%s\n' "$SC_WINDOW" | grep -E '^(Quick set|IDC_LABEL50)')"
sc_expect_log "Windows version: 5.1" "Detonator version: 6.14.10.3082" \
    "Card Description: NVIDIA GeForce2 MX/MX 400" "Adapter codename: NV11_Modes_Delta" \
    "Adapter modes: Compressed" "Registry path: $SC_CONSOLE_DRIVER_KEY" "DLL Used: nv4_disp.dll" \
    "Program mode: Normal Mode" "TV Resolutions: 1.  2. "
e2e_end_scenario
