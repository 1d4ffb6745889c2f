#!/bin/sh
# Prints the SDL 1.2 implementations this machine has, each with the LD_LIBRARY_PATH that selects
# it: "classic " and "compat /usr/lib/<triplet>/sdl12-compat" where both are installed, or only
# "compat " where the SDL2-based one is the only SDL 1.2 (Debian 13).
compat=/usr/lib/$(gcc -dumpmachine)/sdl12-compat
if [ "$(readlink -f "$compat/libSDL-1.2.so.0")" = \
    "$(readlink -f "$compat/../libSDL-1.2.so.0")" ]; then
    echo "compat "
else
    echo "classic "
    echo "compat $compat"
fi
