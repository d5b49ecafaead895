#!/usr/bin/env bash
# tests/packaging/clean-install.sh DEB [ROOT]: installs the package into a minimal Debian system
# made with debootstrap (none of the build dependencies in it) and runs the programs there, as a
# user's fresh machine would. Needs root and the network; not part of make test.
set -euo pipefail
deb=$(realpath "$1")
root=${2:-/var/tmp/brelvan-clean-root}
[ "$(id -u)" -eq 0 ] || { echo "clean-install: run as root (debootstrap and chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || apt-get install -y debootstrap
if [ ! -x "$root/usr/bin/apt-get" ]; then
    debootstrap --variant=minbase "$(. /etc/os-release && echo "$VERSION_CODENAME")" "$root"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/package.deb"
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
trap 'umount "$root/proc" 2>/dev/null || true' EXIT
chroot "$root" /bin/bash -euo pipefail -c '
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq /tmp/package.deb >/dev/null
    for program in brelvan brelvan-cli tipsd; do
        command -v "$program" >/dev/null || continue
        "$program" --version
        "$program" --help >/dev/null
    done
    apt-get remove -y -qq brelvan >/dev/null
    echo "clean-install: installed, ran and removed"
'
