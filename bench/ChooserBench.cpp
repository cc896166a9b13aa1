// Building the chooser's sheet over a library of line drawings (copies of the built-in
// book's 750 x 480 GIF and BMP drawings, spread over 20 books): cold, when every
// thumbnail has to be made, and warm, when all of them are there. Then one click of the
// animated scroll, and the way to the sheet's last row with the choice made there.
// The sheet's time is the clock's, what a family waits for the chooser: its thumbnails are
// made on several threads. Its CPU time is the whole process's, all threads together, and
// user_ms and kernel_ms give that time a picture.
// CRAYVEX_BENCH_PICTURES sets the number of drawings (1000 by default),
// CRAYVEX_BENCH_FORMAT ("gif" or "bmp") takes drawings of that format only.
// Apart from the sheet: one drawing of each format read, and its thumbnail made from the
// picture already read, which together are most of a cold cell.
#include "PictureBox.h"
#include "PictureFile.h"
#include "ProgramFolder.h"
#include "Thumbnail.h"
#include "frmOpen.h"
#include "pButton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int Books = 20;

int PictureCount() {
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("CRAYVEX_BENCH_PICTURES", &ok);
    return ok && count > 0 ? count : 1000;
}

// A program folder with the drawings and no thumbnail, as on the first run.
struct Library {
    Library() {
        platform::SetProgramFolder(folder.path());
        const QDir source(QStringLiteral(CRAYVEX_BUILT_IN_BOOK));
        const QString format = qEnvironmentVariable("CRAYVEX_BENCH_FORMAT");
        const QStringList drawings = source.entryList(
            {format.isEmpty() ? QStringLiteral("*") : QStringLiteral("*.") + format}, QDir::Files);
        for (int i = 0; i < pictures; ++i) {
            const QString book =
                QStringLiteral("books/Book %1").arg(i % Books, 2, 10, QLatin1Char('0'));
            QDir().mkpath(folder.filePath(book));
            const QString drawing = drawings[i % drawings.size()];
            QFile::copy(source.filePath(drawing),
                        folder.filePath(book + QStringLiteral("/%1 ").arg(i) + drawing));
        }
    }
    QTemporaryDir folder;
    const int pictures = PictureCount();
};

Library& TheLibrary() {
    static Library library;
    return library;
}

