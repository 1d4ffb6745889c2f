#!/bin/sh
# A new Wine prefix for one test run, so that nothing of ~/.wine or of an earlier run counts.
# Its windows stay managed, as they are by default: Wine then leaves the frame to a window
# manager (the tests' X server has none), and the X window is just the game's 512 x 512. An
# unmanaged window would close faster, but Wine draws its frame inside it, as tall as its version
# likes (22 pixels on top in Wine 8, 29 in Wine 10).
# windows/wine-prefix.sh PREFIX
set -eu
export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
# X11 only, as the tests' display is: started without any display, Wine 10 would otherwise try
# Wayland too and say so on the game's standard error.
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null
wineserver -w
echo "Wine prefix ready: $WINEPREFIX"
