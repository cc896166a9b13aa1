#include "BitmapFile.h"

#include "PictureFile.h"
#include "PictureFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage Drawing(QImage::Format format) {
    QImage image(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x + y) % 5 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return image.convertToFormat(format);
}

// A bitmap whose file ends before its last row is refused, whatever its depth: Qt's reader
// would show the missing rows as whatever its memory held. The whole file loads, and
// so does one with bytes to spare.
TEST(BitmapFile, AFileCutShortIsRefused) {
    struct Case {
        const char* name;
        QByteArray whole;
    };
    const Case cases[] = {
        {"1 bit", fixtures::QtBmpFile(Drawing(QImage::Format_Mono))},
        {"8 bits", fixtures::QtBmpFile(Drawing(QImage::Format_Indexed8))},
        {"24 bits", fixtures::QtBmpFile(Drawing(QImage::Format_RGB32))},
        {"32 bits with masks", fixtures::Bmp32File(Drawing(QImage::Format_ARGB32), true)},
        {"32 bits plain", fixtures::Bmp32File(Drawing(QImage::Format_RGB32), false)},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("drawing.bmp"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.whole.isEmpty());
        EXPECT_FALSE(platform::BitmapCutShort(c.whole, c.whole.size()));
        ASSERT_TRUE(fixtures::WriteFile(path, c.whole));
        EXPECT_FALSE(platform::LoadPicture(path).isNull());
        ASSERT_TRUE(fixtures::WriteFile(path, c.whole + QByteArray(9, '\0')));
        EXPECT_FALSE(platform::LoadPicture(path).isNull());
        for (const qsizetype cut : {qsizetype(1), qsizetype(100), c.whole.size() / 2}) {
            const QByteArray part = c.whole.left(c.whole.size() - cut);
            EXPECT_TRUE(platform::BitmapCutShort(part, part.size())) << cut;
            ASSERT_TRUE(fixtures::WriteFile(path, part));
            EXPECT_TRUE(platform::LoadPicture(path).isNull()) << cut;
            QImage reused(37, 23, QImage::Format_RGB32);
            EXPECT_FALSE(platform::LoadPicture(path, 0xFFFFFF, reused)) << cut;
        }
    }
}

// Qt's reader takes the rows after the colour table where the table, as long as the
// header's count of colours makes it, runs past the rows' offset.
TEST(BitmapFile, RowsAfterALongColourTableCount) {
    QByteArray bytes = fixtures::QtBmpFile(Drawing(QImage::Format_Mono));
    ASSERT_EQ(uchar(bytes[10]), 62); // two colours after the header, then the rows
    bytes[46] = 4;                   // four colours: the rows begin at 70
    const qsizetype rows = bytes.size() - 62;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("drawing.bmp"));
    EXPECT_TRUE(platform::BitmapCutShort(bytes, bytes.size()));
    ASSERT_TRUE(fixtures::WriteFile(path, bytes));
    EXPECT_TRUE(platform::LoadPicture(path).isNull());
    const QByteArray whole = bytes + QByteArray(8, '\0');
    EXPECT_FALSE(platform::BitmapCutShort(whole, 70 + rows));
    ASSERT_TRUE(fixtures::WriteFile(path, whole));
    EXPECT_FALSE(platform::LoadPicture(path).isNull());
}

// Qt's reader takes a header of a size it does not know as the oldest kind: 16-bit sizes
// right after the header's size, the rows straight after them.
TEST(BitmapFile, AHeaderOfAnUnknownSizeIsTakenAsTheOldestKind) {
    QByteArray bytes("BM", 2);
    const auto put = [&bytes](quint32 value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.append(char(value >> (8 * i) & 0xFF));
    };
    put(0, 4);    // the file's size, unread
    put(0, 4);    // reserved
    put(26, 4);   // the rows' offset
    put(1047, 4); // a header size no writer uses
    put(8, 2);    // width
    put(2, 2);    // height
    put(1, 2);    // planes
    put(24, 2);   // bits a pixel: 24 bytes a row
    const QByteArray whole = bytes + QByteArray(48, '\x7F');
    EXPECT_FALSE(platform::BitmapCutShort(whole, whole.size()));
    EXPECT_TRUE(platform::BitmapCutShort(whole, whole.size() - 1));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("drawing.bmp"));
    ASSERT_TRUE(fixtures::WriteFile(path, whole));
    EXPECT_EQ(platform::LoadPicture(path).size(), QSize(8, 2));
    ASSERT_TRUE(fixtures::WriteFile(path, whole.left(whole.size() - 8)));
    EXPECT_TRUE(platform::LoadPicture(path).isNull());
}

// Headers whose rows cannot be measured are left to Qt's reader.
TEST(BitmapFile, RowsThatCannotBeMeasuredAreNotCalledShort) {
    QByteArray bytes = fixtures::QtBmpFile(Drawing(QImage::Format_Indexed8));
    ASSERT_GE(bytes.size(), 54);
    const QByteArray head = bytes.left(54);
    EXPECT_FALSE(platform::BitmapCutShort(head.left(10), 10)) << "no header";
    QByteArray runLengths = head;
    runLengths[30] = 1; // eight-bit run lengths
    EXPECT_FALSE(platform::BitmapCutShort(runLengths, runLengths.size()));
    QByteArray noWidth = head;
    noWidth[18] = noWidth[19] = noWidth[20] = noWidth[21] = 0;
    EXPECT_FALSE(platform::BitmapCutShort(noWidth, noWidth.size()));
    // A height stored negative (rows top down) counts by its size.
    QByteArray topDown = head;
    const qint32 height = -23;
    for (int i = 0; i < 4; ++i)
        topDown[22 + i] = char(quint32(height) >> (8 * i) & 0xFF);
    EXPECT_TRUE(platform::BitmapCutShort(topDown, topDown.size()));
    EXPECT_FALSE(platform::BitmapCutShort(topDown, bytes.size()));
}

} // namespace
