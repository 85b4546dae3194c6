#!/usr/bin/env bash
# Every test: unit tests natively and under ASan/UBSan, both Windows builds
# (warning-free), the registry suite under Wine against the real advapi32,
# the static checks of the Windows 2000/XP product, the end-to-end scenarios
# of the x64 build under Wine and of the i686 product in a 32-bit VM.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
step() { printf '\n==> %s\n' "$*"; }

step "native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

step "unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j "$jobs"
ctest --test-dir build/native-asan --output-on-failure -j "$jobs"

step "fuzzing: every reader of outside bytes, ${TSLN_FUZZ_SECONDS:-20} s each"
bash tests/fuzz/run-fuzzers.sh

step "folders are libraries whose includes only point down; the style of the C++ and the scripts"
bash scripts/check-includes.sh
bash scripts/check-style.sh

step "Windows builds (i686 product, x86_64 for Wine), warnings are errors"
for preset in windows windows-x64; do
    cmake --preset "$preset" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

# The i686 product's scenarios need only the builds so far: their VM runs beside the steps below, niced so
# that the x64 scenarios' waits are not starved, and reports after them.
i686_report=$(mktemp)
setsid nice -n 10 bash tests/e2e/i686/run-i686.sh build/windows build/native >"$i686_report" 2>&1 &
i686_pid=$!
trap 'kill -- -"$i686_pid" 2>/dev/null || true; rm -f "$i686_report"' EXIT

step "the Windows 2000/XP product, checked statically"
bash tests/static/check-product.sh build/windows/src/win32/tsln.exe build/windows/src/win32/tessaline.exe
# The same check must refuse a program that imports a function Windows 2000 lacks.
if probe=$(bash tests/static/check-product.sh build/windows/tests/static/newer_api_probe.exe) ||
    ! grep -q "KERNEL32.DLL:GetTickCount64" <<<"$probe"; then
    echo "$probe"
    echo "the product check let an import of GetTickCount64 through"
    exit 1
fi
echo "  ok   the check refuses GetTickCount64 in a probe program"

step "the registry suite under Wine, against the real advapi32"
bash tests/wine/run-registry-suite.sh build/windows-x64/tests/wine/registry_suite.exe

step "end-to-end scenarios: tsln.exe under Wine on Xorg (the VSync tester too), against the console"
bash tests/e2e/run-e2e.sh build/windows-x64 build/native

step "end-to-end scenarios of the i686 product: tsln.exe and tessaline.exe in a 32-bit VM, against the console"
i686_status=0
wait "$i686_pid" || i686_status=$?
cat "$i686_report"
exit "$i686_status"
