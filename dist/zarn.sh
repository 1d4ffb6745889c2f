#!/bin/sh
# Starts the installed Zarn Game. The game reads graphics/ from its working directory, so it
# runs from the data directory of the prefix this launcher was installed into.
here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
cd "$prefix/share/zarn" || exit 1
exec "$prefix/lib/zarn/zarn" "$@"
