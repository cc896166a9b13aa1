// Writing and importing a picture pack of 1,000 drawings of 100 KB each (about 100 MB),
// beside a plain copy of the same pack's bytes for comparison. The drawings, the pack and
// the program folder lie in CRAYVEX_BENCH_DIR (a temporary folder when it is not set).
#include "PicturePackFile.h"
#include "PicturePackImport.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {
constexpr int kPictures = 1000;
constexpr qsizetype kPictureSize = 100 * 1024;

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
        // Drawing-like bytes below the separator's range, different in every file.
        QByteArray bytes(kPictureSize, Qt::Uninitialized);
        for (int k = 0; k < kPictures; ++k) {
            for (qsizetype i = 0; i < bytes.size(); ++i)
                bytes[i] = char((i * 31 + k * 7 + (i >> 9)) % 0x93);
            const QString path = folder + QStringLiteral("/Drawings/drawing_%1.bmp").arg(k);
            QFile file(path);
            if (!file.exists() && file.open(QIODevice::WriteOnly))
                file.write(bytes);
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
