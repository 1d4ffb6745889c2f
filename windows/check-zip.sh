#!/bin/sh
# The Windows zip holds exactly the game's folder; its program is a GUI program with the
# game's icon and version; and every DLL that the program and the DLLs in it import is either in
# the zip or one that every Windows has.
# windows/check-zip.sh ZIP VERSION GRAPHICS_FILE...
set -eu
here=$(cd "$(dirname "$0")" && pwd -P)
zip=$1
version=$2
folder=zarn-windows-$version
shift 2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0

# The Windows folder's own files, and the game's files in graphics/.
{ cat "$here/zip-contents.txt"; printf 'graphics/%s\n' "$@"; } | sed "s|^|$folder/|" |
    LC_ALL=C sort >"$scratch/expected"
unzip -Z1 "$zip" | LC_ALL=C sort >"$scratch/found"
if diff -u "$scratch/expected" "$scratch/found"; then
    echo "the zip holds the $(wc -l <"$scratch/found") files of $folder/"
else
    echo "FAIL: the zip's files are not the expected ones (- expected, + found)"
    status=1
fi

unzip -q "$zip" -d "$scratch/unzipped"
cd "$scratch/unzipped/$folder"
if x86_64-w64-mingw32-objdump -p zarn.exe | grep -q '^Subsystem.*(Windows GUI)' &&
    wrestool -l --type=14 zarn.exe | grep -q group_icon &&
    wrestool -x --raw --type=16 zarn.exe | strings -el | grep -qx "$version"; then
    echo "zarn.exe: a GUI program with an icon, version $version"
else
    echo "FAIL: zarn.exe is not a GUI program with the game's icon and version $version"
    status=1
fi

# Part of Windows itself since XP, and of every Wine.
system="kernel32.dll user32.dll gdi32.dll advapi32.dll winmm.dll msvcrt.dll"
shipped=$(printf '%s\n' * | tr '[:upper:]' '[:lower:]')
for binary in *.exe *.dll; do
    imports=$(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p')
    for import in $imports; do
        lower=$(echo "$import" | tr '[:upper:]' '[:lower:]')
        if echo "$system $shipped" | tr ' ' '\n' | grep -qx "$lower"; then
            echo "$binary imports $import: found"
        else
            echo "FAIL: $binary imports $import, which is neither in the zip nor part of Windows"
            status=1
        fi
    done
done
exit "$status"
