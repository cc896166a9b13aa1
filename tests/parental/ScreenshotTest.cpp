// Pictures of the message windows for a person to look at: set CRAYVEX_SHOTS to a folder
// and run under a real X server (QT_QPA_PLATFORM=xcb).
#include "ModalDriver.h"
#include "SettingsRecord.h"
#include "frmMessage.h"
#include "frmParentMessage.h"
#include "pButton.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void Save(QWidget* window, const QString& name) {
    QTest::qWait(150);
    const QString folder = qEnvironmentVariable("CRAYVEX_SHOTS");
    EXPECT_TRUE(window->grab().save(QDir(folder).filePath(name + ".png")));
    // The whole screen as well, where there is one.
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QStringLiteral("root"),
                           QDir(folder).filePath(name + "-screen.png")});
}

TEST(MessageWindowShots, Save) {
    if (qEnvironmentVariableIsEmpty("CRAYVEX_SHOTS"))
        GTEST_SKIP() << "set CRAYVEX_SHOTS to a folder to take the pictures";
    SettingsRecord& settings = SettingsRecord::Current();
    settings.Password = QStringLiteral("tulip");
    settings.PasswordHint = QStringLiteral("the flower by the door");
    frmMessage& message = frmMessage::Instance();

    message.SetPasswordVisible(true);
    message.SetExtendedInformation(
        QStringLiteral("The Crayvex will close. Your child's colouring is stored and can be "
                       "continued next time."));
    message.SetMessage(QStringLiteral("Do you want to stop colouring now?"));
    message.SetShowCancel(true);
    ShowModalWith(message, [&] {
        QWidget* window = message.Text1->window();
        Save(window, "frmMessage-folded");
        message.SetPasswordVisible(false);
        message.Check1_Click();
        Save(window, "frmMessage-unfolded");
        message.Check1_Click();
        message.SetPasswordVisible(true);
        message.cOut1_Click();
        QTest::keyClicks(message.Text1, "tullip");
        Save(window, "frmMessage-password");
        message.cOut1_Click();
        Save(window, "frmMessage-hint");
        message.cOut2_Click();
    });

    frmParentMessage& parent = frmParentMessage::Instance();
    parent.SetCancelVisible(true);
    parent.SetMessage(
        QStringLiteral("Although this program is able to run at your current screen resolution, "
                       "it is highly recommended that you switch to a minimum size of 1024 by "
                       "768; otherwise, not all of the pictures will fit on the screen.\r\n\r\n"
                       "Would you like to continue anyway?"));
    ShowModalWith(parent, [&] {
        Save(parent.lMessage->window(), "frmParentMessage");
        parent.Unload();
    });
    settings.Password.clear();
    settings.PasswordHint.clear();
}

} // namespace
