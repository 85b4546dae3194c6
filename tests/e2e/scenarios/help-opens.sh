#!/usr/bin/env bash
# Help > Topics with the file that the build put beside tsln.exe opens the HTML Help window, whose Contents
# and Index hold every entry of the help project, and shows no message.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/xp-range || e2e_end_scenario
help_chm="$E2E_BUILD/src/win32/tslnhelp.chm"
if [ ! -f "$help_chm" ]; then
    e2e_fail "the build has no $help_chm (target help_file)"
    e2e_end_scenario
fi
cp "$help_chm" "$TSLN_PROGRAM_DIR/"
e2e_start_tsln
e2e_drive wait-main menu:IDM_TOPICS help-window no-box
window=$E2E_OUT
# Every entry of the contents and of the index, as the help project lists them.
contents=$(grep -c 'type="text/sitemap"' help/tslnhelp.hhc)
index=$(grep -c 'type="text/sitemap"' help/tslnhelp.hhk)
e2e_expect "help window" "help=Tessaline Help
help-contents=$contents
help-index=$index" "$window"
# For the record: Wine draws the viewer, its Contents and its Index; the page itself needs Wine's Gecko
# engine, which these machines do not have, and stays blank.
tsln_screenshot "$E2E_ARTIFACTS/help-window.png"
e2e_drive menu:IDM_EXIT gone
e2e_end_scenario
