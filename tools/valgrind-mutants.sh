#!/bin/sh
# After `make fuzz`: the real game under valgrind on COUNT (default 2000) files made from the
# fuzzers' corpora by overwriting a few random bytes, pictures as the enemy and the rest as the
# font, on the SDL 1.2 the game is built against (LD_LIBRARY_PATH chooses another). Prints what
# each did: refused (1), played until the time-out (124), or anything else, and any memory error.
# Run from the repository's root: [JOBS=N] tools/valgrind-mutants.sh [COUNT]
set -eu
. build/facts.sh
if [ "${1:-}" = --one ]; then # one file, in a copy of graphics/ of its own
    file=$2
    case $file in *.bmp) target=$ZARN_ENEMY_FILE ;; *) target=$ZARN_FONT_FILE ;; esac
    dir=$(mktemp -d)
    cp -r graphics "$dir/graphics"
    cp "$file" "$dir/graphics/$target"
    status=0
    (cd "$dir" && SDL_VIDEODRIVER=dummy timeout 5 valgrind -q "$OLDPWD/build/zarn" \
        >/dev/null 2>"$dir/log") || status=$?
    if grep -qE '^==[0-9]+== (Invalid|Conditional|Use of uninit|Syscall param|Mismatched)' \
        "$dir/log"; then
        echo "memory-error $file"
        head -n 30 "$dir/log"
    fi
    echo "status-$status $file"
    rm -rf "$dir"
    exit 0
fi
count=${1:-2000}
mutants=build/fuzz/mutants
rm -rf "$mutants"
mkdir -p "$mutants"
corpus=$(ls -d build/fuzz/corpus/picture/* build/fuzz/corpus/font/*)
i=0
while [ "$i" -lt "$count" ]; do
    source=$(printf '%s\n' "$corpus" | shuf -n 1)
    case $source in */picture/*) name=$i.bmp ;; *) name=$i.ttf ;; esac
    cp "$source" "$mutants/$name"
    size=$(stat -c %s "$source")
    if [ "$size" -gt 0 ]; then
        for position in $(shuf -i 0-$((size - 1)) -n "$(shuf -i 1-8 -n 1)" -r); do
            printf '%b' "\\0$(printf %o "$(shuf -i 0-255 -n 1)")" |
                dd of="$mutants/$name" bs=1 seek="$position" conv=notrunc status=none
        done
    fi
    i=$((i + 1))
done
results=build/fuzz/mutants.results
find "$mutants" -type f -print0 | xargs -0 -P "${JOBS:-$(nproc)}" -n 1 "$0" --one >"$results"
grep -A30 '^memory-error' "$results" || true
echo "valgrind over $count mutated files: $(grep -c '^status-1 ' "$results") refused," \
    "$(grep -c '^status-124 ' "$results") played until the time-out," \
    "$(grep -c '^memory-error' "$results") with memory errors," \
    "$(grep -vcE '^status-(1|124) |^memory-error|^==|^ ' "$results") other exits"
