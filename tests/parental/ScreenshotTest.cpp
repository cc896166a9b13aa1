// Pictures of the message windows for a person to look at: set CRAYVEX_SHOTS to a folder
// and run under a real X server (QT_QPA_PLATFORM=xcb).
#include "HyperLink.h"
#include "ModalDriver.h"
#include "ProgramFolder.h"
#include "SettingsFile.h"
#include "SettingsRecord.h"
#include "frmMessage.h"
#include "frmParentMessage.h"
#include "frmParentalOptions.h"
#include "pButton.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
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

TEST(OptionsWindowShots, Save) {
    if (qEnvironmentVariableIsEmpty("CRAYVEX_SHOTS"))
        GTEST_SKIP() << "set CRAYVEX_SHOTS to a folder to take the pictures";
    QTemporaryDir folder;
    platform::SetProgramFolder(folder.path());
    frmParentalOptions& form = frmParentalOptions::Instance();

    // A first run: the notice comes up while the window loads.
    QTimer::singleShot(300, [] {
        frmParentMessage& message = frmParentMessage::Instance();
        Save(message.lMessage->window(), "frmParentalOptions-notice");
        message.Unload();
    });
    form.Load();
    form.Unload();

    QFile file(SettingsFile::Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(" 1 \r\n 2 \r\n 1 \r\n 1 \r\n 10 \r\ntulip\r\nthe flower by the door\r\n");
    file.close();
    ShowModalWith(form, [&] {
        QWidget* window = form.Check1->window();
        Save(window, "frmParentalOptions");
        QTest::mouseMove(form.cFunc[1]);
        form.Check3->click();
        Save(window, "frmParentalOptions-no-password");
        form.Unload();
    });
    platform::SetProgramFolder(QString());
}

} // namespace
