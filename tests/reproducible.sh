#!/bin/sh
# The Debian packages (amd64, arm64, armhf), the browser zip and the Windows zip, built twice with
# SOURCE_DATE_EPOCH unset, are the same bytes; where not, diffoscope says what differs. One build
# is the checkout's own, as `make test` made it; the other a copy of the source elsewhere, built
# from nothing (the Windows libraries too) in another environment (working directory, umask, time
# zone, locale), with the checkout's ARM roots linked in. Without the Windows libraries' sources,
# the Windows zip is left out, and the test says so.
# tests/reproducible.sh SOURCE_FOLDER SCRATCH_FOLDER
set -eu
source=$(realpath "$1")
scratch=$2
rm -rf "$scratch"
unset SOURCE_DATE_EPOCH
# The builds below are make's own, not part of whatever make runs this test.
unset MAKEFLAGS MFLAGS MAKELEVEL
# The copies are elsewhere: they take the libraries' sources from where this checkout has them.
ZARN_THIRD_PARTY=$(realpath -m "${ZARN_THIRD_PARTY:-$source/../shared/third-party}")
export ZARN_THIRD_PARTY
crossArches="arm64 armhf"
targets="package package-arm64 package-armhf web windows"
artefacts="zarn_*.deb zarn-web.zip zarn-windows-*.zip"
if [ ! -d "$ZARN_THIRD_PARTY" ]; then
    echo "the Windows zip is left out: no library sources in $ZARN_THIRD_PARTY"
    targets="package package-arm64 package-armhf web"
    artefacts="zarn_*.deb zarn-web.zip"
fi

# A copy as a clone would have it: the tracked files as they are now, and the history.
copy() {
    mkdir -p "$1"
    (cd "$source" && { git ls-files -co --exclude-standard | while read -r f; do
        [ -e "$f" ] && echo "$f"; done; echo .git; } | tar -cf - -T -) | tar -xf - -C "$1"
}
# build FOLDER UMASK TZ LC_ALL: the artefacts, side by side, from a working directory of their own.
build() {
    copy "$1"
    mkdir -p "$1/build"
    for arch in $crossArches; do
        cp -al "$source/build/$arch" "$1/build/$arch"
    done
    mkdir -p "$1.cwd"
    # shellcheck disable=SC2086 # $targets is a list of make targets
    (cd "$1.cwd" && umask "$2" && TZ=$3 LC_ALL=$4 make -s -j 4 -C "$1" $targets >"$1.log" 2>&1) ||
        { cat "$1.log"; exit 1; }
}
build "$scratch/another/place/zarn-copy" 077 Pacific/Kiritimati POSIX

status=0
for artefact in $artefacts; do
    for b in "$scratch"/another/place/zarn-copy/build/$artefact; do
        a="$source/build/$(basename "$b")"
        if cmp -s "$a" "$b"; then
            echo "same bytes: $(basename "$a")"
        else
            echo "DIFFERENT: $(basename "$a")"
            diffoscope --text - "$a" "$b" || true
            status=1
        fi
    done
done
[ "$status" -ne 0 ] || rm -rf "$scratch"
exit "$status"
