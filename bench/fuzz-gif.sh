#!/usr/bin/env bash
# Fuzzes the GIF decoder for five minutes (or the seconds given) with libFuzzer, comparing
# what it accepts with Qt's GIF reader. Not part of the tests. Seeds: the built-in book's
# GIF drawings and the GIFs the platform tests make.
# Usage: bench/fuzz-gif.sh [seconds] [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-300}
build=${2:-build}
scratch=$(mktemp -d /tmp/crayvex-gif-fuzz.XXXXXX)
echo "scratch: $scratch"

# The fuzz binary, built apart from the normal build (clang with libFuzzer and ASan).
clang++ -std=c++20 -O1 -g -fPIC -fsanitize=fuzzer,address,undefined \
    -Iplatform $(pkg-config --cflags Qt6Gui) \
    bench/GifFuzz.cpp platform/GifDecoder.cpp platform/PictureFile.cpp \
    $(pkg-config --libs Qt6Gui) -o "$scratch/gif_fuzz"

mkdir -p "$scratch/corpus" "$scratch/seeds"
cp "$build"/bin/books/*/*.gif "$scratch/seeds/" 2>/dev/null || true
if [ -x "$build/tests/test_platform" ]; then
    CRAYVEX_GIF_CORPUS="$scratch/seeds" QT_QPA_PLATFORM=offscreen \
        "$build/tests/test_platform" --gtest_filter='GifDecoder*' >/dev/null
fi
echo "seeds: $(ls "$scratch/seeds" | wc -l)"
# The blocks of a GIF file, so that mutations make files with extensions and pictures.
printf 'h7="GIF87a"\nh9="GIF89a"\ncontrol="\\x21\\xF9\\x04"\nimage="\\x2C"\ntrailer="\\x3B"\napp="\\x21\\xFF\\x0BNETSCAPE2.0"\ncomment="\\x21\\xFE"\n' >"$scratch/gif.dict"

cd "$scratch"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1 QT_QPA_PLATFORM=offscreen \
    "$scratch/gif_fuzz" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=4096 \
    -dict="$scratch/gif.dict" -print_final_stats=1 "$scratch/corpus" "$scratch/seeds" 2>&1 |
    tee "$scratch/fuzz.log" | grep -E "^#|ERROR|SUMMARY|stat::|gif fuzz" | tail -30
status=${PIPESTATUS[0]}
echo "fuzzer exit status: $status"

# The decoder's line and branch coverage over the corpus the run left.
clang++ -std=c++20 -O1 -g -fPIC -fsanitize=fuzzer -fprofile-instr-generate -fcoverage-mapping \
    -I"$root/platform" $(pkg-config --cflags Qt6Gui) \
    "$root/bench/GifFuzz.cpp" "$root/platform/GifDecoder.cpp" "$root/platform/PictureFile.cpp" \
    $(pkg-config --libs Qt6Gui) -o "$scratch/gif_cover"
LLVM_PROFILE_FILE="$scratch/gif.profraw" QT_QPA_PLATFORM=offscreen \
    "$scratch/gif_cover" -runs=0 "$scratch/corpus" "$scratch/seeds" >/dev/null 2>&1 || true
llvm-profdata merge -sparse "$scratch/gif.profraw" -o "$scratch/gif.profdata"
llvm-cov report "$scratch/gif_cover" -instr-profile="$scratch/gif.profdata" \
    "$root/platform/GifDecoder.cpp"
exit "$status"
