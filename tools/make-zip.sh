#!/bin/sh
# Zips a folder's contents (the browser version for any static web host, the Windows game's
# folder), the same bytes whoever zips the same files, wherever and whenever: names sorted,
# every file with the release's time stamp (in UTC, as zip keeps local times) and the same
# mode, and no extra fields.
# tools/make-zip.sh FOLDER ZIP_FILE
set -eu
root=$(cd "$(dirname "$0")/.." && pwd -P)
folder=$1
zip=$(realpath -m "$2")
stamp=$("$root/tools/source-date.sh")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -R "$folder"/. "$stage"/
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
find "$stage" -exec touch -h -d "@$stamp" {} +
rm -f "$zip"
cd "$stage"
find . -type f | sed 's|^\./||' | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$zip"
