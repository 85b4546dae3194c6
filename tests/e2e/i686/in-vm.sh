#!/bin/bash
# The i686 scenarios' half inside the VM, started by its init as the io disk's run.sh, from the copy of the
# tree that run-i686.sh put there: one X server for all, then each scenario named in the file "scenarios" in
# a shell of its own, capped, so that a hang fails that scenario and the next one still runs. Each leaves its
# folder in OUT for the host's half: what it kept, vm.log, vm-status and vm-seconds.
#
#   run.sh OUT
out=${1:?usage: run.sh OUT}
cd "$(dirname "$0")" || exit 1
# The prefix template that booting the image once made (vm-image.sh); slow starts get longer waits.
export TSLN_WINE_CACHE=/var/cache/tessaline TSLN_DRIVER_TIMEOUT_MS=60000
# shellcheck source=../../wine/wine-lib.sh
source tests/wine/wine-lib.sh
# shellcheck source=../display-lib.sh
source tests/e2e/display-lib.sh

uptime() { cut -d ' ' -f 1 /proc/uptime; }
tsln_wine_template >/dev/null || exit 1
tsln_display_start || exit 1
echo "i686: display up at $(uptime) s after the boot"
cap=$(cat scenario-cap)
while read -r name; do
    state="$out/$name"
    mkdir -p "$state"
    started=$(date +%s.%N)
    scratch=$(mktemp -d)
    E2E_TMP=$scratch I686_SIDE=vm I686_STATE=$state E2E_BUILD=$PWD/build E2E_NATIVE=- E2E_ARTIFACTS=$scratch \
        timeout -k 5 "$cap" bash "tests/e2e/i686/scenarios/$name.sh" >"$state/vm.log" 2>&1
    status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "  FAIL [$name] stopped after $cap s in the VM" >>"$state/vm.log"
        xwd -root -silent >"$state/stopped.xwd" 2>/dev/null
        # What the stopped shell left running: its Wine session and the programs in it.
        WINEPREFIX="$scratch/prefix" wineserver -k 2>/dev/null
    fi
    rm -rf "$scratch"
    echo "$status" >"$state/vm-status"
    awk -v start="$started" -v now="$(date +%s.%N)" 'BEGIN { printf "%.1f\n", now - start }' >"$state/vm-seconds"
    echo "i686: $name: status $status after $(cat "$state/vm-seconds") s, at $(uptime) s"
done <scenarios
tsln_display_stop
