#!/usr/bin/env bash
# Installs, only when missing, every Debian package that building, running and
# testing Tessaline needs. Safe to run again: a machine that has everything
# costs one dpkg query.
set -euo pipefail

packages=(
    # native build and unit tests
    g++ cmake ninja-build libgtest-dev libgmock-dev
    # the two Windows builds (win32 thread model: the posix one imports
    # Vista-only functions and would not load on Windows 2000/XP)
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    # 64-bit Wine for the end-to-end tests (never wine32: it cannot run here
    # and breaks the wine wrappers)
    wine wine64
    # X: Xorg with the dummy driver lists real display modes and rates
    xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils xvfb xauth x11-utils xdotool openbox
    libgl1 libglx-mesa0 libgl1-mesa-dri
    # screenshots, help compiler, benchmarks
    imagemagick fp-utils hyperfine
    # the reference decoder the EDID reader is checked against, and xxd to
    # turn the sample dumps into binary for it
    edid-decode xxd
    # coverage-guided fuzzing (libFuzzer ships in clang's runtime) and the style checks
    clang-14 libclang-rt-14-dev clang-format-14 shellcheck
    # the 32-bit VM the i686 product's scenarios run in (tests/e2e/i686/vm-image.sh makes its image):
    # an i386 Debian root made under user-mode emulation, a disk and an initramfs made from it, and qemu
    qemu-system-x86 qemu-user-static mmdebstrap arch-test e2fsprogs cpio kmod xz-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
