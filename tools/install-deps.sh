#!/bin/sh
# Installs the Debian packages that the named groups of tools/packages.txt list (or packages
# named as such) and that are not installed yet.
set -eu
list="$(dirname "$0")/packages.txt"
wanted=""
for name in "$@"; do
    group=$(sed -n "s/^$name: //p" "$list")
    wanted="$wanted ${group:-$name}"
done
missing=""
for package in $wanted; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *" installed") ;;
        *) missing="$missing $package" ;;
    esac
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
# shellcheck disable=SC2086
$sudo apt-get install -y -q --no-install-recommends $missing
