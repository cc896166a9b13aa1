#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class WholeFileTest : public testing::Test {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    // The folder's entries besides the given file: what a write left behind.
    QStringList Others(const QString& name) const {
        QStringList entries =
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        entries.removeAll(name);
        return entries;
    }
    QTemporaryDir dir;
};

// Pages of distinct bytes, several of the writer's pieces long.
QByteArray Page(char fill) {
    return QByteArray(300 * 1024, fill);
}

TEST_F(WholeFileTest, ReplacesTheFileAndLeavesNothingElse) {
    const QString page = Path(QStringLiteral("own_0.bmp"));
    for (platform::Durability durability :
         {platform::Durability::Cache, platform::Durability::Synced}) {
        ASSERT_TRUE(platform::WriteWholeFile(page, Page('a'), durability));
        ASSERT_TRUE(platform::WriteWholeFile(page, Page('b'), durability));
        EXPECT_EQ(Read(page), Page('b'));
        EXPECT_EQ(Others(QStringLiteral("own_0.bmp")), QStringList());
        EXPECT_EQ(platform::LastFileError(), QString());
        EXPECT_EQ(platform::LastFileErrorNumber(), 0);
    }
}

// The temporary file's name is short whatever the target's: a target of the longest name
// the file system allows is written; one longer fails with the system's reason and
// leaves nothing behind.
TEST_F(WholeFileTest, EveryNameTheFileSystemAllowsCanBeWritten) {
    const QString longest = QString(251, QLatin1Char('n')) + QStringLiteral(".bmp");
    ASSERT_TRUE(platform::WriteWholeFile(Path(longest), Page('a'), platform::Durability::Synced));
    EXPECT_EQ(Read(Path(longest)), Page('a'));
    EXPECT_FALSE(platform::WriteWholeFile(Path(longest + QStringLiteral(".qrv")), Page('b'),
                                          platform::Durability::Cache));
    EXPECT_EQ(platform::LastFileError(), QString::fromLocal8Bit(strerror(ENAMETOOLONG)));
    EXPECT_EQ(platform::LastFileErrorNumber(), ENAMETOOLONG);
    EXPECT_EQ(Others(longest), QStringList());
}

// A named pipe lying under the target's name is replaced, never opened: opening it would
// wait for a writer that never comes.
TEST_F(WholeFileTest, ANamedPipeInTheWayIsReplacedWithoutWaiting) {
    const QString thumbnail = Path(QStringLiteral("cat.gif.qrv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(thumbnail).constData(), 0644), 0);
    ASSERT_TRUE(platform::WriteWholeFile(thumbnail, Page('t'), platform::Durability::Cache));
    EXPECT_EQ(Read(thumbnail), Page('t'));
}

TEST_F(WholeFileTest, AFolderThatIsNotThereFailsWithTheSystemsReason) {
    EXPECT_FALSE(platform::WriteWholeFile(Path(QStringLiteral("gone/own_0.bmp")), Page('a'),
                                          platform::Durability::Synced));
    EXPECT_EQ(platform::LastFileError(), QString::fromLocal8Bit(strerror(ENOENT)));
    EXPECT_EQ(platform::LastFileErrorNumber(), ENOENT);
}

// The process is killed at every step of replacing a page, the write stopped after each
// of its pieces included: the page is always the old one or the new one, whole.
TEST_F(WholeFileTest, AKillAtAnyStepLeavesTheOldPageOrTheNewOneWhole) {
    const QString page = Path(QStringLiteral("own_0.bmp"));
    int sawOld = 0;
    int sawNew = 0;
    for (int stop = 1;; ++stop) {
        ASSERT_TRUE(platform::WriteWholeFile(page, Page('o'), platform::Durability::Synced));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int reached = 0;
            platform::SetWholeFileStepForTesting([stop, &reached](int) {
                if (++reached == stop)
                    ::_exit(9); // as sudden as a kill: nothing is cleaned up
            });
            platform::WriteWholeFile(page, Page('n'), platform::Durability::Synced);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        const QByteArray left = Read(page);
        ASSERT_TRUE(left == Page('o') || left == Page('n')) << "stopped at step " << stop;
        (left == Page('o') ? sawOld : sawNew) += 1;
        if (WEXITSTATUS(status) == 0)
            break; // the write ran to its end without reaching this step
        for (const QString& other : Others(QStringLiteral("own_0.bmp")))
            QFile::remove(Path(other));
    }
    EXPECT_GE(sawOld, 6) << "the temporary file made, each of its five pieces, synced";
    EXPECT_GE(sawNew, 2) << "renamed, and the rename on the disk";
}

} // namespace
