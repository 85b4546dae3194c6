#!/usr/bin/env bash
# Frames per second of the VSync test with VSync OFF at 640 x 480 x 32 under
# Wine (Xorg dummy display, Mesa's software renderer), against a bare
# Direct3D 8 clear-and-present loop of the same size built the same way, in
# the same run. Goal: the test at 0.9x the bare loop or better.
#
#   bash bench/vsync-fps.sh BUILD-DIR [FRAMES [ROUNDS]]     (the windows-x64 build)
#
# Each round runs the bare loop and then the test, so that a busy machine
# slows both alike; the verdict is the median of the rounds' ratios. Two
# figures per program: "fps" by the clock, and "cpu-fps", frames per second
# of processor time the process used, which other load disturbs less.
set -uo pipefail

build=$(cd "${1:?usage: vsync-fps.sh BUILD-DIR [FRAMES [ROUNDS]]}" && pwd)
frames=${2:-2000}
rounds=${3:-7}
# Left out of the timing, in both programs: the first frames also compile shaders.
warmUp=200
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
programs="$build/tests/e2e/vsync"
for exe in vsync_run.exe bare_d3d8_loop.exe; do
    [ -f "$programs/$exe" ] || { echo "vsync-fps: $programs/$exe not built" >&2; exit 1; }
done

source "$root/tests/e2e/display-lib.sh"
source "$root/tests/wine/wine-lib.sh"
cleanup() {
    [ -n "${DISPLAY:-}" ] && xrandr -s 0 >/dev/null 2>&1
    tsln_wine_cleanup
    tsln_display_stop
}
trap cleanup EXIT
tsln_display_start || exit 1
tsln_wine_new_prefix "$(mktemp -d /tmp/tsln-vsync-bench.XXXXXX)" || exit 1

# "fps cpu-fps" from a program's report.
rates() { tr -d '\r' | awk '/^fps:/ {f = $2} /^cpu-fps:/ {c = $2} END {if (f > 0 && c > 0) print f, c}'; }
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
best() { sort -g | tail -n 1; }
ratio() { awk "BEGIN {printf \"%.2f\", $1 / $2}"; }

# Unmeasured: the first run in a prefix loads and compiles more than the rest.
wine "$programs/bare_d3d8_loop.exe" 640 480 32 200 >/dev/null 2>&1
wine "$programs/vsync_run.exe" 640 480 32 off 200 >/dev/null 2>&1

: >"$TSLN_WINE_PREFIX/bench.txt"
for round in $(seq 1 "$rounds"); do
    bare=$(wine "$programs/bare_d3d8_loop.exe" 640 480 32 $((warmUp + frames)) $warmUp 2>/dev/null | rates)
    ours=$(wine "$programs/vsync_run.exe" 640 480 32 off $((warmUp + frames)) $warmUp 2>/dev/null | rates)
    if [ -z "$bare" ] || [ -z "$ours" ]; then
        echo "vsync-fps: round $round failed (bare: '$bare', test: '$ours')" >&2
        exit 1
    fi
    read -r bareFps bareCpu <<<"$bare"
    read -r oursFps oursCpu <<<"$ours"
    echo "$bareFps $bareCpu $oursFps $oursCpu $(ratio "$oursFps" "$bareFps") $(ratio "$oursCpu" "$bareCpu")" \
        >>"$TSLN_WINE_PREFIX/bench.txt"
    printf 'round %d: bare %7.1f fps (cpu %7.1f), test %7.1f fps (cpu %7.1f), ratio %s (cpu %s)\n' "$round" \
        "$bareFps" "$bareCpu" "$oursFps" "$oursCpu" "$(ratio "$oursFps" "$bareFps")" "$(ratio "$oursCpu" "$bareCpu")"
done

column() { awk -v c="$1" '{print $c}' "$TSLN_WINE_PREFIX/bench.txt"; }
verdict=$(column 5 | median)
echo
echo "640x480x32, VSync OFF, $frames frames timed a run (after $warmUp), $rounds rounds"
printf '  %-36s %8s %8s %10s %10s\n' "" "fps med" "fps best" "cpu-fps med" "cpu-fps best"
printf '  %-36s %8s %8s %10s %10s\n' "bare Direct3D 8 Clear/Present loop" "$(column 1 | median)" "$(column 1 | best)" \
    "$(column 2 | median)" "$(column 2 | best)"
printf '  %-36s %8s %8s %10s %10s\n' "VSync test loop" "$(column 3 | median)" "$(column 3 | best)" \
    "$(column 4 | median)" "$(column 4 | best)"
echo "  ratio, median of the rounds: ${verdict}x by the clock, $(column 6 | median)x by processor time (goal >= 0.9x)"
awk "BEGIN {exit !($verdict >= 0.9)}"
