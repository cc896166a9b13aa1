#include "Combo.h"

#include "ColourValue.h"
#include "KeyCodes.h"
#include "PictureBox.h"
#include "Resources.h"
#include "WaitLimit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
QStringList Items(const Combo& combo) {
    QStringList items;
    for (int i = 0; i < combo.ListCount(); ++i)
        items << combo.List(i);
    return items;
}

bool SameImage(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

// What the drop button shows, at the size of its pictures.
QImage DropFace(Combo& combo) {
    return combo.DropButton().Image().copy(0, 0, 16, 15);
}

// A combo 200 pixels wide in a shown window, holding three books.
class ShownCombo : public testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 200);
        combo = new Combo(&window);
        combo->move(20, 20);
        combo->resize(200, 40);
        for (const char* book : {"The Crayvex", "Animals", "own pictures"})
            combo->AddItem(QString::fromUtf8(book));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, WaitLimitMs));
    }
    void TearDown() override { combo->Box().hidePopup(); }
    QAbstractItemView& Popup() { return *combo->Box().view(); }

    QWidget window;
    Combo* combo = nullptr;
};
} // namespace

TEST(Combo, ArrangementHidesTheBoxBorderAndArrowOutsideTheViewport) {
    struct Case {
        double innerWidth, cbHeight, arrow;
        double pWidth, pHeight, pDX, pDY, cbWidth;
    };
    const Case cases[] = {
        {200, 21, 17, 184, 17, 184, 0.5, 205}, // -255 twips
        {200, 22, 14, 184, 18, 184, 1, 202},   // -210 twips
        {120, 25, 16, 104, 21, 104, 2.5, 124}, // an odd viewport height
        {10, 21, 17, -6, 17, -6, 0.5, 15},     // narrower than the drop button
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.innerWidth);
        const Combo::Geometry g = Combo::Arrange(c.innerWidth, c.cbHeight, 16, 15, c.arrow);
        EXPECT_DOUBLE_EQ(g.pWidth, c.pWidth);
        EXPECT_DOUBLE_EQ(g.pHeight, c.pHeight);
        EXPECT_DOUBLE_EQ(g.pDX, c.pDX);
        EXPECT_DOUBLE_EQ(g.pDY, c.pDY);
        EXPECT_DOUBLE_EQ(g.cbX, -2);
        EXPECT_DOUBLE_EQ(g.cbY, -2);
        EXPECT_DOUBLE_EQ(g.cbWidth, c.cbWidth);
        EXPECT_DOUBLE_EQ(g.height, c.pHeight);
        // The box's right border and arrow (arrow + 2 pixels) lie past the viewport.
        EXPECT_DOUBLE_EQ(g.cbX + g.cbWidth - (c.arrow + 2), g.pWidth);
    }
}

