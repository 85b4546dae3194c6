#!/bin/bash
# PID 1 of the test VM, instead of an init system: mount what programs expect, unpack the io disk's tar
# (/dev/vdb), run its run.sh with a time cap, write the results back onto the same disk as a tar of out/,
# and power off. The root disk is a snapshot in test runs, so nothing a run does stays.
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8
bb=/bin/busybox
$bb mount -t tmpfs -o mode=1777 tmpfs /tmp
$bb mount -t tmpfs -o mode=755 tmpfs /run
$bb mkdir -p /dev/pts /dev/shm
$bb mount -t devpts devpts /dev/pts
$bb mount -t tmpfs -o mode=1777 tmpfs /dev/shm
# What udev would make: bash's process substitution needs /dev/fd.
$bb ln -sf /proc/self/fd /dev/fd
$bb hostname tsln-i686
$bb ip link set lo up 2>/dev/null

mkdir -p /io/out
if ! tar -xf /dev/vdb -C /io in; then
    echo "guest: no input on the io disk" >/io/out/guest-error
else
    cap=$(cat /io/in/cap 2>/dev/null || echo 600)
    echo "guest: running run.sh (at most $cap s)"
    timeout -k 10 "$cap" bash /io/in/run.sh /io/out </dev/null 2>&1 | tee /io/out/run.log
    echo "${PIPESTATUS[0]}" >/io/out/status
fi
tar -cf /dev/vdb -C /io out
sync
$bb poweroff -f
