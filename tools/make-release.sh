#!/bin/sh
# `make release`, after `make package` and `make web`: what a release publishes, in
# build/release/: the source archive, the Debian package, the browser zip, and SHA256SUMS over
# them. Built again from the same commit, each is the same file byte for byte.
set -eu
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(zarn VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out=build/release
inGit=false
[ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ] && inGit=true
# The package and the zip are built from the working tree, the source archive from the last
# commit: they must be the same.
if $inGit && [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "zarn: a release is made from a clean checkout; commit or stash the changes first" >&2
    exit 1
fi
rm -rf "$out"
mkdir -p "$out"
if $inGit; then
    git archive --format=tar --prefix="zarn-$version/" HEAD | gzip -9n >"$out/zarn-$version.tar.gz"
else
    echo "Not a git checkout: the source archive is the one this tree came from."
fi
cp build/zarn_"$version"_*.deb "$out"/
cp build/zarn-web.zip "$out/zarn-web-$version.zip"
cd "$out"
sha256sum -- zarn* >SHA256SUMS
cat SHA256SUMS
