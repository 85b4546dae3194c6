#!/usr/bin/env bash
# Prints the folder of the 32-bit test VM's image (vmlinuz, initrd.img, root.ext4), after making it when this
# machine has none for the current recipe. The recipe is this script and the files it puts into the image;
# images live under tsln_vm_cache (vm-lib.sh), one folder per recipe hash, and a new one replaces the old.
#
# The image: an i386 Debian 12 root (mmdebstrap, the machine's apt sources) with Wine's 32-bit packages, Xorg
# with the dummy driver, openbox and xdotool; the Debian 686 kernel unpacked into it; a small initramfs made
# here from the root's own busybox and the modules of the root disk; and a Wine prefix made by booting the VM
# once, which each test run copies. Installing the kernel package the usual way would build its initramfs
# under user-mode emulation, about 16 minutes; this takes seconds.
#
# Needs root, qemu-system-x86, qemu-user-static (registered for i386 programs here, as the root's package
# scripts are i386 programs), mmdebstrap, e2fsprogs and cpio: scripts/setup.sh installs them.
set -euo pipefail
# Standard output carries the image's path and nothing else: the caller takes it as a value. Every tool below
# writes to standard error, even one that chatters where its options promise silence (mkfs.ext4 -q still says
# "Creating regular file ..." for a new file). The long-running tools get no copy of the path's descriptor, so
# nothing they leave running can hold the caller's $(...) open.
exec 3>&1 1>&2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=vm-lib.sh
source "$here/vm-lib.sh"

cache=$(tsln_vm_cache)
recipe=$(cat "$0" "$here"/guest/* "$here/../../wine/wine-lib.sh" | sha256sum | cut -c1-16)
image="$cache/$recipe"
mkdir -p "$cache"

exec 9>"$cache/lock"
if ! flock -n 9; then
    echo "i686 VM: waiting for another run that builds or uses the image" >&2
    flock 9
fi
if [ -e "$image/ready" ]; then
    printf '%s\n' "$image" >&3
    exit 0
fi

cannot() {
    echo "i686 VM: cannot build the image: $*" >&2
    exit 1
}
[ "$(id -u)" -eq 0 ] || cannot "it needs root (mmdebstrap, binfmt_misc)"
for tool in qemu-system-i386 qemu-i386-static mmdebstrap mkfs.ext4 e2fsck cpio modprobe; do
    command -v "$tool" >/dev/null || cannot "$tool is missing (bash scripts/setup.sh installs it)"
done

# i386 programs of the root run under qemu-i386-static. Debian registers no such entry on amd64; flag F
# keeps the interpreter open, so it works inside the chroot too.
if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || cannot "binfmt_misc cannot be mounted"
fi
if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
        >/proc/sys/fs/binfmt_misc/register || cannot "qemu-i386-static cannot be registered with binfmt_misc"
fi

started=$(date +%s)
echo "i686 VM: building the image in $image (about 10 minutes, once per machine)" >&2
# A stopped mmdebstrap can leave /proc, /sys and device nodes mounted in its root: never delete through them.
remove() {
    awk -v root="$1" 'index($2, root) == 1 { print $2 }' /proc/mounts | sort -r | xargs -r -n 1 umount -l
    rm -rf --one-file-system "$1"
}
staging=$(mktemp -d "$cache/staging.XXXXXX")
trap 'remove "$staging"' EXIT
root="$staging/root"
lap() { echo "i686 VM: $1 after $(($(date +%s) - started)) s" >&2; }

packages=(
    mawk procps busybox-static
    wine wine32
    xserver-xorg-core xserver-xorg-video-dummy x11-utils x11-xserver-utils x11-apps xdotool openbox
    libgl1 libglx-mesa0 libgl1-mesa-dri
)
sources=/etc/apt/sources.list.d/debian.sources
[ -f "$sources" ] || sources=/etc/apt/sources.list
# The kernel package is unpacked, not installed: installing it would run its initramfs hook. The hook runs
# on this machine's apt with the root's configuration (i386); tar keeps /lib the link to /usr/lib it is.
# shellcheck disable=SC2016 # expanded by mmdebstrap's shell
kernel_hook='cd "$1/tmp" && kernel=$(APT_CONFIG=$MMDEBSTRAP_APT_CONFIG apt-cache depends linux-image-686 |
    sed -n "s/^ *Depends: \(linux-image-[0-9].*\)$/\1/p" | head -n 1) &&
    APT_CONFIG=$MMDEBSTRAP_APT_CONFIG apt-get download -q "$kernel" &&
    dpkg-deb --fsys-tarfile linux-image-*.deb | tar -x --keep-directory-symlink -C "$1" &&
    rm linux-image-*.deb'
mmdebstrap --quiet --arch=i386 --variant=apt --include="$(
    IFS=,
    echo "${packages[*]}"
)" \
    --dpkgopt='path-exclude=/usr/share/doc/*' --dpkgopt='path-exclude=/usr/share/man/*' \
    --dpkgopt='path-exclude=/usr/share/locale/*' --dpkgopt='path-include=/usr/share/locale/locale.alias' \
    --customize-hook="$kernel_hook" \
    bookworm "$root" "$sources" 3>&- || cannot "mmdebstrap failed"
lap "root made"

version=$(basename "$(find "$root/lib/modules" -mindepth 1 -maxdepth 1 -type d | head -n 1)")
depmod -b "$root" "$version" || cannot "depmod failed"
cp "$root/boot/vmlinuz-$version" "$staging/vmlinuz"

# The initramfs: busybox, the modules that reach an ext4 root on a virtio disk in the order modprobe would
# load them (crc32c is asked for at mount time, when nothing could load it), and initramfs-init.
initramfs="$staging/initramfs"
mkdir -p "$initramfs/bin" "$initramfs/modules"
cp "$root/bin/busybox" "$initramfs/bin/busybox"
cp "$here/guest/initramfs-init.sh" "$initramfs/init"
modprobe -a -d "$root" -S "$version" --show-depends virtio_pci virtio_blk crc32c_generic ext4 |
    sed -n 's/^insmod \([^ ]*\).*/\1/p' | while read -r module; do
    name=$(basename "$module")
    [ -e "$initramfs/modules/${name%.xz}" ] && continue
    case "$name" in
    *.xz) xz -dc "$module" >"$initramfs/modules/${name%.xz}" ;;
    *) cp "$module" "$initramfs/modules/" ;;
    esac
    echo "${name%.xz}" >>"$initramfs/modules/order"
