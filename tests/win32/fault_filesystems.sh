#!/usr/bin/env bash
# fault_filesystems.sh mount|unmount DIR
# Two tiny file systems for the ca.dat fault tests, each holding an old
# ca.dat: DIR/full, a tmpfs without a free block, and DIR/readonly, a tmpfs
# mounted read-only. Mounting needs root; where it is refused, nothing is
# made and the tests that need them skip, saying so.
set -u
action=$1
dir=$2

case $action in
  mount)
    "$0" unmount "$dir"
    mkdir -p "$dir/full" "$dir/readonly"
    if ! mount -t tmpfs -o size=16k,mode=0777 orvel-full "$dir/full" 2>/dev/null; then
      echo "fault file systems: cannot mount here; the tests that need them skip"
      exit 0
    fi
    printf 'kept.site\r\n' >"$dir/full/ca.dat"
    dd if=/dev/zero of="$dir/full/filler" bs=4096 2>/dev/null  # stops when the disk is full
    mount -t tmpfs -o size=16k,mode=0777 orvel-readonly "$dir/readonly"
    printf 'kept.site\r\n' >"$dir/readonly/ca.dat"
    mount -o remount,ro "$dir/readonly"
    ;;
  unmount)
    for fs in full readonly; do
      mountpoint -q "$dir/$fs" 2>/dev/null && umount "$dir/$fs"
    done
    rm -rf "$dir"
    ;;
esac
exit 0
