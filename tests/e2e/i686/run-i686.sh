#!/usr/bin/env bash
# End-to-end scenarios of the i686 product, the tsln.exe and tessaline.exe users download: one boot of a
# 32-bit VM (vm-image.sh) runs them all under Wine's own 32-bit build on Xorg with the dummy driver, clicked
# by the e2e driver built for i686; then each is checked here against the Linux console doing the same clicks
# on the same PC (i686-lib.sh). The x64 scenarios prove the logic; these prove the 32-bit binaries.
#
#   bash tests/e2e/i686/run-i686.sh [BUILD NATIVE] [NAME...]
#
# BUILD and NATIVE default to build/windows and build/native; NAME is a file of scenarios/ without ".sh".
# Failed scenarios leave the guest's pictures, their Wine log and the VM's console in BUILD/e2e-artifacts.
set -uo pipefail
cd "$(dirname "$0")/../../.." || exit 1
# shellcheck source=vm-lib.sh
source tests/e2e/i686/vm-lib.sh

build=build/windows
native=build/native
if [ $# -ge 2 ] && [ -d "$1" ] && [ -d "$2" ]; then
    build=$1
    native=$2
    shift 2
fi
build=$(cd "$build" && pwd) || exit 1
native=$(cd "$native" && pwd) || exit 1
names=("$@")
if [ "${#names[@]}" -eq 0 ]; then
    for file in tests/e2e/i686/scenarios/*.sh; do names+=("$(basename "$file" .sh)"); done
fi
for name in "${names[@]}"; do
    [ -f "tests/e2e/i686/scenarios/$name.sh" ] ||
        { echo "run-i686: no scenario tests/e2e/i686/scenarios/$name.sh" >&2; exit 1; }
done
artifacts="$build/e2e-artifacts"
rm -rf "$artifacts"
mkdir -p "$artifacts"

summary() {
    echo "$1 passed, $2 failed"
    [ "$2" -eq 0 ]
}

if ! image=$(bash tests/e2e/i686/vm-image.sh); then
    echo "  FAIL the i686 scenarios: this machine has no VM image to run them in (see the line above)"
    summary 0 "${#names[@]}"
    exit
fi
for file in vmlinuz initrd.img root.ext4; do
    if [ ! -f "$image/$file" ]; then
        printf '  FAIL the i686 scenarios: vm-image.sh gave "%s", not a folder holding the image\n' "$image"
        summary 0 "${#names[@]}"
        exit
    fi
done

tmp=$(mktemp -d /tmp/tsln-i686.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
in="$tmp/in"
mkdir -p "$in/build/src/win32" "$in/build/tests/e2e/driver" "$in/tests/e2e" "$in/tests/wine" "$in/profiles"
cp "$build/src/win32/tsln.exe" "$build/src/win32/tessaline.exe" "$in/build/src/win32/" || exit 1
cp "$build/tests/e2e/driver/tsln-driver.exe" "$build/tests/e2e/driver/tsln-menu-probe.dll" \
    "$in/build/tests/e2e/driver/" || exit 1
cp tests/wine/wine-lib.sh "$in/tests/wine/"
cp tests/e2e/*.sh tests/e2e/xorg-dummy.conf "$in/tests/e2e/"
cp -r tests/e2e/i686 "$in/tests/e2e/"
cp tests/e2e/i686/in-vm.sh "$in/run.sh"
# The guest cannot run the native tool that makes a profile's driver files: they go in made.
for profile in profiles/*/; do
    cp -r "$profile" "$in/profiles/"
    "$native/src/profile/tsln-driver-files" "$profile" "$in/profiles/$(basename "$profile")/system32" || exit 1
done
printf '%s\n' "${names[@]}" >"$in/scenarios"
scenario_cap=240
echo "$scenario_cap" >"$in/scenario-cap"

started=$(date +%s)
if ! tsln_vm_run "$image" "$in" "$tmp/out" $((60 + scenario_cap * ${#names[@]})); then
    cp "$tmp/out/console.log" "$artifacts/i686-vm-console.log" 2>/dev/null
    echo "  FAIL the i686 scenarios: the VM gave no results (its console: $artifacts/i686-vm-console.log)"
    summary 0 "${#names[@]}"
    exit
fi
echo "  (the VM booted and ran ${#names[@]} scenarios in $(($(date +%s) - started)) s)"

passed=0
failed=0
for name in "${names[@]}"; do
    state="$tmp/out/$name"
    scratch=$(mktemp -d "$tmp/host.XXXXXX")
    if [ ! -f "$state/vm-status" ]; then
        echo "  FAIL [$name] the VM did not run it"
        failed=$((failed + 1))
    elif E2E_TMP=$scratch I686_SIDE=host I686_STATE=$state E2E_BUILD=$build E2E_NATIVE=$native \
        E2E_ARTIFACTS=$artifacts bash "tests/e2e/i686/scenarios/$name.sh"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
done
cp "$tmp/out/console.log" "$artifacts/i686-vm-console.log"
summary "$passed" "$failed"
