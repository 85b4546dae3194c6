#!/bin/busybox sh
# shellcheck shell=sh
# The VM's first program: load the drivers of the root disk, mount it and hand over to its init.
# Everything else runs from the root; this only has to reach it.
/bin/busybox --install -s /bin
mkdir -p /proc /sys /dev /root
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
while read -r module; do
    insmod "/modules/$module" || echo "initramfs: $module did not load"
done </modules/order
# The disk appears once the virtio bus has probed it.
for _ in $(seq 1 100); do
    [ -b /dev/vda ] && break
    sleep 0.1
done
if ! mount -t ext4 -o rw /dev/vda /root; then
    echo "initramfs: cannot mount /dev/vda"
    poweroff -f
fi
for fs in /dev /proc /sys; do mount --move "$fs" "/root$fs"; done
exec switch_root /root /tsln/init
