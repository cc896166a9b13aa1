#include "PictureFolders.h"

#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class PictureFoldersTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetProgramFolder(dir.path()); }
    void TearDown() override { platform::SetProgramFolder(QString()); }
    QString In(const QString& relative) const { return dir.path() + QLatin1Char('/') + relative; }
    void Touch(const QString& relative) const {
        QDir().mkpath(QFileInfo(In(relative)).path());
        QFile file(In(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    bool Exists(const QString& relative) const { return QFileInfo::exists(In(relative)); }
    QTemporaryDir dir;
};

TEST_F(PictureFoldersTest, NamesAppendToTheWholeFileName) {
    using namespace PictureFolders;
    EXPECT_EQ(BooksFolder(), In(QStringLiteral("books")));
    EXPECT_EQ(BookFolder(QStringLiteral("Animals")), In(QStringLiteral("books/Animals")));
    EXPECT_EQ(ColoredPicturesFolder(), In(QStringLiteral("colored pictures")));
    EXPECT_EQ(ColoredPictureFile(QStringLiteral("Animals"), QStringLiteral("x.jpg")),
              In(QStringLiteral("colored pictures/Animals/x.jpg.jpg")));
    EXPECT_EQ(ColoredPictureFile(QStringLiteral("own pictures"), QStringLiteral("own_0.bmp")),
              In(QStringLiteral("colored pictures/own pictures/own_0.bmp.jpg")));
    EXPECT_EQ(ThumbnailFile(In(QStringLiteral("books/Animals/x.jpg"))),
              In(QStringLiteral("books/Animals/x.jpg.qrv")));
    EXPECT_EQ(ThumbnailFile(ColoredPictureFile(QStringLiteral("Animals"), QStringLiteral("x.jpg"))),
              In(QStringLiteral("colored pictures/Animals/x.jpg.jpg.qrv")));
}

TEST_F(PictureFoldersTest, ProperCaseTitleFindsTheFolderOnDisk) {
    Touch(QStringLiteral("books/own pictures/own_0.bmp"));
    Touch(QStringLiteral("colored pictures/own pictures/own_0.bmp.jpg"));
    EXPECT_EQ(PictureFolders::ColoredFolder(QStringLiteral("Own Pictures")),
              In(QStringLiteral("colored pictures/own pictures")));
    EXPECT_EQ(PictureFolders::ColoredPictureFile(QStringLiteral("Own Pictures"),
                                                 QStringLiteral("own_0.bmp")),
              In(QStringLiteral("colored pictures/own pictures/own_0.bmp.jpg")));
}

TEST_F(PictureFoldersTest, PictureFilesByExtension) {
    for (const char* name : {"cat.gif", "CAT.GIF", "a.b.bmp", "x.jpg", ".jpg"})
        EXPECT_TRUE(PictureFolders::IsPictureFile(QString::fromLatin1(name))) << name;
    for (const char* name : {"cat.gif.qrv", "x.jpeg", "x.png", "jpg", "x.jpg.txt", ""})
        EXPECT_FALSE(PictureFolders::IsPictureFile(QString::fromLatin1(name))) << name;
}

TEST_F(PictureFoldersTest, BookPicturesAreTheDrawingsDirectlyInTheFolder) {
    for (const char* file : {"Animals/dog.BMP", "Animals/cat.gif", "Animals/cat.gif.qrv",
                             "Animals/notes.txt", "Animals/sub/deep.gif"})
        Touch(QStringLiteral("books/") + QLatin1String(file));
    QDir().mkpath(In(QStringLiteral("books/Animals/folder.gif")));
    EXPECT_EQ(PictureFolders::BookPictures(QStringLiteral("animals")),
              (QStringList{QStringLiteral("cat.gif"), QStringLiteral("dog.BMP")}));
    EXPECT_TRUE(PictureFolders::BookPictures(QStringLiteral("missing")).isEmpty());
}

TEST_F(PictureFoldersTest, HiddenFilesAndFoldersAreNeitherBooksNorPictures) {
    for (const char* file : {"Animals/cat.gif", "Animals/._cat.gif", "Animals/.dog.bmp",
                             ".hidden/fish.gif", "Birds/._owl.jpg"})
        Touch(QStringLiteral("books/") + QLatin1String(file));
    EXPECT_EQ(PictureFolders::BookTitles(),
              (QStringList{QStringLiteral("Animals"), QStringLiteral("Birds")}));
    EXPECT_EQ(PictureFolders::BookPictures(QStringLiteral("Animals")),
              QStringList{QStringLiteral("cat.gif")});
    EXPECT_TRUE(PictureFolders::BookPictures(QStringLiteral("Birds")).isEmpty());

    // A hidden thumbnail without its picture is still an orphan.
    Touch(QStringLiteral("books/Animals/._gone.gif.qrv"));
    Touch(QStringLiteral("books/Animals/._cat.gif.qrv"));
    PictureFolders::PurgeOrphanThumbnails(In(QStringLiteral("books/Animals")));
    EXPECT_FALSE(Exists(QStringLiteral("books/Animals/._gone.gif.qrv")));
    EXPECT_TRUE(Exists(QStringLiteral("books/Animals/._cat.gif.qrv")));
}

TEST_F(PictureFoldersTest, NextBlankPageTakesTheSmallestFreeNumber) {
    const QString folder = QStringLiteral("books/own pictures/");
    EXPECT_EQ(PictureFolders::NextOwnPictureFile(), In(folder + QStringLiteral("own_0.bmp")));
    Touch(folder + QStringLiteral("own_0.bmp"));
    Touch(folder + QStringLiteral("OWN_2.BMP"));
    EXPECT_EQ(PictureFolders::NextOwnPictureFile(), In(folder + QStringLiteral("own_1.bmp")));
    Touch(folder + QStringLiteral("own_1.bmp"));
    EXPECT_EQ(PictureFolders::NextOwnPictureFile(), In(folder + QStringLiteral("own_3.bmp")));
}

TEST_F(PictureFoldersTest, PurgeDeletesOnlyThumbnailsWithoutTheirPicture) {
    for (const char* file :
         {"cat.gif", "cat.gif.qrv", "gone.bmp.qrv", "Dog.JPG", "dog.jpg.qrv", "notes.txt"})
        Touch(QStringLiteral("books/Animals/") + QLatin1String(file));
    PictureFolders::PurgeOrphanThumbnails(In(QStringLiteral("books/Animals")));
    EXPECT_TRUE(Exists(QStringLiteral("books/Animals/cat.gif.qrv")));
    EXPECT_TRUE(Exists(QStringLiteral("books/Animals/dog.jpg.qrv")));
    EXPECT_FALSE(Exists(QStringLiteral("books/Animals/gone.bmp.qrv")));
    EXPECT_TRUE(Exists(QStringLiteral("books/Animals/notes.txt")));

    Touch(QStringLiteral("colored pictures/Animals/x.gif.jpg.qrv"));
    PictureFolders::PurgeOrphanThumbnails(In(QStringLiteral("colored pictures/Animals/")));
    EXPECT_FALSE(Exists(QStringLiteral("colored pictures/Animals/x.gif.jpg.qrv")));
    PictureFolders::PurgeOrphanThumbnails(In(QStringLiteral("colored pictures/Missing")));
}

} // namespace
