#include "mMain_Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;

struct TextCase {
    const char* input;
    const char* expected;
};

TEST(IsValidFileName, RefusesEmptyNamesAndTheNineCharacters) {
    EXPECT_FALSE(mMain::IsValidFileName(QString()));
    for (const char* name : {"a|b", "a:b", "a\\b", "a/b", "a*b", "a?b", "a\"b", "a<b", "a>b"})
        EXPECT_FALSE(mMain::IsValidFileName(QString::fromLatin1(name))) << name;
    for (const char* name : {"My book", " .", "..", "CON", "a.b.c"})
        EXPECT_TRUE(mMain::IsValidFileName(QString::fromLatin1(name))) << name;
}

TEST(GetFileName, TakesTheTextAfterTheLastSlash) {
    const TextCase cases[] = {{"/a/b.gif", "b.gif"}, {"b.gif", "b.gif"},      {"/a/", ""}, {"", ""},
                              {"/b.gif", "b.gif"},   {"a\\b.gif", "a\\b.gif"}};
    for (const TextCase& c : cases)
        EXPECT_EQ(mMain::GetFileName(QString::fromLatin1(c.input)), QLatin1String(c.expected))
            << c.input;
}

TEST(GetParentPath, TakesTheTextBeforeTheLastSlash) {
    const TextCase cases[] = {{"/a/b.gif", "/a"}, {"/b.gif", ""}, {"/a/", "/a"},
                              {"a/b/c", "a/b"},   {"b.gif", ""},  {"", ""}};
    for (const TextCase& c : cases)
        EXPECT_EQ(mMain::GetParentPath(QString::fromLatin1(c.input)), QLatin1String(c.expected))
            << c.input;
}

TEST(GetFileName, HandlesPathsLongerThanSixteenBits) {
    const QString path = QString(40000, QLatin1Char('x')) + QStringLiteral("/name.bmp");
    EXPECT_EQ(mMain::GetFileName(path), QStringLiteral("name.bmp"));
    EXPECT_EQ(mMain::GetParentPath(path).size(), 40000);
}

class FileRoutines : public ::testing::Test {
protected:
    QString Path(const QString& relative) const { return dir.filePath(relative); }
    void Write(const QString& relative, const QByteArray& content = "data") const {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray Read(const QString& relative) const {
        QFile file(Path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Clears the write bits, the Windows read-only attribute's counterpart.
    void MakeReadOnly(const QString& relative) const {
        fs::permissions(Path(relative).toStdString(),
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    bool Exists(const QString& relative) const { return QFileInfo::exists(Path(relative)); }

    QTemporaryDir dir;
};

TEST_F(FileRoutines, DeleteFolderWithOrWithoutTrailingSlash) {
    for (const char* suffix : {"", "/"}) {
        Write(QStringLiteral("x/inner/a.bmp"));
        EXPECT_TRUE(mMain::DeleteFolder(Path(QStringLiteral("x")) + QLatin1String(suffix)));
        EXPECT_FALSE(Exists(QStringLiteral("x")));
    }
}

TEST_F(FileRoutines, DeleteFolderOfMissingFolderOrOfAFileIsFalse) {
    Write(QStringLiteral("file.bmp"));
    EXPECT_FALSE(mMain::DeleteFolder(Path(QStringLiteral("missing"))));
    EXPECT_FALSE(mMain::DeleteFolder(Path(QStringLiteral("file.bmp"))));
    EXPECT_FALSE(mMain::DeleteFolder(QString()));
    EXPECT_TRUE(Exists(QStringLiteral("file.bmp")));
}

TEST_F(FileRoutines, DeleteFolderHoldingAReadOnlyFileDeletesNothing) {
    Write(QStringLiteral("x/a.bmp"));
    Write(QStringLiteral("x/sub/locked.bmp"));
    MakeReadOnly(QStringLiteral("x/sub/locked.bmp"));
    EXPECT_FALSE(mMain::DeleteFolder(Path(QStringLiteral("x"))));
    EXPECT_TRUE(Exists(QStringLiteral("x/a.bmp")));
    EXPECT_TRUE(Exists(QStringLiteral("x/sub/locked.bmp")));
}

TEST_F(FileRoutines, DeleteFolderMatchesNamesWithoutRegardToCase) {
    Write(QStringLiteral("Animals/cat.gif"));
    EXPECT_TRUE(mMain::DeleteFolder(Path(QStringLiteral("ANIMALS"))));
    EXPECT_FALSE(Exists(QStringLiteral("Animals")));
}

TEST_F(FileRoutines, DeleteFile) {
    Write(QStringLiteral("a.bmp"));
    Write(QStringLiteral("locked.bmp"));
    MakeReadOnly(QStringLiteral("locked.bmp"));
    QDir().mkpath(Path(QStringLiteral("folder")));

    EXPECT_TRUE(mMain::DeleteFile(Path(QStringLiteral("A.BMP"))));
    EXPECT_FALSE(Exists(QStringLiteral("a.bmp")));
    EXPECT_FALSE(mMain::DeleteFile(Path(QStringLiteral("a.bmp"))));
    EXPECT_FALSE(mMain::DeleteFile(Path(QStringLiteral("locked.bmp"))));
    EXPECT_TRUE(Exists(QStringLiteral("locked.bmp")));
    EXPECT_FALSE(mMain::DeleteFile(Path(QStringLiteral("folder"))));
    EXPECT_TRUE(Exists(QStringLiteral("folder")));
    EXPECT_FALSE(mMain::DeleteFile(Path(QStringLiteral("folder/"))));
}

TEST_F(FileRoutines, CopyFileOverAReadOnlyDestination) {
    Write(QStringLiteral("source.gif"), "new");
    Write(QStringLiteral("dest.gif"), "old");
    MakeReadOnly(QStringLiteral("dest.gif"));
    EXPECT_TRUE(
        mMain::CopyFile(Path(QStringLiteral("source.gif")), Path(QStringLiteral("dest.gif"))));
    EXPECT_EQ(Read(QStringLiteral("dest.gif")), QByteArray("new"));
    EXPECT_EQ(Read(QStringLiteral("source.gif")), QByteArray("new"));
}

TEST_F(FileRoutines, CopyFileWithMissingSourceDeletesTheDestination) {
    Write(QStringLiteral("dest.gif"), "old");
    EXPECT_FALSE(
        mMain::CopyFile(Path(QStringLiteral("missing.gif")), Path(QStringLiteral("dest.gif"))));
    EXPECT_FALSE(Exists(QStringLiteral("dest.gif")));
}

TEST_F(FileRoutines, CopyFileOntoItselfKeepsTheFile) {
    Write(QStringLiteral("cat.gif"), "drawing");
    EXPECT_TRUE(mMain::CopyFile(Path(QStringLiteral("cat.gif")), Path(QStringLiteral("CAT.GIF"))));
    EXPECT_EQ(Read(QStringLiteral("cat.gif")), QByteArray("drawing"));
}

TEST_F(FileRoutines, CopyFileIntoAMissingFolderIsFalse) {
    Write(QStringLiteral("source.gif"));
    EXPECT_FALSE(mMain::CopyFile(Path(QStringLiteral("source.gif")),
                                 Path(QStringLiteral("nowhere/dest.gif"))));
    EXPECT_TRUE(
        mMain::CopyFile(Path(QStringLiteral("source.gif")), Path(QStringLiteral("copy.gif"))));
    EXPECT_EQ(Read(QStringLiteral("copy.gif")), QByteArray("data"));
}

} // namespace
