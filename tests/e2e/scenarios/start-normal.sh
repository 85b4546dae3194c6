#!/usr/bin/env bash
# A full start on the normal-list PC (Windows 2000), as start-mask.sh does, registered to load at Windows
# start and with two TV-Out resolutions stored.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

profile=$(sc_variant profiles/w2k-normal)
sc_reg_section "$profile" 'SOFTWARE\TSLN' '"LoadOnStartup"=dword:00000001' '"ResW1"="720"' '"ResH1"="480"' \
    '"ResW2"="768"' '"ResH2"="576"'
e2e_scenario "$profile" || e2e_end_scenario
sc_driver_keys
sc_start_views 70 "Extras > Load on Windows Start: disabled, checked
Extras > TV-Out Resolutions...: enabled
Extras > Load on Windows Start: enabled, checked
Extras > TV-Out Resolutions...: enabled
Extras > Load on Windows Start: disabled, checked
Extras > TV-Out Resolutions...: disabled"
e2e_expect "quick set and added resolutions in the advanced view" "Quick set: (empty) kHz, disabled
IDC_LABEL50=Added Resolutions: 720x480; 768x576" "$(printf '%s\n' "$SC_WINDOW" | grep -E '^(Quick set|IDC_LABEL50)')"
# Three-digit TV-Out values are logged with the space that pads them in the normal list.
sc_expect_log "Windows version: 5.0" "Detonator version: 6.13.10.2832" "Card Description: NVIDIA GeForce3" \
    "Adapter codename: NV20_Modes" "Adapter modes: Normal" \
    'Registry path: SYSTEM\CurrentControlSet\Services\nv\Device0' "DLL Used: nv4.dll" \
    "Program mode: Normal Mode" "TV Resolutions: 1.  720x 480 2.  768x 576"
e2e_end_scenario
