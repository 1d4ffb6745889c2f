#!/bin/sh
# A new Wine prefix for one test run, so that nothing of ~/.wine or of an earlier run counts.
# Windows are unmanaged, as in a bare X server without a window manager: a managed window's
# close takes Wine two seconds.
# windows/wine-prefix.sh PREFIX
set -eu
export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
wineserver -w
echo "Wine prefix ready: $WINEPREFIX"
