#!/usr/bin/env bash
# Pictures of every window of tsln.exe (x64 build) under Wine on Xorg, for the README and docs/:
#   bash scripts/screenshots.sh [BUILD [OUT]]      (defaults build/windows-x64 and docs)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build/windows-x64}" && pwd)
out=${2:-docs}
mkdir -p "$out"
source tests/wine/wine-lib.sh
source tests/e2e/display-lib.sh
source tests/e2e/seed-lib.sh

prefix=$(mktemp -d /tmp/tsln-shots.XXXXXX)
cleanup() { tsln_wine_cleanup; tsln_display_stop; }
trap cleanup EXIT
tsln_display_start
driver() { wine "$build/tests/e2e/driver/tsln-driver.exe" "$@" >/dev/null; }
# The window with this title, with its frame.
shot() {
    local id
    id=$(xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)
    tsln_screenshot "$out/$2.png" "$id"
    # The window manager's frame: grab it from the root window by the frame's geometry.
    local frame geometry
    frame=$(xwininfo -id "$id" -children | sed -n 's/^  Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    if [ -n "$frame" ] && [ "$frame" != "$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')" ]; then
        geometry=$(xwininfo -id "$frame" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
            /Width/{w=$2} /Height/{h=$2} END{printf "%dx%d+%d+%d", w, h, x, y}')
        import -silent -window root -crop "$geometry" +repage "$out/$2.png"
    fi
    echo "  $out/$2.png"
}

run() {  # PROFILE [EDID_FILE]: a fresh prefix with tsln.exe started on it, its monitor given that EDID
    tsln_wine_cleanup
    tsln_wine_new_prefix "$prefix"
    tsln_seed "$1" "$build" >/dev/null
    # Wine's monitor is Default_Monitor, whose key has no EDID of its own; one written now lasts the session.
    if [ -n "${2:-}" ]; then
        wine reg add 'HKLM\SYSTEM\CurrentControlSet\Enum\DISPLAY\Default_Monitor\0000&0000\Device Parameters' \
            /v EDID /t REG_BINARY /d "$(sed -n '3,10p' "$2" | tr -d ' \n')" /f >/dev/null
    fi
    (cd "$TSLN_PROGRAM_DIR" && exec wine tsln.exe >/dev/null 2>&1) &
    driver wait-main
}

# The demo PC's own CRT.
run profiles/demo tests/data/edid/SAM002F-27A7190EE543.txt
shot "Tessaline v2.0" main-simple
driver click:IDC_CHECK1 arrow:IDC_UPDOWN9:+1
shot "Tessaline v2.0" main-advanced
driver menu:IDM_FITMONITOR
shot "Tessaline v2.0" main-monitor
# After an Apply, the Extras menu (opened with a click on it) and the question of Undo Last Change.
driver click:IDC_CMDAPPLY box:Yes box:OK
main=$(xdotool search --onlyvisible --name '^Tessaline v2.0$' | head -n 1)
xdotool windowactivate --sync "$main" mousemove --window "$main" 50 10 click 1
sleep 0.5
shot "Tessaline v2.0" undo-menu
xdotool key Escape Escape
xdotool windowactivate --sync "$main" mousemove --window "$main" 15 10 click 1
sleep 0.5
shot "Tessaline v2.0" file-menu
xdotool key Escape Escape
wine "$build/tests/e2e/driver/tsln-driver.exe" menu:IDM_SAVECHOICES >/dev/null &
shot "Save Choices" save-choices
xdotool key Escape
driver closed:"Save Choices"
wine "$build/tests/e2e/driver/tsln-driver.exe" menu:IDM_UNDO >/dev/null &
shot "Tessaline" undo-question
driver box:No
# Rates beyond the monitor: the question Apply asks first.
driver type:IDC_TEXT1:130 click:IDC_CMDCALC click:IDC_CMDAPPLY
shot "Tessaline" monitor-warning
driver box:No
driver menu:IDM_ABOUT dialog:About...
shot "About..." about
driver dialog:About... click:IDC_ABOUT_CLOSE closed:About... menu:IDM_D3DTEST dialog:"Tessaline VSync Tester"
shot "Tessaline VSync Tester" vsync-tester
driver dialog:"Tessaline VSync Tester" click:IDC_D3D_GO
shot "Tessaline" message-box
driver box:OK

run profiles/xp-range
driver click:IDC_CHECK1 menu:IDM_TVORES dialog:"TV-Out aufloesungen" click:IDC_TV_DEFAULTS
shot "TV-Out aufloesungen" tvout
driver dialog:"TV-Out aufloesungen" click:IDC_TV_DONE closed:"TV-Out aufloesungen"
# The same PC's CRT reports nothing: its limits typed by hand.
driver menu:IDM_LIMITS dialog:"Monitor Limits" type:IDC_LIM_HMIN:30 type:IDC_LIM_HMAX:70 type:IDC_LIM_VMIN:50 \
    type:IDC_LIM_VMAX:120
shot "Monitor Limits" monitor-limits
driver dialog:"Monitor Limits" click:IDC_LIM_OK closed:"Monitor Limits"

# The demo PC's CRT with limits set by hand over its EDID's: the longest monitor line.
run profiles/demo tests/data/edid/SAM002F-27A7190EE543.txt
driver menu:IDM_LIMITS dialog:"Monitor Limits" type:IDC_LIM_HMAX:96 click:IDC_LIM_OK closed:"Monitor Limits"
shot "Tessaline v2.0" main-limits
