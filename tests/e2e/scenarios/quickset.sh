#!/usr/bin/env bash
# The quick set on the mask-list PC, where "Apply Settings" starts as the default button (Enter asks to
# apply): "Set" with 70 kHz; typing 85 and pressing Enter (a change of the text makes "Set" the default
# button); after it Enter presses nothing until the text changes again, so a selector moved afterwards
# keeps its rate; a box left empty by keys it refuses changes nothing; the spin arrows go on from a typed
# number; "Defaults" shows the system's rates again. Then Apply writes those rates as a mask list, and Set
# Defaults the catalogue's mask list 4 (GeForce4 Ti 4600).
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/demo || e2e_end_scenario
sc_driver_keys
e2e_start_tsln
# At start "Apply Settings" is the default button: Enter asks to apply.
e2e_drive wait-main click:IDC_CHECK1 key:IDC_TEXT1:Return icon box:No rates \
    type:IDC_TEXT1:70 click:IDC_CMDCALC rates quickset \
    type:IDC_TEXT1:85 key:IDC_TEXT1:Return rates arrow:IDC_UPDOWN7:-1 key:IDC_TEXT1:Return rates \
    type:IDC_TEXT1:abc click:IDC_CMDCALC rates quickset \
    type:IDC_TEXT1:70 arrow:IDC_UPDOWN24:+1 quickset click:IDC_CMDCALCDEF rates \
    click:IDC_CMDAPPLY icon box:Yes icon box:OK click:IDC_CMDRESET icon box:Yes icon box:OK menu:IDM_EXIT gone
window=$E2E_OUT
# 85 kHz puts 640 x 480 at 85000 / 480 x 0.95 - 2.5 = 165.7, so 166; one arrow down is 165. The window's box
# refuses the letters of "abc" and stays empty; the console reads the text "abc" and changes nothing too.
sc_console advanced --no apply rates quickset 70 rates quickset 85 rates rate 640x480 165 rates quickset abc \
    rates quickset-defaults rates --yes apply --yes defaults show-value
console=$E2E_OUT

e2e_expect "listings of the rate labels" "6 6" \
    "$(sc_rate_lines "$window" | grep -c '^320 x 200=') $(sc_rate_lines "$console" | grep -c '^320 x 200=')"
for n in 1 2 3 4 5 6; do
    e2e_expect "rate labels, listing $n" "$(sc_rates "$console" "$n")" "$(sc_rates "$window" "$n")"
done
e2e_expect "quick set" "Quick set: 70 kHz, enabled
Quick set: (empty) kHz, enabled
Quick set: 71 kHz, enabled" "$(printf '%s\n' "$window" | grep '^Quick set: ')"
# The 17 rows the quick set fills, at 70 kHz; the six smallest keep what the system showed.
e2e_expect "70 kHz" "$(sc_rates "$window" 1 | head -n 6)
640 x 480=136
800 x 600=108
848 x 480=136
1024 x 768=84
1152 x 864=74
1280 x 720=90
1280 x 768=84
1280 x 960=67
1280 x 1024=62
1360 x 768=84
1600 x 900=71
1600 x 1024=62
1600 x 1200=N/A
1920 x 1080=N/A
1920 x 1200=N/A
1920 x 1440=N/A
2048 x 1536=N/A" "$(sc_rates "$window" 2)"
e2e_expect "Enter after the move presses nothing" "640 x 480=165" "$(sc_rates "$window" 4 | grep '^640 x 480=')"
e2e_expect "message boxes" "box=Are you sure you want to apply these values to the registry?
box=Are you sure you want to apply these values to the registry?
box=Values added succesfully. Please remember to REBOOT your computer for changes to take effect
box=Are you sure you wish to set the Nvidia driver default values?
box=Default values reset successfully" "$(sc_boxes "$window")"
e2e_expect "console message boxes" "$(sc_boxes "$window")" "$(sc_boxes "$console")"
# Questions and the reset's confirmation have no icon; the success of Apply has the information icon.
e2e_expect "icons" "icon=none
icon=none
icon=information
icon=none
icon=none" "$(sc_key "$window" icon)"
e2e_expect "Set Defaults" "S 320x200 320x240 400x300 480x360 512x384 640x400=F;SHV 2048x1536x32=1; 800x600 848x480=1DFF; 1920x1080x32 1920x1200x32 1920x1440x8,16=1F; 640x480 1024x768x8,16=1FFF; 1280x720x32 1280x768x32 1280x960x32 1280x1024x32 1360x768x32=2FF; 1600x1024x32 1600x1200x32 1920x1080x8,16 1920x1200x8,16=3F; 1600x900x8,16=3FF; 1152x864x32=6FF; 1600x900x32 1600x1024x8,16 1600x1200x8,16=7F; 1280x720x8,16 1280x768x8,16 1280x960x8,16 1280x1024x8,16 1360x768x8,16=7FF; SHV 1920x1440x32=B; 2048x1536x8,16=F; 1024x768x32 1152x864x8,16=FFF;" \
    "$(sc_wine_mode_list NV25_Modes_Delta)"
sc_same_registry NV25_Modes_Delta
sc_same_debug_txt
# Apply wrote the system's rates that "Defaults" brought back, as masks: 85 Hz is 8055, 60 Hz 803C.
e2e_expect "the logged list" "Added registry value: S 320x200=8000; 320x240=8000; 400x300=8000; 480x360=8000; 512x384=8000; 640x400=8055; 640x480=803C; 800x600=8000; 848x480=8000; 1024x768=803C; 1152x864=8000; 1280x720=8000; 1280x768=8000; 1280x960=8000; 1280x1024=8000; 1360x768=8000; 1600x900=8000; 1600x1024=8000; 1600x1200=8000; 1920x1080=8000; 1920x1200=8000; 1920x1440=8000; 2048x1536=8000;" \
    "$(grep -a '^Added registry value: ' "$TSLN_PROGRAM_DIR/debug.txt" | tr -d '\r')"
e2e_end_scenario
