#!/bin/sh
# The Windows game under Wine beside the native game, on one X server (run in Xvfb): how long
# from start to the window and to the first picture, and the frame pace, read from the screen.
# Left alone, the only thing that changes in the picture is the Life line, once every 30
# frames, so the time between two changes is 30 frames' time. Then, with nothing reading the
# screen, the CPU time that the game's processes and the X server take in 5 s, over the frames
# shown meanwhile, is the CPU of a shown frame at 1x.
# windows/bench.sh BUILD_FOLDER
set -eu
build=$(realpath "$1")
. "$build/facts.sh"
root=$(cd "$(dirname "$0")/.." && pwd -P)
version=$("$root/tools/version.sh" "$build")
exe=$build/windows/zarn-windows-$version/zarn.exe
if [ ! -f "$exe" ]; then
    echo "no Windows game in $build/windows: make windows builds it"
    exit 0
fi
# xwd and xwininfo read the screen: without them the wait for a picture would never end.
for tool in xwd xwininfo xdotool; do
    command -v "$tool" >/dev/null ||
        { echo "windows/bench.sh: $tool is missing; make bench installs it"; exit 1; }
done
export WINEPREFIX="$build/wine-bench/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || "$root/windows/wine-session.sh" prefix "$build/wine-bench"
now() { date +%s%N; }
# Gives up, saying what it waited for, once `seconds` from `since` (now's time) have passed.
within() { # seconds, since, what
    [ $(($(now) - $2)) -le $(($1 * 1000000000)) ] ||
        { echo "windows/bench.sh: no $3 within $1 s" >&2; exit 1; }
}
picture() { xwd -silent -id "$1" | md5sum; }
# Whether the game has drawn: the window's bottom 100 rows are no longer black.
drawn() {
    bytes=$(($(xwininfo -id "$1" | sed -n 's/.*Width: //p') * 4 * 100))
    [ "$(xwd -silent -id "$1" | tail -c "$bytes" | tr -d '\000' | wc -c)" -gt $((bytes / 8)) ]
}

# The CPU time, in clock ticks, of the processes named in $1 (the game's) and of the X server.
cpu() {
    for pid in $(pgrep -x "$1") $(pgrep -f "^Xvfb $DISPLAY( |\$)"); do
        cut -d ' ' -f 14,15 "/proc/$pid/stat"
    done | awk '{ ticks += $1 + $2 } END { print ticks + 0 }'
}

measure() { # label, the game's process names (a pattern), command...
    label=$1
    name=$2
    shift 2
    start=$(now)
    (cd "$root" && exec "$@") &
    window=""
    while [ -z "$window" ]; do
        within 60 "$start" window
        window=$(xdotool search --name "$ZARN_WINDOW_TITLE" 2>/dev/null | head -n 1) ||
            sleep 0.005
    done
    shown=$(now)
    until drawn "$window"; do within 30 "$shown" "first frame"; done
    drawn=$(now)
    # Five Life steps, from the first change on.
    last=$(picture "$window")
    changes=0
    while [ "$changes" -lt 6 ]; do
        within 60 "$drawn" "five Life steps"
        current=$(picture "$window")
        if [ "$current" != "$last" ]; then
            [ "$changes" -eq 0 ] && first=$(now)
            changes=$((changes + 1))
            last=$current
        fi
        sleep 0.005
    done
    steps=$(now)
    ticks=$(cpu "$name")
    sleep 5
    ticks=$(($(cpu "$name") - ticks))
    xdotool windowfocus --sync "$window" key Escape
    wait
    awk -v l="$label" -v s="$start" -v w="$shown" -v d="$drawn" -v f="$first" -v e="$steps" \
        -v t="$ticks" -v hz="$(getconf CLK_TCK)" 'BEGIN {
        printf "%-22s window %4.0f ms, first picture %4.0f ms after start; %.2f frames a second;" \
            " %.2f ms of CPU a frame\n", l, (w - s) / 1e6, (d - s) / 1e6, 5 * 30 / ((e - f) / 1e9),
            t * 1000 / hz / (5 * 5 * 30 / ((e - f) / 1e9)) }'
}

measure "native (build/zarn)" zarn "$build/zarn"
measure "Windows, under Wine" "zarn.exe|wineserver" wine "$exe"
wineserver -k # before the X server goes
