#include "HyperLink.h"

#include "ColourValue.h"
#include "WaitLimit.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr uint32_t Back = 0x000F0F99;
constexpr uint32_t Fore = 0x000080FF;
constexpr uint32_t Hover = 0x0080C0FF;

// How many pixels of the surface have exactly this colour value.
int Count(const QImage& image, uint32_t colour) {
    const QRgb pixel = platform::PixelFromColourValue(colour);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) | 0xFF000000u) == pixel ? 1 : 0;
    return n;
}

// The common look, with unsmoothed text so that the caption's pixels are its colour.
QVariantMap Design(const QString& caption) {
    QVariantMap design = HyperLink::StandardDesign(caption);
    QFont font = design.value(QStringLiteral("font")).value<QFont>();
    font.setStyleStrategy(QFont::NoAntialias);
    design[QStringLiteral("font")] = font;
    return design;
}

// The longest run of one colour along any row: an underline spans the caption.
int LongestRun(const QImage& image, uint32_t colour) {
    const QRgb pixel = platform::PixelFromColourValue(colour);
    int best = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = (image.pixel(x, y) | 0xFF000000u) == pixel ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

// A link in the common look, shown in a window with room round it.
class Link : public testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 200);
        link = new HyperLink(&window);
        link->ReadProperties(Design(QStringLiteral("Continue")));
        link->move(100, 80);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, WaitLimitMs));
        // The pointer starts away from the link.
        QTest::mouseMove(&window, QPoint(10, 10));
    }
    QPoint Inside() const { return link->rect().center(); }
    QPoint Outside() const { return QPoint(link->width() + 30, link->height() + 30); }

    QWidget window;
    HyperLink* link = nullptr;
};
} // namespace

TEST(HyperLink, AutoSizeAddsMarginsOf120And60Twips) {
    HyperLink link;
    link.ReadProperties(HyperLink::StandardDesign(QStringLiteral("Cancel")));
    const QFontMetrics metrics(link.Font());
    EXPECT_EQ(link.width(), metrics.horizontalAdvance(QStringLiteral("Cancel")) + 8);
    EXPECT_EQ(link.height(), metrics.height() + 4);
    // The caption stays within its centred box: 4 pixels in, 2 down.
    const QImage& surface = link.Surface();
    QRect ink;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if ((surface.pixel(x, y) | 0xFF000000u) != platform::PixelFromColourValue(Back))
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 3);
    EXPECT_LE(ink.right(), link.width() - 4);
    EXPECT_GE(ink.top(), 2);
    EXPECT_LE(ink.bottom(), link.height() - 3);

    link.SetCaption(QString());
    EXPECT_EQ(link.width(), 8);
    EXPECT_EQ(link.height(), metrics.height() + 4);
}

