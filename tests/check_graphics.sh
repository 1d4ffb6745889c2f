#!/bin/sh
# make_graphics draws the pictures and the icons again: the same bytes as the committed ones.
# tests/check_graphics.sh MAKE_GRAPHICS SOURCE_FOLDER SCRATCH_FOLDER
set -eu
rm -rf "$3"
mkdir -p "$3/icons"
"$1" "$3" "$3/icons"
status=0
for committed in "$2"/graphics/*.bmp "$2"/dist/icons/*; do
    drawn=$3/${committed##*/}
    case $committed in */icons/*) drawn=$3/icons/${committed##*/} ;; esac
    cmp -s "$drawn" "$committed" || { echo "$committed is not what make_graphics draws"; status=1; }
done
exit "$status"
