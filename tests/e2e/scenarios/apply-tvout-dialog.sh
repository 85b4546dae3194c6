#!/usr/bin/env bash
# Apply Settings in the normal and the compressed syntax (the mask syntax: first-apply.sh and quickset.sh).
# Each written value is compared with the list the console logs for the same clicks and, where it matters,
# with literal text. The rate labels at start are the ones this X server offers (tests/e2e/xorg-dummy.conf):
# 640 x 400 at 85 Hz, 640 x 480 and 1024 x 768 at 60 Hz, everything else "N/A".
# Nothing stored: the TV-Out dialog's "Set default TV-Out modes" and OK store 720 x 480 and 768 x 576, and
# the A section built by OK has no closing ";". Reopened, the dialog shows them; Clear on row 1 and Enter
# (OK is the dialog's default button) leave only the second.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/xp-range || e2e_end_scenario
sc_driver_keys
e2e_start_tsln
e2e_drive wait-main click:IDC_CHECK1 menu:IDM_TVORES dialog:"TV-Out aufloesungen" enabled-now text:IDC_TV_TXTW1 text:IDC_TV_TXTH1 text:IDC_TV_TXTW2 \
    text:IDC_TV_TXTH2 click:IDC_TV_DEFAULTS click:IDC_TV_DONE closed:"TV-Out aufloesungen" enabled text:IDC_LABEL50 click:IDC_CMDAPPLY box:Yes box:OK
window=$E2E_OUT
first=$(sc_wine_mode_list NV11_Modes_Delta)
stored=$(e2e_wine_values "$SC_TSLN_KEY")
e2e_drive menu:IDM_TVORES dialog:"TV-Out aufloesungen" text:IDC_TV_TXTW1 text:IDC_TV_TXTH1 text:IDC_TV_TXTW2 text:IDC_TV_TXTH2 click:IDC_TV_CLEAR1 \
    key:IDC_TV_TXTH2:Return closed:"TV-Out aufloesungen" enabled text:IDC_LABEL50 click:IDC_CMDAPPLY box:Yes box:OK menu:IDM_EXIT gone
window+=$'\n'$E2E_OUT
second=$(sc_wine_mode_list NV11_Modes_Delta)

sc_console advanced tvout 720x480 768x576 --yes apply tvout - 768x576 --yes apply show-value
e2e_expect "message boxes" "$(sc_boxes "$E2E_OUT")" "$(sc_boxes "$window")"
e2e_expect "TV-Out dialog" "enabled=0
IDC_TV_TXTW1=
IDC_TV_TXTH1=
IDC_TV_TXTW2=
IDC_TV_TXTH2=
enabled=1
IDC_LABEL50=Added Resolutions: 720x480; 768x576
IDC_TV_TXTW1=720
IDC_TV_TXTH1=480
IDC_TV_TXTW2=768
IDC_TV_TXTH2=576
enabled=1
IDC_LABEL50=Added Resolutions: ; 768x576" "$(printf '%s\n' "$window" | grep -E '^(enabled|IDC_TV_TXT..|IDC_LABEL50)=')"
e2e_expect "stored by the first OK" "LastDetVersion=REG_SZ:6.14.10.3082
ResH1=REG_SZ:480
ResH2=REG_SZ:576
ResW1=REG_SZ:720
ResW2=REG_SZ:768" "$stored"
e2e_expect "first Apply" "$(sc_logged_list 1)" "$first"
e2e_expect "second Apply" "$(sc_logged_list 2)" "$second"
sc_expect_ends "end of the first list" ";2048,1536,-,-;A 720,480,-,60;768,576,-,60" "$first"
sc_expect_ends "end of the second list" ";2048,1536,-,-;A 768,576,-,60" "$second"
sc_same_registry NV11_Modes_Delta
sc_same_debug_txt
e2e_end_scenario
