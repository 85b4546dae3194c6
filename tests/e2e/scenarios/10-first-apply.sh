# The demo machine: read what the window shows, switch to Advanced Mode, move two selectors, apply, and
# compare the registry and debug.txt with what the console writes for the same clicks.

e2e_scenario first-apply profiles/demo && {
    e2e_start_tsln
    # 1024 x 768 (UpDown9) two up from the system's 60 Hz; 640 x 400 (UpDown6) one down from 85 Hz.
    e2e_drive wait-main text:1201 text:1202 text:1203 rates click:1212 \
        arrow:1109:+1 arrow:1109:+1 arrow:1106:-1 rates \
        click:1210 box:Yes box:OK menu:2001 gone
    window=$E2E_OUT

    e2e_console rates advanced rate 1024x768 62 rate 640x400 74 rates --yes apply show-value
    console=$E2E_OUT
    console_rates_before=$(printf '%s\n' "$console" | sed -n '1,23p')
    console_rates_after=$(printf '%s\n' "$console" | sed -n '24,46p')

    e2e_expect "detection labels" "1201=Windows XP
1202=6.14.10.4523
1203=NVIDIA GeForce4 Ti 4600" "$(printf '%s\n' "$window" | sed -n '1,3p')"
    e2e_expect "rate labels at start" "$console_rates_before" "$(printf '%s\n' "$window" | sed -n '4,26p')"
    e2e_expect "rate labels after the clicks" "$console_rates_after" "$(printf '%s\n' "$window" | sed -n '27,49p')"
    e2e_expect "message boxes" "box=Are you sure you want to apply these values to the registry?
box=Values added succesfully. Please remember to REBOOT your computer for changes to take effect" \
        "$(printf '%s\n' "$window" | sed -n '50,51p')"

    console_value=$(printf '%s\n' "$console" | sed -n 's/^NV25_Modes_Delta=//p')
    wine_value=$(e2e_wine_value "$TSLN_CLASS_KEY" NV25_Modes_Delta)
    e2e_expect "NV25_Modes_Delta" "$console_value" "$wine_value"

    # Line 1 carries the time, in the system's format on Windows and ISO on the console.
    e2e_expect "debug.txt after line 1" "$(tail -n +2 "$CONSOLE_PROFILE/program/debug.txt")" \
        "$(tail -n +2 "$TSLN_PROGRAM_DIR/debug.txt")"
    cmp -s <(tail -n +2 "$CONSOLE_PROFILE/program/debug.txt") <(tail -n +2 "$TSLN_PROGRAM_DIR/debug.txt") ||
        e2e_fail "debug.txt is not the same byte for byte after line 1"
    head -n 1 "$TSLN_PROGRAM_DIR/debug.txt" | grep -qE $'^\\[[^]]+\\]\\[[^]]+\\]\r$' ||
        e2e_fail "debug.txt line 1 is not [date][time]"
    e2e_end_scenario
}
