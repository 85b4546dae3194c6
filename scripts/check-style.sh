#!/usr/bin/env bash
# The style the tree is kept in: every C++ file as .clang-format has it, every
# shell script clean under shellcheck. Prints what differs and fails on it.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format-14 --dry-run -Werror "${sources[@]}"
echo "  ok   ${#sources[@]} C++ files as .clang-format has them"

mapfile -t scripts < <(git ls-files '*.sh' .ci/run)
shellcheck -x "${scripts[@]}"
echo "  ok   ${#scripts[@]} shell scripts clean under shellcheck"