TEST(Combo, HiddenArrowWidthComesFromTheScrollHeightInTwips) {
    const double extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    struct Case {
        const char* text;
        double width;
    };
    const Case cases[] = {
        {"-255", 17}, {"-210", 14},    {" -240 ", 16},  {"-250", 250.0 / 15},
        {"", extent}, {"abc", extent}, {"255", extent}, {"0", extent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(Combo::HiddenArrowWidth(QString::fromUtf8(c.text)), c.width);
    }
}

TEST_F(ShownCombo, LaidOutSoThatOnlyTheTextAreaShows) {
    const int extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QComboBox& cb = combo->Box();
    const int boxHeight = cb.height();
    ASSERT_GT(boxHeight, 4);
    EXPECT_EQ(combo->Viewport().geometry(), QRect(0, 0, 184, boxHeight - 4));
    EXPECT_EQ(cb.geometry(), QRect(-2, -2, 184 + extent + 4, boxHeight));
    EXPECT_EQ(combo->DropButton().geometry().size(), QSize(16, 15));
    EXPECT_EQ(combo->DropButton().x(), 184);
    // The control is exactly as tall as its viewport, whatever height it was given.
    EXPECT_EQ(combo->height(), boxHeight - 4);
    combo->resize(150, 60);
    EXPECT_EQ(combo->height(), boxHeight - 4);
    EXPECT_EQ(combo->Viewport().width(), 134);
    EXPECT_EQ(combo->DropButton().x(), 134);

    // What shows: the text on the box's base colour, with no border or arrow at the
    // viewport's edges.
    combo->SetListIndex(QStringLiteral("0"));
    window.setFocus();
    const QImage shown = combo->Viewport().grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb base = platform::PixelFromColourValue(combo->BackColor());
    for (int x = 0; x < shown.width(); ++x) {
        EXPECT_EQ(shown.pixel(x, 0), base) << x;
        EXPECT_EQ(shown.pixel(x, shown.height() - 1), base) << x;
    }
    for (int y = 0; y < shown.height(); ++y) {
        EXPECT_EQ(shown.pixel(0, y), base) << y;
        for (int x = shown.width() - 6; x < shown.width(); ++x)
            EXPECT_EQ(shown.pixel(x, y), base) << x << "," << y;
    }
    int text = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            text += shown.pixel(x, y) != base ? 1 : 0;
    EXPECT_GT(text, 20);
}

TEST(Combo, AddingInsertsWhereAskedAndLeavesTheSelection) {
    struct Step {
        const char* item;
        int index;
    };
    struct Case {
        std::vector<Step> steps;
        QStringList expected;
    };
    const std::vector<Case> cases = {
        {{{"a", -1}, {"b", -1}, {"c", -1}}, {"a", "b", "c"}},
        {{{"a", -1}, {"b", -1}, {"z", 0}}, {"z", "a", "b"}},
        {{{"a", -1}, {"b", -1}, {"m", 1}}, {"a", "m", "b"}},
        {{{"a", -1}, {"b", 1}, {"c", 9}}, {"a", "b", "c"}}, // at and past the end
    };
    for (const Case& c : cases) {
        Combo combo;
        QSignalSpy clicks(&combo, &Combo::Click);
        for (const Step& step : c.steps)
            combo.AddItem(QString::fromUtf8(step.item), step.index);
        EXPECT_EQ(Items(combo), c.expected);
        EXPECT_EQ(combo.ListCount(), c.expected.size());
        // An empty list's first item is not selected by itself.
        EXPECT_EQ(combo.ListIndex(), QStringLiteral("-1"));
        EXPECT_EQ(clicks.count(), 0);
    }

    // Inserting above the selected item keeps that item selected.
    Combo combo;
    combo.AddItem(QStringLiteral("a"));
    combo.AddItem(QStringLiteral("b"));
    combo.SetListIndex(QStringLiteral("1"));
    combo.AddItem(QStringLiteral("top"), 0);
    EXPECT_EQ(combo.ListIndex(), QStringLiteral("2"));
    EXPECT_EQ(combo.Text(), QStringLiteral("b"));
}

TEST(Combo, RemovingAndClearing) {
    struct Case {
        const char* selected;
        int remove;
        QStringList items;
        const char* listIndex;
        const char* text;
    };
    const Case cases[] = {
        {"1", 0, {"b", "c"}, "0", "b"},      // above the selection: it moves up with its item
        {"1", 2, {"a", "b"}, "1", "b"},      // below it
        {"1", 1, {"a", "c"}, "-1", ""},      // the selected item: nothing is selected
        {"2", 2, {"a", "b"}, "-1", ""},      // the selected last item
        {"1", 3, {"a", "b", "c"}, "1", "b"}, // outside the list: nothing
        {"1", -1, {"a", "b", "c"}, "1", "b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.remove);
        Combo combo;
        for (const char* item : {"a", "b", "c"})
            combo.AddItem(QString::fromUtf8(item));
        combo.SetListIndex(QString::fromUtf8(c.selected));
        QSignalSpy clicks(&combo, &Combo::Click);
        combo.RemoveItem(c.remove);
        EXPECT_EQ(Items(combo), c.items);
        EXPECT_EQ(combo.ListIndex(), QString::fromUtf8(c.listIndex));
        EXPECT_EQ(combo.Text(), QString::fromUtf8(c.text));
        EXPECT_EQ(clicks.count(), 0);
    }

    Combo combo;
    combo.AddItem(QStringLiteral("a"));
    combo.SetListIndex(QStringLiteral("0"));
    combo.Clear();
    EXPECT_EQ(combo.ListCount(), 0);
    EXPECT_EQ(combo.ListIndex(), QStringLiteral("-1"));
    EXPECT_EQ(combo.Text(), QString());
    EXPECT_EQ(combo.List(0), QString());
}

TEST(Combo, ListIndexSelectsAndRaisesClickOnceOrRefusesBadText) {
    Combo empty;
    EXPECT_EQ(empty.ListIndex(), QStringLiteral("-1"));
    EXPECT_THROW(empty.SetListIndex(QStringLiteral("0")), std::out_of_range);

    struct Case {
        const char* value;
        const char* listIndex; // nullptr: refused
        const char* text;
    };
    const Case cases[] = {
        {"0", "0", "The Crayvex"}, {"2", "2", "own pictures"}, {" 1 ", "1", "Animals"},
        {"-1", "-1", ""},          {"3", nullptr, ""},         {"-2", nullptr, ""},
        {"one", nullptr, ""},      {"1.5", nullptr, ""},       {"", nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Combo combo;
        for (const char* book : {"The Crayvex", "Animals", "own pictures"})
            combo.AddItem(QString::fromUtf8(book));
        combo.SetListIndex(QStringLiteral("1"));
        QSignalSpy clicks(&combo, &Combo::Click);
        const QString value = QString::fromUtf8(c.value);
        if (c.listIndex == nullptr) {
            bool ok = false;
            value.trimmed().toInt(&ok);
            if (ok)
                EXPECT_THROW(combo.SetListIndex(value), std::out_of_range);
            else
                EXPECT_THROW(combo.SetListIndex(value), std::invalid_argument);
            EXPECT_EQ(combo.ListIndex(), QStringLiteral("1"));
            EXPECT_EQ(clicks.count(), 0);
            continue;
        }
        combo.SetListIndex(value);
        EXPECT_EQ(combo.ListIndex(), QString::fromUtf8(c.listIndex));
        EXPECT_EQ(combo.Text(), QString::fromUtf8(c.text));
        EXPECT_EQ(clicks.count(), 1);
    }

    // Setting the index already selected still raises Click.
    Combo combo;
    combo.AddItem(QStringLiteral("a"));
    combo.SetListIndex(QStringLiteral("0"));
    QSignalSpy clicks(&combo, &Combo::Click);
    combo.SetListIndex(QStringLiteral("0"));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(Combo, TextSelectsTheItemOfThatTextWithoutClick) {
    Combo combo;
    for (const char* book : {"The Crayvex", "Animals", "animals 2"})
        combo.AddItem(QString::fromUtf8(book));
    combo.SetListIndex(QStringLiteral("0"));
    QSignalSpy clicks(&combo, &Combo::Click);
    combo.SetText(QStringLiteral("Animals"));
    EXPECT_EQ(combo.ListIndex(), QStringLiteral("1"));
    EXPECT_EQ(combo.Text(), QStringLiteral("Animals"));
    // Only an exact match counts.
    combo.SetText(QStringLiteral("ANIMALS 2"));
    combo.SetText(QStringLiteral("Animal"));
    EXPECT_EQ(combo.ListIndex(), QStringLiteral("1"));
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ShownCombo, DropButtonSwapsPicturesAndOpensTheList) {
    const QImage up = platform::resources::DesignPicture(QStringLiteral("comboUp"));
    const QImage down = platform::resources::DesignPicture(QStringLiteral("comboDown"));
    ASSERT_EQ(up.size(), QSize(16, 15));
    ASSERT_EQ(down.size(), QSize(16, 15));
    ASSERT_FALSE(SameImage(up, down));
    platform::PictureBox& pD = combo->DropButton();
    EXPECT_TRUE(SameImage(DropFace(*combo), up));

    QTest::mousePress(&pD, Qt::LeftButton, {}, QPoint(8, 7));
    EXPECT_TRUE(SameImage(DropFace(*combo), down));
    EXPECT_FALSE(Popup().isVisible());
    QTest::mouseRelease(&pD, Qt::LeftButton, {}, QPoint(8, 7));
    EXPECT_TRUE(SameImage(DropFace(*combo), up));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Popup().isVisible(); }, WaitLimitMs));
    // The list drops from the face's bottom edge, as wide as the control.
    const QRect list = Popup().window()->geometry();
    const QRect face(combo->mapToGlobal(QPoint(0, 0)), combo->size());
    EXPECT_EQ(list.left(), face.left());
    EXPECT_EQ(list.top(), face.bottom() + 1);
    EXPECT_EQ(list.width(), face.width());

    // Choosing a book in the list selects it and raises Click once.
    QSignalSpy clicks(combo, &Combo::Click);
    const QModelIndex animals = Popup().model()->index(1, 0);
    Popup().setCurrentIndex(animals);
    QTest::keyClick(&Popup(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Popup().isVisible(); }, WaitLimitMs));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(combo->ListIndex(), QStringLiteral("1"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Animals"));
}

TEST_F(ShownCombo, DropButtonOfAnEmptyListOpensNothingButStillSwaps) {
    combo->Clear();
    platform::PictureBox& pD = combo->DropButton();
    const QImage up = platform::resources::DesignPicture(QStringLiteral("comboUp"));
    const QImage down = platform::resources::DesignPicture(QStringLiteral("comboDown"));
    QTest::mousePress(&pD, Qt::LeftButton, {}, QPoint(8, 7));
    EXPECT_TRUE(SameImage(DropFace(*combo), down));
    QTest::mouseRelease(&pD, Qt::LeftButton, {}, QPoint(8, 7));
    EXPECT_TRUE(SameImage(DropFace(*combo), up));
    QCoreApplication::processEvents();
    EXPECT_FALSE(Popup().isVisible());
}

TEST_F(ShownCombo, KeysGoingDownRaiseKeyDownAndArrowKeysChoose) {
    combo->SetListIndex(QStringLiteral("0"));
    QSignalSpy keys(combo, &Combo::KeyDown);
    QSignalSpy clicks(combo, &Combo::Click);
    QTest::keyClick(&combo->Box(), Qt::Key_Down);
    QTest::keyClick(&combo->Box(), Qt::Key_A, Qt::ShiftModifier);
    // The Shift key goes down on its own before the letter.
    ASSERT_EQ(keys.count(), 3);
    EXPECT_EQ(keys[0][0].toInt(), int(platform::user32::VK_DOWN));
    EXPECT_EQ(keys[0][1].toInt(), 0);
    EXPECT_EQ(keys[1][0].toInt(), int(platform::user32::VK_SHIFT));
    EXPECT_EQ(keys[2][0].toInt(), 'A');
    EXPECT_EQ(keys[2][1].toInt(), 1);
    EXPECT_EQ(combo->ListIndex(), QStringLiteral("1"));
    EXPECT_GE(clicks.count(), 1);
}

TEST(Combo, SetPicturesLoadsFilesOrKeepsThePicturesItHas) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage red(16, 15, QImage::Format_RGB32);
    red.fill(qRgb(200, 0, 0));
    QImage blue(16, 15, QImage::Format_RGB32);
    blue.fill(qRgb(0, 0, 200));
    const QString redFile = dir.filePath(QStringLiteral("red.bmp"));
    const QString blueFile = dir.filePath(QStringLiteral("blue.bmp"));
    ASSERT_TRUE(red.save(redFile));
    ASSERT_TRUE(blue.save(blueFile));

    Combo combo;
    platform::PictureBox& pD = combo.DropButton();
    ASSERT_TRUE(combo.SetPictures(redFile, blueFile));
    EXPECT_TRUE(SameImage(DropFace(combo), red));
    QTest::mousePress(&pD, Qt::LeftButton, {}, QPoint(8, 7));
    EXPECT_TRUE(SameImage(DropFace(combo), blue));
    QTest::mouseRelease(&pD, Qt::LeftButton, {}, QPoint(8, 7));

    // Without a DOWN picture the pressed button shows UP.
    ASSERT_TRUE(combo.SetPictures(blueFile));
    QTest::mousePress(&pD, Qt::LeftButton, {}, QPoint(8, 7));
    EXPECT_TRUE(SameImage(DropFace(combo), blue));
    QTest::mouseRelease(&pD, Qt::LeftButton, {}, QPoint(8, 7));

    EXPECT_FALSE(combo.SetPictures(dir.filePath(QStringLiteral("missing.bmp")), redFile));
    EXPECT_FALSE(combo.SetPictures(redFile, dir.filePath(QStringLiteral("missing.bmp"))));
    EXPECT_TRUE(SameImage(DropFace(combo), blue));
}

TEST(Combo, BackColorTakesValuesAndSystemColours) {
    Combo combo;
    combo.SetBackColor(0x00CCEEFF);
    EXPECT_EQ(combo.BackColor(), 0x00CCEEFFu);
    combo.SetBackColor(0x80000005); // the window colour
    EXPECT_EQ(combo.BackColor(),
              platform::ColourValueFromPixel(QApplication::palette().color(QPalette::Base).rgb()));
}

TEST(Combo, SetFontChangesTheFontAndLaysOutAgain) {
    Combo combo;
    combo.resize(200, 20);
    const int small = combo.height();
    combo.SetFont(QStringLiteral("DejaVu Sans"), 16, true, true);
    const QFont font = combo.Box().font();
    EXPECT_EQ(font.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(font.pointSize(), 16);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_FALSE(font.underline());
    EXPECT_GT(combo.height(), small);
    EXPECT_EQ(combo.height(), combo.Box().height() - 4);
}
