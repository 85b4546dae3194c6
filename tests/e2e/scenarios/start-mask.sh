#!/usr/bin/env bash
# A full start on the mask-list PC (XP): the detection labels, rate labels, menu states, selectors, quick set
# and window height of the simple view; then Advanced Mode on, one selector moved; then Advanced Mode off
# again, which must discard the move and show the system's rates. The console does the same clicks on the
# same PC; debug.txt is also checked against the literal lines of that PC.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/demo || e2e_end_scenario
sc_driver_keys
# Hertz mode: the selector takes the label's 60 and goes on to 61.
sc_start_views 61 "Extras > Load on Windows Start: disabled
Extras > TV-Out Resolutions...: disabled
Extras > Load on Windows Start: enabled
Extras > TV-Out Resolutions...: disabled
Extras > Load on Windows Start: disabled
Extras > TV-Out Resolutions...: disabled"
e2e_expect "quick set and added resolutions in the advanced view" "Quick set: (empty) kHz, enabled
IDC_LABEL50=Added Resolutions: N/A" "$(printf '%s\n' "$SC_WINDOW" | grep -E '^(Quick set|IDC_LABEL50)')"
# Wine's monitor has no EDID: the window says so in each view, and nothing else changes.
e2e_expect "monitor line" "IDC_LBLMONITOR=not reported
IDC_LBLMONITOR=not reported
IDC_LBLMONITOR=not reported" "$(sc_key "$SC_WINDOW" IDC_LBLMONITOR)"
sc_expect_log "Windows version: 5.1" "Detonator version: 6.14.10.4523" \
    "Card Description: NVIDIA GeForce4 Ti 4600" "Adapter codename: NV25_Modes_Delta" \
    "Adapter modes: Compressed" "Registry path: $SC_CONSOLE_DRIVER_KEY" "DLL Used: nv4_disp.dll" \
    "Program mode: Normal Mode" "TV Resolutions: 1.  2. "
e2e_end_scenario
