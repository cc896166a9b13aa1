// The colour bubbles: one step of the main palette's 23 bubbles, the picker's
// recolouring of its 18 pictures, and the CPU that the real program (build/bin/crayvex)
// takes while its bubbles rise and nothing else happens; that one needs an X server:
// run the program under xvfb-run.
#include "Fixtures.h"
#include "FrmMain.h"
#include "MainWindowStart.h"
#include "ProgramFolder.h"
#include "frmColorPicker.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <unistd.h>

namespace {

struct Window {
    Window() {
        platform::SetProgramFolder(folder.path());
        QDir().mkpath(folder.filePath(QStringLiteral("books/Bench")));
        const QString path = folder.filePath(QStringLiteral("books/Bench/drawing.bmp"));
        fixtures::LineDrawing().save(path);
        StartMainWindow(main, path);
        main.Timer1->SetEnabled(false); // the benchmark steps it itself
    }
    QTemporaryDir folder;
    FrmMain& main = FrmMain::Instance();
};

Window& TheWindow() {
    static Window window;
    return window;
}

void BM_PaletteStep(benchmark::State& state) {
    FrmMain& main = TheWindow().main;
    for (auto _ : state)
        main.Timer1_Timer();
    state.counters["bubbles"] = double(main.GetBubbles().size());
}
BENCHMARK(BM_PaletteStep)->Unit(benchmark::kMillisecond);

void BM_TintPickerBubbles(benchmark::State& state) {
    TheWindow();
    frmColorPicker& picker = frmColorPicker::Instance();
    picker.Color = 0x3366CC;
    picker.Load();
    for (auto _ : state)
        picker.TintBubbles();
    state.counters["pictures"] = double(picker.GetBubbles().size());
    picker.Unload();
}
BENCHMARK(BM_TintPickerBubbles)->Unit(benchmark::kMillisecond);

// The program's own CPU time (user and system) over 10 s of rising bubbles, in percent
// of one core.
long CpuTicks(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The fields after the command name in parentheses: utime and stime are 14 and 15.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLong() + fields[12].toLong() : -1;
}

void BM_IdleProgramCpu(benchmark::State& state) {
    if (!qEnvironmentVariableIsSet("DISPLAY")) {
        state.SkipWithError("needs an X server (run it under xvfb-run)");
        return;
    }
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin");
    QTemporaryDir folder;
    for (auto _ : state) {
        QProcess copy;
        copy.start(QStringLiteral("cp"),
                   {QStringLiteral("-r"), program + QStringLiteral("/."), folder.path()});
        copy.waitForFinished();
        QFile settings(folder.filePath(QStringLiteral("Settings.ini")));
        settings.open(QIODevice::WriteOnly);
        // Sounds off; the argument switches auto-hide, whose checks read the pointer.
        settings.write(state.range(0) ? " 0 \r\n 0 \r\n 1 \r\n 0 \r\n 4 \r\n\r\n\r\n"
                                      : " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n");
        settings.close();
        QProcess crayvex;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        crayvex.setProcessEnvironment(env);
        crayvex.setWorkingDirectory(folder.path());
        crayvex.start(folder.filePath(QStringLiteral("crayvex")), {});
        if (!crayvex.waitForStarted()) {
            state.SkipWithError("the program did not start");
            return;
        }
        QThread::sleep(3); // start-up, the first drawing opens
        const long before = CpuTicks(crayvex.processId());
        QThread::sleep(10);
        const long after = CpuTicks(crayvex.processId());
        crayvex.kill();
        crayvex.waitForFinished();
        if (before < 0 || after < 0) {
            state.SkipWithError("the program ended early");
            return;
        }
        const double ticksPerSecond = double(sysconf(_SC_CLK_TCK));
        state.counters["cpu_percent"] = double(after - before) / ticksPerSecond / 10.0 * 100.0;
    }
}
BENCHMARK(BM_IdleProgramCpu)
    ->ArgName("autohide")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace
