#!/bin/sh
# `make fuzz`: the damaged files kept in tests/damaged/ once through each fuzzer, then each fuzzer
# for FUZZ_SECONDS (default 180) on each SDL 1.2 implementation the machine has.
# tools/fuzz.sh FUZZ_BUILD_FOLDER, from the repository's root.
set -eu
fuzz=$1
. "$fuzz/facts.sh"
seconds=${FUZZ_SECONDS:-180}
"$fuzz/fuzz/make_seeds" "$fuzz/seeds/picture" "$fuzz/seeds/font" "graphics/$ZARN_FONT_FILE"
mkdir -p "$fuzz/crashes"
# A picture of more than a few hundred MB from a file of a few KB is a finding, as a crash is.
options="-rss_limit_mb=1024 -malloc_limit_mb=400 -print_final_stats=1"
options="$options -artifact_prefix=$fuzz/crashes/"
tools/sdl-implementations.sh | while read -r sdl library_path; do
    for target in picture font; do
        case $target in
            picture) kept=$(find tests/damaged -name '*.bmp'); max=4096 ;;
            font) kept=$(find tests/damaged ! -name '*.bmp' -type f); max=800000 ;;
        esac
        echo "== $target fuzzer on $sdl SDL: the kept damaged files, then $seconds s"
        # shellcheck disable=SC2086
        LD_LIBRARY_PATH=$library_path "$fuzz/fuzz/${target}_fuzzer" $options $kept \
            >"$fuzz/kept.log" 2>&1 || { cat "$fuzz/kept.log"; exit 1; }
        mkdir -p "$fuzz/corpus/$target"
        # shellcheck disable=SC2086
        LD_LIBRARY_PATH=$library_path "$fuzz/fuzz/${target}_fuzzer" $options -max_len=$max \
            -max_total_time="$seconds" "$fuzz/corpus/$target" "$fuzz/seeds/$target" 2>&1 |
            grep -E '^(#[0-9]+ +DONE|stat::|==[0-9]+==ERROR|SUMMARY|Done)' || true
    done
done
# Which lines of the game's loading code the corpora reach.
coverage=$fuzz-coverage
CXX=clang++ cmake -S . -B "$coverage" -DZARN_FUZZ=ON -DZARN_FUZZ_COVERAGE=ON >/dev/null
cmake --build "$coverage" -j "$(nproc)" >/dev/null
for target in picture font; do
    LLVM_PROFILE_FILE="$coverage/$target.profraw" "$coverage/fuzz/${target}_fuzzer" -runs=0 \
        "$fuzz/corpus/$target" >/dev/null 2>&1
done
llvm-profdata merge -o "$coverage/all.profdata" "$coverage"/*.profraw
llvm-cov report "$coverage/fuzz/picture_fuzzer" -object "$coverage/fuzz/font_fuzzer" \
    -instr-profile="$coverage/all.profdata" src/media/image.cpp src/media/font.cpp

if [ -n "$(ls -A "$fuzz/crashes")" ]; then
    echo "Found: $(ls "$fuzz/crashes"). Keep each in tests/damaged/ (pictures as .bmp)."
    exit 1
fi
echo "No crash, leak or excessive allocation found."
