#include "Thumbnail.h"

#include "PictureFile.h"
#include "PictureFiles.h"
#include "cNDib.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The thumbnail as Qt makes it: the picture read by Qt's own readers over white, scaled
// smoothly by Qt into the fitted area of a white square.
QImage QtThumbnail(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage picture = platform::OverBackColour(reader.read(), 0xFFFFFF);
    QImage square(Thumbnail::Size, Thumbnail::Size, QImage::Format_RGB32);
    square.fill(Qt::white);
    const cNDib::Area area =
        cNDib::FitArea(picture.width(), picture.height(), 0, 0, Thumbnail::Size, Thumbnail::Size);
    if (area.Width > 0 && area.Height > 0) {
        const QSize size(int(area.Width), int(area.Height));
        QPainter painter(&square);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(int(area.Left), int(area.Top),
                          picture.size() == size ? picture
                                                 : picture.scaled(size, Qt::IgnoreAspectRatio,
                                                                  Qt::SmoothTransformation));
    }
    return square;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
    // The thumbnail itself is still made, for a window to draw from memory.
    bool cached = true;
    const QImage drawn = Thumbnail::Create(Path("blue.bmp"), Path("nowhere/blue.bmp.qrv"), &cached);
    EXPECT_FALSE(cached);
    ASSERT_EQ(drawn.size(), QSize(100, 100));
    EXPECT_EQ(QColor(drawn.pixel(50, 50)), QColor(Qt::blue));
}

// The built-in book's drawings (GIF and BMP) give the very bytes Qt's readers and
// scaling give.
TEST_F(ThumbnailTest, DrawingsOfTheBuiltInBookGiveQtsThumbnailsByteForByte) {
    const QDir book(QCoreApplication::applicationDirPath() +
                    QStringLiteral("/../bin/books/The Crayvex"));
    const QStringList drawings = book.entryList(QDir::Files);
    ASSERT_FALSE(drawings.isEmpty());
    for (const QString& drawing : drawings) {
        SCOPED_TRACE(drawing.toStdString());
        const QString thumbnail = dir.filePath(drawing + QStringLiteral(".qrv"));
        ASSERT_TRUE(Thumbnail::Make(book.filePath(drawing), thumbnail));
        EXPECT_EQ(FileBytes(thumbnail), fixtures::QtBmpFile(QtThumbnail(book.filePath(drawing))));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.part")}).isEmpty())
        << "a part file left";
}

// Pictures of every shape: shrunk in both directions or one, scaled up, of the square's
// own size, or too thin to show at all.
TEST_F(ThumbnailTest, PicturesOfEveryShapeGiveQtsThumbnails) {
    const QSize sizes[] = {{750, 480}, {480, 750}, {100, 100}, {100, 60}, {60, 100}, {101, 99},
                           {10, 20},   {300, 40},  {1000, 1},  {2, 333},  {1, 1}};
    for (const QSize size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        QImage picture(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                picture.setPixel(
                    x, y, (x / 7 + y / 5) % 3 ? qRgb(255, 255, 255) : qRgb(x % 256, 40, y % 256));
        const QString path = Path("picture.bmp");
        ASSERT_TRUE(picture.save(path, "BMP"));
        const QImage ours = Thumbnail::Create(path, Path("picture.bmp.qrv"));
        ASSERT_FALSE(ours.isNull());
        EXPECT_EQ(fixtures::QtBmpFile(ours), fixtures::QtBmpFile(QtThumbnail(path)));
        EXPECT_EQ(FileBytes(Path("picture.bmp.qrv")), fixtures::QtBmpFile(ours));
    }
}

} // namespace
