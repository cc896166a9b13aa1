#include "PictureBox.h"

#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A picture box that writes down the events it raises, in order.
class ClickedBox : public testing::Test {
protected:
    void SetUp() override {
        box.resize(40, 30);
        QObject::connect(&box, &platform::PictureBox::MouseDown, [this](int b, int, float, float) {
            events << QStringLiteral("MouseDown%1").arg(b);
        });
        QObject::connect(&box, &platform::PictureBox::MouseUp, [this](int b, int, float, float) {
            events << QStringLiteral("MouseUp%1").arg(b);
        });
        QObject::connect(&box, &platform::PictureBox::Click,
                         [this] { events << QStringLiteral("Click"); });
        QObject::connect(&box, &platform::PictureBox::DblClick,
                         [this] { events << QStringLiteral("DblClick"); });
    }
    // What the window system delivers for a double click: press, release, double-click
    // press, release.
    void DoubleClick(Qt::MouseButton button) {
        QTest::mouseClick(&box, button, {}, QPoint(5, 5));
        QTest::mouseDClick(&box, button, {}, QPoint(5, 5));
        QTest::mouseRelease(&box, button, {}, QPoint(5, 5));
    }

    platform::PictureBox box;
    QStringList events;
};

TEST_F(ClickedBox, SecondPressOfADoubleClickIsNoMouseDownAndNoClick) {
    DoubleClick(Qt::LeftButton);
    EXPECT_EQ(events, (QStringList{"MouseDown1", "MouseUp1", "Click", "DblClick", "MouseUp1"}));
    // A third click is an ordinary click again.
    events.clear();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(events, (QStringList{"MouseDown1", "MouseUp1", "Click"}));
}

TEST_F(ClickedBox, OtherButtonsPressTwice) {
    DoubleClick(Qt::RightButton);
    EXPECT_EQ(events,
              (QStringList{"MouseDown2", "MouseUp2", "Click", "MouseDown2", "MouseUp2", "Click"}));
}

} // namespace
