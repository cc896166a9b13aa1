#include "mWindow.h"

#include "ColourValue.h"
#include "DeviceContext.h"
#include "Edge.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace user32 = platform::user32;

namespace {
constexpr uint32_t Background = 0x123456;

uint32_t At(const QImage& image, int x, int y) {
    return platform::ColourValueFromPixel(image.pixel(x, y));
}
} // namespace

TEST(mWindow, EdgeRunsRoundTheWholeWindowWhereverItStands) {
    for (const QPoint place : {QPoint(0, 0), QPoint(217, 93)}) {
        SCOPED_TRACE(place.x());
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(QRect(place, QSize(400, 300)));
        // A surface larger than the window shows that nothing is drawn beyond it.
        QImage surface(420, 320, QImage::Format_RGB32);
        surface.fill(platform::PixelFromColourValue(Background));
        platform::DeviceContext dc(&surface);

        mWindow::DrawWindowEdge(&window, &dc, user32::EDGE_RAISED, user32::BF_RECT);

        const user32::EdgeColours c = user32::SystemEdgeColours();
        ASSERT_NE(c.outerLight, c.outerDark);
        // Outer ring: light top and left, dark bottom and right, the top-right and
        // bottom-left corners on the dark sides.
        EXPECT_EQ(At(surface, 0, 0), c.outerLight);
        EXPECT_EQ(At(surface, 200, 0), c.outerLight);
        EXPECT_EQ(At(surface, 0, 150), c.outerLight);
        EXPECT_EQ(At(surface, 399, 0), c.outerDark);
        EXPECT_EQ(At(surface, 0, 299), c.outerDark);
        EXPECT_EQ(At(surface, 200, 299), c.outerDark);
        EXPECT_EQ(At(surface, 399, 150), c.outerDark);
        // Inner ring, one pixel in.
        EXPECT_EQ(At(surface, 1, 1), c.innerLight);
        EXPECT_EQ(At(surface, 200, 1), c.innerLight);
        EXPECT_EQ(At(surface, 398, 150), c.innerDark);
        EXPECT_EQ(At(surface, 200, 298), c.innerDark);
        // Inside and outside untouched.
        EXPECT_EQ(At(surface, 2, 2), Background);
        EXPECT_EQ(At(surface, 200, 150), Background);
        EXPECT_EQ(At(surface, 400, 0), Background);
        EXPECT_EQ(At(surface, 0, 300), Background);
        EXPECT_EQ(At(surface, 400, 300), Background);
    }
}

TEST(mWindow, SunkenEdgeAndSingleSides) {
    QImage surface(10, 10, QImage::Format_RGB32);
    surface.fill(platform::PixelFromColourValue(Background));
    platform::DeviceContext dc(&surface);
    const user32::EdgeColours c = user32::SystemEdgeColours();

    ASSERT_TRUE(user32::DrawEdge(&dc, {0, 0, 10, 10}, user32::EDGE_SUNKEN, user32::BF_TOP));
    EXPECT_EQ(At(surface, 5, 0), c.innerDark); // shadow outside
    EXPECT_EQ(At(surface, 5, 1), c.outerDark); // dark shadow inside
    EXPECT_EQ(At(surface, 0, 5), Background);  // no left side
    EXPECT_EQ(At(surface, 5, 9), Background);  // no bottom side
    EXPECT_FALSE(user32::DrawEdge(nullptr, {0, 0, 10, 10}, user32::EDGE_RAISED, user32::BF_RECT));
}
