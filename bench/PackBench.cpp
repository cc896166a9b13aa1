// Writing and importing a picture pack of 1,000 drawings of 100 KB each (about 100 MB),
// beside a plain copy of the same pack's bytes for comparison. The drawings, the pack and
// the program folder lie in CRAYVEX_BENCH_DIR (a temporary folder when it is not set).
#include "PicturePackFile.h"
#include "PicturePackImport.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {
constexpr int kPictures = 1000;

struct Bench {
    Bench() {
        QString root = qEnvironmentVariable("CRAYVEX_BENCH_DIR");
        if (root.isEmpty()) {
            temporary = std::make_unique<QTemporaryDir>();
            root = temporary->path();
        }
        folder = root;
        QDir().mkpath(folder + "/Drawings");
        QDir().mkpath(folder + "/program/books");
        platform::SetProgramFolder(folder + "/program");
        // Line drawings of 8 bits a pixel, 320 x 320 (about 100 KB each, as the pictures
        // are checked when a pack is installed), different in every file.
        QImage drawing(320, 320, QImage::Format_Indexed8);
        drawing.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        for (int k = 0; k < kPictures; ++k) {
            const QString path = folder + QStringLiteral("/Drawings/drawing_%1.bmp").arg(k);
            if (!QFileInfo::exists(path)) {
                for (int y = 0; y < drawing.height(); ++y) {
                    uchar* row = drawing.scanLine(y);
                    for (int x = 0; x < drawing.width(); ++x)
                        row[x] = uchar((x * x + y * y + k * 97) % 613 < 9);
                }
                drawing.save(path, "BMP");
            }
            pictures << path;
        }
        pack = folder + "/drawings.zvp";
        QString error;
        PicturePackFile::Write(pack, "Drawings", pictures, error);
    }

    std::unique_ptr<QTemporaryDir> temporary;
    QString folder;
    QStringList pictures;
    QString pack;
};

Bench& Data() {
    static Bench bench;
    return bench;
}

void BM_WritePack(benchmark::State& state) {
    Bench& bench = Data();
    const QString out = bench.folder + "/written.zvp";
    for (auto _ : state) {
        QString error;
        if (PicturePackFile::Write(out, "Drawings", bench.pictures, error) !=
            PicturePackFile::WriteOutcome::Written)
            state.SkipWithError(error.toStdString().c_str());
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(out).size());
    QFile::remove(out);
}
BENCHMARK(BM_WritePack)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportPack(benchmark::State& state) {
    Bench& bench = Data();
    QStringList made;
    for (auto _ : state) {
        const PicturePackImport::Result result = PicturePackImport::Install(bench.pack);
        if (result.Title.isEmpty())
            state.SkipWithError(result.Message.toStdString().c_str());
        made << result.Title;
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(bench.pack).size());
    // Removed only at the end: creating files where many were just deleted is slower on
    // some file systems, which would measure the benchmark rather than the import.
    for (const QString& title : made)
        QDir(bench.folder + "/program/books/" + title).removeRecursively();
}
BENCHMARK(BM_ImportPack)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a plain file copy of the pack's bytes takes, for comparison.
void BM_CopyPack(benchmark::State& state) {
    Bench& bench = Data();
    const std::filesystem::path from = bench.pack.toStdString();
    const std::filesystem::path to = (bench.folder + "/copy.zvp").toStdString();
    for (auto _ : state)
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    state.SetBytesProcessed(state.iterations() * qint64(std::filesystem::file_size(from)));
    std::filesystem::remove(to);
}
BENCHMARK(BM_CopyPack)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
