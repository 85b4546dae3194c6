# Help > Topics: without tslnhelp.chm beside tsln.exe it says so; with the file that the build put beside
# tsln.exe it opens the HTML Help window, whose Contents and Index hold every entry of the help project,
# and shows no message.

e2e_scenario help-missing profiles/demo && {
    rm -f "$TSLN_PROGRAM_DIR/tslnhelp.chm"
    e2e_start_tsln
    e2e_drive wait-main menu:2005 box:OK no-box enabled menu:2001 gone
    e2e_expect "Help > Topics without the help file" "box=Help file (tslnhelp.chm) not found
enabled=1" "$E2E_OUT"
    e2e_end_scenario
}

e2e_scenario help-opens profiles/xp-range && {
    help_chm="$E2E_BUILD/src/win32/tslnhelp.chm"
    if [ ! -f "$help_chm" ]; then
        e2e_fail "the build has no $help_chm (target help_file)"
    else
        cp "$help_chm" "$TSLN_PROGRAM_DIR/"
        e2e_start_tsln
        e2e_drive wait-main menu:2005 help-window no-box
        window=$E2E_OUT
        # Every entry of the contents and of the index, as the help project lists them.
        contents=$(grep -c 'type="text/sitemap"' help/tslnhelp.hhc)
        index=$(grep -c 'type="text/sitemap"' help/tslnhelp.hhk)
        e2e_expect "help window" "help=Tessaline Help
help-contents=$contents
help-index=$index" "$window"
        # For the record: Wine draws the viewer, its Contents and its Index; the page itself needs Wine's
        # Gecko engine, which these machines do not have, and stays blank.
        tsln_screenshot "$E2E_ARTIFACTS/help-window.png"
        e2e_drive menu:2001 gone
    fi
    e2e_end_scenario
}
