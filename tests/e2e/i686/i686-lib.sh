# shellcheck shell=bash
# What an i686 scenario uses, on top of scenario-lib.sh. A scenario file defines two functions and ends with
# i686_scenario; run-i686.sh runs it twice:
#
#   in_vm      in the 32-bit VM (I686_SIDE=vm): the clicks, through the i686 tsln.exe and tessaline.exe under
#              Wine's 32-bit build, with the helpers of the x64 scenarios. What a check needs from the middle
#              of the clicks is kept with i686_keep
#   on_host    afterwards on this machine (I686_SIDE=host): the Linux console does the same clicks on the PC
#              the VM's Wine was (CONSOLE_PROFILE as the VM made it), and the x64 scenarios' checks compare.
#              e2e_wine_values, tsln_wine_video0 and TSLN_PROGRAM_DIR give the VM's state at the end of in_vm
#
#   i686_keep NAME TEXT      keep TEXT for on_host
#   i686_kept NAME           print it there
#   i686_section TEXT NAME   the lines of a driver output between its steps "say:@@ NAME" and the next
#                            "say:@@..." step: every Wine program costs seconds in the VM, so one driver run
#                            reads what several would
#   i686_shot NAME           (in_vm) keep a picture of the screen; on the host it is E2E_NAME-NAME.png in
#                            E2E_ARTIFACTS
#   i686_save_state          (in_vm) take the state the checks read now rather than at the end, when the
#                            clicks after it are not ones the console can do
#
# I686_STATE is the scenario's folder on the io disk: the VM writes it, the host reads it.

# shellcheck source=../scenario-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scenario-lib.sh"

: "${I686_SIDE:?run i686 scenarios through tests/e2e/i686/run-i686.sh}" "${I686_STATE:?}"

i686_keep() {
    mkdir -p "$I686_STATE/kept"
    printf '%s\n' "$2" >"$I686_STATE/kept/$1"
}

i686_kept() {
    if [ -f "$I686_STATE/kept/$1" ]; then cat "$I686_STATE/kept/$1"; else i686_missing "\"$1\""; fi
}

# Called inside $(...), where e2e_fail could not fail the scenario: the reason goes to stderr and a mark
# to the scenario's scratch folder, which i686_scenario reads.
i686_missing() {
    echo "  FAIL [$E2E_NAME] the VM kept no $1" >&2
    touch "$E2E_TMP/missing"
}

i686_section() {
    printf '%s\n' "$1" | NAME="@@ $2" awk '/^@@/ { inside = ($0 == ENVIRON["NAME"]); next } inside'
}


if [ "$I686_SIDE" = vm ]; then
    # ImageMagick is not in the VM: xwd pictures, turned into PNG on the host.
    i686_shot() { xwd -root -silent >"$I686_STATE/$1.xwd" 2>/dev/null; }
    tsln_screenshot() { i686_shot "$(basename "$1" .png)"; }

    # Wine keeps the adapter's GUID in the prefix, so the device map names the same key all session long:
    # it is read once.
    eval "$(declare -f tsln_wine_video0 | sed '1s/tsln_wine_video0/i686_read_video0/')"
    tsln_wine_video0() {
        [ -s "$E2E_TMP/video0" ] || i686_read_video0 >"$E2E_TMP/video0"
        cat "$E2E_TMP/video0"
    }

    i686_save_state() {
        [ -n "${CONSOLE_PROFILE:-}" ] || return 0
        I686_SAVED=1
        [ -n "${SC_WINE_DRIVER_KEY:-}" ] || sc_driver_keys
        local steps=() key
        # The keys whose values the checks read.
        for key in "$SC_TSLN_KEY" "$SC_TSLN_KEY\\Undo" "$SC_RUN_KEY" "$SC_WINE_DRIVER_KEY"; do
            steps+=("say:@@ $key" "values:$key" "say:@@")
        done
        e2e_drive "${steps[@]}"
        printf '%s\n' "$E2E_OUT" >"$I686_STATE/values"
        tsln_wine_video0 >"$I686_STATE/video0"
        cp -r "$CONSOLE_PROFILE" "$I686_STATE/console-profile"
        cp -r "$TSLN_PROGRAM_DIR" "$I686_STATE/program"
        cp "$E2E_WINE_LOG" "$I686_STATE/wine.log"
    }

    i686_scenario() {
        in_vm
        [ -n "${I686_SAVED:-}" ] || i686_save_state
        e2e_end_scenario
    }
else
    # The checks read what the VM kept.
    e2e_wine_values() {
        if ! grep -qxF "@@ $1" "$I686_STATE/values" 2>/dev/null; then
            i686_missing "values of HKLM\\$1"
            return 1
        fi
        i686_section "$(cat "$I686_STATE/values")" "$1" | LC_ALL=C sort
    }
    tsln_wine_video0() { cat "$I686_STATE/video0"; }
    tsln_screenshot() { :; }

    i686_scenario() {
        local shot
        # The time printed is the VM's and the checks' together.
        E2E_STARTED=$(awk -v start="$E2E_STARTED" -v vm="$(cat "$I686_STATE/vm-seconds")" \
            'BEGIN { printf "%.3f\n", start - vm }')
        for shot in "$I686_STATE"/*.xwd; do
            [ -s "$shot" ] && convert "xwd:$shot" "$E2E_ARTIFACTS/$E2E_NAME-$(basename "$shot" .xwd).png"
        done
        if [ "$(cat "$I686_STATE/vm-status")" != 0 ]; then
            e2e_fail "in the VM (status $(cat "$I686_STATE/vm-status")):"
            grep -v -e '^  ok ' -e '^  (screenshot' "$I686_STATE/vm.log" | sed 's/^/  /'
        fi
        E2E_WINE_LOG="$I686_STATE/wine.log"
        TSLN_PROGRAM_DIR="$I686_STATE/program"
        CONSOLE_PROFILE="$E2E_TMP/console-profile"
        if [ -d "$I686_STATE/console-profile" ]; then
            cp -r "$I686_STATE/console-profile" "$CONSOLE_PROFILE"
            on_host
        fi
        [ ! -e "$E2E_TMP/missing" ] || e2e_fail "(above: what the VM did not keep)"
        e2e_end_scenario
    }
fi
