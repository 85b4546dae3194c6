#!/usr/bin/env bash
# A driver list that names no driver (REG_SZ instead of REG_MULTI_SZ): no driver file and the version
# "N/A", so the program refuses to start.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

profile=$(sc_variant profiles/demo)
sed -i 's/^"InstalledDisplayDrivers"=.*$/"InstalledDisplayDrivers"="nv4_disp"\r/' "$profile/registry.reg"
sc_refused_start "$profile" "No compatible Detonator version found" "N/A"
