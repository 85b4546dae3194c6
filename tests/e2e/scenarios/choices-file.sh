#!/usr/bin/env bash
# File > Save Choices... and Load Choices... on the mask-list PC, through the real common dialogs with the
# file names typed by real key presses: two rates moved in the advanced view are saved (the dialog adds the
# extension), one is moved again and the simple view brings the system's rates back, then Load switches
# Advanced Mode on and sets the saved rates. The file, the rows and the value Apply writes are the console's
# for the same actions (the console's tests check its file as written).
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/demo || e2e_end_scenario
sc_driver_keys
e2e_start_tsln
e2e_drive wait-main click:IDC_CHECK1 arrow:IDC_UPDOWN7:+1 arrow:IDC_UPDOWN9:-1 \
    menu:IDM_SAVECHOICES dialog:"Save Choices" file-name:'C:\choices' closed:"Save Choices" \
    arrow:IDC_UPDOWN7:+1 click:IDC_CHECK1 \
    menu:IDM_LOADCHOICES dialog:"Load Choices" file-name:'C:\choices.tsln' closed:"Load Choices" \
    rates check:IDC_CHECK1 click:IDC_CMDAPPLY box:Yes box:OK menu:IDM_EXIT gone
window=$E2E_OUT
saved=$(cat "$WINEPREFIX/drive_c/choices.tsln")

file="$E2E_TMP/console.tsln"
sc_console advanced rate 640x480 61 rate 1024x768 59 save "$file" \
    rate 640x480 62 advanced load "$file" rates --yes apply
e2e_expect "rows after loading" "$(sc_rates "$E2E_OUT" 1)" "$(sc_rates "$window" 1)"
e2e_expect "the saved rates" "640 x 480=61 1024 x 768=59" \
    "$(sc_rates "$window" 1 | grep -E '^(640 x 480|1024 x 768)=' | paste -sd' ')"
e2e_expect "Advanced Mode after loading" "IDC_CHECK1=checked" "$(sc_key "$window" IDC_CHECK1)"
e2e_expect "the file after its stamp" "$(tail -n +2 "$file")" "$(printf '%s\n' "$saved" | tail -n +2)"
if ! printf '%s\n' "$saved" | head -n 1 | grep -qE $'^; Tessaline choices, saved [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\r$'; then
    e2e_fail "the window's file does not start with its stamp: $(head -n 1 <<<"$saved")"
fi
sc_same_registry NV25_Modes_Delta
sc_same_debug_txt
e2e_end_scenario
