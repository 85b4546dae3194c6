#!/usr/bin/env bash
# Limits set by hand on the compressed-list PC, whose CRT reports nothing (Wine's Default_Monitor has no
# EDID): "Monitor: not reported". Extras > Monitor Limits... opened from the keyboard by its access keys
# (Alt+E, then I: each key of a menu belongs to one item, or Wine closes the menu on it); the limits typed with real key presses, a letter refused by the box itself, a range typed the wrong way round
# refused with its box named and every box left as typed, then OK by Enter. The line, the quick set's box,
# Fit to Monitor and the warning before Apply then go by 30-70 kHz and 50-120 Hz; the values are stored
# under the device ID, and the console does the same on the same PC.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

HAND_KEY='SOFTWARE\TSLN\Monitors\MONITOR#Default_Monitor#{4D36E96E-E325-11CE-BFC1-08002BE10318}#0000'

e2e_scenario profiles/xp-range || e2e_end_scenario
sc_driver_keys
printf 'monitor=%s\n' 'MONITOR\Default_Monitor\{4D36E96E-E325-11CE-BFC1-08002BE10318}\0000' \
    >>"$CONSOLE_PROFILE/machine.txt"

e2e_start_tsln
e2e_drive wait-main text:IDC_LBLMONITOR keys:"Alt+E I" dialog:"Monitor Limits" \
    text:IDC_LIM_NAME text:IDC_LIM_HMIN text:IDC_LIM_VMAX type:IDC_LIM_HMIN:30 type:IDC_LIM_HMAX:7x0 \
    type:IDC_LIM_VMIN:120 type:IDC_LIM_VMAX:50 click:IDC_LIM_OK icon box:OK text:IDC_LIM_HMIN text:IDC_LIM_HMAX \
    text:IDC_LIM_VMIN text:IDC_LIM_VMAX type:IDC_LIM_VMIN:50 type:IDC_LIM_VMAX:120 key:IDC_LIM_VMAX:Return \
    closed:"Monitor Limits" text:IDC_LBLMONITOR click:IDC_CHECK1 quickset menu:IDM_FITMONITOR rates \
    click:IDC_CMDAPPLY box:Yes box:OK arrow:IDC_UPDOWN9:+1 click:IDC_CMDAPPLY icon box-default box:No no-box \
    menu:IDM_EXIT gone
window=$E2E_OUT
stored=$(e2e_wine_values "$HAND_KEY")

sc_console show monitor-limits 30-70 50-120 monitor advanced show fit-monitor rates --yes apply \
    rate 1024x768 100 --no apply
console=$E2E_OUT

e2e_expect "the dialog and its refusal" "IDC_LBLMONITOR=not reported
IDC_LIM_NAME=not reported
IDC_LIM_HMIN=
IDC_LIM_VMAX=
icon=error
box=The second Vertical box must not be below the first: the lowest comes first.
IDC_LIM_HMIN=30
IDC_LIM_HMAX=70
IDC_LIM_VMIN=120
IDC_LIM_VMAX=50
IDC_LBLMONITOR=not reported, 30-70 kHz, 50-120 Hz (set by hand)" \
    "$(printf '%s\n' "$window" | grep -E '^(IDC_L|icon=error|box=The second)')"
e2e_expect "stored" "Limits=REG_SZ:30-70 50-120" "$stored"
e2e_expect "console: stored" "$stored" "$(sc_console_values "$HAND_KEY")"
e2e_expect "console: monitor lines" "Monitor:             not reported
no EDID
limits: 30-70 kHz H, 50-120 Hz V (set by hand)
Monitor:             not reported, 30-70 kHz, 50-120 Hz (set by hand)" \
    "$(printf '%s\n' "$console" | grep -E '^(Monitor:|no EDID|limits:)')"
# The ladder list takes no quick set, but its box starts from the highest kHz all the same.
e2e_expect "quick set box" "Quick set: 70 kHz, disabled" "$(printf '%s\n' "$window" | grep '^Quick set: ')"
e2e_expect "console quick set box" "Quick set: 70 kHz, disabled" "$(printf '%s\n' "$console" | grep '^Quick set: ')"
# 640 x 480 held to 120 Hz; 1024 x 768 by the GTF at 86 (87 needs 70.3 kHz), the rung below is 85.
e2e_expect "fitted rates" "$(sc_rates "$console" 1)" "$(sc_rates "$window" 1)"
e2e_expect "fitted 640 x 480 and 1024 x 768" "640 x 480=120
1024 x 768=85" "$(sc_rates "$window" 1 | grep -E '^(640 x 480|1024 x 768)=')"
question="These rates go beyond the limits set for your monitor (30-70 kHz, 50-120 Hz): 1024 x 768 at 100 Hz. "
question+="Apply them anyway?"
e2e_expect "Apply's boxes" "box=Are you sure you want to apply these values to the registry?
box=Values added succesfully. Please remember to REBOOT your computer for changes to take effect
icon=warning
default=No
box=$question" "$(printf '%s\n' "$window" | grep -E '^(box=|icon=|default=)' | tail -n 5)"
e2e_expect "console's boxes" "$(sc_boxes "$window" | tail -n 3)" "$(sc_boxes "$console")"
sc_same_registry NV11_Modes_Delta
sc_same_debug_txt
e2e_end_scenario
