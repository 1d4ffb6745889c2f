#!/bin/sh
# `make release`, after `make package`, `make package-arm64`, `make package-armhf`, `make web` and
# `make windows`: what a release publishes, in build/release/: the source archive, the Debian
# packages for amd64, arm64 and armhf, the browser zip, the Windows zip with the source of the SDL
# it carries (the archives and the list of patches applied, as its LGPL asks), and SHA256SUMS over
# them. Built again from the same commit, each is the same file byte for byte.
set -eu
cd "$(dirname "$0")/.."
version=$(tools/version.sh build)
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
cp build/zarn-windows-"$version".zip "$out"/
sdl=$out/zarn-windows-$version-sdl-source
mkdir "$sdl"
archives=${ZARN_THIRD_PARTY:-../shared/third-party}
sed -n 's/^[0-9a-f]*  \(libsdl1\.2_.*\)/\1/p' windows/third-party.sha256 | while read -r archive; do
    cp "$archives/$archive" "$sdl"/
done
cp build/windows-libs/*/sdl-patches.txt "$sdl"/patches-applied.txt
cd "$out"
find zarn* -type f | LC_ALL=C sort | xargs sha256sum -- >SHA256SUMS
cat SHA256SUMS
