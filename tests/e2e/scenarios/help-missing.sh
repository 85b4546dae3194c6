#!/usr/bin/env bash
# Help > Topics without tslnhelp.chm beside tsln.exe says so, and the window stays usable.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/demo || e2e_end_scenario
rm -f "$TSLN_PROGRAM_DIR/tslnhelp.chm"
e2e_start_tsln
e2e_drive wait-main menu:IDM_TOPICS box:OK no-box enabled menu:IDM_EXIT gone
e2e_expect "Help > Topics without the help file" "box=Help file (tslnhelp.chm) not found
enabled=1" "$E2E_OUT"
e2e_end_scenario
