#include "MainWindowFixture.h"
#include "PictureBox.h"

#include <QTest>

namespace {

// A double click as the window system delivers it: press, release, double-click press,
// release.
void DoubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

TEST_F(MainWindowTest, DoubleClickSwitchesCrazyColoursOnOnce) {
    ASSERT_TRUE(main.c[3]->Enabled());
    DoubleClick(&main.c[3]->Face(), QPoint(10, 10));
    EXPECT_TRUE(main.c[3]->Pressed());
    EXPECT_EQ(main.ColourJitter, 120);
    EXPECT_FALSE(main.c[3]->LockRefresh());
    // Two separate clicks still switch it on and off again.
    QTest::mouseClick(&main.c[3]->Face(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(main.c[3]->Pressed());
    EXPECT_EQ(main.ColourJitter, 10);
    QTest::mouseClick(&main.c[3]->Face(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(main.c[3]->Pressed());
}

TEST_F(MainWindowTest, DoubleClickOnTheCanvasIsOneStroke) {
    DoubleClick(main.P, QPoint(150, 60));
    EXPECT_EQ(main.UndoTop, 0) << "one undo snapshot";
    EXPECT_TRUE(main.c[2]->Enabled());
}

} // namespace
