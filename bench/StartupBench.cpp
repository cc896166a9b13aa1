// The start-up, from loading the main window to the picture chooser shown over the built-in
// book, with every thumbnail already made (the program's every start after the first).
#include "EndProgram.h"
#include "FrmMain.h"
#include "MainWindowStart.h"
#include "ProgramFolder.h"
#include "frmOpen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

struct Folder {
    Folder() {
        platform::SetProgramFolder(folder.path());
        const QDir source(QStringLiteral(CRAYVEX_BUILT_IN_BOOK));
        const QString book = folder.filePath(QStringLiteral("books/The Crayvex"));
        QDir().mkpath(book);
        for (const QString& drawing : source.entryList(QDir::Files))
            QFile::copy(source.filePath(drawing), book + QLatin1Char('/') + drawing);
    }
    QTemporaryDir folder;
};

// Shows the chooser as the program does and closes it as soon as it is on the screen.
QString ChooseNothing() {
    frmOpen& chooser = frmOpen::Instance();
    chooser.FileName.clear();
    // The chooser processes events while it builds its sheet; it is closed once it shows.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&chooser] {
        if (chooser.IsLoaded() && chooser.Visible())
            chooser.Hide();
    });
    closer.start(0);
    chooser.Show(true);
    return chooser.FileName;
}

void BM_StartupToChooser(benchmark::State& state) {
    static Folder folder;
    FrmMain& main = FrmMain::Instance();
    StartMainWindow(main, QString()); // settings written, thumbnails made
    main.ChoosePicture = ChooseNothing;
    main.UnloadChooser = [] { frmOpen::Instance().Unload(); };
    for (auto _ : state) {
        state.PauseTiming();
        main.Unload();
        frmOpen::Instance().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        main.Initialised = false;
        state.ResumeTiming();
        main.Load();
    }
}
BENCHMARK(BM_StartupToChooser)->Unit(benchmark::kMillisecond);

} // namespace
