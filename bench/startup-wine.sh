#!/usr/bin/env bash
# Time from starting tsln.exe (x64 build) under Wine to its main window being visible, against a bare
# dialog program built the same way that shows the same main window template with no logic behind it, in
# the same warm Wine session (goal: at most 1.15x).
#   bash bench/startup-wine.sh [BUILD] [RUNS]     (defaults build/windows-x64, 15)
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
build=$(cd "${1:-build/windows-x64}" && pwd)
runs=${2:-15}
source tests/wine/wine-lib.sh
source tests/e2e/display-lib.sh
source tests/e2e/seed-lib.sh
prefix=$(mktemp -d /tmp/tsln-bench.XXXXXX)
trap 'tsln_wine_cleanup; tsln_display_stop' EXIT
tsln_display_start
tsln_wine_new_prefix "$prefix"
tsln_seed profiles/demo "$build" >/dev/null
cp "$build/bench/bare/bare_dialog.exe" "$TSLN_PROGRAM_DIR/"
driver="$build/tests/e2e/driver/tsln-driver.exe"
# The driver waits for the window; a second, already running wine process polls for it, so the figure is
# start to visible and not the driver's own start.
time_one() {  # EXE: milliseconds from start to visible window
    local start end
    wine "$driver" gone >/dev/null 2>&1
    start=$(date +%s%N)
    (cd "$TSLN_PROGRAM_DIR" && exec wine "$1" >/dev/null 2>&1) &
    local program=$!
    wine "$driver" wait-main >/dev/null 2>&1
    end=$(date +%s%N)
    wine "$driver" menu:2001 >/dev/null 2>&1 || true
    wait "$program"
    echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }
# Warm the session and the file cache first.
time_one bare_dialog.exe >/dev/null
time_one tsln.exe >/dev/null
bare=$(for _ in $(seq "$runs"); do time_one bare_dialog.exe; done | median)
tsln=$(for _ in $(seq "$runs"); do time_one tsln.exe; done | median)
echo "start to visible window under Wine, median of $runs runs:"
echo "  bare dialog program  $bare ms"
echo "  tsln.exe (demo)      $tsln ms"
awk -v a="$tsln" -v b="$bare" 'BEGIN { printf "  ratio                %.2fx (goal at most 1.15x)\n", a / b }'
