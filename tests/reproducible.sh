#!/bin/sh
# What `make TARGET` built in the checkout (a Debian package, the browser zip or the Windows zip),
# built again with SOURCE_DATE_EPOCH unset, is the same bytes; where not, diffoscope says what
# differs. The second build is a copy of the source elsewhere, built from nothing (the Windows
# libraries too) in another environment (working directory, umask, time zone, locale); an ARM
# package against the root the checkout's was built against. Each target is a test of its own,
# side by side.
# tests/reproducible.sh SOURCE_FOLDER SCRATCH_FOLDER TARGET
set -eu
source=$(realpath "$1")
scratch=$2
target=$3
rm -rf "$scratch"
unset SOURCE_DATE_EPOCH
# The build below is make's own, not part of whatever make runs this test.
unset MAKEFLAGS MFLAGS MAKELEVEL
# The copy is elsewhere: it takes the libraries' sources from where this checkout has them.
ZARN_THIRD_PARTY=$(realpath -m "${ZARN_THIRD_PARTY:-$source/../shared/third-party}")
export ZARN_THIRD_PARTY

# A copy as a clone would have it: the tracked files as they are now, and the history.
copy=$scratch/another/place/zarn-copy
mkdir -p "$copy/build" "$copy.cwd"
(cd "$source" && { git ls-files -co --exclude-standard | while read -r f; do
    [ -e "$f" ] && echo "$f"; done; echo .git; } | tar -cf - -T -) | tar -xf - -C "$copy"
case $target in package-*) ;; *) export ZARN_CACHE="$scratch/cache" ;; esac
(cd "$copy.cwd" && umask 077 && TZ=Pacific/Kiritimati LC_ALL=POSIX make -s -C "$copy" "$target" \
    >"$copy.log" 2>&1) || { cat "$copy.log"; exit 1; }

found=false
status=0
for b in "$copy"/build/zarn_*.deb "$copy"/build/zarn-web.zip "$copy"/build/zarn-windows-*.zip; do
    [ -e "$b" ] || continue
    found=true
    a="$source/build/$(basename "$b")"
    if cmp -s "$a" "$b"; then
        echo "same bytes: $(basename "$a")"
    else
        echo "DIFFERENT: $(basename "$a")"
        diffoscope --text - "$a" "$b" || true
        status=1
    fi
done
$found || { echo "make $target built nothing to compare"; exit 1; }
[ "$status" -ne 0 ] || rm -rf "$scratch"
exit "$status"
