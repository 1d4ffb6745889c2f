#!/bin/sh
# Prints the game's version, as the project's CMakeLists.txt declares it, for the scripts.
# tools/version.sh BUILD_FOLDER
set -eu
root=$(cd "$(dirname "$0")/.." && pwd -P)
cmake -S "$root" -B "$1/zarn-version" -DZARN_VERSION_ONLY=ON >/dev/null
cat "$1/zarn-version/version.txt"
