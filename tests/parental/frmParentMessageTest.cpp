#include "frmParentMessage.h"

#include "HyperLink.h"
#include "ModalDriver.h"
#include "PictureBox.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class frmParentMessageTest : public testing::Test {
protected:
    void TearDown() override { form.Unload(); }
    void Click(HyperLink* link) { QTest::mouseClick(link, Qt::LeftButton); }

    frmParentMessage& form = frmParentMessage::Instance();
};

TEST_F(frmParentMessageTest, Design) {
    form.SetMessage(QStringLiteral("Line one.\r\n\r\nLine two."));
    QWidget* window = form.Window();
    EXPECT_EQ(window->windowTitle(), "Message");
    EXPECT_EQ(window->size(), QSize(413, 184));
    EXPECT_EQ(form.lMessage->geometry(), QRect(8, 8, 397, 155));
    EXPECT_EQ(QFontInfo(form.lMessage->font()).family(), "DejaVu Sans");
    EXPECT_EQ(form.lMessage->text(), "Line one.\n\nLine two.");
    EXPECT_EQ(form.lMessage->palette().color(QPalette::WindowText), QColor(0xFF, 0xC0, 0x80));
    EXPECT_EQ(form.lMessage->palette().color(QPalette::Window), QColor(0x99, 0x0F, 0x0F));
    EXPECT_EQ(form.lCancel->Caption(), "Cancel");
    EXPECT_EQ(form.lContinue->Caption(), "Continue");
    EXPECT_EQ(form.lCancel->pos(), QPoint(288, 160));
    EXPECT_EQ(form.lContinue->pos(), QPoint(344, 160));
    EXPECT_FALSE(form.lCancel->isHidden());
    EXPECT_FALSE(form.Cancelled);
}

TEST_F(frmParentMessageTest, ContinueAndCancelAnswerTheQuestion) {
    form.SetMessage(QStringLiteral("Would you like to continue anyway?"));
    EXPECT_TRUE(ShowModalWith(form, [&] { Click(form.lContinue); }));
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(form.Cancelled);

    form.SetMessage(QStringLiteral("Would you like to continue anyway?"));
    EXPECT_TRUE(ShowModalWith(form, [&] { Click(form.lCancel); }));
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_TRUE(form.Cancelled); // readable after the unload

    // The next load resets the answer.
    form.SetMessage(QStringLiteral("Next question"));
    EXPECT_FALSE(form.Cancelled);
}

// Keys pressed on the shown window answer nothing, with or without Cancel: only a
// click on a link does.
TEST_F(frmParentMessageTest, NoKeyAnswersTheQuestion) {
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel);
        form.SetMessage(QStringLiteral("Would you like to continue anyway?"));
        form.SetCancelVisible(cancel);
        const bool closed = ShowModalWith(form, [&] {
            QWidget* window = form.Window();
            QApplication::setActiveWindow(window);
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape,
                                Qt::Key_Tab, Qt::Key_Return})
                QTest::keyClick(window->windowHandle(), key);
            EXPECT_TRUE(form.IsLoaded());
            Click(form.lContinue);
        });
        EXPECT_TRUE(closed);
        EXPECT_FALSE(form.Cancelled);
    }
}

TEST_F(frmParentMessageTest, CancelIsHiddenOnlyForTheShowingThatAsksSo) {
    form.SetMessage(QStringLiteral("A plain notice."));
    form.SetCancelVisible(false);
    EXPECT_TRUE(form.lCancel->isHidden());
    EXPECT_TRUE(ShowModalWith(form, [&] { Click(form.lContinue); }));
    form.SetMessage(QStringLiteral("A question?"));
    EXPECT_FALSE(form.lCancel->isHidden());
}

TEST_F(frmParentMessageTest, ClosingFromOutsideIsNoCancel) {
    form.SetMessage(QStringLiteral("A notice."));
    EXPECT_TRUE(ShowModalWith(form, [&] { form.lMessage->window()->close(); }));
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(form.Cancelled);
}

} // namespace
