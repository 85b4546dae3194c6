# Apply Settings in the normal and the compressed syntax (the mask syntax: 10-first-apply.sh and
# 45-quickset.sh), with TV-Out resolutions stored before the start and entered in the TV-Out dialog; No to
# the question writes nothing; Set Defaults afterwards puts back exactly the catalogue's list. Each written
# value is compared with the list the console logs for the same clicks and, where it matters, with literal
# text. The rate labels at start are the ones this X server offers (tests/e2e/xorg-dummy.conf): 640 x 400 at
# 85 Hz, 640 x 480 and 1024 x 768 at 60 Hz, everything else "N/A".

# sc_logged_list N: the list of the Nth "Added registry value: " line of the console's debug.txt.
sc_logged_list() {
    grep -a '^Added registry value: ' "$CONSOLE_PROFILE/program/debug.txt" | sed -n "$1p" | tr -d '\r' |
        sed 's/^Added registry value: //'
}

# sc_expect_contains WHAT PIECE TEXT, sc_expect_ends WHAT END TEXT
sc_expect_contains() {
    case "$3" in
    *"$2"*) return 0 ;;
    esac
    e2e_fail "$1: \"$2\" is missing"
}
sc_expect_ends() {
    case "$3" in
    *"$2") return 0 ;;
    esac
    e2e_fail "$1: the text does not end with \"$2\" but with \"${3: -${#2}}\""
}

# Two TV-Out resolutions stored before the start; later the dialog replaces them with one of four digits.
sc_profile=$(sc_variant profiles/w2k-normal)
sc_reg_section "$sc_profile" 'SOFTWARE\TSLN' '"ResW1"="720"' '"ResH1"="480"' '"ResW2"="768"' '"ResH2"="576"'
e2e_scenario apply-normal "$sc_profile" && {
    sc_driver_keys
    e2e_start_tsln
    # 640 x 480 from 60 to 70, 1024 x 768 from 60 to 70, 640 x 400 from 85 to 100; then No.
    e2e_drive wait-main click:1212 arrow:1107:+1 arrow:1109:+1 arrow:1106:+1 rates click:1210 box:No no-box
    window=$E2E_OUT
    e2e_expect "value after No" "<missing>" "$(sc_wine_mode_list NV20_Modes)"
    e2e_expect "debug.txt lines after No" 10 "$(wc -l <"$TSLN_PROGRAM_DIR/debug.txt")"

    e2e_drive click:1210 box:Yes box:OK
    window+=$'\n'$E2E_OUT
    first=$(sc_wine_mode_list NV20_Modes)

    # Row 1 of four digits; a "0" in row 2 clears that entry.
    e2e_drive menu:2003 dialog:"TV-Out aufloesungen" enabled-now text:4002 text:4004 text:4007 text:4009 \
        type:4002:1024 type:4004:768 type:4007:0 type:4009:480 click:4006 closed:"TV-Out aufloesungen" enabled \
        text:1050 click:1210 box:Yes box:OK
    window+=$'\n'$E2E_OUT
    second=$(sc_wine_mode_list NV20_Modes)

    e2e_drive click:1211 box:Yes box:OK rates menu:2001 gone
    window+=$'\n'$E2E_OUT

    sc_console advanced rate 640x480 70 rate 1024x768 70 rate 640x400 100 rates --no apply --yes apply \
        tvout 1024x768 0x480 --yes apply --yes defaults rates show-value
    console=$E2E_OUT
    e2e_expect "rate labels after the moves" "$(sc_lines "$console" 1 23)" "$(sc_lines "$window" 1 23)"
    e2e_expect "message boxes" "$(sc_boxes "$console")" "$(sc_boxes "$window")"
    e2e_expect "rate labels after Set Defaults" "$(sc_rate_lines "$(sc_lines "$console" 24 '$')")" \
        "$(sc_rate_lines "$(sc_lines "$window" 24 '$')")"
    e2e_expect "TV-Out dialog" "enabled=0
4002=720
4004=480
4007=768
4009=576
enabled=1
1050=Added Resolutions: 1024x768" "$(printf '%s\n' "$window" | grep -E '^(enabled|40[0-9][0-9]|1050)=')"
    e2e_expect "first Apply" "$(sc_logged_list 1)" "$first"
    e2e_expect "Apply after the TV-Out dialog" "$(sc_logged_list 2)" "$second"
    # 57 rows of 41 characters joined by two spaces, and three TV-Out rows of 43 for each stored resolution.
    e2e_expect "length of the first list" $((2449 + 6 * 43)) "${#first}"
    # Rows as the layout makes them: a 16-character head, a 22-character rate field (the chosen rate in
    # its column, or blanks), "  0"; rows joined by two spaces; TV-Out rows with 60 Hz only.
    sc_expect_contains "TV-Out rows of the 8-bit block, stored before the start" \
        "8   2048 1536$(sc_spaces 27)0  8    720  480   60$(sc_spaces 22)0  8    768  576   60$(sc_spaces 22)0  16   640  480      70$(sc_spaces 19)0" \
        "$first"
    sc_expect_ends "TV-Out rows of the 32-bit block, stored before the start" \
        "32  2048 1536$(sc_spaces 27)0  32   720  480   60$(sc_spaces 22)0  32   768  576   60$(sc_spaces 22)0" "$first"
    e2e_expect "length of the second list" $((2449 + 3 * 43)) "${#second}"
    sc_expect_ends "TV-Out row of four digits" "32  2048 1536$(sc_spaces 27)0  32  1024  768   60$(sc_spaces 22)0" \
        "$second"
    defaults=$(sc_wine_mode_list NV20_Modes)
    e2e_expect "Set Defaults" "$(sc_lines "$console" '$' '$' | sed 's/^NV20_Modes=//')" "$defaults"
    e2e_expect "length of the standard list" 2449 "${#defaults}"
    sc_expect_contains "start of the standard list" \
        "8    640  480   60 70 72 75 85 100 120  0  8    320  200   60 70 72 75$(sc_spaces 13)0  8    320  240   " \
        "$defaults"
    sc_expect_ends "end of the standard list" "0  32  2048 1536   60$(sc_spaces 22)0" "$defaults"
    sc_same_registry NV20_Modes
    sc_same_debug_txt
    e2e_end_scenario
}

