#include "pButton.h"

#include "ColourValue.h"
#include "PictureBox.h"
#include "WaitLimit.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QImage Solid(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

const QRgb Red = qRgb(200, 0, 0);
const QRgb Green = qRgb(0, 200, 0);
const QRgb Blue = qRgb(0, 0, 200);
const QRgb Yellow = qRgb(200, 200, 0);

// Counts the paint events of a widget: what actually reaches the screen.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// A shown button with Normal, Down and Pressed pictures, 40 x 30.
class ShownButton : public testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 100);
        button = new pButton(&window);
        ASSERT_EQ(button->SetPicture(Solid(40, 30, Red), Solid(40, 30, Green), Solid(40, 30, Blue)),
                  0);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, WaitLimitMs));
    }
    QRgb Face() { return button->Face().Image().pixel(10, 10) | 0xFF000000u; }

    QWidget window;
    pButton* button = nullptr;
};
} // namespace

TEST(pButton, SizesItselfOnePixelSmallerThanTheNormalPicture) {
    pButton button;
    ASSERT_EQ(button.SetPicture(Solid(40, 30, Red)), 0);
    EXPECT_EQ(button.width(), 39);
    EXPECT_EQ(button.height(), 29);
    EXPECT_EQ(button.Width(), 585);
    EXPECT_EQ(button.Height(), 435);
    EXPECT_EQ(button.Face().geometry(), QRect(0, 0, 40, 30));
    EXPECT_EQ(button.Face().Image().pixel(38, 28), Red);
    // Disabling without a Disabled picture shows the grey copy.
    button.SetEnabled(false);
    EXPECT_FALSE(button.Enabled());
    const int grey = qRound(200 * 0.255); // 51
    EXPECT_EQ(button.Face().Image().pixel(5, 5), qRgb(grey, grey, grey));
}

TEST(pButton, GreyCopyKeepsWhiteAndWeighsTheChannels) {
    // One pixel per case in the top row; the last column and row are never shown.
    struct Case {
        QRgb in;
        int grey;
    };
    const Case cases[] = {
        {qRgb(255, 255, 255), 255},
        {qRgb(255, 255, 254), 244}, // 243.666
        {qRgb(100, 150, 200), 136}, // 136.35
        {qRgb(0, 0, 0), 0},
        {qRgb(254, 255, 255), 244}, // 243.525: only pure white stays white
    };
    QImage picture = Solid(int(std::size(cases)) + 1, 2, qRgb(9, 9, 9));
    for (int x = 0; x < int(std::size(cases)); ++x)
        picture.setPixel(x, 0, cases[x].in);
    pButton button;
    ASSERT_EQ(button.SetPicture(picture), 0);
    button.SetEnabled(false);
    for (int x = 0; x < int(std::size(cases)); ++x) {
        SCOPED_TRACE(x);
        const int g = cases[x].grey;
        EXPECT_EQ(button.Face().Image().pixel(x, 0), qRgb(g, g, g));
    }
}

TEST(pButton, AGreyPictureOnABackgroundKeepsTheBackground) {
    const QRgb sky = qRgb(120, 190, 240);
    QImage picture = Solid(4, 1, sky);
    picture.setPixel(1, 0, qRgb(100, 150, 200));
    picture.setPixel(2, 0, qRgb(255, 255, 255));
    picture.setPixel(3, 0, qRgb(120, 190, 241)); // near the background is not the background
    const QImage grey = pButton::GreyOn(picture, 0xF0BE78);
    EXPECT_EQ(grey.pixel(0, 0), sky);
    EXPECT_EQ(grey.pixel(1, 0), qRgb(136, 136, 136)); // the weights of the grey copy
    EXPECT_EQ(grey.pixel(2, 0), qRgb(255, 255, 255));
    EXPECT_EQ(grey.pixel(3, 0), qRgb(170, 170, 170));
}

TEST(pButton, LaterPicturesReplaceOnlyTheirOwnStates) {
    pButton button;
    ASSERT_EQ(button.SetPicture(Solid(40, 30, Red), Solid(40, 30, Green)), 0);
    // Only a new Down picture: size and Normal stay.
    ASSERT_EQ(button.SetPicture(QImage(), Solid(60, 60, Blue)), 0);
    EXPECT_EQ(button.size(), QSize(39, 29));
    EXPECT_EQ(button.Face().Image().pixel(5, 5), Red);

    // A new Normal with a Disabled picture: disabling shows the given one.
    ASSERT_EQ(button.SetPicture(Solid(40, 30, Green), QImage(), QImage(), Solid(40, 30, Yellow)),
              0);
    EXPECT_EQ(button.Face().Image().pixel(5, 5), Green);
    button.SetEnabled(false);
    EXPECT_EQ(button.Face().Image().pixel(5, 5), Yellow);
}

