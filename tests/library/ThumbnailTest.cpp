#include "Thumbnail.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ThumbnailTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(ThumbnailTest, FitsTheWholePictureCentredOnWhite) {
    // A wide black picture: it fills the width and leaves white bands above and below.
    QImage wide(200, 100, QImage::Format_RGB32);
    wide.fill(Qt::black);
    ASSERT_TRUE(wide.save(Path("wide.gif.bmp"), "BMP"));
    ASSERT_TRUE(QFile::rename(Path("wide.gif.bmp"), Path("wide.gif")));

    ASSERT_TRUE(Thumbnail::Make(Path("wide.gif"), Path("wide.gif.qrv")));
    const QImage thumb(Path("wide.gif.qrv"), "BMP");
    ASSERT_EQ(thumb.size(), QSize(100, 100));
    EXPECT_EQ(QColor(thumb.pixel(50, 5)), QColor(Qt::white));
    EXPECT_EQ(QColor(thumb.pixel(50, 95)), QColor(Qt::white));
    EXPECT_EQ(QColor(thumb.pixel(2, 50)), QColor(Qt::black));
    EXPECT_EQ(QColor(thumb.pixel(97, 50)), QColor(Qt::black));
}

TEST_F(ThumbnailTest, SmallPicturesAreScaledUp) {
    QImage tall(10, 20, QImage::Format_RGB32);
    tall.fill(Qt::red);
    ASSERT_TRUE(tall.save(Path("tall.jpg"), "JPG", 100));
    ASSERT_TRUE(Thumbnail::Make(Path("TALL.JPG"), Path("tall.jpg.qrv")));
    const QImage thumb(Path("tall.jpg.qrv"), "BMP");
    ASSERT_EQ(thumb.size(), QSize(100, 100));
    EXPECT_EQ(QColor(thumb.pixel(5, 50)), QColor(Qt::white));
    EXPECT_GT(qRed(thumb.pixel(50, 2)), 200);
    EXPECT_LT(qGreen(thumb.pixel(50, 97)), 60);
}

TEST_F(ThumbnailTest, DamagedOrMissingPicturesMakeNoThumbnail) {
    QFile damaged(Path("damaged.bmp"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("BM not really a bitmap");
    damaged.close();
    EXPECT_FALSE(Thumbnail::Make(Path("damaged.bmp"), Path("damaged.bmp.qrv")));
    EXPECT_FALSE(Thumbnail::Make(Path("missing.gif"), Path("missing.gif.qrv")));
    EXPECT_FALSE(QFile::exists(Path("damaged.bmp.qrv")));
    EXPECT_FALSE(QFile::exists(Path("missing.gif.qrv")));
}

TEST_F(ThumbnailTest, AnUnwritableFolderMakesNoThumbnail) {
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(Path("blue.bmp"), "BMP"));
    EXPECT_FALSE(Thumbnail::Make(Path("blue.bmp"), Path("nowhere/blue.bmp.qrv")));
}

} // namespace
