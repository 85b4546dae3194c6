# Systems the program refuses, and faults on the way of a write: Windows 5.2; a driver list that names no
# driver; an adapter the catalogue does not list (Apply and Set Defaults refuse before asking); a debug.txt
# that cannot be written (the start completes, Apply reports the error and leaves the registry alone);
# TV-Out input that is no width or height (a message naming the box, nothing stored, the dialog stays
# until its close box); a driver key the user may only read (an error, never the success message).

SC_WRITE_ERROR="Error writing to the registry"

# sc_refused_start NAME PROFILE MESSAGE LAST_DET_VERSION: the program shows MESSAGE and ends; it writes
# nothing but "LastDetVersion" (LAST_DET_VERSION, or nothing when empty) and no debug.txt.
sc_refused_start() {
    local name=$1 profile=$2 message=$3 last=$4
    e2e_scenario "$name" "$profile" || return 1
    e2e_start_tsln
    e2e_drive icon box:OK
    e2e_expect "message" "icon=error
box=$message" "$E2E_OUT"
    sc_wait_exit
    e2e_expect "SOFTWARE\\TSLN" "${last:+LastDetVersion=REG_SZ:$last}" "$(e2e_wine_values "$SC_TSLN_KEY")"
    [ -e "$TSLN_PROGRAM_DIR/debug.txt" ] && e2e_fail "debug.txt was written"
    sc_console show
    e2e_expect "console" "[Tessaline] $message
(the program ended at start-up)" "$E2E_OUT"
    sc_same_registry
    sc_same_debug_txt
    e2e_end_scenario
}

sc_profile=$(sc_variant profiles/demo)
sed -i 's/"CurrentVersion"="5.1"/"CurrentVersion"="5.2"/' "$sc_profile/registry.reg"
sc_refused_start os-5.2 "$sc_profile" "No compatible Operating System found" ""

# REG_SZ instead of REG_MULTI_SZ: no driver name, so no driver file and the version "N/A".
sc_profile=$(sc_variant profiles/demo)
sed -i 's/^"InstalledDisplayDrivers"=.*$/"InstalledDisplayDrivers"="nv4_disp"\r/' "$sc_profile/registry.reg"
sc_refused_start wrong-driver "$sc_profile" "No compatible Detonator version found" "N/A"

sc_profile=$(sc_variant profiles/demo)
sed -i 's/"Device Description"="NVIDIA GeForce4 Ti 4600"/"Device Description"="NVIDIA GeForce FX 5900 Ultra"/' \
    "$sc_profile/registry.reg"
e2e_scenario unknown-adapter "$sc_profile" && {
    sc_driver_keys
    before=$(e2e_wine_values "$SC_WINE_DRIVER_KEY")
    e2e_start_tsln
    e2e_drive wait-main text:1203 click:1212 click:1210 icon box:OK no-box click:1211 icon box:OK no-box menu:2001 gone
    window=$E2E_OUT
    sc_console show advanced apply defaults
    refusal="Your graphics adapter is not in Tessaline's list of supported adapters, so its driver mode list is not"
    refusal+=" known. Nothing was written."
    e2e_expect "window" "1203=NVIDIA GeForce FX 5900 Ultra
icon=error
box=$refusal
icon=error
box=$refusal" "$window"
    e2e_expect "console" "[Tessaline] $refusal
[Tessaline] $refusal" "$(printf '%s\n' "$E2E_OUT" | grep '^\[Tessaline\]')"
    # Not even the key's unnamed default value.
    e2e_expect "driver key" "$before" "$(e2e_wine_values "$SC_WINE_DRIVER_KEY")"
    e2e_expect "debug.txt line 5" "Adapter codename: " "$(sed -n 5p "$TSLN_PROGRAM_DIR/debug.txt" | tr -d '\r')"
    e2e_expect "debug.txt lines" 10 "$(wc -l <"$TSLN_PROGRAM_DIR/debug.txt")"
    sc_same_registry
    sc_same_debug_txt
    e2e_end_scenario
}

