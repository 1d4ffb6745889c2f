#!/bin/sh
# The root that a cross-build for ARCH (arm64, armhf) compiles against and the tests play in:
# Debian's packages for ARCH that tools/packages.txt lists as cross-root, with everything they
# depend on, unpacked into FOLDER/root. apt works on a private state in FOLDER/apt, so this
# system's dpkg gains no architecture and no package. FOLDER/root/DEBIAN holds the libraries'
# symbols and shlibs files: to dpkg-shlibdeps the root is a package tree, and the package's Depends
# come from them. Made again when the list or apt's package lists change (a new release, a new
# version of any package); offline, the last lists read decide.
# cross/root.sh ARCH FOLDER
set -eu
arch=$1
src=$(cd "$(dirname "$0")/.." && pwd -P)
mkdir -p "$2/apt/lists/partial" "$2/apt/archives/partial"
dir=$(cd "$2" && pwd -P)
root=$dir/root
# Checkouts may share the folder: while one makes the root, the others wait for it.
exec 9>"$dir/lock"
flock 9
[ -f "$dir/apt/status" ] || : >"$dir/apt/status"
# This system's sources and keys, read for ARCH alone, into the private state.
cat >"$dir/apt/apt.conf" <<CONF
APT::Architecture "$arch";
APT::Architectures { "$arch"; };
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
packages=$("$src/tools/install-deps.sh" --list cross-root)
apt-get update -qq || [ -f "$root/.made" ]
# What the root is made of: the packages asked for, from the package lists that apt last read,
# which change with the release and with any package's new version.
made="$packages $(cat "$dir"/apt/lists/*_Packages* | sha256sum | cut -d' ' -f1)"
if [ "$(cat "$root/.made" 2>/dev/null)" = "$made" ]; then
    exit 0
fi

echo "Making the $arch root in $root"
rm -rf "$root" "$dir/apt/archives"/*.deb
mkdir -p "$root/DEBIAN"
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
rm -rf "$control" "$dir/apt/archives"/*.deb
# Where the packages keep /usr merged only by the system's links (Debian 13), the root has them.
for link in bin lib sbin; do
    [ -e "$root/$link" ] || ln -s "usr/$link" "$root/$link"
done
echo "$made" >"$root/.made"
