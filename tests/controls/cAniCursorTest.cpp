#include "cAniCursor.h"

#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
// A cursor picture file with its hot spot, as the resources keep it.
QString CursorFile(const QTemporaryDir& dir, const QString& name, QSize size, QPoint hotSpot) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(qRgba(255, 0, 0, 255));
    image.setText(QStringLiteral("HotSpotX"), QString::number(hotSpot.x()));
    image.setText(QStringLiteral("HotSpotY"), QString::number(hotSpot.y()));
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    EXPECT_TRUE(image.save(path));
    return path;
}

class AniCursor : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        crayon = CursorFile(dir, QStringLiteral("crayon"), {69, 58}, {3, 52});
        brush = CursorFile(dir, QStringLiteral("brush"), {67, 73}, {1, 69});
        a.setCursor(Qt::IBeamCursor); // a pointer of its own
    }
    static bool OwnCursor(const QWidget& w) { return w.testAttribute(Qt::WA_SetCursor); }

    QTemporaryDir dir;
    QString crayon, brush;
    // Child windows: a top-level window keeps a pointer of its own once it had one.
    QWidget parent;
    QWidget a{&parent}, b{&parent}, c{&parent};
};
} // namespace

TEST_F(AniCursor, LoadsAtItsOwnSizeWithItsHotSpot) {
    cAniCursor cursor;
    ASSERT_TRUE(cursor.LoadFromFile(crayon));
    ASSERT_NE(cursor.hCursor(), nullptr);
    EXPECT_EQ(cursor.hCursor()->pixmap().size(), QSize(69, 58));
    EXPECT_EQ(cursor.hCursor()->hotSpot(), QPoint(3, 52));
    cursor.SetAsDefaultCursor(&b, true);
    EXPECT_EQ(b.cursor().hotSpot(), QPoint(3, 52));
}

TEST_F(AniCursor, MissingCursorLeavesTheObjectEmptyAndTheWindowAlone) {
    cAniCursor cursor;
    EXPECT_FALSE(cursor.LoadFromResource(99999));
    EXPECT_FALSE(cursor.LoadFromFile(dir.filePath(QStringLiteral("none.png"))));
    EXPECT_EQ(cursor.hCursor(), nullptr);
    EXPECT_EQ(cursor.Frame(), 0);
    EXPECT_EQ(cursor.FrameCount(), 0);
    cursor.SetAsDefaultCursor(&a, true);
    EXPECT_EQ(a.cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(cursor.RecordCount(), 0);
}

TEST_F(AniCursor, InstallingTwiceKeepsTheFirstRememberedPointer) {
    cAniCursor cursor;
    ASSERT_TRUE(cursor.LoadFromFile(crayon));
    cursor.SetAsDefaultCursor(&a, true);
    EXPECT_EQ(a.cursor().shape(), Qt::BitmapCursor);
    cursor.SetAsDefaultCursor(&a, true);
    EXPECT_EQ(cursor.RecordCount(), 1);
    cursor.SetAsDefaultCursor(&a, false);
    EXPECT_EQ(a.cursor().shape(), Qt::IBeamCursor);
    // A window without a pointer of its own gets none back.
    cursor.SetAsDefaultCursor(&b, true);
    EXPECT_TRUE(OwnCursor(b));
    cursor.SetAsDefaultCursor(&b, false);
    EXPECT_FALSE(OwnCursor(b));
}

TEST_F(AniCursor, FreedRecordIsReused) {
    cAniCursor cursor;
    ASSERT_TRUE(cursor.LoadFromFile(crayon));
    cursor.SetAsDefaultCursor(&a, true);
    cursor.SetAsDefaultCursor(&b, true);
    cursor.SetAsDefaultCursor(&a, false);
    cursor.SetAsDefaultCursor(&c, true);
    EXPECT_EQ(cursor.RecordCount(), 2);
    EXPECT_EQ(c.cursor().shape(), Qt::BitmapCursor);
}

TEST_F(AniCursor, RestoringAWindowNeverInstalledChangesNothing) {
    cAniCursor cursor;
    ASSERT_TRUE(cursor.LoadFromFile(crayon));
    cursor.SetAsDefaultCursor(&b, true);
    cursor.SetAsDefaultCursor(&a, false);
    EXPECT_EQ(a.cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(b.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.RecordCount(), 1);
}

TEST_F(AniCursor, LoadingAgainRestoresThePointerFromBeforeAnyTool) {
    cAniCursor cursor;
    ASSERT_TRUE(cursor.LoadFromFile(crayon));
    cursor.SetAsDefaultCursor(&a, true);
    ASSERT_TRUE(cursor.LoadFromFile(brush)); // undoes the crayon first
    EXPECT_EQ(a.cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(cursor.RecordCount(), 0);
    cursor.SetAsDefaultCursor(&a, true);
    EXPECT_EQ(a.cursor().hotSpot(), QPoint(1, 69));
    cursor.Destroy();
    EXPECT_EQ(a.cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(cursor.hCursor(), nullptr);
    cursor.Destroy(); // empty: nothing to do
}

TEST_F(AniCursor, WindowGoneBeforeTheCursorIsHarmless) {
    cAniCursor cursor;
    ASSERT_TRUE(cursor.LoadFromFile(crayon));
    {
        QWidget gone(&parent);
        cursor.SetAsDefaultCursor(&gone, true);
    }
    cursor.SetAsDefaultCursor(&b, true); // takes the record of the window that went
    EXPECT_EQ(cursor.RecordCount(), 1);
    cursor.Destroy();
    EXPECT_FALSE(OwnCursor(b));
}

TEST(ResourceCursors, ToolCursorsHaveTheirSizesAndHotSpotsWhenPresent) {
    struct Case {
        long id;
        QSize size;
        QPoint hotSpot;
    };
    const Case cases[] = {{101, {32, 32}, {8, 1}},
                          {106, {69, 58}, {3, 52}},
                          {104, {67, 73}, {1, 69}},
                          {102, {65, 56}, {0, 51}}};
    int present = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        cAniCursor cursor;
        if (!cursor.LoadFromResource(c.id))
            continue;
        ++present;
        EXPECT_EQ(cursor.hCursor()->pixmap().size(), c.size);
        EXPECT_EQ(cursor.hCursor()->hotSpot(), c.hotSpot);
    }
    if (present == 0)
        GTEST_SKIP() << "no cursor artwork in this build";
}
