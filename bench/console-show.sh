#!/usr/bin/env bash
# How long "tessaline --machine profiles/demo show" takes (goal: at most 20 ms), against the same program
# ending at once on a command-line mistake: the difference is the start-up on the demo machine.
set -euo pipefail
cd "$(dirname "$0")/.."
tessaline=${1:-build/native/src/console/tessaline}
machine=$(mktemp -d)
trap 'rm -rf "$machine"' EXIT
cp -r profiles/demo/. "$machine/"
# A first run records the driver version, so every timed run after it writes nothing.
"$tessaline" --machine "$machine" show >/dev/null
hyperfine --warmup 5 --runs 100 -N --export-markdown /dev/stdout \
    --command-name "bare process (usage error)" "$tessaline" -i \
    --command-name "show on the demo machine" "$tessaline --machine $machine show"
