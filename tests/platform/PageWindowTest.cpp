#include "PageWindow.h"

#include "WaitLimit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using platform::PageWindow;

class PageWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // A folder whose name holds the characters that mean something in an address.
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Kids #1 100% sure?")));
        folder = dir.filePath(QStringLiteral("Kids #1 100% sure?"));
        Write("help.htm", "<html><head><title>Help for parents</title></head><body>"
                          "<p><a href=\"license_agreement.htm\">licence</a> "
                          "<a href=\"https://example.org/\">web</a> "
                          "<a href=\"mailto:someone@example.org\">mail</a> "
                          "<a href=\"missing.htm\">missing</a></p>"
                          "<p style=\"margin-top: 3000px\" id=\"end\">The end</p></body></html>");
        Write("license_agreement.htm", "<html><body><p>MIT License</p></body></html>");
    }
    void TearDown() override { page.Unload(); }

    void Write(const char* name, const char* html) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(html);
    }
    QString Path(const char* name) const { return folder + QLatin1Char('/') + QLatin1String(name); }
    QUrl Url(const char* name) const { return QUrl::fromLocalFile(Path(name)); }

    // Shows the page and runs `look` once the window is up; the window is closed with its
    // button afterwards (or by the watchdog). Returns ShowPage's result.
    bool ShowAndLook(const QUrl& address, const std::function<void()>& look) {
        QTimer poller;
        QObject::connect(&poller, &QTimer::timeout, [&] {
            if (!page.IsLoaded() || !page.Visible())
                return;
            poller.stop();
            look();
            if (page.IsLoaded())
                QTest::mouseClick(page.CloseButton, Qt::LeftButton);
        });
        poller.start(10);
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            ADD_FAILURE() << "the page window stayed up";
            page.Unload();
        });
        watchdog.start(WaitLimitMs);
        return page.ShowPage(address);
    }

    QTemporaryDir dir;
    QString folder;
    PageWindow& page = PageWindow::Instance();
};

TEST_F(PageWindowTest, ShowsThePageModallyUntilClosed) {
    bool looked = false;
    EXPECT_TRUE(ShowAndLook(Url("help.htm"), [&] {
        looked = true;
        QWidget* window = page.Window();
        EXPECT_EQ(page.Browser->source(), Url("help.htm"));
        EXPECT_TRUE(page.Browser->toPlainText().contains(QStringLiteral("The end")));
        EXPECT_EQ(page.Title->text(), "Help for parents");
        EXPECT_EQ(window->windowTitle(), "Help for parents");
        EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
        EXPECT_TRUE(window->windowType() == Qt::Dialog);
        // Within the screen, so that nothing of it lies out of reach.
        EXPECT_TRUE(window->screen()->geometry().contains(window->geometry()));
    }));
    EXPECT_TRUE(looked);
    EXPECT_FALSE(page.IsLoaded());
}

TEST_F(PageWindowTest, AnAnchorInTheAddressScrollsToIt) {
    QUrl address = Url("help.htm");
    address.setFragment(QStringLiteral("end"));
    EXPECT_TRUE(
        ShowAndLook(address, [&] { EXPECT_GT(page.Browser->verticalScrollBar()->value(), 0); }));
}

TEST_F(PageWindowTest, NoPageShowsNothing) {
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("folder.htm")));
    for (const QUrl& address : {Url("missing.htm"), Url("folder.htm"), QUrl(),
                                QUrl(QStringLiteral("https://example.org/help.htm"))}) {
        EXPECT_FALSE(page.ShowPage(address)) << address.toString().toStdString();
        EXPECT_FALSE(page.IsLoaded()) << address.toString().toStdString();
    }
}

TEST_F(PageWindowTest, FollowsLinksToPagesOnThisComputerOnly) {
    EXPECT_TRUE(ShowAndLook(Url("help.htm"), [&] {
        // Links that lead off the computer, or to no page, leave the page as it is.
        for (const char* link :
             {"https://example.org/", "mailto:someone@example.org", "missing.htm", "."}) {
            page.FollowLink(QUrl(QString::fromLatin1(link)));
            EXPECT_EQ(page.Browser->source(), Url("help.htm")) << link;
        }
        // A place on the same page.
        page.FollowLink(QUrl(QStringLiteral("#end")));
        EXPECT_EQ(page.Browser->source().fragment(), "end");
        EXPECT_GT(page.Browser->verticalScrollBar()->value(), 0);
        // Another page beside it, clicked; without a title of its own, its file name
        // stands in.
        emit page.Browser->anchorClicked(QUrl(QStringLiteral("license_agreement.htm")));
        EXPECT_EQ(page.Browser->source(), Url("license_agreement.htm"));
        EXPECT_TRUE(page.Browser->toPlainText().contains(QStringLiteral("MIT License")));
        EXPECT_EQ(page.Title->text(), "license_agreement.htm");
    }));
}

TEST_F(PageWindowTest, KeysNeitherCloseItNorFollowALink) {
    EXPECT_TRUE(ShowAndLook(Url("help.htm"), [&] {
        EXPECT_EQ(page.CloseButton->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(page.Browser->textInteractionFlags().testFlag(Qt::LinksAccessibleByKeyboard));
        for (const Qt::Key key :
             {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}) {
            QWidget* target = QApplication::focusWidget();
            QTest::keyClick(target ? target : page.Window(), key);
        }
        QCoreApplication::processEvents();
        EXPECT_TRUE(page.IsLoaded());
        EXPECT_TRUE(page.Visible());
        EXPECT_EQ(page.Browser->source(), Url("help.htm"));
    }));
}

} // namespace
