#!/usr/bin/env bash
# Builds the Windows 2000/XP product and leaves dist/ as a user would unzip it: tsln.exe, the console
# program tessaline.exe, the help file and a short readme.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target tsln tessaline help_file >/dev/null
rm -rf dist
mkdir -p dist
cp build/windows/src/win32/tsln.exe build/windows/src/win32/tessaline.exe build/windows/src/win32/tslnhelp.chm dist/
# Windows users read this in Notepad: CR LF line ends.
sed 's/$/\r/' scripts/dist-readme.txt >dist/readme.txt
echo "dist/ (Windows 2000/XP, i686):"
ls -l dist | tail -n +2 | awk '{printf "  %-14s %8d bytes\n", $NF, $5}'
