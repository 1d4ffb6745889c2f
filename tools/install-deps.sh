#!/bin/sh
# Installs the Debian packages that the named groups of tools/packages.txt list and that are not
# installed yet. With --list, prints a group's packages instead (the arm64 root takes its list so).
# tools/install-deps.sh GROUP...  |  tools/install-deps.sh --list GROUP
set -eu
list="$(dirname "$0")/packages.txt"
only_list=false
if [ "${1:-}" = --list ]; then
    only_list=true
    shift
fi
wanted=""
for name in "$@"; do
    group=$(sed -n "s/^$name: //p" "$list")
    if [ -z "$group" ]; then
        echo "zarn: no group '$name' in tools/packages.txt" >&2
        exit 2
    fi
    wanted="$wanted $group"
done
if $only_list; then
    # shellcheck disable=SC2086 # one line of words
    echo $wanted
    exit 0
fi
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
