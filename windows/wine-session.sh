#!/bin/sh
# The Windows tests' Wine, once per test run: a new prefix (nothing of ~/.wine or of an earlier
# run counts), an X server, and one Wine server with its desktop and services kept running on
# that X server until the run ends. Every game of the run then starts in a Wine that is already
# up, and no game's status comes from a server that is shutting down as the game ends.
# windows/wine-session.sh start FOLDER   the prefix in FOLDER/prefix, the display's name in
#                                        FOLDER/display
# windows/wine-session.sh run FOLDER COMMAND...   COMMAND in that Wine, on that display
# windows/wine-session.sh stop FOLDER
# windows/wine-session.sh prefix FOLDER   the prefix alone, nothing left running
# Its windows stay managed, as they are by default: Wine then leaves the frame to a window
# manager (the X server has none), and the X window is just the game's 512 x 512. An unmanaged
# window would close faster, but Wine draws its frame inside it, as tall as its version likes
# (22 pixels on top in Wine 8, 29 in Wine 10).
set -eu
action=$1
folder=$(realpath -m "$2")
shift 2
export WINEPREFIX="$folder/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine names Unix files in the Unix locale's character set: a player's desktop has a UTF-8 one,
# a brand-new machine's root shell may have none, and then no file named outside ASCII opens.
export LC_ALL=C.UTF-8

stop() {
    if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
    if [ -f "$folder/xvfb.pid" ]; then kill "$(cat "$folder/xvfb.pid")" 2>/dev/null || true; fi
    rm -f "$folder/xvfb.pid" "$folder/display"
}

# As Wine's own CI prepares a prefix: made, then every process of the making ended.
makePrefix() {
    stop
    rm -rf "$folder"
    mkdir -p "$WINEPREFIX"
    wineboot -u >/dev/null 2>&1
    # X11 only: without a display Wine 10 would try Wayland too and say so on standard error.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null
    wineserver -w
}

case $action in
prefix)
    makePrefix
    ;;
start)
    makePrefix
    # What stays up for the run writes nowhere, so that CTest does not wait for its output.
    # -noreset: SDL opens the display, closes it and opens it again.
    exec 3>"$folder/display.number"
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -noreset -nolisten tcp </dev/null >/dev/null 2>&1 &
    echo $! >"$folder/xvfb.pid"
    exec 3>&-
    for _ in $(seq 100); do [ -s "$folder/display.number" ] && break; sleep 0.1; done
    [ -s "$folder/display.number" ] || { echo "Xvfb did not start" >&2; exit 1; }
    echo ":$(cat "$folder/display.number")" >"$folder/display"
    export DISPLAY
    DISPLAY=$(cat "$folder/display")
    wineserver -p </dev/null >/dev/null 2>&1
    # The desktop and the services, started now on this display.
    wine cmd /c exit </dev/null >/dev/null 2>&1
    echo "Wine ready for the run: $WINEPREFIX on display $DISPLAY"
    ;;
run)
    DISPLAY=$(cat "$folder/display")
    export DISPLAY ZARN_X_DISPLAY="$DISPLAY"
    exec "$@"
    ;;
stop)
    stop
    ;;
esac
