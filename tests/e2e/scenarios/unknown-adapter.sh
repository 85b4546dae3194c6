#!/usr/bin/env bash
# An adapter the catalogue does not list: Apply and Set Defaults refuse before asking and write nothing, not
# even the key's unnamed default value.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

profile=$(sc_variant profiles/demo)
sed -i 's/"Device Description"="NVIDIA GeForce4 Ti 4600"/"Device Description"="NVIDIA GeForce FX 5900 Ultra"/' \
    "$profile/registry.reg"
e2e_scenario "$profile" || e2e_end_scenario
sc_driver_keys
before=$(e2e_wine_values "$SC_WINE_DRIVER_KEY")
e2e_start_tsln
e2e_drive wait-main text:IDC_LBLADAPTERS click:IDC_CHECK1 click:IDC_CMDAPPLY icon box:OK no-box \
    click:IDC_CMDRESET icon box:OK no-box menu:IDM_EXIT gone
window=$E2E_OUT
# The refusal is an error box: each ends a console run.
sc_console_status 1 show advanced apply
console=$E2E_OUT
sc_console_status 1 advanced defaults
console+=$'\n'$E2E_OUT
refusal="Your graphics adapter is not in Tessaline's list of supported adapters, so its driver mode list is not"
refusal+=" known. Nothing was written."
e2e_expect "window" "IDC_LBLADAPTERS=NVIDIA GeForce FX 5900 Ultra
icon=error
box=$refusal
icon=error
box=$refusal" "$window"
e2e_expect "console" "[Tessaline] $refusal
[Tessaline] $refusal" "$(printf '%s\n' "$console" | grep '^\[Tessaline\]')"
e2e_expect "driver key" "$before" "$(e2e_wine_values "$SC_WINE_DRIVER_KEY")"
e2e_expect "debug.txt" "Adapter codename: " "$(sc_log_line "Adapter codename")"
e2e_expect "debug.txt lines" 10 "$(wc -l <"$TSLN_PROGRAM_DIR/debug.txt")"
sc_same_registry
sc_same_debug_txt
e2e_end_scenario
