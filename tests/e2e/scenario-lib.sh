# shellcheck shell=bash
# Helpers of the scenarios, on top of e2e-lib.sh. A scenario file starts with
#   source "$(dirname "$0")/../scenario-lib.sh"
#
#   sc_variant BASE                  a copy of profile BASE for the scenario to change; prints its path
#   sc_reg_section PROFILE KEY LINE... add a key section with value lines (.reg syntax) to its registry.reg
#   sc_driver_keys                   sets SC_WINE_DRIVER_KEY and SC_CONSOLE_DRIVER_KEY: the driver key as
#                                    tsln.exe finds it under Wine and as the console finds it in its profile
#   sc_wine_mode_list NAME           the driver's value NAME under Wine, or "<missing>"
#   sc_wait_exit                     wait until tsln.exe ends by itself, with status 0: nothing it showed
#                                    waits for an answer
#   sc_console ARGS...               e2e_console, failing the scenario when the console refuses the clicks
#   sc_console_status STATUS ARGS... e2e_console for a run that must end with STATUS (1: an error box)
#   sc_console_values KEY            the values of HKLM\KEY in the console profile's registry.reg, as e2e_wine_values
#   sc_same_registry [MODES_VALUE]   SOFTWARE\TSLN, the Run entry "TSLN" and the driver's mode list value
#                                    agree between tsln.exe and the console
#   sc_same_debug_txt                debug.txt agrees byte for byte after line 1 (both missing counts), and
#                                    line 1 is "[date][time]" unless the file is the scenario's own
#   sc_expect_log LINE...            debug.txt after line 1 is exactly these lines
#   sc_log_line KEY                  the debug.txt line that starts with "KEY: ", without its CR LF
#   sc_logged_list N                 the list of the Nth "Added registry value: " line of the console's debug.txt
#   sc_expect_contains WHAT PIECE TEXT, sc_expect_ends WHAT END TEXT
#   sc_undo_record KEY NAME SAVED BEFORE WRITTEN
#                                    the undo record's bytes in hex, as the program writes them; BEFORE and
#                                    WRITTEN are REG_SZ texts (kept with their NUL), or "-" for no value
#   sc_undo_saved HEX                the stamp an undo record in hex holds
#
# Picking from a driver or console output by key, never by line number:
#   sc_rates OUTPUT N                the Nth listing of the 23 rate labels, "caption=rate" lines
#   sc_rate_lines OUTPUT             every "caption=rate" line
#   sc_key OUTPUT KEY                every "KEY=value" line of that key
#   sc_boxes OUTPUT                  the message boxes, as "box=TEXT" lines
#   sc_console_block OUTPUT N, sc_window_lines BLOCK   a console "show" in the driver's terms
#   sc_spaces N                      N blanks

# shellcheck source=e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"

SC_RUN_KEY='SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
SC_TSLN_KEY='SOFTWARE\TSLN'

sc_variant() {
    local dir="$E2E_TMP/variant"
    rm -rf "$dir"
    cp -r "${1:?usage: sc_variant BASE}" "$dir"
    printf '%s\n' "$dir"
}

sc_reg_section() {
    local profile=$1 key=$2
    shift 2
    {
        printf '[HKEY_LOCAL_MACHINE\\%s]\r\n' "$key"
        printf '%s\r\n' "$@"
        printf '\r\n'
    } >>"$profile/registry.reg"
}

sc_driver_keys() {
    if grep -q '"CurrentVersion"="5.1"' "$CONSOLE_PROFILE/registry.reg"; then
        SC_WINE_DRIVER_KEY=$TSLN_CLASS_KEY
        # "\Device\Video0" without the kernel's "\Registry\Machine\".
        SC_CONSOLE_DRIVER_KEY=$(tsln_wine_video0 | cut -c19-)
    else
        SC_WINE_DRIVER_KEY='SYSTEM\CurrentControlSet\Services\nv\Device0'
        SC_CONSOLE_DRIVER_KEY=$SC_WINE_DRIVER_KEY
    fi
}

