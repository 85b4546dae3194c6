#!/usr/bin/env bash
# Every test: unit tests natively and under ASan/UBSan, both Windows builds
# (warning-free), the registry suite under Wine against the real advapi32,
# and the static checks of the Windows 2000/XP product.
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

step "folders are libraries whose includes only point down"
bash scripts/check-includes.sh

step "Windows builds (i686 product, x86_64 for Wine), warnings are errors"
for preset in windows windows-x64; do
    cmake --preset "$preset" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

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
