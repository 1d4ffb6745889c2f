#!/bin/sh
# Peak memory of the real game (/usr/bin/time -v) under Xvfb, on both SDL 1.2 implementations:
# a normal start played for three seconds, and a start that refuses a damaged picture.
# tools/measure-memory.sh [BUILD_FOLDER]
set -eu
build=$(realpath "${1:-build}")
cd "$(dirname "$0")/.."
. "$build/facts.sh"
compat=$(tools/sdl-implementations.sh | sed -n 's/^compat //p')
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r graphics "$scratch/"
# A picture whose header claims 60000 x 60000 pixels.
printf '\140\352\000\000\140\352\000\000' |
    dd of="$scratch/graphics/$ZARN_ENEMY_FILE" bs=1 seek=18 conv=notrunc 2>/dev/null
game="$build/zarn"

peak() { # label, directory, library path; prints the peak resident set and the start-up time
    label=$1 dir=$2 libs=$3
    report="$scratch/time.txt"
    start=$(date +%s%N)
    (cd "$dir" && LD_LIBRARY_PATH=$libs /usr/bin/time -v -o "$report" "$game" 2>/dev/null) &
    if [ "$dir" = "$PWD" ]; then
        window=""
        deadline=$(($(date +%s) + 30))
        while [ -z "$window" ]; do
            [ "$(date +%s)" -le "$deadline" ] || { echo "$0: no window in 30 s" >&2; exit 1; }
            window=$(xdotool search --name "$ZARN_WINDOW_TITLE" 2>/dev/null | head -n 1) ||
                sleep 0.01
        done
        shown=$(date +%s%N)
        sleep 3
        xdotool windowfocus "$window" key Escape
    fi
    wait || true
    kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$report")
    if [ -n "${shown:-}" ]; then
        printf '%-40s peak %6d kB, window shown %d ms after start\n' "$label" "$kb" \
            $(((shown - start) / 1000000))
    else
        printf '%-40s peak %6d kB\n' "$label" "$kb"
    fi
    unset shown
}

peak "classic, normal start" "$PWD" ""
peak "classic, 60000 x 60000 $ZARN_ENEMY_FILE" "$scratch" ""
peak "compat, normal start" "$PWD" "$compat"
peak "compat, 60000 x 60000 $ZARN_ENEMY_FILE" "$scratch" "$compat"
