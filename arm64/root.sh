#!/bin/sh
# The arm64 root that the arm64 build compiles against and the tests play in: Debian's arm64
# packages that tools/packages.txt lists as arm64-root, with everything they depend on, unpacked
# into FOLDER/root. apt works on a private state in FOLDER/apt, so this system's dpkg gains no
# architecture and no package. FOLDER/root/DEBIAN holds the libraries' symbols and shlibs files:
# to dpkg-shlibdeps the root is a package tree, and the package's Depends come from them.
# Made again only when the list or the Debian release changes.
# arm64/root.sh FOLDER
set -eu
src=$(cd "$(dirname "$0")/.." && pwd -P)
mkdir -p "$1"
dir=$(cd "$1" && pwd -P)
root=$dir/root
packages=$("$src/tools/install-deps.sh" --list arm64-root)
release=$(. /etc/os-release && echo "$VERSION_CODENAME")
made="$release: $packages"
if [ "$(cat "$root/.made" 2>/dev/null)" = "$made" ]; then
    exit 0
fi

echo "Making the arm64 root in $root"
rm -rf "$dir/apt" "$root"
mkdir -p "$dir/apt/lists/partial" "$dir/apt/archives/partial" "$root/DEBIAN"
: >"$dir/apt/status"
# This system's sources and keys, read for arm64 alone, into the private state.
cat >"$dir/apt/apt.conf" <<CONF
APT::Architecture "arm64";
APT::Architectures { "arm64"; };
APT::Install-Recommends "false";
Dir::State "$dir/apt";
Dir::State::status "$dir/apt/status";
Dir::Cache "$dir/apt";
Dir::Cache::archives "$dir/apt/archives";
Dir::Etc::Preferences "/dev/null";
Dir::Etc::PreferencesParts "/dev/null";
CONF
# Where apt's download user cannot reach the folder (under /root), root downloads, as apt would,
# but without saying so for every package.
[ "$(id -u)" -ne 0 ] || echo 'APT::Sandbox::User "root";' >>"$dir/apt/apt.conf"
export APT_CONFIG="$dir/apt/apt.conf"
apt-get update -qq
# shellcheck disable=SC2086 # a list of packages
apt-get install -y -qq --download-only $packages >/dev/null
control=$dir/apt/control
for deb in "$dir"/apt/archives/*.deb; do
    dpkg-deb -x "$deb" "$root"
    rm -rf "$control"
    dpkg-deb -e "$deb" "$control"
    for file in symbols shlibs; do
        [ -f "$control/$file" ] && cat "$control/$file" >>"$root/DEBIAN/$file"
    done
done
rm -rf "$control" "$dir/apt/archives"
# Where the packages keep /usr merged only by the system's links (Debian 13), the root has them.
for link in bin lib sbin; do
    [ -e "$root/$link" ] || ln -s "usr/$link" "$root/$link"
done
echo "$made" >"$root/.made"