TEST(pButton, PressedWithoutPressedPictureLeavesTheFace) {
    pButton button;
    ASSERT_EQ(button.SetPicture(Solid(40, 30, Red)), 0);
    button.SetPressed(true);
    EXPECT_TRUE(button.Pressed());
    EXPECT_EQ(button.Face().Image().pixel(5, 5), Red);
    button.SetPressed(false);
    EXPECT_EQ(button.Face().Image().pixel(5, 5), Red);
}

TEST_F(ShownButton, LatchedButtonShowsDownThenPressedAgain) {
    button->SetPressed(true);
    EXPECT_EQ(Face(), Blue);
    QSignalSpy down(button, &pButton::MouseDown);
    QSignalSpy up(button, &pButton::MouseUp);
    QSignalSpy click(button, &pButton::Click);

    QTest::mousePress(&button->Face(), Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 9));
    EXPECT_EQ(Face(), Green);
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0][0].toInt(), 1);
    EXPECT_EQ(down[0][1].toInt(), 1);
    EXPECT_EQ(down[0][2].toFloat(), 7.0f);
    EXPECT_EQ(down[0][3].toFloat(), 9.0f);

    QTest::mouseRelease(&button->Face(), Qt::LeftButton, {}, QPoint(7, 9));
    EXPECT_EQ(Face(), Blue);
    ASSERT_EQ(up.count(), 1);
    EXPECT_TRUE(up[0].isEmpty()); // neither position nor button
    EXPECT_EQ(click.count(), 1);
    EXPECT_TRUE(button->Pressed());

    // Enabling shows Normal although the button stays latched.
    button->SetEnabled(true);
    EXPECT_EQ(Face(), Red);
    EXPECT_TRUE(button->Pressed());
}

TEST_F(ShownButton, UnlatchedButtonReturnsToNormal) {
    QTest::mousePress(&button->Face(), Qt::LeftButton, {}, QPoint(7, 9));
    EXPECT_EQ(Face(), Green);
    QTest::mouseRelease(&button->Face(), Qt::LeftButton, {}, QPoint(7, 9));
    EXPECT_EQ(Face(), Red);
}

TEST_F(ShownButton, LockRefreshShowsOnlyTheFinalPicture) {
    QCoreApplication::processEvents();
    PaintCounter paints(&button->Face());
    button->SetLockRefresh(true);
    QTest::mousePress(&button->Face(), Qt::LeftButton, {}, QPoint(7, 9));
    QTest::mouseRelease(&button->Face(), Qt::LeftButton, {}, QPoint(7, 9));
    button->SetPressed(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count, 0);
    EXPECT_EQ(Face(), Blue); // in the buffer already

    button->SetLockRefresh(false);
    QCoreApplication::processEvents();
    EXPECT_GE(paints.count, 1);
}

TEST_F(ShownButton, DoubleClickPressesOnceAndReleasesTwice) {
    QSignalSpy down(button, &pButton::MouseDown);
    QSignalSpy up(button, &pButton::MouseUp);
    QSignalSpy click(button, &pButton::Click);
    QTest::mouseClick(&button->Face(), Qt::LeftButton, {}, QPoint(7, 9));
    QTest::mouseDClick(&button->Face(), Qt::LeftButton, {}, QPoint(7, 9));
    EXPECT_EQ(Face(), Red) << "the second press shows no Down picture";
    QTest::mouseRelease(&button->Face(), Qt::LeftButton, {}, QPoint(7, 9));
    EXPECT_EQ(down.count(), 1);
    EXPECT_EQ(up.count(), 2);
    EXPECT_EQ(click.count(), 1);
}

TEST_F(ShownButton, DisabledButtonRaisesNoMouseEvents) {
    auto* box = new platform::PictureBox(&window);
    box->setGeometry(100, 0, 100, 100);
    auto* inner = new pButton(box);
    ASSERT_EQ(inner->SetPicture(Solid(40, 30, Red)), 0);
    inner->show();
    box->show();
    inner->SetEnabled(false);
    QSignalSpy down(inner, &pButton::MouseDown);
    QSignalSpy up(inner, &pButton::MouseUp);
    QSignalSpy click(inner, &pButton::Click);
    QSignalSpy container(box, &platform::PictureBox::MouseDown);

    QTest::mouseClick(&inner->Face(), Qt::LeftButton, {}, QPoint(7, 9));
    EXPECT_EQ(down.count() + up.count() + click.count(), 0);
    EXPECT_EQ(container.count(), 0);
}

TEST(pButton, ToolTextAndPointerBelongToTheFace) {
    pButton button;
    button.SetToolText(QStringLiteral("Undo"));
    EXPECT_EQ(button.ToolText(), QStringLiteral("Undo"));
    EXPECT_EQ(button.Face().toolTip(), QStringLiteral("Undo"));
    button.SetMouseIcon(QCursor(Qt::PointingHandCursor));
    EXPECT_EQ(button.Face().cursor().shape(), Qt::PointingHandCursor);
}
