# shellcheck shell=bash
# The 32-bit test VM: a real i386 Debian kernel and Wine's own 32-bit build, emulated by qemu (TCG; the
# machine's KVM runs no 32-bit guest). Source this file, then:
#
#   tsln_vm_cache                  the folder that holds the images, outside any checkout
#   tsln_vm_run IMAGE IN OUT CAP [keep]
#                                  boot IMAGE (vm-image.sh prints it) with the files of IN as /io/in in the guest,
#                                  where the image's init runs in/run.sh for at most CAP seconds and hands back
#                                  what it wrote to its out/ folder into OUT (console.log beside it). The root disk
#                                  is a throwaway snapshot unless "keep" is given. Fails when the VM gave nothing
#                                  back; qemu itself is capped at CAP plus two minutes.
#
# The files go in and out through a second disk that holds a tar: the guest has no network and no shared
# folders, and a tar on a raw disk needs no driver beyond the root disk's.

tsln_vm_cache() { printf '%s\n' "${TSLN_WINE_CACHE:-${HOME:-/tmp}/.cache/tessaline}/i686-vm"; }

tsln_vm_run() {
    local image=${1:?usage: tsln_vm_run IMAGE IN OUT CAP [keep]} in=${2:?} out=${3:?} cap=${4:?} mode=${5:-}
    local io snapshot=",snapshot=on" status
    [ "$mode" = keep ] && snapshot=""
    mkdir -p "$out"
    printf '%s\n' "$cap" >"$in/cap"
    io=$(mktemp /tmp/tsln-vm-io.XXXXXX) || return 1
    if ! tar -cf "$io" -C "$in" --transform='s,^\.,in,' . || ! truncate -s 64M "$io"; then
        rm -f "$io"
        return 1
    fi
    (
        # A shared lock: vm-image.sh replaces images only while no VM runs from them. It boots the image it
        # is making ("keep") under its own exclusive lock.
        [ "$mode" = keep ] || flock -s 9 || exit 1
        # -smap off: with it every Wine process oopsed the guest kernel. No mitigations: the guest runs
        # nothing untrusted, and the page-table switches they add are dear under emulation.
        timeout -k 10 $((cap + 120)) qemu-system-i386 -accel tcg,thread=multi -smp 2 -m 2048 -cpu max,-smap \
            -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
            -append "console=ttyS0 panic=1 quiet mitigations=off" \
            -drive "file=$image/root.ext4,if=virtio,format=raw$snapshot" -drive "file=$io,if=virtio,format=raw" \
            -display none -serial "file:$out/console.log" -monitor none -parallel none -no-reboot -net none
    ) 9>"$(tsln_vm_cache)/lock"
    status=$?
    # A guest that never wrote its results leaves the input on the disk, which has no out/.
    if ! tar -xf "$io" -C "$out" --strip-components=1 out/ 2>/dev/null; then
        rm -f "$io"
        if [ "$status" -eq 124 ]; then
            echo "i686 VM: no results: qemu was stopped after $((cap + 120)) s" >&2
        else
            echo "i686 VM: no results (qemu status $status; the guest's console is in $out/console.log)" >&2
        fi
        return 1
    fi
    rm -f "$io"
}