# TV-Out resolutions stored before the start: the A section keeps its closing ";". Set Defaults answered
# No keeps the value but shows the system's rates again; answered Yes it writes range list 1 of the
# catalogue, which is this adapter's (GeForce2 MX/MX 400).
sc_profile=$(sc_variant profiles/xp-range)
sc_reg_section "$sc_profile" 'SOFTWARE\TSLN' '"ResW1"="720"' '"ResH1"="480"' '"ResW2"="768"' '"ResH2"="576"'
e2e_scenario apply-range "$sc_profile" && {
    sc_driver_keys
    e2e_start_tsln
    e2e_drive wait-main click:1212 arrow:1107:+1 click:1210 box:Yes box:OK
    window=$E2E_OUT
    applied=$(sc_wine_mode_list NV11_Modes_Delta)
    e2e_drive arrow:1107:+1 click:1211 box:No rates
    window+=$'\n'$E2E_OUT
    e2e_expect "value after Set Defaults answered No" "$applied" "$(sc_wine_mode_list NV11_Modes_Delta)"
    e2e_drive click:1211 box:Yes box:OK menu:2001 gone
    window+=$'\n'$E2E_OUT

    sc_console advanced rate 640x480 70 --yes apply rate 640x480 72 --no defaults rates --yes defaults show-value
    console=$E2E_OUT
    e2e_expect "message boxes" "$(sc_boxes "$console")" "$(sc_boxes "$window")"
    e2e_expect "rate labels after Set Defaults answered No" "$(sc_rate_lines "$console")" "$(sc_rate_lines "$window")"
    e2e_expect "640 x 480 after Set Defaults answered No" "640 x 480=60" \
        "$(sc_rate_lines "$window" | grep '^640 x 480=')"
    e2e_expect "Apply" "$(sc_logged_list 1)" "$applied"
    e2e_expect "Apply, literally" "S 320,200,-,-;320,240,-,-;400,300,-,-;480,360,-,-;512,384,-,-;640,400,-,-75;640,480,-,-60;800,600,-,-;1024,768,-,70-;1152,864,-,-;1280,768,-,-;1280,960,-,-;1280,1024,-,-;1600,900,-,-;1600,1024,-,-;1600,1200,-,-;1920,1080,-,-;1920,1200,-,-;1920,1440,-,-;2048,1536,-,-;A 720,480,-,60;768,576,-,60;" \
        "$applied"
    e2e_expect "Set Defaults" "S 1600,900,-16,120;1600,900,32,100-;1600,1024,-16,120;1600,1024,32,100-;1600,1200,-16,120;1600,1200,32,100-;1920,1080,-16,120;1920,1080,32,85-;1920,1200,-16,100-;1920,1200,32,72-;1920,1440,-16,85-;1920,1440,32,70-;2048,1536,-16,70-;2048,1536,32,-" \
        "$(sc_wine_mode_list NV11_Modes_Delta)"
    sc_same_registry NV11_Modes_Delta
    sc_same_debug_txt
    e2e_end_scenario
}

# Nothing stored: the TV-Out dialog's "Set default TV-Out modes" and OK store 720 x 480 and 768 x 576, and
# the A section built by OK has no closing ";". Reopened, the dialog shows them; Clear on row 1 and Enter
# (OK is the dialog's default button) leave only the second.
e2e_scenario apply-tvout-dialog profiles/xp-range && {
    sc_driver_keys
    e2e_start_tsln
    e2e_drive wait-main click:1212 menu:2003 dialog:"TV-Out aufloesungen" enabled-now text:4002 text:4004 text:4007 \
        text:4009 click:4011 click:4006 closed:"TV-Out aufloesungen" enabled text:1050 click:1210 box:Yes box:OK
    window=$E2E_OUT
    first=$(sc_wine_mode_list NV11_Modes_Delta)
    stored=$(e2e_wine_values "$SC_TSLN_KEY")
    e2e_drive menu:2003 dialog:"TV-Out aufloesungen" text:4002 text:4004 text:4007 text:4009 click:4005 \
        key:4009:13 closed:"TV-Out aufloesungen" enabled text:1050 click:1210 box:Yes box:OK menu:2001 gone
    window+=$'\n'$E2E_OUT
    second=$(sc_wine_mode_list NV11_Modes_Delta)

    sc_console advanced tvout 720x480 768x576 --yes apply tvout - 768x576 --yes apply show-value
    e2e_expect "message boxes" "$(sc_boxes "$E2E_OUT")" "$(sc_boxes "$window")"
    e2e_expect "TV-Out dialog" "enabled=0
4002=
4004=
4007=
4009=
enabled=1
1050=Added Resolutions: 720x480; 768x576
4002=720
4004=480
4007=768
4009=576
enabled=1
1050=Added Resolutions: ; 768x576" "$(printf '%s\n' "$window" | grep -E '^(enabled|40[0-9][0-9]|1050)=')"
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
}
