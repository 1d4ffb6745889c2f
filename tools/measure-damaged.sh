#!/bin/sh
# Part of `make bench`: the real game started on each damaged file kept in tests/damaged/, on each
# SDL 1.2 implementation, beside a normal start: its exit status, peak memory and time, and what
# it said. Pictures stand in for the enemy, the rest for the font. Run from the repository's root.
set -eu
build=$(realpath "${1:-build}")
. "$build/facts.sh"
game=$build/zarn
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf '%-8s %-46s %6s %9s %7s  %s\n' SDL file status "peak KB" seconds "first line"
tools/sdl-implementations.sh | while read -r sdl library_path; do
    for file in normal tests/damaged/*; do
        rm -rf "$scratch/graphics"
        cp -r graphics "$scratch/graphics"
        case $file in
            normal) ;;
            *.bmp) cp "$file" "$scratch/graphics/$ZARN_ENEMY_FILE" ;;
            *) cp "$file" "$scratch/graphics/$ZARN_FONT_FILE" ;;
        esac
        # A game that starts plays until the time-out: that is the normal start's 3 s.
        status=0
        (cd "$scratch" && SDL_VIDEODRIVER=dummy LD_LIBRARY_PATH=$library_path \
            /usr/bin/time -v -o "$scratch/time" timeout 3 "$game" 2>"$scratch/said") || status=$?
        peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$scratch/time")
        wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$scratch/time")
        said=$(head -n 1 "$scratch/said" | sed "s|$scratch/||")
        printf '%-8s %-46s %6s %9s %7s  %s\n' "$sdl" "$(basename "$file")" "$status" "$peak" \
            "$wall" "$said"
    done
done
