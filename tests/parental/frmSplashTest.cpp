#include "frmSplash.h"

#include "HyperLink.h"
#include "MainWindowLink.h"
#include "ModalDriver.h"
#include "PageWindow.h"
#include "PictureBox.h"
#include "ProgramFolder.h"
#include "Resources.h"
#include "Shell.h"
#include "SystemTimer.h"
#include "frmParentMessage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

TEST(frmSplashText, ProgressLine) {
    struct Case {
        int k;
        int count;
        const char* folder;
        const char* line;
    };
    for (const Case& c : {
             Case{0, 3, "own pictures", "Loading(33%)... Own Pictures."},
             Case{1, 3, "ANIMALS", "Loading(66%)... Animals."},
             Case{2, 3, "animals", "Loading(100%)... Animals."},
             Case{28, 100, "ABC's book", "Loading(29%)... Abc'S Book."},
             Case{56, 100, "x", "Loading(57%)... X."},
             Case{0, 7, "sea-life 2go", "Loading(14%)... Sea-Life 2Go."},
             Case{0, 1, "CAFÉ crème", "Loading(100%)... Café CrèMe."},
             Case{0, 0, "", "Loading(100%)... ."},
         }) {
        EXPECT_EQ(frmSplash::ProgressLine(c.k, c.count, QString::fromUtf8(c.folder)),
                  QString::fromUtf8(c.line))
            << c.k << " of " << c.count << " " << c.folder;
    }
}

TEST(frmSplashText, VersionLine) {
    EXPECT_EQ(frmSplash::VersionLine(8, 0), "Version 8.0");
    EXPECT_EQ(frmSplash::VersionLine(8, 12), "Version 8.12");
}

class frmSplashTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(noBrowser.isValid());
        // A program folder whose name holds the characters that mean something in an
        // address.
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Kids #1 100% sure?/help")));
        programFolder = folder.filePath(QStringLiteral("Kids #1 100% sure?"));
        platform::SetProgramFolder(programFolder);
        // No browser program can be found, so every address that would reach one goes to
        // the recorder.
        savedPath = qgetenv("PATH");
        qputenv("PATH", noBrowser.path().toLocal8Bit());
        platform::shell::SetUrlOpener([this](const QUrl& url) {
            opened.append(url.toString());
            return true;
        });
        // A page window that shows is read and closed with its button.
        QObject::connect(&pageReader, &QTimer::timeout, [this] {
            platform::PageWindow& page = platform::PageWindow::Instance();
            if (page.IsLoaded() && page.Visible()) {
                shownPages.append(page.Browser->source());
                QTest::mouseClick(page.CloseButton, Qt::LeftButton);
            }
        });
        pageReader.start(10);
    }
    void TearDown() override {
        pageReader.stop();
        platform::PageWindow::Instance().Unload();
        form.Unload();
        frmParentMessage::Instance().Unload();
        platform::shell::SetUrlOpener({});
        qputenv("PATH", savedPath);
        platform::SetProgramFolder(QString());
    }

    // The three pages in the program folder.
    void WritePages() {
        for (const char* name : {"help.htm", "home.htm", "license_agreement.htm"}) {
            QFile page(Local(name));
            ASSERT_TRUE(page.open(QIODevice::WriteOnly));
            page.write(QByteArray("<html><head><title>") + name + "</title></head><body><p>" +
                       name + "</p></body></html>");
        }
    }

    // Runs `click` inside the modal About box; a message window that the click opens is
    // read and closed. Returns whether the About box was still loaded afterwards.
    bool ClickInAboutBox(const std::function<void()>& click) {
        form.SetForm_style(0);
        bool loadedAfter = true;
        // Polls for the message window while the About box is up; gone with this call.
        QTimer reader;
        QObject::connect(&reader, &QTimer::timeout, [this] {
            frmParentMessage& message = frmParentMessage::Instance();
            if (message.IsLoaded() && message.Visible()) {
                shownMessage = message.lMessage->text();
                cancelShown = !message.lCancel->isHidden();
                message.Unload();
            }
        });
        reader.start(10);
        ShowModalWith(form, [&] {
            click();
            loadedAfter = form.IsLoaded();
            form.Unload();
        });
        return loadedAfter;
    }

    QString Local(const char* page) const {
        return programFolder + QStringLiteral("/help/") + QLatin1String(page);
    }

    QTemporaryDir folder;
    QTemporaryDir noBrowser;
    QString programFolder;
    QByteArray savedPath;
    QStringList opened;
    QList<QUrl> shownPages;
    QTimer pageReader;
    QString shownMessage;
    bool cancelShown = false;
    frmSplash& form = frmSplash::Instance();
};

