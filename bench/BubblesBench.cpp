// The colour bubbles: one step of the main palette's 23 bubbles, the picker's
// recolouring of its 18 pictures, and the CPU that the real program (build/bin/crayvex)
// takes while nothing happens, with the chooser open and on a drawing with its bubbles
// rising; that one needs an X server and xdotool: run the benchmark under xvfb-run.
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

// The program's own CPU time (user and system) over 10 s, in percent of one core: with the
// picture chooser open at start (the bubbles stand still), or on a drawing chosen in it
// as a child does, with the bubbles rising.
long CpuTicks(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The fields after the command name in parentheses: utime and stime are 14 and 15.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLong() + fields[12].toLong() : -1;
}

// What xdotool prints for its arguments; empty when it fails or finds nothing.
QString Xdotool(const QStringList& arguments) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    if (!xdotool.waitForFinished(5000) || xdotool.exitCode() != 0)
        return {};
    return QString::fromUtf8(xdotool.readAllStandardOutput()).trimmed();
}

// The shown picture chooser's window, waiting up to 20 s for it; empty when none.
QString Chooser(int waitMilliseconds) {
    const QStringList search{QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--name"), QStringLiteral("^Open$")};
    QString window = Xdotool(search);
    for (int waited = 0; window.isEmpty() && waited < waitMilliseconds; waited += 100) {
        QThread::msleep(100);
        window = Xdotool(search);
    }
    return window.section(QLatin1Char('\n'), 0, 0);
}

// Clicks the first thumbnail of the chooser (cells 100 pixels square, the sheet 14 pixels
// in from the window's left and 9 from its top) and waits for the chooser to close.
bool ChooseFirstDrawing() {
    const QString window = Chooser(20000);
    if (window.isEmpty())
        return false;
    const QString geometry =
        Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    int x = -1, y = -1;
    for (const QString& line : geometry.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("X=")))
            x = line.mid(2).toInt();
        if (line.startsWith(QStringLiteral("Y=")))
            y = line.mid(2).toInt();
    }
    if (x < 0 || y < 0)
        return false;
    Xdotool({QStringLiteral("mousemove"), QString::number(x + 14 + 50), QString::number(y + 9 + 50),
             QStringLiteral("click"), QStringLiteral("1")});
    for (int waited = 0; waited < 20000; waited += 100) {
        if (Chooser(0).isEmpty())
            return true;
        QThread::msleep(100);
    }
    return false;
}

void BM_IdleProgramCpu(benchmark::State& state) {
    if (!qEnvironmentVariableIsSet("DISPLAY")) {
        state.SkipWithError("needs an X server (run it under xvfb-run)");
        return;
    }
    const bool drawing = state.range(0) != 0;
    if (drawing && Xdotool({QStringLiteral("version")}).isEmpty()) {
        state.SkipWithError("needs xdotool to choose a drawing");
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
        settings.write(state.range(1) ? " 0 \r\n 0 \r\n 1 \r\n 0 \r\n 4 \r\n\r\n\r\n"
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
        const bool ready = drawing ? ChooseFirstDrawing() : !Chooser(20000).isEmpty();
        if (!ready) {
            crayvex.kill();
            crayvex.waitForFinished();
            state.SkipWithError(drawing ? "no drawing could be chosen" : "no chooser showed");
            return;
        }
        QThread::sleep(2); // the drawing settles on the canvas, the start-up's work is over
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
    ->ArgNames({"drawing", "autohide"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace
