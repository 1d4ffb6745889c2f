#!/bin/sh
# `make package`: the Debian package, built as Debian builds: its own build folder with Debian's
# layout for games and Debian's hardening flags, the binary stripped. Built again from the same
# commit, in any folder, at any time, it is the same file byte for byte.
# tools/make-package.sh BUILD_FOLDER OUTPUT_FOLDER
set -eu
# The package's folders are open to all, whatever the umask of whoever builds it.
umask 022
root=$(cd "$(dirname "$0")/.." && pwd -P)
mkdir -p "$1" "$2"
build=$(cd "$1" && pwd -P)
out=$2
SOURCE_DATE_EPOCH=$("$root/tools/source-date.sh")
export SOURCE_DATE_EPOCH
# All of Debian's hardening, bind-now among it.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Where the source and the build folder lie leaves no trace in the program (its build id covers
# the debug information that names them).
prefixMap="-ffile-prefix-map=$root=. -ffile-prefix-map=$build=."
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS) $prefixMap" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S "$root" -B "$build" -DZARN_DEBIAN_LAYOUT=ON -DZARN_TESTS=OFF \
    -DZARN_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target zarn -j "$(nproc)"
rm -rf "$build/cpack"
(cd "$build" && cpack -G DEB -B "$build/cpack" >/dev/null)
cp "$build"/cpack/zarn_*.deb "$out"/
ls "$out"/zarn_*.deb
