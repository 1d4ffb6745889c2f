#!/bin/sh
# `make package`: the Debian package, built as Debian builds: its own build folder with Debian's
# layout for games and Debian's hardening flags, the binary stripped.
# tools/make-package.sh BUILD_FOLDER OUTPUT_FOLDER
set -eu
build=$1
out=$2
# All of Debian's hardening, bind-now among it.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S "$(dirname "$0")/.." -B "$build" -DZARN_DEBIAN_LAYOUT=ON -DZARN_TESTS=OFF \
    -DZARN_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target zarn -j "$(nproc)"
(cd "$build" && cpack -G DEB -B "$PWD/cpack" >/dev/null)
cp "$build"/cpack/zarn_*.deb "$out"/
ls "$out"/zarn_*.deb