sc_wait_exit() {
    local status
    for _ in $(seq 1 200); do
        if ! kill -0 "$E2E_TSLN_PID" 2>/dev/null; then
            wait "$E2E_TSLN_PID" 2>/dev/null
            status=$?
            # Wine's own failures (no such program, a crash) end with other codes than the program's 0.
            [ "$status" -eq 0 ] && return 0
            e2e_fail "tsln.exe ended with status $status"
            return 1
        fi
        sleep 0.05
    done
    e2e_fail "tsln.exe did not end by itself"
    return 1
}

sc_console() {
    sc_console_status 0 "$@"
}

sc_console_status() {
    local expected=$1 status
    shift
    e2e_console "$@"
    status=$?
    [ "$status" -eq "$expected" ] && return 0
    e2e_fail "the console ended with status $status, not $expected: $(printf '%s\n' "$E2E_OUT" | tail -n 1)"
    return 1
}

sc_spaces() { printf '%*s' "$1" ''; }

# .reg text: strings with \\ and \" escapes, dword:, and hex(1) for text stored without its NUL (UTF-16 in a
# version 5 file). Other types are not needed here.
sc_console_values() {
    # The key goes through the environment: awk -v would read "\0000" as an escape.
    SC_KEY="[HKEY_LOCAL_MACHINE\\$1]" awk '
        function hexval(h,   i, n) {
            n = 0
            h = tolower(h)
            for (i = 1; i <= length(h); i++) n = n * 16 + index("0123456789abcdef", substr(h, i, 1)) - 1
            return n
        }
        function flush(   name, i, c, data, n, bytes, text, step) {
            if (pending == "") return
            # The name, up to its closing quote.
            name = ""
            for (i = 2; i <= length(pending); i++) {
                c = substr(pending, i, 1)
                if (c == "\\") { i++; name = name substr(pending, i, 1); continue }
                if (c == "\"") break
                name = name c
            }
            data = substr(pending, i + 2)
            pending = ""
            if (substr(data, 1, 1) == "\"") {
                text = ""
                for (i = 2; i < length(data); i++) {
                    c = substr(data, i, 1)
                    if (c == "\\") { i++; c = substr(data, i, 1) }
                    text = text c
                }
                print name "=REG_SZ:" text
            } else if (substr(data, 1, 6) == "dword:") {
                printf "%s=REG_DWORD:0x%x\n", name, hexval(substr(data, 7))
            } else if (substr(data, 1, 7) == "hex(1):") {
                data = substr(data, 8)
                gsub(/[ \\]/, "", data)
                n = data == "" ? 0 : split(data, bytes, ",")
                step = wide ? 2 : 1
                text = ""
                for (i = 1; i <= n; i += step) if (hexval(bytes[i]) != 0) text = text sprintf("%c", hexval(bytes[i]))
                print name "=REG_SZ:" text
            } else {
                print name "=OTHER:" data
            }
        }
        { sub(/\r$/, "") }
        NR == 1 { wide = ($0 ~ /Version 5\.00/); key = ENVIRON["SC_KEY"] }
        continuing { pending = pending $0; continuing = /\\$/; next }
        /^\[/ { flush(); inside = (toupper($0) == toupper(key)); next }
        inside && /^"/ { flush(); pending = $0; continuing = /\\$/; next }
        { flush() }
        END { flush() }' "$CONSOLE_PROFILE/registry.reg" | LC_ALL=C sort
}

sc_same_registry() {
    local modes_value=${1:-}
    e2e_expect "HKLM\\$SC_TSLN_KEY" "$(sc_console_values "$SC_TSLN_KEY")" "$(e2e_wine_values "$SC_TSLN_KEY")"
    e2e_expect "Run entry TSLN" "$(sc_console_values "$SC_RUN_KEY" | grep '^TSLN=')" \
        "$(e2e_wine_values "$SC_RUN_KEY" | grep '^TSLN=')"
    if [ -n "$modes_value" ]; then
        [ -n "${SC_WINE_DRIVER_KEY:-}" ] || sc_driver_keys
        e2e_expect "$modes_value" "$(sc_console_values "$SC_CONSOLE_DRIVER_KEY" | grep "^$modes_value=")" \
            "$(e2e_wine_values "$SC_WINE_DRIVER_KEY" | grep "^$modes_value=")"
    fi
}

# The value of NAME under the driver key as Wine holds it, or "<missing>".
sc_wine_mode_list() {
    [ -n "${SC_WINE_DRIVER_KEY:-}" ] || sc_driver_keys
    e2e_wine_value "$SC_WINE_DRIVER_KEY" "$1"
}

sc_same_debug_txt() {
    local wine_log="$TSLN_PROGRAM_DIR/debug.txt" console_log="$CONSOLE_PROFILE/program/debug.txt"
    if [ ! -e "$wine_log" ] && [ ! -e "$console_log" ]; then return 0; fi
    if [ -d "$wine_log" ] && [ -d "$console_log" ]; then return 0; fi
    if [ ! -f "$wine_log" ] || [ ! -f "$console_log" ]; then
        e2e_fail "debug.txt: tsln.exe left $(stat -c %F "$wine_log" 2>/dev/null || echo nothing), the console" \
            "$(stat -c %F "$console_log" 2>/dev/null || echo nothing)"
        return 1
    fi
    if ! cmp -s <(tail -n +2 "$console_log") <(tail -n +2 "$wine_log"); then
        e2e_fail "debug.txt differs after line 1"
        diff <(tail -n +2 "$console_log") <(tail -n +2 "$wine_log") | head -n 20 | cat -A | sed 's/^/    /'
        return 1
    fi
    # Line 1 carries the time, in the system's format on Windows and ISO on the console.
    if [ "${1:-}" != own-first-line ] && ! head -n 1 "$wine_log" | grep -qE $'^\\[[^]]+\\]\\[[^]]+\\]\r$'; then
        e2e_fail "debug.txt line 1 is not [date][time]: $(head -n 1 "$wine_log")"
        return 1
    fi
}

# sc_expect_log LINE...: debug.txt after line 1 is exactly these lines, each ending in CR LF.
sc_expect_log() {
    cmp -s <(printf '%s\r\n' "$@") <(tail -n +2 "$TSLN_PROGRAM_DIR/debug.txt") && return 0
    e2e_fail "debug.txt is not the expected text"
    diff <(printf '%s\r\n' "$@") <(tail -n +2 "$TSLN_PROGRAM_DIR/debug.txt") | cat -A | head -n 20 | sed 's/^/    /'
    return 1
}

# sc_console_block OUTPUT N: the Nth "show" of a console output with whatever follows it up to the next.
sc_console_block() {
    printf '%s\n' "$1" | awk -v n="$2" '$0 == "Tessaline v2.0" { block++ } block == n'
}

# sc_window_lines BLOCK: the window a console "show" printed, as the driver's steps "text:IDC_LBLOS
# text:IDC_LBLDETVERSION text:IDC_LBLADAPTERS text:IDC_LBLMONITOR check:IDC_CHECK1 menus", and in the
# advanced view "quickset text:IDC_LABEL50", print it.
sc_window_lines() {
    printf '%s\n' "$1" | sed -n -e 's/^OS Version: *\(.*\)$/IDC_LBLOS=\1/p' \
        -e 's/^Detonator Version: *\(.*\)$/IDC_LBLDETVERSION=\1/p' \
        -e 's/^Device Description: *\(.*\)$/IDC_LBLADAPTERS=\1/p' -e 's/^Monitor: *\(.*\)$/IDC_LBLMONITOR=\1/p' \
        -e 's/^\[x\] Advanced Mode$/IDC_CHECK1=checked/p' \
        -e 's/^\[ \] Advanced Mode$/IDC_CHECK1=unchecked/p' -e '/^Extras > /p' -e '/^Quick set: /p' \
        -e 's/^\(Added Resolutions: .*\)$/IDC_LABEL50=\1/p'
}
# sc_rate_lines OUTPUT: the "caption=rate" lines of a driver or console output.
sc_rate_lines() { printf '%s\n' "$1" | grep -E '^[0-9]+ x [0-9]+='; }

# sc_rates OUTPUT N: the Nth listing of the rate labels; each starts with the row "320 x 200".
sc_rates() {
    sc_rate_lines "$1" | awk -v n="$2" '/^320 x 200=/ { listing++ } listing == n'
}

# sc_key OUTPUT KEY: the "KEY=value" lines of that key, in their order.
sc_key() { printf '%s\n' "$1" | KEY="$2" awk 'index($0, ENVIRON["KEY"] "=") == 1'; }

sc_log_line() {
    tr -d '\r' <"$TSLN_PROGRAM_DIR/debug.txt" | KEY="$1: " awk 'index($0, ENVIRON["KEY"]) == 1'
}

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

# sc_boxes OUTPUT: the message boxes of a driver or console output, as the driver prints them.
sc_boxes() {
    printf '%s\n' "$1" | sed -n -e 's/^box=/box=/p' -e 's/^\[Tessaline\] \(.*\)$/box=\1/p' |
        sed -E 's/ \[(Yes|No)\]$//'
}

# sc_start_views MOVED MENUS: a full start, Advanced Mode on with one selector moved, Advanced Mode off again;
# the console does the same clicks. MOVED is the 640 x 480 label after one right-arrow click in the advanced
# view, MENUS the six "Extras > ..." lines expected over the three views. The window's lines stay in
# SC_WINDOW for the checks each scenario adds. The halves apart: sc_start_views_drive clicks through tsln.exe
# (setting SC_WINDOW); sc_start_views_check MOVED [MENUS] has the console do the same and compares the
# windows (the menu lines with the console's in any case), and fails only when the console refused.
sc_start_views() {
    sc_start_views_drive && sc_start_views_check "$@" || return 1
    sc_same_registry
    sc_same_debug_txt
}

sc_start_views_drive() {
    local view="text:IDC_LBLOS text:IDC_LBLDETVERSION text:IDC_LBLADAPTERS text:IDC_LBLMONITOR check:IDC_CHECK1 menus"
    e2e_start_tsln
    # shellcheck disable=SC2086
    e2e_drive wait-main $view selectors height rates \
        click:IDC_CHECK1 $view quickset text:IDC_LABEL50 selectors height arrow:IDC_UPDOWN7:+1 rates \
        click:IDC_CHECK1 $view selectors height rates menu:IDM_EXIT gone || return 1
    SC_WINDOW=$E2E_OUT
}

sc_start_views_check() {
    local moved=$1 menus=${2:-} console b1 b2 b3
    sc_console show rates advanced show rate 640x480 "$moved" rates advanced show rates || return 1
    console=$E2E_OUT

    b1=$(sc_console_block "$console" 1)
    b2=$(sc_console_block "$console" 2)
    b3=$(sc_console_block "$console" 3)
    e2e_expect "the three views" "$(sc_window_lines "$b1")
selectors: 23 of 23 enabled
height=5800
$(sc_rate_lines "$b1")
$(sc_window_lines "$b2")
selectors: 23 of 23 enabled
height=6400
$(sc_rate_lines "$b2")
$(sc_window_lines "$b3")
selectors: 0 of 23 enabled
height=5800
$(sc_rate_lines "$b3")" "$SC_WINDOW"
    [ -z "$menus" ] || e2e_expect "menu states" "$menus" "$(printf '%s\n' "$SC_WINDOW" | grep '^Extras > ')"
    e2e_expect "the move is discarded" "$(sc_rate_lines "$b1")" "$(sc_rate_lines "$b3")"
    e2e_expect "the 640 x 480 label after the move" "640 x 480=$moved" \
        "$(sc_rate_lines "$b2" | grep '^640 x 480=')"
    return 0
}

# sc_refused_start PROFILE MESSAGE LAST_DET_VERSION: the program shows MESSAGE with the error icon and ends;
# it writes nothing but "LastDetVersion" (LAST_DET_VERSION, or nothing when empty) and no debug.txt.
sc_refused_start() {
    local profile=$1 message=$2 last=$3
    e2e_scenario "$profile" || e2e_end_scenario
    e2e_start_tsln
    e2e_drive icon box:OK
    e2e_expect "message" "icon=error
box=$message" "$E2E_OUT"
    sc_wait_exit
    e2e_expect "SOFTWARE\\TSLN" "${last:+LastDetVersion=REG_SZ:$last}" "$(e2e_wine_values "$SC_TSLN_KEY")"
    [ -e "$TSLN_PROGRAM_DIR/debug.txt" ] && e2e_fail "debug.txt was written"
    sc_console
    e2e_expect "console" "[Tessaline] $message
(the program ended at start-up)" "$E2E_OUT"
    sc_same_registry
    sc_same_debug_txt
    e2e_end_scenario
}

# tessaline.exe (the console program built for Windows) under Wine on the prefix's live PC. It runs from a
# folder of its own, so the debug.txt it writes never replaces tsln.exe's. Output in $E2E_OUT, CR LF as LF;
# standard error alone in $E2E_ERR.
#   sc_console_exe ARGS...
#   sc_console_exe_status STATUS ARGS...   for a run that must end with STATUS
sc_console_exe() {
    sc_console_exe_status 0 "$@"
}

sc_console_exe_status() {
    local expected=$1 folder="$E2E_TMP/console-exe"
    shift
    mkdir -p "$folder"
    cp "$E2E_BUILD/src/win32/tessaline.exe" "$folder/"
    # Into files, not through a pipe: the status of a pipe inside $(...) is lost to the caller.
    (cd "$folder" && wine tessaline.exe "$@" >"$E2E_TMP/console-exe.out" 2>"$E2E_TMP/console-exe.err")
    local status=$?
    E2E_OUT=$(tr -d '\r' <"$E2E_TMP/console-exe.out")
    E2E_ERR=$(tr -d '\r' <"$E2E_TMP/console-exe.err")
    [ -n "$E2E_ERR" ] && E2E_OUT+=${E2E_OUT:+$'\n'}$E2E_ERR
    [ "$status" -eq "$expected" ] && return 0
    e2e_fail "tessaline.exe ended with status $status, not $expected: $(printf '%s\n' "$E2E_OUT" | tail -n 1)"
    return 1
}

sc_hex() { od -An -tx1 -v | tr -d ' \n'; }
sc_le32() { printf '%02x%02x%02x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
sc_counted() {
    sc_le32 "$(printf '%s' "$1" | wc -c)"
    printf '%s' "$1" | sc_hex
}
sc_undo_side() {
    if [ "$1" = - ]; then
        sc_le32 0 && sc_le32 0 && sc_le32 0
    else
        sc_le32 1 && sc_le32 1 && sc_le32 $(($(printf '%s' "$1" | wc -c) + 1))
        printf '%s\0' "$1" | sc_hex
    fi
}

sc_undo_record() {
    printf 'TSU1' | sc_hex
    sc_counted "$1" && sc_counted "$2" && sc_counted "$3"
    sc_undo_side "$4" && sc_undo_side "$5"
}

# Its only "YYYY-MM-DD HH:MM:SS" text.
sc_undo_saved() {
    printf '%b' "$(printf '%s' "$1" | sed 's/../\\x&/g')" | grep -aoE '[0-9]{4}(-[0-9]{2}){2} [0-9]{2}(:[0-9]{2}){2}'
}
