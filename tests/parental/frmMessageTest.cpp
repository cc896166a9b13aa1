#include "frmMessage.h"

#include "ModalDriver.h"
#include "PictureBox.h"
#include "Resources.h"
#include "SettingsRecord.h"
#include "Sound.h"
#include "pButton.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString HintSentence =
    QStringLiteral("The password you entered is incorrect. Your password hint is: 'the cat'.");
const QString NevermindSentence =
    QStringLiteral("The password you entered is incorrect. Please enter the password again or "
                   "press nevermind to close this window.");

class frmMessageTest : public testing::Test {
protected:
    void SetUp() override {
        settings.PlaySounds = false;
        settings.Password = QStringLiteral("Secret 1 ");
        settings.PasswordHint = QStringLiteral("the cat");
    }
    void TearDown() override {
        form.Unload();
        settings.Password.clear();
        settings.PasswordHint.clear();
    }

    // The inputs in the order a caller sets them.
    void Prepare(bool password, const QString& extended, bool cancel = true) {
        form.SetPasswordVisible(password);
        form.SetExtendedInformation(extended);
        form.SetMessage(QStringLiteral("Do you really want to stop colouring?"));
        form.SetShowCancel(cancel);
    }
    void ClickOk() { QTest::mouseClick(&form.cOut1->Face(), Qt::LeftButton); }
    void ClickCancel() { QTest::mouseClick(&form.cOut2->Face(), Qt::LeftButton); }
    void ClickToggle() { QTest::mouseClick(&form.Check1->Face(), Qt::LeftButton); }
    void PressEnter() { QTest::keyClick(form.Text1, Qt::Key_Return); }
    void Type(const QString& text) {
        form.Text1->clear();
        QTest::keyClicks(form.Text1, text);
    }

    SettingsRecord& settings = SettingsRecord::Current();
    frmMessage& form = frmMessage::Instance();
};

TEST_F(frmMessageTest, Design) {
    Prepare(false, QString());
    QWidget* window = form.Window();
    EXPECT_EQ(window->width(), 354);
    EXPECT_EQ(form.Height(), frmMessage::FoldedHeight);
    EXPECT_EQ(window->height(), 160);
    EXPECT_EQ(form.Label1->geometry(), QRect(8, 8, 336, 103));
    // The fonts are installed, not replaced by some other family.
    EXPECT_EQ(QFontInfo(form.Label1->font()).family(), "Comic Neue");
    EXPECT_TRUE(form.Label1->font().bold());
    EXPECT_DOUBLE_EQ(form.Label1->font().pointSizeF(), 11.25);
    EXPECT_EQ(form.Label2->geometry(), QRect(8, 168, 336, 71));
    EXPECT_EQ(QFontInfo(form.Label2->font()).family(), "DejaVu Sans");
    EXPECT_EQ(form.ll->text(), "Please enter your password here:");
    EXPECT_EQ(form.ll->geometry(), QRect(8, 250, 194, 13));
    // The password box follows its label and reaches 10 pixels short of the right side.
    EXPECT_EQ(form.Text1->x(), 8 + 194 + 5);
    EXPECT_EQ(form.Text1->x() + form.Text1->width(), 354 - 10);
    EXPECT_EQ(form.Text1->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(form.Check1->isHidden());
    EXPECT_EQ(form.Result, "Cancel");

    form.Form_Activate();
    EXPECT_EQ(form.cOut1->x(), 354 - form.cOut1->width() - 7);
    EXPECT_EQ(form.cOut2->x(), form.cOut1->x() - form.cOut2->width() - 7);
    EXPECT_EQ(form.cOut2->y(), form.cOut1->y() - 3);
    EXPECT_EQ(form.cOut1->y(), 120);
    // Each button takes the size that its picture gives it.
    const QImage ok = platform::resources::Bitmap(115);
    if (!ok.isNull()) {
        pButton probe;
        probe.SetPicture(ok);
        EXPECT_EQ(form.cOut1->size(), probe.size());
    }
    EXPECT_GT(form.cOut1->width(), 0);
    EXPECT_GT(form.cOut2->width(), 0);
    EXPECT_GT(form.Check1->width(), 0);
}

TEST_F(frmMessageTest, TheToggleShowsOnlyWithAnExplanationAndUnfoldsIt) {
    Prepare(false, QString());
    EXPECT_TRUE(form.Check1->isHidden());
    form.SetExtendedInformation(QStringLiteral("Saving stores a copy of the picture."));
    EXPECT_FALSE(form.Check1->isHidden());
    EXPECT_EQ(form.Label2->text(), "Saving stores a copy of the picture.");

    ClickToggle();
    EXPECT_TRUE(form.Check1->Pressed());
    EXPECT_EQ(form.Height(), frmMessage::UnfoldedHeight);
    ClickToggle();
    EXPECT_FALSE(form.Check1->Pressed());
    EXPECT_EQ(form.Height(), frmMessage::FoldedHeight);

    form.SetPasswordVisible(true);
    ClickToggle();
    EXPECT_EQ(form.Height(), frmMessage::PasswordHeight);
    EXPECT_EQ(form.Height(), 4170);
}

TEST_F(frmMessageTest, WithoutAPasswordOkIsAcceptedAtOnce) {
    Prepare(false, QStringLiteral("For grown-ups"));
    EXPECT_TRUE(ShowModalWith(form, [&] { ClickOk(); }));
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.Result, "Ok");
}

