#!/bin/sh
# `make windows`: Zarn Game for 64-bit Windows as BUILD/zarn-windows-<version>.zip, one folder
# with zarn.exe, SDL.dll, graphics\, README.txt and the licences, unpacked in BUILD/windows/.
# The libraries' archives come from ZARN_THIRD_PARTY, else ../shared/third-party; the libraries
# built from them are kept in ZARN_CACHE (the Makefile names it), else in BUILD_FOLDER/cache.
# windows/build.sh BUILD_FOLDER [--for-tests]
# --for-tests (as make test runs it): the in-process tests are built too, and missing archives
# are not a failure: the reason goes to BUILD/windows-skipped.txt, and the Windows tests report
# themselves skipped.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd -P)
build=$(realpath -m "$1")
forTests=OFF
[ "${2:-}" = --for-tests ] && forTests=ON
archives=${ZARN_THIRD_PARTY:-$root/../shared/third-party}
version=$("$root/tools/version.sh" "$build")
skipped=$build/windows-skipped.txt
mkdir -p "$build"
rm -f "$skipped"

status=0
reason=$("$root/windows/build-libraries.sh" --check "$archives" 2>&1) || status=$?
if [ "$status" -ne 0 ]; then
    echo "$reason" >&2
    [ "$status" -eq 3 ] && [ "$forTests" = ON ] && { echo "$reason" >"$skipped"; exit 0; }
    exit "$status"
fi
cached=$("$root/windows/build-libraries.sh" "$archives" "${ZARN_CACHE:-$build/cache}/windows-libs")
# Linked to from the build folder, as if built there: the linker orders zarn.exe's imports by the
# paths of the libraries that it reads them from.
libraries=$build/windows-libs
[ -L "$libraries" ] || rm -rf "$libraries"
ln -sfn "$cached" "$libraries"

jobs=$(nproc 2>/dev/null || echo 2)
# build FOLDER CMAKE_OPTIONS...: one CMake tree of the Windows build.
build() {
    folder=$1
    shift
    cmake -S "$root/windows" -B "$folder" -DCMAKE_TOOLCHAIN_FILE="$root/windows/toolchain.cmake" \
        -DZARN_LIBRARIES="$libraries" "$@" >/dev/null &&
        cmake --build "$folder" -j "$jobs"
}
# The game and its tests side by side: CMake's configure steps keep only one core busy.
build "$build/windows-build" -DCMAKE_BUILD_TYPE=Release &
game=$!
status=0
if [ "$forTests" = ON ]; then
    build "$build/windows-tests" -DZARN_WINDOWS_THREADS=posix -DZARN_WINDOWS_TESTS=ON || status=$?
fi
wait "$game" || status=$?
[ "$status" -eq 0 ] || exit "$status"
# Installed over the last build: an unchanged file is not written again, so that a test playing
# the game from this folder (under make test, the rebuild runs beside it) never finds it gone.
# Files that this build no longer installs go.
cmake --install "$build/windows-build" --prefix "$build/windows/zarn-windows-$version" >/dev/null
sed 's|/\./|/|g' "$build/windows-build/install_manifest.txt" >"$build/windows-installed.txt"
find "$build/windows" -type f | grep -vxF -f "$build/windows-installed.txt" | xargs -r rm -f --
"$root/tools/make-zip.sh" "$build/windows" "$build/zarn-windows-$version.zip"
echo "Windows: $build/zarn-windows-$version.zip"
