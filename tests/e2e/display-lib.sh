# shellcheck shell=bash
# One X server for a whole test run. Source this file, then:
#
#   tsln_display_start    starts Xorg with the dummy driver (and openbox, so windows have title bars) on a
#                         free display, exports DISPLAY
#   tsln_display_stop     ends both
#   tsln_text_pixels PNG GEOMETRY   how many pixels of a region are in the VSync test's text colour
#   tsln_lit_share PNG GEOMETRY     the share of a region that is lit (the test square on black)
#   tsln_screen_size      the screen's size now, e.g. 1024x768
#   tsln_wait_screen WxH [SECONDS]  wait until the screen has that size (5 s at most, or SECONDS)
#   tsln_screenshot FILE [WINDOW-ID]
#                         saves a PNG of the screen or of one window once Wine has painted it: a new window
#                         is black until then, so grab until two grabs in a row are equal and not near-black
#
# Xorg, not Xvfb: Xvfb reports every mode at 0 Hz and refuses full-screen Direct3D at other sizes.

TSLN_E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

tsln_display_start() {
    local n
    for n in $(seq 80 99); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    TSLN_XORG_LOG=$(mktemp /tmp/tsln-xorg.XXXXXX.log)
    Xorg ":$n" -config "$TSLN_E2E_DIR/xorg-dummy.conf" -noreset -nolisten tcp -novtswitch -sharevts \
        -logfile "$TSLN_XORG_LOG" >/dev/null 2>&1 &
    TSLN_XORG_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.05
    done
    if ! xdpyinfo >/dev/null 2>&1; then
        echo "display-lib: Xorg did not start (log: $TSLN_XORG_LOG)" >&2
        return 1
    fi
    openbox >/dev/null 2>&1 &
    TSLN_WM_PID=$!
}

tsln_display_stop() {
    [ -n "${TSLN_WM_PID:-}" ] && kill "$TSLN_WM_PID" 2>/dev/null
    [ -n "${TSLN_XORG_PID:-}" ] && kill "$TSLN_XORG_PID" 2>/dev/null && wait "$TSLN_XORG_PID" 2>/dev/null
    unset TSLN_WM_PID TSLN_XORG_PID
}

tsln_screen_size() { xdpyinfo | sed -n 's/^ *dimensions: *\([0-9x]*\) pixels.*/\1/p'; }

tsln_wait_screen() {
    for _ in $(seq 1 $((${2:-5} * 20))); do
        [ "$(tsln_screen_size)" = "$1" ] && return 0
        sleep 0.05
    done
    return 1
}

tsln_screenshot() {
    local file=${1:?usage: tsln_screenshot FILE [WINDOW-ID]} window=${2:-root}
    local tmp previous="" sum
    tmp=$(mktemp -d)
    for _ in $(seq 1 60); do
        import -silent -window "$window" "$tmp/shot.png" 2>/dev/null || { sleep 0.1; continue; }
        sum=$(md5sum <"$tmp/shot.png")
        # Mean brightness of the picture, 0..1: a window Wine has not painted yet is black.
        local mean
        mean=$(convert "$tmp/shot.png" -colorspace Gray -format '%[fx:mean]' info: 2>/dev/null || echo 0)
        if [ "$sum" = "$previous" ] && awk "BEGIN{exit !($mean > 0.05)}"; then
            cp "$tmp/shot.png" "$file"
            rm -rf "$tmp"
            return 0
        fi
        previous=$sum
        sleep 0.15
    done
    cp "$tmp/shot.png" "$file" 2>/dev/null
    rm -rf "$tmp"
    echo "display-lib: $file may show an unpainted window" >&2
    return 0
}

tsln_text_pixels() {
    convert "$1" -crop "$2" +repage -fuzz 20% -fill white -opaque '#55CCFF' -fill black +opaque white \
        -format '%[fx:round(mean*w*h)]' info:
}

tsln_lit_share() {
    convert "$1" -crop "$2" +repage -colorspace HSB -channel B -separate +channel -threshold 30% \
        -format '%[fx:mean]' info:
}