TEST_F(frmMessageTest, PasswordSequence) {
    Prepare(true, QString());
    const bool closed = ShowModalWith(form, [&] {
        // The first OK on the folded window only shows the password row.
        ClickOk();
        ASSERT_TRUE(form.IsLoaded());
        EXPECT_EQ(form.Height(), frmMessage::PasswordHeight);
        EXPECT_TRUE(form.Check1->Pressed());
        EXPECT_EQ(form.Text1->window()->focusWidget(), form.Text1);
        EXPECT_EQ(form.Label2->text(), "");
        // A wrong password gives the hint and keeps what was typed.
        Type(QStringLiteral("secret 1 "));
        ClickOk();
        ASSERT_TRUE(form.IsLoaded());
        EXPECT_EQ(form.Label2->text(), HintSentence);
        EXPECT_EQ(form.Text1->text(), "secret 1 ");
        EXPECT_EQ(form.Height(), frmMessage::PasswordHeight);
        // Enter is OK.
        Type(QStringLiteral("Secret 1 "));
        PressEnter();
    });
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.Result, "Ok");
}

TEST_F(frmMessageTest, ThePasswordMustMatchExactly) {
    const char* wrong[] = {"",           "secret 1 ",  "SECRET 1 ", "Secret 1",
                           " Secret 1 ", "Secret 1  ", "Secret1 "};
    for (const char* entry : wrong) {
        SCOPED_TRACE(entry);
        Prepare(true, QString());
        const bool closed = ShowModalWith(form, [&] {
            ClickOk(); // unfolds
            Type(QString::fromLatin1(entry));
            ClickOk();
            EXPECT_TRUE(form.IsLoaded());
            EXPECT_EQ(form.Label2->text(), HintSentence);
            PressEnter();
            EXPECT_TRUE(form.IsLoaded());
            ClickCancel();
        });
        EXPECT_TRUE(closed);
        EXPECT_EQ(form.Result, "Cancel");
    }
}

// Keys pressed on the shown window as a child would: none answers the question, whether
// the window is folded, unfolded for the adult, or asks for the password with its row
// still folded away (the box is then out of reach, so Enter does not unfold it either).
TEST_F(frmMessageTest, NoKeyAnswersTheQuestion) {
    struct Case {
        const char* name;
        bool password;
        bool unfold;
        long height;
    };
    const Case cases[] = {{"folded", false, false, frmMessage::FoldedHeight},
                          {"unfolded", false, true, frmMessage::UnfoldedHeight},
                          {"password row folded", true, false, frmMessage::FoldedHeight}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Prepare(c.password, QStringLiteral("Quitting needs the password."));
        form.Text1->setText(QStringLiteral("Secret 1 ")); // even the right password
        const bool closed = ShowModalWith(form, [&] {
            if (c.unfold)
                ClickToggle();
            QWidget* window = form.Window();
            QApplication::setActiveWindow(window);
            EXPECT_FALSE(form.Text1->isVisible());
            EXPECT_FALSE(form.Text1->hasFocus());
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape})
                QTest::keyClick(window->windowHandle(), key);
            EXPECT_TRUE(form.IsLoaded());
            EXPECT_EQ(form.Result, "Cancel");
            EXPECT_EQ(form.Height(), c.height);
            ClickCancel();
        });
        EXPECT_TRUE(closed);
    }
}

// Once the adult has unfolded the password row, the box takes the typing, Space and
// Escape answer nothing, and Return or keypad Enter with the right password is OK.
TEST_F(frmMessageTest, TheShownPasswordBoxTakesEnter) {
    for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        SCOPED_TRACE(enter);
        Prepare(true, QStringLiteral("Quitting needs the password."));
        const bool closed = ShowModalWith(form, [&] {
            ClickToggle();
            QWidget* window = form.Window();
            QApplication::setActiveWindow(window);
            ASSERT_TRUE(form.Text1->isVisible());
            QTest::mouseClick(form.Text1, Qt::LeftButton);
            ASSERT_TRUE(form.Text1->hasFocus());
            QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
            QTest::keyClick(window->windowHandle(), Qt::Key_Space);
            EXPECT_TRUE(form.IsLoaded());
            EXPECT_EQ(form.Text1->text(), " ");
            form.Text1->clear();
            QTest::keyClicks(form.Text1, QStringLiteral("Secret 1 "));
            QTest::keyClick(window->windowHandle(), enter);
        });
        EXPECT_TRUE(closed);
        EXPECT_EQ(form.Result, "Ok");
    }
}

