#include "PageWindow.h"
#include "Shell.h"
#include "WaitLimit.h"
#include "mMain_Web.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// PATH holds only a temporary folder, so no real browser can ever start; the desktop's
// address handler is replaced by a recorder.
class OpenWebPage : public ::testing::Test {
protected:
    void SetUp() override {
        savedPath = qgetenv("PATH");
        qputenv("PATH", dir.path().toLocal8Bit());
        platform::shell::SetUrlOpener([this](const QUrl& url) {
            opened.append(url);
            return handlerWorks;
        });
    }
    void TearDown() override {
        platform::shell::SetUrlOpener({});
        qputenv("PATH", savedPath);
    }

    // A fake browser that writes its arguments, one a line, into a file.
    void InstallBrowser() {
        QFile script(dir.filePath(QStringLiteral("x-www-browser")));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nPATH=/usr/bin:/bin\nfor a in \"$@\"; do echo \"$a\"; done > "
                     "\"$0.args.tmp\"\n"
                     "mv \"$0.args.tmp\" \"$0.args\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QByteArray BrowserArguments() const {
        QFile args(dir.filePath(QStringLiteral("x-www-browser.args")));
        const QDeadlineTimer deadline(WaitLimitMs);
        while (!args.exists() && !deadline.hasExpired())
            QThread::msleep(10);
        return args.open(QIODevice::ReadOnly) ? args.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QByteArray savedPath;
    QList<QUrl> opened;
    bool handlerWorks = true;
};

TEST_F(OpenWebPage, StartsTheBrowserWithTheAddressAndStopsThere) {
    InstallBrowser();
    const QString address = QStringLiteral("https://example.org/pictures");
    EXPECT_TRUE(mMain::OpenWebPage(address, nullptr));
    EXPECT_EQ(BrowserArguments(), address.toUtf8() + '\n');
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(OpenWebPage, WithoutABrowserHandsTheAddressToTheDesktop) {
    const QString address = QStringLiteral("https://example.org/more pictures");
    EXPECT_TRUE(mMain::OpenWebPage(address, nullptr));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(address));
}

TEST_F(OpenWebPage, FalseOnlyWhenBothWaysFail) {
    handlerWorks = false;
    EXPECT_FALSE(mMain::OpenWebPage(QStringLiteral("https://example.org/"), nullptr));
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(OpenWebPage, ABrowserThatIsNotExecutableCountsAsMissing) {
    InstallBrowser();
    QFile::setPermissions(dir.filePath(QStringLiteral("x-www-browser")), QFile::ReadOwner);
    EXPECT_TRUE(mMain::OpenWebPage(QStringLiteral("https://example.org/"), nullptr));
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(OpenWebPage, PagesOnThisComputerShowInTheProgramsOwnWindow) {
    InstallBrowser();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Kids #1 100% sure?")));
    const QString page = dir.filePath(QStringLiteral("Kids #1 100% sure?/help.htm"));
    {
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html><head><title>Help</title></head><body>Help</body></html>");
    }
    const QString pipe = dir.filePath(QStringLiteral("pipe.htm"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QUrl pageUrl = QUrl::fromLocalFile(page);

    // The window that shows is read and closed.
    QList<QUrl> shown;
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        platform::PageWindow& window = platform::PageWindow::Instance();
        if (window.IsLoaded() && window.Visible()) {
            shown.append(window.Browser->source());
            window.Unload();
        }
    });
    reader.start(10);

    struct Case {
        QString address;
        bool result;
    };
    for (const Case& c : {
             Case{pageUrl.toString(QUrl::FullyEncoded), true},
             Case{page, true},
             Case{QUrl::fromLocalFile(dir.filePath(QStringLiteral("gone.htm"))).toString(), false},
             Case{QStringLiteral("no-such-page"), false},
             Case{QUrl::fromLocalFile(dir.path()).toString(), false},
             Case{QUrl::fromLocalFile(pipe).toString(), false},
         }) {
        shown.clear();
        EXPECT_EQ(mMain::OpenWebPage(c.address, nullptr), c.result) << c.address.toStdString();
        EXPECT_EQ(shown, c.result ? QList<QUrl>{pageUrl} : QList<QUrl>{})
            << c.address.toStdString();
    }
    EXPECT_TRUE(opened.isEmpty());
    // A web address after them reaches the browser, which had been started by none of them.
    const QString web = QStringLiteral("https://example.org/");
    EXPECT_TRUE(mMain::OpenWebPage(web, nullptr));
    EXPECT_EQ(BrowserArguments(), web.toUtf8() + '\n');
}

} // namespace
