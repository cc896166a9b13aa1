#include "Shell.h"
#include "WaitLimit.h"
#include "mMain_Web.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>

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
    const QString address = QStringLiteral("file:///opt/crayvex/help/index.htm");
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

TEST_F(OpenWebPage, OnlyAddressesAndExistingFilesReachTheDesktop) {
    EXPECT_FALSE(mMain::OpenWebPage(QStringLiteral("no-such-page"), nullptr));
    EXPECT_TRUE(opened.isEmpty());
    const QString page = dir.filePath(QStringLiteral("help.htm"));
    QFile(page).open(QIODevice::WriteOnly);
    EXPECT_TRUE(mMain::OpenWebPage(page, nullptr));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(page));
}

} // namespace
