#!/bin/bash
# Run once inside the VM while its image is made, on the root disk itself (not a snapshot): the 32-bit Wine
# prefix that every test run copies, made as the x64 tests make theirs.
set -euo pipefail
out=$1
export TSLN_WINE_CACHE=/var/cache/tessaline
# shellcheck source=../../../wine/wine-lib.sh
source "$(dirname "$0")/wine-lib.sh"
start=$(date +%s)
template=$(tsln_wine_template)
echo "prefix template $template: $(du -sh "$template" | cut -f1), $(($(date +%s) - start)) s" | tee "$out/prepared"