TEST_F(frmSplashTest, Design) {
    form.SetForm_style(0);
    QWidget* window = form.Window();
    EXPECT_EQ(window->size(), QSize(621, 389));
    EXPECT_EQ(form.lTitle->geometry(), QRect(546, 56, 69, 14));
    EXPECT_EQ(form.lTitle->text(), frmSplash::VersionLine(1, 0));
    EXPECT_EQ(form.lTitle->palette().color(QPalette::WindowText), QColor(0xFF, 0x80, 0x00));
    EXPECT_EQ(QFontInfo(form.lTitle->font()).family(), "DejaVu Sans");
    EXPECT_EQ(form.lLicense->geometry(), QRect(177, 74, 240, 13));
    EXPECT_EQ(form.HyperLink1->pos(), QPoint(417, 72));
    EXPECT_EQ(form.HyperLink1->Caption(), "The Crayvex license agreement");
    EXPECT_EQ(form.lProgress->geometry(), QRect(8, 372, 605, 13));
    EXPECT_EQ(form.lProgress->text(), "Please wait while The Crayvex loads...");
    EXPECT_EQ(form.lProgress->palette().color(QPalette::WindowText), QColor(0xFF, 0xC0, 0x80));
    EXPECT_EQ(form.Command2->Caption(), "Help");
    EXPECT_EQ(form.Command3->Caption(), "Visit Website");
    EXPECT_EQ(form.Command1->Caption(), "Close");
    EXPECT_EQ(form.Command2->pos(), QPoint(456, 368));
    EXPECT_EQ(form.Command3->pos(), QPoint(491, 368));
    EXPECT_EQ(form.Command1->pos(), QPoint(577, 368));

    // The background is the design picture at its own size.
    const QImage splash = platform::resources::DesignPicture(QStringLiteral("splash"));
    ASSERT_EQ(splash.size(), QSize(621, 389));
    const QImage shown = window->grab().toImage();
    for (const QPoint at : {QPoint(5, 5), QPoint(310, 180), QPoint(100, 300)})
        EXPECT_EQ(shown.pixel(at), splash.pixel(at)) << at.x() << "," << at.y();
}

TEST_F(frmSplashTest, FacesShowTheirOwnControls) {
    for (int style : {1, 0, 7, -1}) {
        form.SetForm_style(style);
        EXPECT_EQ(form.Form_style(), style);
        const bool about = style == 0;
        EXPECT_EQ(!form.Command1->isHidden(), about) << style;
        EXPECT_EQ(!form.Command2->isHidden(), about) << style;
        EXPECT_EQ(!form.Command3->isHidden(), about) << style;
        EXPECT_EQ(!form.lProgress->isHidden(), !about) << style;
        EXPECT_FALSE(form.lTitle->isHidden());
        EXPECT_FALSE(form.lLicense->isHidden());
        EXPECT_FALSE(form.HyperLink1->isHidden());
        EXPECT_EQ(form.HyperLink1->toolTip().isEmpty(), style == 1) << style;
    }
}

TEST_F(frmSplashTest, LoadingWindowShowsProgress) {
    form.SetForm_style(1);
    form.Show();
    EXPECT_TRUE(form.Visible());
    form.SetProgressText(frmSplash::ProgressLine(0, 2, QStringLiteral("own pictures")));
    EXPECT_EQ(form.lProgress->text(), "Loading(50%)... Own Pictures.");
    // The licence link does nothing in the loading window.
    QTest::mouseClick(form.HyperLink1, Qt::LeftButton);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(form.IsLoaded());
    form.Unload();
    EXPECT_FALSE(form.IsLoaded());
}

