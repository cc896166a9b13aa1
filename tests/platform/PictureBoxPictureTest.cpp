#include "PictureBox.h"
#include "WaitLimit.h"

#include <QEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A box on show that is given a new picture paints it without a Refresh of its own: the
// buttons of the function bar change their pictures so when a drawing opens.
TEST(PictureBoxPicture, ABoxOnShowPaintsItsNewPicture) {
    platform::PictureBox box;
    box.resize(22, 18);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box, WaitLimitMs));
    PaintCounter counter;
    box.installEventFilter(&counter);
    // Paints already asked for happen first, so that only the new picture's count.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    counter.paints = 0;

    QImage red(22, 18, QImage::Format_RGB32);
    red.fill(Qt::red);
    box.SetPicture(red);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, WaitLimitMs));
    EXPECT_EQ(box.Image().pixel(10, 9), QColor(Qt::red).rgb());
}

} // namespace
