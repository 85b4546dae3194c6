#!/usr/bin/env bash
# The monitor's limits on the mask-list PC, with the EDID of a SyncMaster CRT (30-85 kHz, 50-160 Hz, 180 MHz)
# seeded where Windows keeps it (Wine's monitor is Default_Monitor; its key holds no EDID of its own). The
# window names the monitor; in the advanced view the quick set's box starts at 85 kHz and "Fit to Monitor" is
# enabled; its rates apply without a warning. Its 1600 x 1200 stops at 66 Hz, where the pixel clock caps it:
# one click up and Apply warns, naming the clock. Rates set from 100 kHz go beyond the monitor: Apply warns
# first (exclamation icon, No the default), No writes and logs nothing, Yes goes on to the usual question
# and writes. Limits set by hand, a pixel clock typed (a letter refused by the box), then take the line and
# are stored as one text. The console does the same clicks on the same PC.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

MONITOR_KEY='SYSTEM\CurrentControlSet\Enum\DISPLAY\Default_Monitor\0000&0000'
MONITOR_ID='MONITOR\Default_Monitor\{4D36E96E-E325-11CE-BFC1-08002BE10318}\0000'
# The first hex dump of the file is the EDID.
EDID_HEX=$(sed -n '3,10p' tests/data/edid/SAM0108-CF2E4499DB16.txt | tr -d ' \n')

e2e_scenario profiles/demo || e2e_end_scenario
sc_driver_keys
# Wine drops the EDID at the next session start: seeded in this session, before tsln.exe starts.
wine reg add "HKLM\\$MONITOR_KEY\\Device Parameters" /v EDID /t REG_BINARY /d "$EDID_HEX" /f >>"$E2E_WINE_LOG" 2>&1 ||
    e2e_fail "cannot seed the EDID"
# The console sees the same monitor: Wine's key, with its Driver value as Wine has it, and the device ID.
driver=$(e2e_wine_values "$MONITOR_KEY" | sed -n 's/^Driver=REG_SZ://p')
sc_reg_section "$CONSOLE_PROFILE" "$MONITOR_KEY" "\"Driver\"=\"${driver//\\/\\\\}\""
sc_reg_section "$CONSOLE_PROFILE" "$MONITOR_KEY\\Device Parameters" \
    "\"EDID\"=hex:$(printf '%s' "$EDID_HEX" | sed 's/../&,/g; s/,$//')"
printf 'monitor=%s\n' "$MONITOR_ID" >>"$CONSOLE_PROFILE/machine.txt"

e2e_start_tsln
e2e_drive wait-main text:IDC_LBLMONITOR menu-item:IDM_FITMONITOR click:IDC_CHECK1 quickset \
    menu-item:IDM_FITMONITOR menu:IDM_FITMONITOR rates click:IDC_CMDAPPLY icon box:Yes icon box:OK \
    arrow:IDC_UPDOWN16:+1 click:IDC_CMDAPPLY box:No type:IDC_TEXT1:100 click:IDC_CMDCALC rates click:IDC_CMDAPPLY icon box-default box:No no-box
window=$E2E_OUT
value_after_no=$(sc_wine_mode_list NV25_Modes_Delta)
log_after_no=$(grep -ac '^Added registry value: ' "$TSLN_PROGRAM_DIR/debug.txt")
# The longest monitor line: this monitor's limits set by hand. It shows whole (the driver's text step checks).
e2e_drive click:IDC_CMDAPPLY box:Yes box:Yes box:OK menu:IDM_LIMITS dialog:"Monitor Limits" \
    type:IDC_LIM_HMAX:96 type:IDC_LIM_CLOCK:2x00 click:IDC_LIM_OK closed:"Monitor Limits" text:IDC_LBLMONITOR menu:IDM_EXIT gone
window+=$'\n'$E2E_OUT

sc_console show advanced show fit-monitor rates --yes apply rate 1600x1200 67 --no apply quickset 100 rates \
    --no apply --yes --yes apply monitor
console=$E2E_OUT

e2e_expect "monitor line" "IDC_LBLMONITOR=SyncMaster (SAM0108), 30-85 kHz, 50-160 Hz, 180 MHz
IDC_LBLMONITOR=SyncMaster (SAM0108), 30-96 kHz, 50-160 Hz, 200 MHz (set by hand)" \
    "$(sc_key "$window" IDC_LBLMONITOR)"