done
[ -s "$initramfs/modules/order" ] || cannot "no modules for the root disk in $version"
(cd "$initramfs" && find . | cpio -o -H newc --quiet) | gzip -1 >"$staging/initrd.img"
lap "kernel $version and initramfs ($(wc -l <"$initramfs/modules/order") modules)"

mkdir -p "$root/tsln"
cp "$here/guest/init.sh" "$root/tsln/init"
rm -rf "${root:?}/boot" "$root/var/cache/apt"/*.bin "$root/var/lib/apt/lists"/*_Packages
mkfs.ext4 -q -F -L tsln-i686 -d "$root" "$staging/root.ext4" 6G || cannot "mkfs.ext4 failed"
rm -rf "$root"
lap "root disk"

in="$staging/prepare"
mkdir -p "$in"
cp "$here/guest/prepare.sh" "$in/run.sh"
cp "$here/../../wine/wine-lib.sh" "$in/wine-lib.sh"
if ! tsln_vm_run "$staging" "$in" "$staging/prepared" 900 keep 3>&- || [ ! -e "$staging/prepared/prepared" ]; then
    tail -n 30 "$staging/prepared/console.log" >&2 2>/dev/null
    cannot "the VM did not boot or could not make its Wine prefix"
fi
# Checked and closed cleanly, so that no later boot replays a journal over it.
e2fsck -fy "$staging/root.ext4" >/dev/null 2>&1 || [ $? -eq 1 ] || cannot "the root disk is damaged after its first boot"
lap "booted once: $(cat "$staging/prepared/prepared")"

rm -rf "$staging/prepare" "$staging/prepared" "$staging/initramfs"
for old in "$cache"/*/; do
    [ "${old%/}" = "$staging" ] || remove "${old%/}"
done
mv "$staging" "$image"
trap - EXIT
date +%s >"$image/ready"
echo "i686 VM: image built in $(($(date +%s) - started)) s" >&2
printf '%s\n' "$image" >&3