TEST_F(frmSplashTest, CloseLinkClosesTheAboutBox) {
    EXPECT_FALSE(ClickInAboutBox([&] { QTest::mouseClick(form.Command1, Qt::LeftButton); }));
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(frmSplashTest, LinksShowTheirPagesInTheProgramsOwnWindow) {
    WritePages();
    struct Case {
        const char* name;
        std::function<void()> click;
        const char* page;
    };
    const std::vector<Case> cases = {
        {"Help", [&] { QTest::mouseClick(form.Command2, Qt::LeftButton); }, "help.htm"},
        {"Visit Website", [&] { QTest::mouseClick(form.Command3, Qt::LeftButton); }, "home.htm"},
        {"Licence", [&] { QTest::mouseClick(form.HyperLink1, Qt::LeftButton); },
         "license_agreement.htm"},
    };
    for (const Case& c : cases) {
        shownPages.clear();
        shownMessage.clear();
        EXPECT_FALSE(ClickInAboutBox(c.click)) << c.name;
        ASSERT_EQ(shownPages.size(), 1) << c.name;
        // The address is the file's own, whatever its folder is called.
        EXPECT_EQ(shownPages[0], QUrl::fromLocalFile(Local(c.page))) << c.name;
        EXPECT_EQ(shownPages[0].toLocalFile(), Local(c.page)) << c.name;
        EXPECT_TRUE(shownMessage.isEmpty()) << c.name;
    }
    // Neither a browser nor the desktop's handler was asked.
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(frmSplashTest, HomePageAddressIsMadeFromThePath) {
    const QUrl home(frmSplash::HomePage());
    EXPECT_TRUE(home.isLocalFile());
    EXPECT_EQ(home.toLocalFile(), programFolder + QStringLiteral("/help/home.htm"));
    EXPECT_TRUE(home.fragment().isEmpty());
    EXPECT_TRUE(home.query().isEmpty());
}

TEST_F(frmSplashTest, NoKeyOpensALink) {
    WritePages();
    form.SetForm_style(0);
    for (HyperLink* link : {form.HyperLink1, form.Command1, form.Command2, form.Command3})
        EXPECT_EQ(link->focusPolicy(), Qt::NoFocus) << link->Caption().toStdString();
    EXPECT_TRUE(ClickInAboutBox([&] {
        EXPECT_EQ(form.Window()->focusWidget(), nullptr);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            QWidget* target = QApplication::focusWidget();
            QTest::keyClick(target ? target : form.Window(), key);
        }
        QCoreApplication::processEvents();
    }));
    EXPECT_TRUE(shownPages.isEmpty());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(frmSplashTest, FailedPagesTellTheAdult) {
    const QString help = Local("help.htm");
    const QString licence = Local("license_agreement.htm");

    // A missing help page leaves the About box open under the message.
    EXPECT_TRUE(ClickInAboutBox([&] { form.Command2_Click(); }));
    EXPECT_EQ(shownMessage,
              "Unable to start the help file '" + help + "' Please make sure that it exists.");
    EXPECT_FALSE(cancelShown);

    // A missing licence page closes it after the message.
    shownMessage.clear();
    EXPECT_FALSE(ClickInAboutBox([&] { form.HyperLink1_Click(); }));
    EXPECT_EQ(shownMessage, "Unable to show license agreement '" + licence +
                                "' Please make sure that it exists.");

    shownMessage.clear();
    EXPECT_FALSE(ClickInAboutBox([&] { form.Command3_Click(); }));
    EXPECT_EQ(shownMessage, "Could not load The Crayvex webpage. Please make sure that your "
                            "internet browser is working!");
    // A missing page is never handed on to a browser.
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(shownPages.isEmpty());
}

TEST_F(frmSplashTest, MainTimerPausedWhileLoaded) {
    QWidget mainWindow;
    platform::SystemTimer timer(&mainWindow);
    timer.SetInterval(1);
    MainWindowLink::Current().Window = &mainWindow;
    MainWindowLink::Current().Timer1 = &timer;
    for (bool running : {true, false}) {
        timer.SetEnabled(running);
        EXPECT_FALSE(ClickInAboutBox([&] {
            EXPECT_FALSE(timer.Enabled());
            form.Command1_Click();
        }));
        EXPECT_EQ(timer.Enabled(), running);
    }
    timer.SetEnabled(false);
    MainWindowLink::Current() = {};
}

// Pictures of both faces for a person to look at: set CRAYVEX_SHOTS to a folder and run
// under a real X server (QT_QPA_PLATFORM=xcb).
TEST_F(frmSplashTest, Shots) {
    const QString shots = qEnvironmentVariable("CRAYVEX_SHOTS");
    if (shots.isEmpty())
        GTEST_SKIP() << "set CRAYVEX_SHOTS to a folder to take the pictures";
    // No link is clicked here; the screen grabber must be found on the PATH.
    qputenv("PATH", savedPath);
    const auto save = [&](const QString& name) {
        QTest::qWait(200);
        EXPECT_TRUE(form.Window()->grab().save(QDir(shots).filePath(name + ".png")));
        if (!qEnvironmentVariableIsEmpty("DISPLAY"))
            QProcess::execute(QStringLiteral("import"),
                              {QStringLiteral("-window"), QStringLiteral("root"),
                               QDir(shots).filePath(name + "-screen.png")});
    };
    form.SetForm_style(1);
    form.Show();
    form.SetProgressText(frmSplash::ProgressLine(
        1, 3, QStringLiteral("animals of the jungle and the deep blue sea")));
    save(QStringLiteral("frmSplash-loading"));
    form.Unload();
    form.SetForm_style(0);
    ShowModalWith(form, [&] {
        save(QStringLiteral("frmSplash-about"));
        QTest::mouseMove(form.Command3);
        save(QStringLiteral("frmSplash-about-hover"));
        form.Unload();
    });
}

} // namespace