# A folder named debug.txt: neither Wine nor the console can open it as a file.
e2e_scenario debug-txt-unwritable profiles/xp-range && {
    sc_driver_keys
    mkdir "$TSLN_PROGRAM_DIR/debug.txt" "$CONSOLE_PROFILE/program/debug.txt"
    e2e_start_tsln
    e2e_drive wait-main text:1201 text:1202 text:1203 rates click:1212 arrow:1107:+1 click:1210 icon box:Yes icon box:OK \
        no-box menu:2001 gone
    window=$E2E_OUT
    sc_console show rates advanced rate 640x480 70 --yes apply
    e2e_expect "the start completes" "1201=Windows XP
1202=6.14.10.3082
1203=NVIDIA GeForce2 MX/MX 400
$(sc_rate_lines "$E2E_OUT")" "$(sc_lines "$window" 1 26)"
    e2e_expect "message boxes" "icon=none
box=Are you sure you want to apply these values to the registry?
icon=error
box=$SC_WRITE_ERROR" "$(sc_lines "$window" 27 '$')"
    e2e_expect "console" "[Tessaline] Are you sure you want to apply these values to the registry? [Yes]
[Tessaline] $SC_WRITE_ERROR" "$(printf '%s\n' "$E2E_OUT" | grep '^\[Tessaline\]')"
    e2e_expect "value" "<missing>" "$(sc_wine_mode_list NV11_Modes_Delta)"
    sc_same_registry NV11_Modes_Delta
    sc_same_debug_txt
    e2e_end_scenario
}

e2e_scenario tvout-invalid profiles/xp-range && {
    sc_driver_keys
    e2e_start_tsln
    e2e_drive wait-main click:1212 menu:2003 \
        dialog:"TV-Out aufloesungen" type:4002:72O type:4004:480 click:4006 icon box:OK \
        dialog:"TV-Out aufloesungen" type:4002:720 "type:4004: 480" click:4006 icon box:OK \
        dialog:"TV-Out aufloesungen" type:4004:480 type:4007:12345 type:4009:576 click:4006 icon box:OK \
        dialog:"TV-Out aufloesungen" close-box closed:"TV-Out aufloesungen" enabled text:1050 \
        click:1210 icon box:Yes icon box:OK menu:2001 gone
    window=$E2E_OUT
    sc_console advanced tvout 72Ox480 - tvout "720x 480" - tvout 720x480 12345x576 --yes apply show-value
    e2e_expect "messages, then the closed dialog" "icon=error
box=Width 1 must be a number of three or four digits (for example 720).
icon=error
box=Height 1 must be a number of three or four digits (for example 480).
icon=error
box=Width 2 must be a number of three or four digits (for example 720).
enabled=1
1050=Added Resolutions: None
icon=none
box=Are you sure you want to apply these values to the registry?
icon=information
box=Values added succesfully. Please remember to REBOOT your computer for changes to take effect" "$window"
    e2e_expect "console" "$(printf '%s\n' "$window" | sed -n 's/^box=/[Tessaline] /p' | sed '4s/$/ [Yes]/')" \
        "$(printf '%s\n' "$E2E_OUT" | grep '^\[Tessaline\]')"
    e2e_expect "SOFTWARE\\TSLN" "LastDetVersion=REG_SZ:6.14.10.3082" "$(e2e_wine_values "$SC_TSLN_KEY")"
    case "$(sc_wine_mode_list NV11_Modes_Delta)" in
    *";A "*) e2e_fail "the list has TV-Out entries" ;;
    esac
    sc_same_registry NV11_Modes_Delta
    sc_same_debug_txt
    e2e_end_scenario
}

# Read-only for everyone, as HKLM is for a user without administrator rights. Apply logs its list first,
# so debug.txt still gets it; the registry keeps what it had. The console has no access lists: it does the
# same clicks with a writable registry, which must log the same lines.
e2e_scenario refused-write profiles/demo && {
    sc_driver_keys
    e2e_start_tsln
    e2e_drive wait-main "deny-writes:$SC_WINE_DRIVER_KEY" click:1212 arrow:1107:+1 click:1210 box:Yes icon box:OK \
        no-box click:1211 box:Yes icon box:OK no-box "deny-writes:$SC_TSLN_KEY" "deny-writes:$SC_RUN_KEY" \
        menu:2002 menus menu:2001 gone
    e2e_expect "window" "box=Are you sure you want to apply these values to the registry?
icon=error
box=$SC_WRITE_ERROR
box=Are you sure you wish to set the Nvidia driver default values?
icon=error
box=$SC_WRITE_ERROR
Extras > Load on Windows Start: enabled
Extras > TV-Out Resolutions...: disabled" "$E2E_OUT"
    e2e_expect "value" "<missing>" "$(sc_wine_mode_list NV25_Modes_Delta)"
    e2e_expect "SOFTWARE\\TSLN" "LastDetVersion=REG_SZ:6.14.10.4523" "$(e2e_wine_values "$SC_TSLN_KEY")"
    e2e_expect "Run entry" "" "$(e2e_wine_values "$SC_RUN_KEY" | grep '^TSLN=')"
    sc_console advanced rate 640x480 61 --yes apply
    sc_same_debug_txt
    e2e_end_scenario
}
