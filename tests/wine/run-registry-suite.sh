#!/bin/bash
# Runs the Windows build of the registry suite under Wine, in a throwaway prefix made from the cached
# template, against Wine's real advapi32. The suite includes the regedit import check (a .reg file saved by
# the in-memory registry, imported with "regedit /S" and read back through advapi32).
#
#   tests/wine/run-registry-suite.sh path/to/registry_suite.exe [gtest arguments...]
#
# Exits non-zero when a test fails or Wine cannot run the program.
set -u

if [ $# -lt 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 path/to/registry_suite.exe [gtest arguments...]" >&2
    exit 2
fi
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-lib.sh
. "$here/wine-lib.sh"

prefix=$(mktemp -d "${TMPDIR:-/tmp}/tsln-wine.XXXXXX") || exit 1
trap tsln_wine_cleanup EXIT
trap 'exit 130' INT TERM
if ! tsln_wine_new_prefix "$prefix"; then
    echo "run-registry-suite: could not make a Wine prefix" >&2
    exit 1
fi

# Windows looks beside the program first for a library loaded by bare name; Wine prefers its built-in
# hhctrl.ocx unless told to take a file first, which makes the hhctrl.ocx the build plants beside the suite
# a real trap for a bare-name load.
WINEDLLOVERRIDES="hhctrl.ocx=n,b;$WINEDLLOVERRIDES" wine "$exe" --gtest_color=no "$@"
status=$?
if [ $status -ne 0 ]; then
    echo "run-registry-suite: registry_suite.exe exited with $status" >&2
fi
exit $status
