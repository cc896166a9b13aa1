#include "TemporaryFiles.h"

#include "WholeFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The start time of a process as the names carry it, read as the system gives it.
QString StartOf(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const QStringList fields =
        QString::fromStdString(line.substr(line.rfind(')') + 2)).split(QLatin1Char(' '));
    return QString::number(fields.value(19).toULongLong(), 36);
}

class TemporaryFiles : public testing::Test {
protected:
    QString Make(const QString& name, int ageSeconds = 0) const {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("half a picture");
        file.flush();
        if (ageSeconds > 0)
            file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                             QFileDevice::FileModificationTime);
        return name;
    }
    QTemporaryDir dir;
};

// A process that has ended, reaped: its id names no live writer.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST_F(TemporaryFiles, OnlyTheProgramsOwnNamesWithoutALiveWriterAreLeftOnes) {
    const QString self = QString::number(::getpid());
    const QString parent = QString::number(::getppid());
    const QString ended = QString::number(EndedProcess());
    const struct {
        QString name;
        int age;
        bool left;
    } cases[] = {
        {".crayvex-" + self + "-" + StartOf(::getpid()) + "-abc12.tmp", 0, false},
        {".crayvex-" + parent + "-" + StartOf(::getppid()) + "-abc12.tmp", 0, false},
        // The id of a live process given again after the writer ended.
        {".crayvex-" + parent + "-" +
             QString::number(StartOf(::getppid()).toULongLong(nullptr, 36) + 1, 36) + "-x.tmp",
         0, true},
        {".crayvex-" + ended + "-" + StartOf(::getpid()) + "-abc12.tmp", 0, true},
        // The older names, which do not tell their writer: by the time of the last write.
        {".crayvex-1k3j9.tmp", 0, false},
        {".crayvex-1k3j9.tmp", 2 * 60 * 60, true},
        // Not the program's temporary names.
        {".crayvex-" + ended + "-1-a.tmp.jpg", 2 * 60 * 60, false},
        {"crayvex-" + ended + "-1-a.tmp", 2 * 60 * 60, false},
        {".crayvex-" + ended + "-1-a.TMP", 2 * 60 * 60, false},
        {".crayvex-abc.tmp.qrv", 2 * 60 * 60, false},
        {"own_0.bmp", 2 * 60 * 60, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        Make(c.name, c.age);
        EXPECT_EQ(platform::IsLeftTemporary(dir.path(), c.name), c.left);
        EXPECT_EQ(platform::RemoveLeftTemporary(dir.path(), c.name), c.left);
        EXPECT_EQ(QFile::exists(dir.filePath(c.name)), !c.left);
        QFile::remove(dir.filePath(c.name));
    }
    // A folder of such a name is no file to remove.
    const QString folder = ".crayvex-" + ended + "-1-a.tmp";
    ASSERT_TRUE(QDir(dir.path()).mkdir(folder));
    EXPECT_FALSE(platform::RemoveLeftTemporary(dir.path(), folder));
    EXPECT_TRUE(QFileInfo(dir.filePath(folder)).isDir());
}

// The names a write makes are the ones the rule knows: its own live one is kept, the one
// a killed writer left is a left one.
TEST_F(TemporaryFiles, AWritesTemporaryFileIsKeptWhileItsWriterLives) {
    const QString page = dir.filePath(QStringLiteral("own_0.bmp"));
    QString during;
    platform::SetWholeFileStepForTesting([&](int step) {
        if (step != 1)
            return;
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            if (name != QLatin1String("own_0.bmp")) {
                during = name;
                EXPECT_FALSE(platform::IsLeftTemporary(dir.path(), name));
            }
    });
    ASSERT_TRUE(platform::WriteWholeFile(page, "page", platform::Durability::Cache));
    platform::SetWholeFileStepForTesting({});
    EXPECT_TRUE(during.startsWith(QLatin1String(".crayvex-"))) << during.toStdString();

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::SetWholeFileStepForTesting([](int step) {
            if (step == 2)
                ::_exit(9); // as sudden as a kill
        });
        platform::WriteWholeFile(page, QByteArray(200 * 1024, 'n'), platform::Durability::Cache);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 9);
    const QStringList left =
        QDir(dir.path()).entryList({QStringLiteral(".crayvex-*.tmp")}, QDir::Files | QDir::Hidden);
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(platform::RemoveLeftTemporary(dir.path(), left.front()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"own_0.bmp"});
}

} // namespace
