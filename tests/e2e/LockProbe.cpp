// A small window for the child-lock test: a line edit, and with --lock the program's
// keyboard hook. It writes to its log file what the hook decided, which keys reached the
// window, every popup shown, and the line edit's text after every change. Typing
// "unlock" removes the hook ("unhooked").
#include "Hooks.h"
#include "QuitOnTerminate.h"
#include "mMain_KeyboardHook.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace {
QFile logFile;

void Log(const QString& line) {
    QTextStream(&logFile) << line << '\n';
    logFile.flush();
}

intptr_t LoggingHook(int32_t nCode, uintptr_t wParam, intptr_t lParam) {
    const intptr_t result = mMain::KeyboardHookProc(nCode, wParam, lParam);
    const auto& info = *reinterpret_cast<const platform::user32::KBDLLHOOKSTRUCT*>(lParam);
    Log(QStringLiteral("hook vk=%1 flags=%2 %3")
            .arg(info.vkCode, 2, 16, QLatin1Char('0'))
            .arg(info.flags, 2, 16, QLatin1Char('0'))
            .arg(result ? QStringLiteral("swallowed") : QStringLiteral("passed")));
    return result;
}

// Logs the key presses that get through to a window, and the popups that open.
class KeyLog : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched->isWindowType())
            Log(QStringLiteral("key %1").arg(static_cast<QKeyEvent*>(event)->key(), 0, 16));
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->windowType() == Qt::Popup)
            Log(QStringLiteral("popup"));
        return false;
    }
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        QTextStream(stderr) << "usage: " << args.value(0) << " --lock|--free TITLE LOGFILE\n";
        return 2;
    }
    const bool lock = args[1] == QLatin1String("--lock");
    logFile.setFileName(args[3]);
    if (!logFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 2;

    QWidget window;
    window.setWindowTitle(args[2]);
    window.resize(320, 80);
    auto* edit = new QLineEdit(&window);
    (new QVBoxLayout(&window))->addWidget(edit);
    platform::user32::HHOOK hook = 0;
    QObject::connect(edit, &QLineEdit::textChanged, [&hook](const QString& text) {
        Log(QStringLiteral("text=") + text);
        if (hook && text.endsWith(QLatin1String("unlock"))) {
            platform::user32::UnhookWindowsHookEx(hook);
            hook = 0;
            Log(QStringLiteral("unhooked"));
        }
    });
    KeyLog keyLog; // installed first, so it sees only what the hook lets through
    app.installEventFilter(&keyLog);
    window.show();
    edit->setFocus();

    if (lock)
        hook = platform::user32::SetWindowsHookExA(platform::user32::WH_KEYBOARD_LL, LoggingHook,
                                                   nullptr, 0);
    // Ready once the window has the focus and the grab had time to settle.
    auto* ready = new QTimer(&app);
    QObject::connect(ready, &QTimer::timeout, [&] {
        if (QGuiApplication::focusWindow() != window.windowHandle())
            return;
        ready->stop();
        QTimer::singleShot(400, [&hook] { Log(QStringLiteral("ready hook=%1").arg(hook)); });
    });
    ready->start(50);
    QTimer::singleShot(60000, &app, &QCoreApplication::quit); // never outlive the test
    QuitOnTerminate(app);
    const int result = app.exec();
    if (hook)
        platform::user32::UnhookWindowsHookEx(hook);
    return result;
}
