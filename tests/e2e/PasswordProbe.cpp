// The real main window holding the child lock, with the password confirmation shown over
// it. Writes to its log file "ready" once the confirmation has the focus, the password
// box's text after every change, the adult text after every Enter in the box, and the
// confirmation's result when it has closed.
#include "FrmMain.h"
#include "MainWindowStart.h"
#include "ProgramFolder.h"
#include "QuitOnTerminate.h"
#include "frmMessage.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <cstdlib>

namespace {
QFile logFile;

void Log(const QString& line) {
    QTextStream(&logFile) << line << '\n';
    logFile.flush();
}

// Logs the adult text once the window has handled an Enter in the password box.
class EnterLog : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease && frmMessage::Instance().IsLoaded() &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return)
            Log(QStringLiteral("enter label2=") + frmMessage::Instance().Label2->text());
        return false;
    }
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        QTextStream(stderr) << "usage: " << args.value(0) << " LOGFILE PASSWORD HINT\n";
        return 2;
    }
    logFile.setFileName(args[1]);
    if (!logFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 2;
    QTimer::singleShot(60000, [] { std::exit(3); }); // never outlive the test
    QuitOnTerminate(app);

    // As the program starts: the main window's first load installs the child lock.
    // A program folder of its own, with settings, and no picture chosen yet.
    QTemporaryDir folder;
    platform::SetProgramFolder(folder.path());
    FrmMain& main = FrmMain::Instance();
    if (!StartMainWindow(main, QString()))
        return 2;
    main.PlaySounds = false;
    main.UsePassword = true;
    main.Password = args[2];
    main.PasswordHint = args[3];

    // The confirmation in front of a parental function, unfolded by the adult so that
    // the password row shows.
    frmMessage& message = frmMessage::Instance();
    message.SetPasswordVisible(main.UsePassword);
    message.SetExtendedInformation(QStringLiteral("Enter the parental password to go on."));
    message.SetMessage(QStringLiteral("Do you really want to stop colouring?"));
    message.SetShowCancel(true);
    message.Check1_Click();
    QObject::connect(message.Text1, &QLineEdit::textChanged,
                     [](const QString& text) { Log(QStringLiteral("text=") + text); });
    EnterLog enterLog;
    message.Text1->installEventFilter(&enterLog);

    // Ready once the confirmation has the focus and the grab had time to settle.
    QTimer ready;
    QObject::connect(&ready, &QTimer::timeout, [&] {
        if (!message.IsLoaded() ||
            QGuiApplication::focusWindow() != message.Window()->windowHandle())
            return;
        ready.stop();
        QTimer::singleShot(400, [] { Log(QStringLiteral("ready")); });
    });
    QTimer::singleShot(0, [&] { ready.start(50); });
    message.Show(true);
    Log(QStringLiteral("result=") + message.Result);
    // The main window keeps the lock after the confirmation has gone.
    return app.exec();
}
