#!/usr/bin/env bash
# Sets up, builds, and runs Tessaline on its built-in demo machine (a Windows XP PC with a GeForce4 Ti 4600
# and a Detonator 45.23 driver): shows the main window, switches to Advanced Mode, sets a few rates,
# applies them, and prints the value written to the driver's key and debug.txt. Also builds the Windows
# program and leaves dist/ as a user would unzip it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs" --target tessaline >/dev/null

machine=$(mktemp -d /tmp/tessaline-demo.XXXXXX)
cp -r profiles/demo/. "$machine/"
tessaline=build/native/src/console/tessaline

echo "== tessaline --machine $machine show advanced rate 1024x768 85 rate 1280x1024 75 show --yes apply show-value"
"$tessaline" --machine "$machine" show advanced rate 1024x768 85 rate 1280x1024 75 show --yes apply show-value
echo
echo "== $machine/program/debug.txt"
tr -d '\r' <"$machine/program/debug.txt"

echo
bash scripts/dist.sh
