#include "PictureFile.h"

#include <QColor>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Palette bitmaps (1 and 8 bits a pixel) come out pixel for pixel in their table's
// colours, also where a row ends inside a byte.
TEST(PictureFileTest, PaletteBitmapsKeepEveryPixel) {
    QTemporaryDir dir;
    for (const QImage::Format format : {QImage::Format_Mono, QImage::Format_Indexed8}) {
        QImage picture(13, 3, format);
        picture.setColorTable({qRgb(200, 10, 10), qRgb(10, 10, 200)});
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 13; ++x)
                picture.setPixel(x, y, (x + y) % 3 == 0 ? 1 : 0);
        const QString path = dir.filePath(QStringLiteral("p%1.bmp").arg(int(format)));
        ASSERT_TRUE(picture.save(path, "BMP"));

        const QImage loaded = platform::LoadPicture(path);
        ASSERT_EQ(loaded.size(), QSize(13, 3));
        ASSERT_EQ(loaded.format(), QImage::Format_RGB32);
        const QImage expected = QImage(path).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 13; ++x)
                EXPECT_EQ(QColor(loaded.pixel(x, y)), QColor(expected.pixel(x, y)))
                    << int(format) << " at " << x << "," << y;
        EXPECT_EQ(QColor(loaded.pixel(0, 0)), QColor(10, 10, 200));
        EXPECT_EQ(QColor(loaded.pixel(12, 0)), QColor(10, 10, 200));
        EXPECT_EQ(QColor(loaded.pixel(11, 0)), QColor(200, 10, 10));
    }
}

} // namespace
