#!/bin/sh
# Runs a test of the Windows game, or, where the build had no library sources to build it from,
# says why it is skipped (CTest's skip status, 77).
# windows/run-if-built.sh BUILD_FOLDER COMMAND...
set -eu
skipped=$1/windows-skipped.txt
shift
if [ -f "$skipped" ]; then
    echo "skipped: the Windows game was not built: $(cat "$skipped")"
    exit 77
fi
exec "$@"