TEST_F(frmMessageTest, AnEmptyHintIsNotQuoted) {
    settings.PasswordHint.clear();
    Prepare(true, QString());
    ClickOk();
    ClickOk();
    EXPECT_EQ(form.Label2->text(), NevermindSentence);
}

TEST_F(frmMessageTest, AnEmptyStoredPasswordIsAcceptedAtOnce) {
    settings.Password.clear();
    Prepare(true, QString());
    EXPECT_TRUE(ShowModalWith(form, [&] { ClickOk(); }));
    EXPECT_EQ(form.Result, "Ok");
}

TEST_F(frmMessageTest, WithoutCancelOnlyThePasswordLeadsOut) {
    Prepare(true, QString(), false);
    EXPECT_TRUE(form.cOut2->isHidden());
    const bool closed = ShowModalWith(form, [&] {
        ClickOk();
        Type(QStringLiteral("guess"));
        PressEnter();
        EXPECT_TRUE(form.IsLoaded());
        Type(QStringLiteral("Secret 1 "));
        ClickOk();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(form.Result, "Ok");
}

TEST_F(frmMessageTest, ResultsStayReadableAndANewLoadResetsThem) {
    Prepare(false, QString());
    ASSERT_TRUE(ShowModalWith(form, [&] { ClickOk(); }));
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.Result, "Ok");
    EXPECT_EQ(form.Result, "Ok"); // still, after the unload

    // Setting an input loads the window again, which resets the result but keeps the
    // password switch of the last caller.
    form.SetPasswordVisible(true);
    form.SetMessage(QStringLiteral("Again?"));
    EXPECT_EQ(form.Result, "Cancel");
    form.Unload();
    form.SetMessage(QStringLiteral("And again?"));
    ClickOk();
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.Height(), frmMessage::PasswordHeight);
}

TEST_F(frmMessageTest, CancelAndClosingFromOutsideGiveCancel) {
    Prepare(false, QString());
    EXPECT_TRUE(ShowModalWith(form, [&] { ClickCancel(); }));
    EXPECT_EQ(form.Result, "Cancel");
    Prepare(false, QString());
    EXPECT_TRUE(ShowModalWith(form, [&] { form.Text1->window()->close(); }));
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.Result, "Cancel");
}

// Sounds go to SDL's dummy device: all that can be seen is whether one plays.
class frmMessageSoundTest : public frmMessageTest {
protected:
    void SetUp() override {
        frmMessageTest::SetUp();
        platform::sound::CloseDevice();
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    void TearDown() override {
        frmMessageTest::TearDown();
        platform::sound::CloseDevice();
        qunsetenv("SDL_AUDIODRIVER");
        settings.PlaySounds = false;
    }
};

TEST_F(frmMessageSoundTest, OpeningPlaysOnlyWithSoundsOn) {
    if (platform::resources::Wave(QStringLiteral("MESSAGE0")).isEmpty())
        GTEST_SKIP() << "no sound resources";
    settings.PlaySounds = false;
    Prepare(false, QString());
    EXPECT_FALSE(platform::sound::IsPlaying());
    form.Unload();
    settings.PlaySounds = true;
    Prepare(false, QString());
    EXPECT_TRUE(platform::sound::IsPlaying());
}

TEST_F(frmMessageSoundTest, CancelPlaysOnlyWithSoundsOn) {
    if (platform::resources::Wave(QStringLiteral("CANCEL0")).isEmpty())
        GTEST_SKIP() << "no sound resources";
    for (bool on : {false, true}) {
        SCOPED_TRACE(on);
        settings.PlaySounds = true;
        Prepare(false, QString());
        platform::sound::CloseDevice(); // the opening sound ends here
        settings.PlaySounds = on;
        ASSERT_TRUE(ShowModalWith(form, [&] { ClickCancel(); }));
        EXPECT_EQ(platform::sound::IsPlaying(), on);
    }
}

TEST_F(frmMessageSoundTest, OkWaitsForItsSound) {
    if (platform::resources::Wave(QStringLiteral("OK")).isEmpty())
        GTEST_SKIP() << "no sound resources";
    settings.PlaySounds = true;
    Prepare(false, QString());
    ASSERT_TRUE(ShowModalWith(form, [&] { ClickOk(); }));
    EXPECT_EQ(form.Result, "Ok");
    EXPECT_FALSE(platform::sound::IsPlaying());
}

} // namespace
