#!/usr/bin/env bash
# Fuzzes one reader of outside input with libFuzzer, under AddressSanitizer and
# UndefinedBehaviorSanitizer, for five minutes (or the seconds given), then reports the
# reader's line and branch coverage over the corpus the run left. Not part of the tests.
#   gif        the GIF reader, against Qt's GIF reader
#   picture    picture files (BMP through Qt, JPEG through libjpeg, GIF through giflib)
#   thumbnail  the thumbnail cache: thumbnails made and stored, stored ones read back
#   settings   Settings.ini
# The fuzz builds are build-fuzz/ (sanitizers) and build-fuzz-coverage/, made with clang.
# Seeds come from the Release build (the built-in book, the GIFs the platform tests make).
# Usage: bench/fuzz.sh READER [seconds] [Release build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
reader=${1:?usage: bench/fuzz.sh gif|picture|thumbnail|settings [seconds] [build folder]}
seconds=${2:-300}
build=$top/${3:-build}
case $reader in
gif) measured=(platform/GifReader.cpp) ;;
picture) measured=(platform/PictureFile.cpp platform/BitmapFile.cpp platform/GifReader.cpp
    platform/JpegReader.cpp) ;;
thumbnail) measured=(library/Thumbnail.cpp platform/PictureFile.cpp) ;;
settings) measured=(parental/SettingsFile.cpp) ;;
*)
    echo "no such reader: $reader" >&2
    exit 2
    ;;
esac

# One build at a time, when several readers are fuzzed side by side.
mkdir -p build-fuzz
exec 9>build-fuzz/.lock
flock 9
for variant in fuzz fuzz-coverage; do
    options=(-DCRAYVEX_FUZZ=ON)
    [ "$variant" = fuzz-coverage ] && options+=(-DCRAYVEX_FUZZ_COVERAGE=ON)
    CC=clang CXX=clang++ cmake -S . -B "build-$variant" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "${options[@]}" >/dev/null
    cmake --build "build-$variant" --target "fuzz_$reader" >/dev/null
done
flock -u 9

scratch=$(mktemp -d "/tmp/crayvex-$reader-fuzz.XXXXXX")
echo "scratch: $scratch"
mkdir -p "$scratch/corpus" "$scratch/seeds"
dict=()
case $reader in
gif | picture | thumbnail)
    cp "$build"/bin/books/*/*.gif "$scratch/seeds/" 2>/dev/null || true
    if [ -x "$build/tests/test_platform" ]; then
        CRAYVEX_GIF_CORPUS="$scratch/seeds" QT_QPA_PLATFORM=offscreen \
            "$build/tests/test_platform" --gtest_filter='GifReader*' >/dev/null
    fi
    # The blocks of a GIF file, so that mutations make files with extensions and pictures.
    printf 'h7="GIF87a"\nh9="GIF89a"\ncontrol="\\x21\\xF9\\x04"\nimage="\\x2C"\ntrailer="\\x3B"\napp="\\x21\\xFF\\x0BNETSCAPE2.0"\ncomment="\\x21\\xFE"\n' >"$scratch/fuzz.dict"
    ;;&
picture | thumbnail)
    cp "$build"/bin/books/*/*.bmp "$scratch/seeds/" 2>/dev/null || true
    # Small pictures of every kind the loader meets: JPEG, and BMP of each depth.
    seed=$scratch/seeds/small
    convert -size 23x17 gradient:red-blue "$seed.jpg"
    convert -size 23x17 gradient:red-blue -interlace JPEG "$seed-progressive.jpg"
    convert -size 23x17 gradient:red-blue -colorspace Gray "$seed-grey.jpg"
    convert -size 23x17 gradient:red-blue -colorspace CMYK "$seed-cmyk.jpg"
    convert -size 23x17 gradient:red-blue -type TrueColor "BMP3:$seed-24.bmp"
    convert -size 23x17 gradient:red-blue -colors 16 -type Palette "BMP3:$seed-8.bmp"
    convert -size 23x17 pattern:checkerboard -monochrome "BMP3:$seed-1.bmp"
    convert -size 23x17 gradient:red-blue -alpha on -channel A -evaluate set 50% "BMP:$seed-32.bmp"
    printf 'bm="BM"\njfif="\\xFF\\xD8\\xFF\\xE0"\nsof="\\xFF\\xC0"\nsos="\\xFF\\xDA"\neoi="\\xFF\\xD9"\n' >>"$scratch/fuzz.dict"
    ;;
settings)
    printf ' 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\nsecret\r\nthe hint\r\n' >"$scratch/seeds/written"
    printf '1\n2\n0\n0\n10\n\n\n' >"$scratch/seeds/by-hand"
    printf ' 1.5 \r\n-0 \r\n 2e0 \r\n+1\r\n\r\nsch\xf6n\r\n\xe2\x82\xac\r' >"$scratch/seeds/odd"
    printf 'crlf="\\x0D\\x0A"\nnumber=" 1 "\nexponent="e308"\nminus="-"\nplus="+"\npoint="."\n' >"$scratch/fuzz.dict"
    ;;
esac
echo "seeds: $(ls "$scratch/seeds" | wc -l)"

. scripts/sanitizer-env
cd "$scratch"
QT_QPA_PLATFORM=offscreen "$top/build-fuzz/fuzz/fuzz_$reader" -max_total_time="$seconds" \
    -max_len=65536 -rss_limit_mb=4096 -dict="$scratch/fuzz.dict" -print_final_stats=1 \
    "$scratch/corpus" "$scratch/seeds" 2>&1 | tee "$scratch/fuzz.log" |
    grep -E "^#|ERROR|SUMMARY|stat::|fuzz: " | tail -30
status=${PIPESTATUS[0]}
echo "fuzzer exit status: $status"

# The reader's line and branch coverage over the corpus the run left.
LLVM_PROFILE_FILE="$scratch/fuzz.profraw" QT_QPA_PLATFORM=offscreen \
    "$top/build-fuzz-coverage/fuzz/fuzz_$reader" -runs=0 "$scratch/corpus" \
    "$scratch/seeds" >/dev/null 2>&1 || true
llvm-profdata merge -sparse "$scratch/fuzz.profraw" -o "$scratch/fuzz.profdata"
llvm-cov report "$top/build-fuzz-coverage/fuzz/fuzz_$reader" \
    -instr-profile="$scratch/fuzz.profdata" "${measured[@]/#/$top/}"
exit "$status"
