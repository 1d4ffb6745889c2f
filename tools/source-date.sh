#!/bin/sh
# Prints the time stamp that every file of a release carries, in seconds since 1970: the
# SOURCE_DATE_EPOCH of the environment when set, else the time of the last commit, else (in a
# source archive, which has no history) the commit time that `git archive` wrote into
# dist/source-date.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd -P)
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "$SOURCE_DATE_EPOCH"
elif [ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
    git -C "$root" log -1 --format=%ct
elif grep -qx '[0-9][0-9]*' "$root/dist/source-date" 2>/dev/null; then
    cat "$root/dist/source-date"
else
    echo "zarn: no date for the release: not a git checkout, and dist/source-date holds no date;" \
        "set SOURCE_DATE_EPOCH" >&2
    exit 1
fi
