#include "frmSplash.h"

#include "HyperLink.h"
#include "MainWindowLink.h"
#include "MessageWindowDesign.h"
#include "PictureBox.h"
#include "ProgramFolder.h"
#include "Resources.h"
#include "SystemTimer.h"
#include "frmParentMessage.h"
#include "mMain_Web.h"

#include <QLabel>
#include <QUrl>

#ifndef CRAYVEX_VERSION_MAJOR
#define CRAYVEX_VERSION_MAJOR 1
#endif
#ifndef CRAYVEX_VERSION_MINOR
#define CRAYVEX_VERSION_MINOR 0
#endif

namespace design = MessageWindowDesign;

namespace {
constexpr uint32_t TitleColour = 0x0080FF;    // orange
constexpr uint32_t ProgressColour = 0x80C0FF; // light orange

// A notice to the adult over the About box; it only has to be read.
void Notice(const QString& text) {
    frmParentMessage& message = frmParentMessage::Instance();
    message.SetCancelVisible(false);
    message.SetMessage(text);
    message.Show(true);
}

// The main window, as the owner of a browser it starts; none while it is not loaded.
QWidget* Owner() {
    return MainWindowLink::Current().Window;
}

platform::SystemTimer* MainTimer() {
    return MainWindowLink::Current().Timer1;
}

// The "file:" address of a local page, made by Qt from the path, so that any folder name
// (one holding '#', '%' or '?') gives the page's own address.
QString Address(const QString& path) {
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}
} // namespace

void frmSplash::SetForm_style(int value) {
    Load();
    Style = value;
    Arrange();
}

void frmSplash::SetProgressText(const QString& text) {
    Load();
    design::SetCaption(lProgress, text);
}

QString frmSplash::ProperCase(const QString& text) {
    QString result = text.toLower();
    bool capital = true;
    for (QChar& c : result) {
        const bool letter = c.unicode() >= 'a' && c.unicode() <= 'z';
        if (letter && capital)
            c = QChar(c.unicode() - 'a' + 'A');
        capital = !letter;
    }
    return result;
}

QString frmSplash::ProgressLine(int k, int count, const QString& folderName) {
    // Whole-number arithmetic, so that 29 of 100 books reads 29% and not 28%.
    const qint64 percent = count > 0 ? (qint64(k) + 1) * 100 / count : 100;
    return QStringLiteral("Loading(") + QString::number(percent) + QStringLiteral("%)... ") +
           ProperCase(folderName) + QLatin1Char('.');
}

QString frmSplash::VersionLine(int major, int minor) {
    return QStringLiteral("Version %1.%2").arg(major).arg(minor);
}

QString frmSplash::HomePage() {
    return Address(platform::ProgramFolder() + QStringLiteral("/help/home.htm"));
}

QString frmSplash::HelpPage() {
    return platform::ProgramFolder() + QStringLiteral("/help/help.htm");
}

QString frmSplash::LicensePage() {
    return platform::ProgramFolder() + QStringLiteral("/help/license_agreement.htm");
}

void frmSplash::CreateWidgets(QWidget* window) {
    window->setWindowTitle(QStringLiteral("The Crayvex"));
    window->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window->resize(design::FromTwips(0, 0, 9315, 5835).size());
    Surface = design::NewSurface(window, 0x0F0F99);
    P = new platform::PictureBox(window);
    P->hide();
    P->AutoSize = true;
    P->SetPicture(platform::resources::DesignPicture(QStringLiteral("splash")));

    const QFont small = design::AdultFont(8.25);
    lTitle = design::NewLabel(window, QRect(8184, 840, 1032, 216), design::AdultFont(9),
                              TitleColour, QString());
    lLicense = design::NewLabel(window, QRect(2652, 1116, 3600, 192), small, TitleColour,
                                QStringLiteral("Made for little artists. Please read"));
    lLicense->setAlignment(Qt::AlignRight | Qt::AlignTop);
    HyperLink1 = design::NewLink(window, QStringLiteral("The Crayvex license agreement"), 6255,
                                 1080, 3045, 255);
    lProgress = design::NewLabel(window, QRect(120, 5580, 3528, 192), small, ProgressColour,
                                 QStringLiteral("Please wait while The Crayvex loads..."));
    lProgress->setWordWrap(false);
    // Nothing else shares its row in the loading window, so a long book title gets the
    // whole width instead of being cut off.
    lProgress->resize(window->width() - 2 * lProgress->x(), lProgress->height());
    Command2 = design::NewLink(window, QStringLiteral("Help"), 6840, 5520, 495, 255);
    Command3 = design::NewLink(window, QStringLiteral("Visit Website"), 7365, 5520, 1200, 255);
    Command1 = design::NewLink(window, QStringLiteral("Close"), 8655, 5520, 600, 255);

    design::AnswerMouseOnly({HyperLink1, Command1, Command2, Command3});
    QObject::connect(Command1, &HyperLink::Click, window, [this] { Command1_Click(); });
    QObject::connect(Command2, &HyperLink::Click, window, [this] { Command2_Click(); });
    QObject::connect(Command3, &HyperLink::Click, window, [this] { Command3_Click(); });
    QObject::connect(HyperLink1, &HyperLink::Click, window, [this] { HyperLink1_Click(); });
}

void frmSplash::PaintBackground() {
    design::StretchPicture(Window(), Surface, *P);
}

void frmSplash::Form_Load() {
    design::CentreOnScreen(Window());
    PaintBackground();
    lTitle->setText(VersionLine(CRAYVEX_VERSION_MAJOR, CRAYVEX_VERSION_MINOR));
    platform::SystemTimer* timer = MainTimer();
    TimerWasEnabled = timer && timer->Enabled();
    if (timer)
        timer->SetEnabled(false);
    Arrange();
}

void frmSplash::Form_Unload(int& cancel) {
    (void)cancel;
    if (platform::SystemTimer* timer = MainTimer())
        timer->SetEnabled(TimerWasEnabled);
}

void frmSplash::Arrange() {
    const bool about = Style == 0;
    Command1->setVisible(about);
    Command2->setVisible(about);
    Command3->setVisible(about);
    lProgress->setVisible(!about);
    HyperLink1->setToolTip(
        Style != 1 ? QStringLiteral(
                         "Open The Crayvex help file to view the license agreement in more detail.")
                   : QString());
}

void frmSplash::Command1_Click() {
    Unload();
}

void frmSplash::Command2_Click() {
    if (mMain::OpenWebPage(Address(HelpPage()), Owner())) {
        Unload();
        return;
    }
    Notice(QStringLiteral("Unable to start the help file '") + HelpPage() +
           QStringLiteral("' Please make sure that it exists."));
}

void frmSplash::Command3_Click() {
    Unload();
    if (!mMain::OpenWebPage(HomePage(), Owner()))
        Notice(QStringLiteral("Could not load The Crayvex webpage. Please make sure that your "
                              "internet browser is working!"));
}

void frmSplash::HyperLink1_Click() {
    if (Style == 1)
        return;
    if (!mMain::OpenWebPage(Address(LicensePage()), Owner()))
        Notice(QStringLiteral("Unable to show license agreement '") + LicensePage() +
               QStringLiteral("' Please make sure that it exists."));
    Unload();
}
