#!/usr/bin/env bash
# The quick-set box takes a decimal, typed key by key as a user types it: "81.5" and Set give the rates the
# console gives for the same frequency; the keys the box refuses (a letter, a second ".") stay refused, so
# "8a1..5" leaves "81.5"; and the spin arrows go on from a typed 81.5 to the whole numbers beside it.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/demo || e2e_end_scenario
e2e_start_tsln
e2e_drive wait-main click:IDC_CHECK1 type:IDC_TEXT1:81.5 click:IDC_CMDCALC rates quickset \
    type:IDC_TEXT1:8a1..5 text:IDC_TEXT1 \
    arrow:IDC_UPDOWN24:+1 text:IDC_TEXT1 type:IDC_TEXT1:81.5 arrow:IDC_UPDOWN24:-1 text:IDC_TEXT1 \
    menu:IDM_EXIT gone
window=$E2E_OUT
sc_console advanced quickset 81.5 rates
e2e_expect "rate labels after Set with 81.5 kHz" "$(sc_rates "$E2E_OUT" 1)" "$(sc_rates "$window" 1)"
# 81.5 kHz puts 1024 x 768 at 81500 / 768 x 0.95 - 2.5 = 98.3, so 98: the decimal counts.
e2e_expect "1024 x 768 at 81.5 kHz" "1024 x 768=98" "$(sc_rates "$window" 1 | grep '^1024 x 768=')"
e2e_expect "the box" "Quick set: 81.5 kHz, enabled
IDC_TEXT1=81.5
IDC_TEXT1=82
IDC_TEXT1=81" "$(printf '%s\n' "$window" | grep -E '^(Quick set|IDC_TEXT1)')"
e2e_end_scenario