// Unloads the chooser and frees its window at once, as the program's event loop would.
void UnloadChooser() {
    frmOpen::Instance().Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void SetCounters(benchmark::State& state) {
    const double pictures = TheLibrary().pictures;
    state.counters["pictures"] = pictures;
    state.counters["per_picture"] = benchmark::Counter(
        pictures, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The process's CPU time in user space and in the kernel, in seconds.
struct CpuTimes {
    double user = 0;
    double system = 0;
};
CpuTimes ProcessCpuTimes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {double(usage.ru_utime.tv_sec) + usage.ru_utime.tv_usec / 1e6,
            double(usage.ru_stime.tv_sec) + usage.ru_stime.tv_usec / 1e6};
}

void BM_BuildSheetCold(benchmark::State& state) {
    // A new library each time: thumbnails deleted a moment ago would make the file
    // system slower to create new ones than it is on a first run.
    std::vector<std::unique_ptr<Library>> libraries;
    frmOpen& chooser = frmOpen::Instance();
    CpuTimes spent;
    for (auto _ : state) {
        state.PauseTiming();
        UnloadChooser();
        libraries.push_back(std::make_unique<Library>());
        const CpuTimes before = ProcessCpuTimes();
        state.ResumeTiming();
        chooser.Load();
        state.PauseTiming();
        const CpuTimes after = ProcessCpuTimes();
        spent.user += after.user - before.user;
        spent.system += after.system - before.system;
        state.ResumeTiming();
    }
    // Of the CPU time a picture, how much the kernel took (mostly creating the files).
    const double pictures = double(state.iterations()) * TheLibrary().pictures;
    state.counters["user_ms"] = spent.user * 1e3 / pictures;
    state.counters["kernel_ms"] = spent.system * 1e3 / pictures;
    if (chooser.Cells().size() != size_t(PictureCount()) + 1)
        state.SkipWithError("the sheet misses cells");
    UnloadChooser();
    platform::SetProgramFolder(TheLibrary().folder.path());
    SetCounters(state);
}
BENCHMARK(BM_BuildSheetCold)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_BuildSheetWarm(benchmark::State& state) {
    platform::SetProgramFolder(TheLibrary().folder.path());
    frmOpen& chooser = frmOpen::Instance();
    UnloadChooser();
    chooser.Load(); // makes every thumbnail
    for (auto _ : state) {
        state.PauseTiming();
        UnloadChooser();
        state.ResumeTiming();
        chooser.Load();
    }
    SetCounters(state);
}
BENCHMARK(BM_BuildSheetWarm)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_ScrollOneClick(benchmark::State& state) {
    frmOpen& chooser = frmOpen::Instance();
    if (!chooser.IsLoaded())
        chooser.Load();
    chooser.Show(false);
    int direction = 1;
    for (auto _ : state) {
        if (chooser.Pmb->y() + chooser.Pmb->height() <= chooser.PB->height() + 160)
            direction = 0;
        else if (chooser.Pmb->y() >= 0)
            direction = 1;
        chooser.cScroll_Click(direction);
    }
}
BENCHMARK(BM_ScrollOneClick)->Unit(benchmark::kMillisecond);

// Drags the thumb to the down button, clicks down once more and chooses the last cell.
void BM_ChooseOnTheLastRow(benchmark::State& state) {
    frmOpen& chooser = frmOpen::Instance();
    const QString expected =
        chooser.Cells().back().Folder + QLatin1Char('/') + chooser.Cells().back().File;
    for (auto _ : state) {
        chooser.FileName.clear();
        chooser.Show(false);
        chooser.sBall_MouseDown(1, 0, 5, 5);
        chooser.sBall_MouseMove(1, 0, 5, 100000);
        chooser.cScroll_Click(1);
        const ThumbCell& last = chooser.Cells().back();
        chooser.Pmb_MouseUp(1, 0, float(last.X + 50), float(last.Y + 50));
        if (chooser.FileName != expected)
            state.SkipWithError("the last cell was not chosen");
        state.PauseTiming();
        chooser.sBall_MouseMove(1, 0, 5, -100000);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ChooseOnTheLastRow)->Unit(benchmark::kMillisecond);

// The first drawing of the built-in book in the format `state.range(0)` names (0 GIF,
// 1 BMP).
QString OneDrawing(const benchmark::State& state) {
    const QDir book(QStringLiteral(CRAYVEX_BUILT_IN_BOOK));
    const QStringList drawings =
        book.entryList({state.range(0) == 0 ? QStringLiteral("*.gif") : QStringLiteral("*.bmp")},
                       QDir::Files, QDir::Name);
    return drawings.isEmpty() ? QString() : book.filePath(drawings.first());
}

void BM_ReadDrawing(benchmark::State& state) {
    const QString drawing = OneDrawing(state);
    QImage picture;
    for (auto _ : state) {
        if (!platform::LoadPicture(drawing, 0xFFFFFF, picture))
            state.SkipWithError("the drawing was not read");
    }
    state.SetLabel(QFileInfo(drawing).fileName().toStdString());
}
BENCHMARK(BM_ReadDrawing)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RenderThumbnail(benchmark::State& state) {
    const QImage picture = platform::LoadPicture(OneDrawing(state));
    if (picture.isNull())
        state.SkipWithError("the drawing was not read");
    for (auto _ : state)
        benchmark::DoNotOptimize(Thumbnail::Render(picture));
}
BENCHMARK(BM_RenderThumbnail)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    frmOpen::Instance().Unload();
    return 0;
}