TEST(HyperLink, CommonLookAndDesignDefaults) {
    HyperLink link;
    QVariantMap design = Design(QStringLiteral("Cancel"));
    link.ReadProperties(design);
    EXPECT_EQ(link.Caption(), QStringLiteral("Cancel"));
    EXPECT_EQ(link.Font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_DOUBLE_EQ(link.Font().pointSizeF(), 8.25);
    EXPECT_EQ(link.BackColor(), Back);
    EXPECT_EQ(link.ForeColor(), Fore);
    EXPECT_EQ(link.HoverForeColor(), Hover);
    EXPECT_GT(Count(link.Surface(), Fore), 0);

    // A design without the hover colour loads blue.
    design.remove(QStringLiteral("hoverforecolor"));
    link.ReadProperties(design);
    EXPECT_EQ(link.HoverForeColor(), 0xFF0000u);
    // Keys written are read back whatever their case.
    HyperLink copy;
    copy.ReadProperties(link.WriteProperties());
    EXPECT_EQ(copy.Caption(), QStringLiteral("Cancel"));
    EXPECT_EQ(copy.BackColor(), Back);
    EXPECT_EQ(link.WriteProperties().size(), 10);
}

TEST_F(Link, HoverColoursAndUnderlinesUntilThePointerLeaves) {
    QSignalSpy hover(link, &HyperLink::MouseHover);
    QSignalSpy leave(link, &HyperLink::MouseLeave);
    const int captionWidth = link->width() - 8;
    EXPECT_LT(LongestRun(link->Surface(), Fore), captionWidth / 2);

    QTest::mouseMove(link, Inside());
    QTest::mouseMove(link, Inside() + QPoint(1, 0));
    EXPECT_EQ(hover.count(), 1);
    EXPECT_TRUE(link->Hovering());
    EXPECT_EQ(Count(link->Surface(), Fore), 0);
    EXPECT_GT(Count(link->Surface(), Hover), 0);
    EXPECT_GE(LongestRun(link->Surface(), Hover), captionWidth - 2); // underlined

    QTest::mouseMove(&window, QPoint(10, 10));
    EXPECT_EQ(leave.count(), 1);
    EXPECT_FALSE(link->Hovering());
    EXPECT_EQ(Count(link->Surface(), Hover), 0);
    EXPECT_GT(Count(link->Surface(), Fore), 0);
    EXPECT_LT(LongestRun(link->Surface(), Fore), captionWidth / 2);
}

TEST_F(Link, WithoutHoverLookHoveringRedrawsNothing) {
    link->SetUseHoverForeColor(false);
    link->SetUnderlineOnHover(false);
    const QImage before = link->Surface().copy();
    QSignalSpy hover(link, &HyperLink::MouseHover);
    QSignalSpy leave(link, &HyperLink::MouseLeave);
    QTest::mouseMove(link, Inside());
    EXPECT_EQ(link->Surface(), before);
    QTest::mouseMove(&window, QPoint(10, 10));
    EXPECT_EQ(link->Surface(), before);
    EXPECT_EQ(hover.count(), 1);
    EXPECT_EQ(leave.count(), 1);
}

TEST_F(Link, ClickOnlyWhenReleasedOverTheLink) {
    QSignalSpy click(link, &HyperLink::Click);
    QTest::mouseMove(link, Inside());
    QTest::mouseClick(link, Qt::LeftButton, {}, Inside());
    EXPECT_EQ(click.count(), 1);

    // Pressed on the link, released away from it: nothing, and the hover look stays.
    QTest::mouseMove(link, Inside() + QPoint(1, 0));
    QTest::mousePress(link, Qt::LeftButton, {}, Inside());
    QTest::mouseMove(link, Outside());
    QTest::mouseRelease(link, Qt::LeftButton, {}, Outside());
    EXPECT_EQ(click.count(), 1);
    EXPECT_TRUE(link->Hovering());
    EXPECT_GT(Count(link->Surface(), Hover), 0);

    // The next release over the link clicks.
    QTest::mouseMove(link, Inside() + QPoint(1, 0));
    QTest::mouseClick(link, Qt::LeftButton, {}, Inside());
    EXPECT_EQ(click.count(), 2);
    EXPECT_FALSE(link->Hovering());
}

TEST_F(Link, DoubleClickActsOnce) {
    QSignalSpy click(link, &HyperLink::Click);
    QTest::mouseMove(link, Inside());
    QTest::mouseClick(link, Qt::LeftButton, {}, Inside());
    QTest::mouseDClick(link, Qt::LeftButton, {}, Inside());
    QTest::mouseRelease(link, Qt::LeftButton, {}, Inside());
    EXPECT_EQ(click.count(), 1);
    // The next click acts again.
    QTest::mouseClick(link, Qt::LeftButton, {}, Inside());
    EXPECT_EQ(click.count(), 2);
}

TEST_F(Link, RightButtonNeverClicks) {
    QSignalSpy click(link, &HyperLink::Click);
    QSignalSpy right(link, &HyperLink::RightClick);
    QTest::mouseMove(link, Inside());
    QTest::mouseClick(link, Qt::RightButton, Qt::ShiftModifier, Inside());
    EXPECT_EQ(click.count(), 0);
    ASSERT_EQ(right.count(), 1);
    EXPECT_EQ(right[0][0].toInt(), 1);
    EXPECT_FALSE(link->Hovering());
}

TEST_F(Link, EnterAndSpaceClick) {
    QSignalSpy click(link, &HyperLink::Click);
    QSignalSpy keys(link, &HyperLink::KeyPress);
    link->SetLinkAvailable(false); // changes nothing
    link->setFocus();
    QTest::keyClick(link, Qt::Key_Return);
    QTest::keyClick(link, Qt::Key_Space);
    QTest::keyClick(link, Qt::Key_A);
    EXPECT_EQ(click.count(), 2);
    ASSERT_EQ(keys.count(), 3);
    EXPECT_EQ(keys[0][0].toInt(), 13);
    EXPECT_EQ(keys[1][0].toInt(), 32);
    EXPECT_EQ(keys[2][0].toInt(), 'a');
}
