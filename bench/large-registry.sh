#!/usr/bin/env bash
# How long the console takes to load and save a profile whose registry.reg holds 100,000 sibling keys and a
# key of 100,000 values (goal: at most 2 s; looking keys and values up by a linear search took minutes),
# against the same command on the demo machine. "rate ... apply" makes it write, so the save is timed too.
set -euo pipefail
cd "$(dirname "$0")/.."
tessaline=${1:-build/native/src/console/tessaline}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r profiles/demo/. "$work/demo/"
cp -r profiles/demo/. "$work/large/"
awk 'BEGIN {
    for (i = 99999; i >= 0; --i) printf "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Many\\%s%05d]\r\n\r\n", i % 2 ? "K" : "k", i
    print "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ManyValues]\r"
    for (i = 0; i < 100000; ++i) printf "\"v%05d\"=dword:00000001\r\n", i
}' >>"$work/large/registry.reg"
for machine in demo large; do
    cp "$work/$machine/registry.reg" "$work/$machine.reg"
done
run="--yes rate 1024x768 85 apply"
hyperfine --warmup 1 --runs 5 -N --export-markdown /dev/stdout \
    --prepare "cp $work/demo.reg $work/demo/registry.reg" \
    --command-name "apply on the demo machine" "$tessaline --machine $work/demo $run" \
    --prepare "cp $work/large.reg $work/large/registry.reg" \
    --command-name "apply with 200,000 more keys and values" "$tessaline --machine $work/large $run"
