#!/bin/sh
# `make package`: the Debian package, built as Debian builds: its own build folder with Debian's
# layout for games and Debian's hardening flags, the binary stripped. Built again from the same
# commit, in any folder, at any time, it is the same file byte for byte. With ARCH (arm64,
# armhf), the package for that architecture, cross-compiled against the root that cross/root.sh
# makes in ZARN_CACHE (the Makefile names it), else in CROSS_FOLDER; CROSS_FOLDER/root leads to it.
# tools/make-package.sh BUILD_FOLDER OUTPUT_FOLDER [ARCH CROSS_FOLDER]
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
cross=""
cpackCross=""
if [ -n "${3:-}" ]; then
    made=$(realpath -m "${ZARN_CACHE:-$4}/cross-$3")
    "$root/cross/root.sh" "$3" "$made"
    mkdir -p "$4"
    [ -L "$4/root" ] || rm -rf "$4/root"
    ln -sfn "$made/root" "$4/root"
    # A folder that an older checkout configured with another toolchain file starts afresh.
    grep -qsF "$root/cross/toolchain.cmake" "$build"/CMakeFiles/*/CMakeSystem.cmake ||
        rm -rf "${build:?}"/*
    sysroot=$(cd "$made/root" && pwd -P)
    triplet=$(dpkg-architecture -a "$3" -q DEB_HOST_MULTIARCH 2>/dev/null)
    # The flags and the libraries' packages are ARCH's; the root's place leaves no trace.
    export DEB_HOST_ARCH="$3"
    prefixMap="$prefixMap -ffile-prefix-map=$sysroot="
    cross="-DCMAKE_TOOLCHAIN_FILE=$root/cross/toolchain.cmake -DZARN_CROSS_ROOT=$sysroot
        -DZARN_CROSS_TRIPLET=$triplet"
    libs="$sysroot/usr/lib/$triplet;$sysroot/lib/$triplet"
    cpackCross="-D CPACK_DEBIAN_PACKAGE_ARCHITECTURE=$3
        -D CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS=$libs"
fi
# shellcheck disable=SC2086 # $cross is a list of options
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS) $prefixMap" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S "$root" -B "$build" -DZARN_DEBIAN_LAYOUT=ON -DZARN_TESTS=OFF \
    -DZARN_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo $cross >/dev/null
cmake --build "$build" --target zarn -j "$(nproc)"
rm -rf "$build/cpack"
# shellcheck disable=SC2086 # $cpackCross is a list of options
(cd "$build" && cpack -G DEB -B "$build/cpack" $cpackCross >/dev/null)
cp "$build"/cpack/zarn_*.deb "$out"/
ls "$out"/zarn_*.deb
