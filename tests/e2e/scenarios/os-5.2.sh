#!/usr/bin/env bash
# Windows 5.2 is no system the program knows: it says so and ends, writing nothing (the version is the
# profile's own).
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

profile=$(sc_variant profiles/demo)
sed -i 's/"CurrentVersion"="5.1"/"CurrentVersion"="5.2"/' "$profile/registry.reg"
sc_refused_start "$profile" "No compatible Operating System found" 6.14.10.4523
