// Listing one book of line drawings (copies of the built-in book's 750 x 480 GIF and BMP
// drawings) in the picture manager and in the chooser, side by side, for books of 500,
// 1,000, 2,000 and 4,000 drawings: warm, when every thumbnail is there (a book opened
// again), and cold, when every thumbnail has to be made (a book just added or imported).
// Both are timed by the clock, what a parent waits for; both make thumbnails on several
// threads.
#include "ProgramFolder.h"
#include "frmManagePictures.h"
#include "frmOpen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// A program folder with one book of that many drawings and no thumbnail.
struct Library {
    explicit Library(int pictures) : pictures(pictures) {
        const QDir source(QStringLiteral(CRAYVEX_BUILT_IN_BOOK));
        const QStringList drawings = source.entryList(QDir::Files);
        const QString book = folder.filePath(QStringLiteral("books/Animals"));
        QDir().mkpath(book);
        QDir().mkpath(folder.filePath(QStringLiteral("books/own pictures")));
        for (int i = 0; i < pictures; ++i) {
            const QString drawing = drawings[i % drawings.size()];
            QFile::copy(source.filePath(drawing), book + QStringLiteral("/%1 ").arg(i) + drawing);
        }
    }
    QTemporaryDir folder;
    const int pictures;
};

// One library a size for the warm runs, its thumbnails made once.
Library& WarmLibrary(int pictures) {
    static std::map<int, std::unique_ptr<Library>> libraries;
    auto& library = libraries[pictures];
    if (!library) {
        library = std::make_unique<Library>(pictures);
        platform::SetProgramFolder(library->folder.path());
        frmManagePictures::Instance().Load();
        frmManagePictures::Instance().Unload();
    }
    return *library;
}

void Unload(platform::Form& window) {
    window.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The manager lists its first book when it loads.
void ListInManager(benchmark::State& state, int pictures) {
    frmManagePictures& manager = frmManagePictures::Instance();
    manager.Load();
    if (manager.LV->count() != pictures)
        state.SkipWithError("the manager misses pictures");
    Unload(manager);
}

// The chooser's sheet: the book's cells and the new-picture cell.
void ListInChooser(benchmark::State& state, int pictures) {
    frmOpen& chooser = frmOpen::Instance();
    chooser.Load();
    if (chooser.Cells().size() != size_t(pictures) + 1)
        state.SkipWithError("the chooser misses cells");
    Unload(chooser);
}

void SetCounters(benchmark::State& state) {
    state.counters["pictures"] = double(state.range(0));
    state.counters["per_picture"] =
        benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

template <void (*List)(benchmark::State&, int)> void Warm(benchmark::State& state) {
    const int pictures = int(state.range(0));
    platform::SetProgramFolder(WarmLibrary(pictures).folder.path());
    for (auto _ : state)
        List(state, pictures);
    SetCounters(state);
}

// A new library each time, whose thumbnails are all to be made.
template <void (*List)(benchmark::State&, int)> void Cold(benchmark::State& state) {
    const int pictures = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto library = std::make_unique<Library>(pictures);
        platform::SetProgramFolder(library->folder.path());
        state.ResumeTiming();
        List(state, pictures);
        state.PauseTiming();
        library.reset();
        state.ResumeTiming();
    }
    SetCounters(state);
}

void BM_ManagerWarm(benchmark::State& state) {
    Warm<ListInManager>(state);
}
void BM_ChooserWarm(benchmark::State& state) {
    Warm<ListInChooser>(state);
}
void BM_ManagerCold(benchmark::State& state) {
    Cold<ListInManager>(state);
}
void BM_ChooserCold(benchmark::State& state) {
    Cold<ListInChooser>(state);
}

void Sizes(benchmark::internal::Benchmark* bench) {
    for (int pictures : {500, 1000, 2000, 4000})
        bench->Arg(pictures);
    bench->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_ManagerWarm)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_ChooserWarm)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_ManagerCold)->Apply(Sizes)->Iterations(1);
BENCHMARK(BM_ChooserCold)->Apply(Sizes)->Iterations(1);

} // namespace
