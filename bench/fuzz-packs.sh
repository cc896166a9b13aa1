#!/usr/bin/env bash
# Fuzzes the picture-pack reader for ten minutes (or the seconds given) with libFuzzer,
# in a scratch folder of its own. Not part of the tests. Seeds: the packs the library
# tests make. Usage: bench/fuzz-packs.sh [seconds] [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
build=${2:-build}
scratch=$(mktemp -d /tmp/crayvex-pack-fuzz.XXXXXX)
echo "scratch: $scratch"

# The fuzz binary, built apart from the normal build (clang with libFuzzer and ASan).
clang++ -std=c++20 -O1 -g -fPIC -fsanitize=fuzzer,address \
    -Ilibrary -Ifoundation -Iplatform $(pkg-config --cflags Qt6Gui) \
    bench/PackFuzz.cpp library/PicturePackFile.cpp library/PicturePackInstall.cpp \
    library/PackReader.cpp library/PictureFolders.cpp library/FolderEntries.cpp \
    foundation/mMain_Text.cpp foundation/mMain_Files.cpp platform/CaseInsensitivePath.cpp \
    platform/ProgramFolder.cpp platform/TemporaryFiles.cpp \
    platform/PictureFile.cpp platform/BitmapFile.cpp platform/GifReader.cpp platform/JpegReader.cpp \
    $(pkg-config --libs Qt6Gui) -lgif -ljpeg -o "$scratch/pack_fuzz"

# Seeds: every pack the library tests write.
mkdir -p "$scratch/corpus" "$scratch/seeds" "$scratch/run"
if [ -x "$build/tests/test_library" ]; then
    CRAYVEX_PACK_CORPUS="$scratch/seeds" QT_QPA_PLATFORM=offscreen \
        "$build/tests/test_library" --gtest_filter='PicturePack.*' >/dev/null
fi
echo "seeds: $(ls "$scratch/seeds" | wc -l)"
# The separator and the name bar, so that mutations build packs with pieces and names.
printf 'separator="\\x95\\x99\\x93\\x96\\x94\\x94\\x9B\\x95\\x98\\x97\\x95\\x99\\x95"\nbar="|"\ndotdot=".."\n' >"$scratch/packs.dict"

cd "$scratch/run"
CRAYVEX_FUZZ_SCRATCH="$scratch/run" ASAN_OPTIONS=detect_leaks=1 \
    "$scratch/pack_fuzz" -max_total_time="$seconds" -max_len=4096 -dict="$scratch/packs.dict" -print_final_stats=1 \
    "$scratch/corpus" "$scratch/seeds" 2>&1 | tee "$scratch/fuzz.log" | grep -E "^#|ERROR|SUMMARY|stat::" | tail -30
status=${PIPESTATUS[0]}
cd - >/dev/null
echo "fuzzer exit status: $status"
echo "files outside books/ in the scratch program folder: $(find "$scratch/run/program" -mindepth 1 -not -path "$scratch/run/program/books" -not -path "$scratch/run/program/pack.zvp" | wc -l)"
echo "entries in the scratch folder: $(ls -A "$scratch/run")"
exit "$status"
