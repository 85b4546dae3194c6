#!/usr/bin/env bash
# Each folder under src/ is one library, and includes only point down the
# layers. This derives the folder graph from the #include "folder/..." lines
# and fails when the graph has a cycle or a folder has no CMakeLists.txt.
# With -v it prints the graph's edges.
set -euo pipefail
cd "$(dirname "$0")/../src"

status=0
for folder in */; do
    folder=${folder%/}
    if [[ ! -f $folder/CMakeLists.txt ]]; then
        echo "src/$folder has no CMakeLists.txt: every folder builds one library"
        status=1
    fi
done

edges=$(grep -rHoE '^#include "[a-z0-9_]+/' --include='*.h' --include='*.cpp' --include='*.rc' . |
    sed -E 's|^\./([^/]+)/[^:]*:#include "([^/]+)/$|\1 \2|' | awk '$1 != $2' | sort -u)
if [[ ${1:-} == -v ]]; then
    printf '%s\n' "$edges"
fi
# tsort fails on a cycle and names its folders.
if ! loop=$(printf '%s\n' "$edges" | tsort 2>&1 >/dev/null); then
    echo "include cycle between folders of src/:"
    printf '%s\n' "$loop"
    status=1
fi
exit "$status"