e2e_expect "stored by hand" "Limits=REG_SZ:30-96 50-160 200" "$(e2e_wine_values 'SOFTWARE\TSLN\Monitors\SAM0108#H9LL903013')"
e2e_expect "console monitor line" "Monitor:             SyncMaster (SAM0108), 30-85 kHz, 50-160 Hz, 180 MHz
Monitor:             SyncMaster (SAM0108), 30-85 kHz, 50-160 Hz, 180 MHz" "$(printf '%s\n' "$console" | grep '^Monitor: ')"
e2e_expect "Fit to Monitor in the simple and the advanced view" "IDM_FITMONITOR=disabled
IDM_FITMONITOR=enabled" "$(sc_key "$window" IDM_FITMONITOR)"
e2e_expect "quick set box" "Quick set: 85 kHz, enabled" "$(printf '%s\n' "$window" | grep '^Quick set: ')"
e2e_expect "console quick set box" "Quick set: 85 kHz, enabled" "$(printf '%s\n' "$console" | grep '^Quick set: ')"
# By the GTF: 640 x 480 stops at 160 Hz, 1024 x 768 at 104 (105 needs 85.7 kHz), 1600 x 1200 at 66 (67 needs
# 181.8 MHz); the small sizes, seen as twice their size, at their bound of 75; 1920 x 1200 is under 60.
e2e_expect "fitted rates" "320 x 200=75
320 x 240=75
400 x 300=75
480 x 360=75
512 x 384=75
640 x 400=75
640 x 480=160
800 x 600=131
848 x 480=160
1024 x 768=104
1152 x 864=93
1280 x 720=110
1280 x 768=104
1280 x 960=84
1280 x 1024=79
1360 x 768=104
1600 x 900=87
1600 x 1024=77
1600 x 1200=66
1920 x 1080=62
1920 x 1200=N/A
1920 x 1440=N/A" "$(sc_rates "$window" 1 | head -n 22)"
for n in 1 2; do
    e2e_expect "rate labels, listing $n" "$(sc_rates "$console" "$n")" "$(sc_rates "$window" "$n")"
done
question="These rates go beyond what your monitor reports (30-85 kHz, 50-160 Hz, 180 MHz): 640 x 480 at 195 Hz, "
question+="800 x 600 at 156 Hz, 848 x 480 at 195 Hz, 1024 x 768 at 121 Hz, 1152 x 864 at 107 Hz, and 11 more. "
question+="Apply them anyway?"
e2e_expect "message boxes" "box=Are you sure you want to apply these values to the registry?
box=Values added succesfully. Please remember to REBOOT your computer for changes to take effect
box=These rates go beyond what your monitor reports (30-85 kHz, 50-160 Hz, 180 MHz): 1600 x 1200 at 67 Hz. Apply them anyway?
box=$question
box=$question
box=Are you sure you want to apply these values to the registry?
box=Values added succesfully. Please remember to REBOOT your computer for changes to take effect" \
    "$(sc_boxes "$window")"
e2e_expect "console message boxes" "$(sc_boxes "$window")" "$(sc_boxes "$console")"
e2e_expect "icons" "icon=none
icon=information
icon=warning" "$(sc_key "$window" icon)"
e2e_expect "the warning's default button" "default=No" "$(sc_key "$window" default)"
# No: the list the fitted rates wrote stays, and debug.txt holds only that one.
e2e_expect "after No, the driver's value" "$(sc_logged_list 1)" "$value_after_no"
e2e_expect "after No, lists in debug.txt" "1" "$log_after_no"
e2e_expect "the list Yes wrote" "$(sc_logged_list 2)" "$(sc_wine_mode_list NV25_Modes_Delta)"
e2e_expect "console report of the monitor" "pnp-id: SAM0108
name: SyncMaster
version: 1.3
checksum: ok
ranges: 50-160 Hz V, 30-85 kHz H, max dotclock 180 MHz
limits: 30-85 kHz H, 50-160 Hz V, 180 MHz (from the EDID)" "$(printf '%s\n' "$console" | sed -n '/^pnp-id: /,$p' | grep -v '^listed: ')"
sc_same_registry NV25_Modes_Delta
sc_same_debug_txt
e2e_end_scenario
