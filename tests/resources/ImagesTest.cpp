// The pictures compiled into the program: every resource the windows load is there, with
// the size, hot spot, grey values or colours that the code relies on.
#include "Resources.h"

#include <QColor>
#include <gtest/gtest.h>

namespace res = platform::resources;

namespace {
int Darkest(const QImage& image) {
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qBlue(image.pixel(x, y)));
    return darkest;
}

bool IsGrey(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) != qBlue(p) || qGreen(p) != qBlue(p))
                return false;
        }
    }
    return true;
}
} // namespace

TEST(Images, BrushesAreGreyWithTheirSizesAndDarkestValues) {
    struct Case {
        const char* name;
        QSize size;
        int darkest;
    };
    for (const Case& c :
         {Case{"pBr0", {40, 35}, 114}, Case{"pBr1", {112, 106}, 126}, Case{"pBr2", {8, 8}, 165}}) {
        SCOPED_TRACE(c.name);
        const QImage brush = res::DesignPicture(QString::fromLatin1(c.name));
        ASSERT_FALSE(brush.isNull());
        EXPECT_EQ(brush.size(), c.size);
        EXPECT_TRUE(IsGrey(brush));
        EXPECT_EQ(Darkest(brush), c.darkest);
        // The corners carry no paint, so a stamp has no square edge.
        EXPECT_EQ(qBlue(brush.pixel(0, 0)), 255);
        EXPECT_EQ(qBlue(brush.pixel(brush.width() - 1, brush.height() - 1)), 255);
    }
}

TEST(Images, CursorsHaveTheirSizesAndTheToolTipAtTheHotSpot) {
    struct Case {
        int id;
        QSize size;
        QPoint hotSpot;
    };
    for (const Case& c : {Case{101, {32, 32}, {8, 1}}, Case{106, {69, 58}, {3, 52}},
                          Case{104, {67, 73}, {1, 69}}, Case{102, {65, 56}, {0, 51}}}) {
        SCOPED_TRACE(c.id);
        const auto cursor = res::Cursor(c.id);
        ASSERT_TRUE(cursor.has_value());
        EXPECT_EQ(cursor->image.size(), c.size);
        EXPECT_EQ(cursor->hotSpot, c.hotSpot);
        EXPECT_TRUE(cursor->image.hasAlphaChannel());
        // The drawing reaches the hot spot: an opaque pixel on it or right beside it.
        int opaque = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (cursor->image.rect().contains(c.hotSpot + QPoint(dx, dy)))
                    opaque =
                        std::max(opaque, qAlpha(cursor->image.pixel(c.hotSpot + QPoint(dx, dy))));
        EXPECT_GE(opaque, 128);
        // Around the drawing the cursor is see-through.
        EXPECT_EQ(qAlpha(cursor->image.pixel(c.size.width() - 1, c.size.height() - 1)), 0);
    }
}

TEST(Images, MissingPicturesAreNull) {
    EXPECT_TRUE(res::Bitmap(100).isNull());
    EXPECT_FALSE(res::Cursor(99).has_value());
    EXPECT_TRUE(res::DesignPicture(QStringLiteral("pBr3")).isNull());
}
