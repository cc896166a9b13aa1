#include "frmParentalOptions.h"

#include "EndProgram.h"
#include "HyperLink.h"
#include "MainWindowLink.h"
#include "ModalDriver.h"
#include "PictureBox.h"
#include "ProgramFolder.h"
#include "SettingsFile.h"
#include "frmMessage.h"
#include "frmParentMessage.h"
#include "frmSplash.h"
#include "mMain_FontSmoothing.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString ReadError = QStringLiteral(
    "There was an error when trying to open the settings file. This may be because you are "
    "running The Crayvex for the first time.\n\nYou can attempt to create a new settings file "
    "by completing the next window and clicking OK. If that does not work, reinstalling the "
    "application may fix the problem.");
const QString NeedPassword = QStringLiteral("You must enter a password in order to continue.");
const QString NeedHint =
    QStringLiteral("You must enter a password hint incase you forget your password.");
const QString AutoHideNotice = QStringLiteral(
    "You have chosen to auto-hide the parental buttons (small buttons on the top-left corner "
    "of the screen). If you need to access them, you should place the mouse pointer over that "
    "area for one second.");
const QString SaveError = QStringLiteral(
    "There was an error while trying to save the settings.\n\nMake sure the disk is not write "
    "protected and there is enough space.");

const QByteArray Normal = " 0 \r\n 1 \r\n 0 \r\n 1 \r\n 10 \r\nsecret \r\n my pet\r\n";

class frmParentalOptionsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform::SetProgramFolder(folder.path());
        platform::SetEndProgramForTesting([this] { ++programEnded; });
        // Every message the window shows is recorded and answered with Continue; the
        // file as it is at that moment is noted with it.
        QObject::connect(&reader, &QTimer::timeout, [this] {
            frmParentMessage& message = frmParentMessage::Instance();
            if (message.IsLoaded() && message.Visible()) {
                messages.append(message.lMessage->text());
                fileAtMessage.append(File());
                cancelShown = !message.lCancel->isHidden();
                message.Unload();
            }
        });
        reader.start(5);
    }
    void TearDown() override {
        reader.stop();
        form.Unload();
        form.ShowColoredPictures = {};
        form.ShowManagePictures = {};
        form.UnloadPictureChooser = {};
        MainWindowLink::Current() = {};
        platform::SetProgramFolder(QString());
    }

    void WriteFile(const QByteArray& bytes) {
        QFile file(SettingsFile::Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray File() const {
        QFile file(SettingsFile::Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Loads the window as a caller's showing does (answering a notice of the load), then
    // runs `actions` in the open window. True when the window closed by itself.
    bool Open(const std::function<void()>& actions) {
        form.Load();
        return ShowModalWith(form, actions);
    }
    void Click(int index) { QTest::mouseClick(form.cFunc[size_t(index)], Qt::LeftButton); }
    // Opens the window and clicks both manager links in turn. True when the window was
    // still open after them.
    bool ClickManagerLinks() {
        bool openAfter = false;
        Open([&] {
            Click(2);
            Click(3);
            openAfter = form.IsLoaded();
            form.Unload();
        });
        return openAfter;
    }
    // A click on the box's mark, as the adult clicks it.
    void Tick(QAbstractButton* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(7, box->height() / 2));
    }
    void Type(QLineEdit* box, const char* text) {
        box->clear();
        QTest::keyClicks(box, QString::fromUtf8(text));
    }
    // Which of the three speed buttons is selected; -1 for none.
    int Speed() const {
        for (size_t i = 0; i < form.Option1.size(); ++i)
            if (form.Option1[i]->isChecked())
                return int(i);
        return -1;
    }

    QTemporaryDir folder;
    QTimer reader;
    QStringList messages;
    QList<QByteArray> fileAtMessage;
    bool cancelShown = false;
    int programEnded = 0;
    frmParentalOptions& form = frmParentalOptions::Instance();
};

TEST_F(frmParentalOptionsTest, Design) {
    WriteFile(Normal);
    form.Load();
    QWidget* window = form.Window();
    EXPECT_EQ(window->windowTitle(), "Options");
    EXPECT_EQ(window->size(), QSize(334, 421));
    EXPECT_EQ(form.P->Image().size(), QSize(334, 421));
    EXPECT_TRUE(form.P->isHidden());

    struct Place {
        QWidget* control;
        QPoint pos;
    };
    for (const Place& p : {
             Place{form.Check1, {8, 8}},
             Place{form.Check2, {8, 32}},
             Place{form.Frame2, {8, 72}},
             Place{form.Label1, {8, 0}},
             Place{form.Option1[0], {8, 16}},
             Place{form.Option1[1], {104, 16}},
             Place{form.Option1[2], {216, 16}},
             Place{form.Frame1, {8, 144}},
             Place{form.Check3, {16, 136}},
             Place{form.O2, {16, 16}},
             Place{form.Label2, {8, 48}},
             Place{form.Text1, {24, 73}},
             Place{form.Label4, {8, 104}},
             Place{form.Text2, {25, 129}},
             Place{form.cFunc[2], {8, 328}},
             Place{form.cFunc[3], {8, 352}},
             Place{form.cFunc[0], {224, 400}},
             Place{form.cFunc[1], {272, 400}},
         })
        EXPECT_EQ(p.control->pos(), p.pos) << p.control->metaObject()->className();
    EXPECT_EQ(form.Frame1->size(), QSize(321, 161));
    EXPECT_EQ(form.Frame2->size(), QSize(321, 49));
    EXPECT_EQ(form.Text1->size(), QSize(272, 22));
    for (QWidget* inFrame1 : {static_cast<QWidget*>(form.O2), static_cast<QWidget*>(form.Text1),
                              static_cast<QWidget*>(form.Text2)})
        EXPECT_EQ(inFrame1->parentWidget(), form.Frame1);
    EXPECT_EQ(form.Label1->parentWidget(), form.Frame2);
    // Every control lies wholly inside the window.
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
        EXPECT_TRUE(window->rect().contains(place))
            << control->metaObject()->className() << " " << place.x() << "," << place.y();
    }

    EXPECT_EQ(form.Check1->text(), "Play sounds");
    EXPECT_EQ(form.Check2->text(), "Auto-hide parental buttons");
    EXPECT_EQ(form.Check3->text(), "Use parental password");
    EXPECT_EQ(form.O2->text(), "Allow quitting without permission");
    EXPECT_EQ(form.Label1->text(), " Bubble speed ");
    EXPECT_EQ(form.Label2->text(), "Parental password:");
    EXPECT_EQ(form.Label4->text(), "Password hint:");
    EXPECT_EQ(form.Option1[0]->text(), "Fast");
    EXPECT_EQ(form.Option1[1]->text(), "Medium");
    EXPECT_EQ(form.Option1[2]->text(), "Slow");
    const char* const links[] = {"Cancel", "Continue", "Manage colored pages",
                                 "Add/remove coloring pages and books"};
    for (size_t i = 0; i < form.cFunc.size(); ++i)
        EXPECT_EQ(form.cFunc[i]->Caption(), links[i]);

    for (QWidget* text : {static_cast<QWidget*>(form.Check1), static_cast<QWidget*>(form.Label2),
                          static_cast<QWidget*>(form.Option1[1])}) {
        EXPECT_EQ(QFontInfo(text->font()).family(), "DejaVu Sans");
        EXPECT_EQ(text->palette().color(QPalette::WindowText), QColor(0xFF, 0x80, 0x00));
        EXPECT_EQ(text->palette().color(QPalette::Window), QColor(0x99, 0x0F, 0x0F));
    }
    EXPECT_EQ(form.Text1->echoMode(), QLineEdit::Password);
    EXPECT_EQ(form.Text2->echoMode(), QLineEdit::Normal);

    const QString passwordTip = "A password is required when unlocking locked items, please "
                                "enter it here if you wish to change the current password.";
    struct Tip {
        QWidget* control;
        QString text;
    };
    for (const Tip& t : {
             Tip{form.Check1, "Disable/enable sound effects."},
             Tip{form.Check2, " Ticking this box will cause The Crayvex to hide the quit, save, "
                              "print, help, settings and gallery options when they are not in "
                              "use."},
             Tip{form.Frame2, "Set the speed of the color bubbles."},
             Tip{form.Check3, "Ticking this box will prevent children from accessing features "
                              "such as printing and saving."},
             Tip{form.O2, "If you leave this option unchecked, a password will have to be "
                          "entered to quit The Crayvex."},
             Tip{form.Label2, passwordTip},
             Tip{form.Text1, passwordTip},
             Tip{form.Label4, "If you ever forget your password, you can use the hint below to "
                              "remind you!"},
             Tip{form.Text2,
                 "If you ever forget your password, you can use the hint to remind you!"},
             Tip{form.cFunc[2], "View all of the pictures colored using The Crayvex."},
             Tip{form.cFunc[3], "Add or remove pictures from The Crayvex."},
             Tip{form.cFunc[0], ""},
             Tip{form.cFunc[1], ""},
             Tip{form.Frame1, ""},
         })
        EXPECT_EQ(t.control->toolTip(), t.text) << t.text.toStdString();
}

// ---- First run: no settings file ----------------------------------------------------

TEST_F(frmParentalOptionsTest, FirstRunShowsTheNoticeAndTheDesignValues) {
    form.Load();
    ASSERT_EQ(messages, QStringList{ReadError});
    EXPECT_TRUE(cancelShown); // left at its design visibility
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(form.Check1->checkState(), Qt::Checked);
    EXPECT_EQ(form.O2->checkState(), Qt::Unchecked);
    EXPECT_EQ(form.Check2->checkState(), Qt::Unchecked);
    EXPECT_EQ(form.Check3->checkState(), Qt::Checked);
    EXPECT_EQ(Speed(), 1);
    EXPECT_TRUE(form.Text1->text().isEmpty());
    EXPECT_TRUE(form.Text2->text().isEmpty());
    EXPECT_TRUE(form.Text1->isEnabled());
}

TEST_F(frmParentalOptionsTest, FirstRunContinueAsksForPasswordThenHintThenWrites) {
    const bool closed = Open([&] {
        Click(1);
        EXPECT_EQ(form.Window()->focusWidget(), form.Text1);
        Type(form.Text1, "tulip");
        Click(1);
        EXPECT_EQ(form.Window()->focusWidget(), form.Text2);
        EXPECT_TRUE(form.IsLoaded());
        EXPECT_TRUE(File().isEmpty());
        Type(form.Text2, "flower");
        Click(1);
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(messages, (QStringList{ReadError, NeedPassword, NeedHint}));
    EXPECT_TRUE(form.Saved);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(File(), " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\ntulip\r\nflower\r\n");
    EXPECT_EQ(programEnded, 0);

    // The next showing reads what was written and starts unsaved again.
    messages.clear();
    form.Load();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(form.Text1->text(), "tulip");
}

TEST_F(frmParentalOptionsTest, CancelAfterAFailedReadEndsTheProgram) {
    mMain::FontSmoothingWasOn = false;
    long type = 2;
    mMain::EnableFontSmoothing(type);
    frmSplash::Instance().Load();
    frmMessage::Instance().Load();
    int chooserUnloaded = 0;
    bool othersUnloadedFirst = false;
    form.UnloadPictureChooser = [&] { ++chooserUnloaded; };
    platform::SetEndProgramForTesting([&] {
        ++programEnded;
        othersUnloadedFirst = !frmSplash::Instance().IsLoaded() &&
                              !frmMessage::Instance().IsLoaded() &&
                              !frmParentMessage::Instance().IsLoaded() && !form.IsLoaded() &&
                              !mMain::IsFontSmoothingOn();
    });

    EXPECT_TRUE(Open([&] {
        form.Check2->click(); // changes are not written
        Click(0);
    }));
    EXPECT_EQ(programEnded, 1);
    EXPECT_TRUE(othersUnloadedFirst);
    EXPECT_EQ(chooserUnloaded, 1);
    EXPECT_FALSE(form.Saved);
    EXPECT_FALSE(QFileInfo::exists(SettingsFile::Path()));
}

TEST_F(frmParentalOptionsTest, EndingTheProgramKeepsSmoothingThatWasOnAtStart) {
    mMain::FontSmoothingWasOn = true;
    long type = 2;
    mMain::EnableFontSmoothing(type);
    EXPECT_TRUE(Open([&] { Click(0); }));
    EXPECT_EQ(programEnded, 1);
    EXPECT_TRUE(mMain::IsFontSmoothingOn());
    mMain::FontSmoothingWasOn = false;
}

TEST_F(frmParentalOptionsTest, APartlyReadableFileKeepsWhatWasReadAndEndsOnCancel) {
    // Line 4 holds a value no check box takes: lines 1 to 3 are shown, the rest is design.
    WriteFile(" 0 \r\n 1 \r\n 1 \r\n 3 \r\n 10 \r\nsecret\r\nhint\r\n");
    form.Load();
    EXPECT_EQ(messages, QStringList{ReadError});
    EXPECT_EQ(form.Check1->checkState(), Qt::Unchecked);
    EXPECT_EQ(form.O2->checkState(), Qt::Checked);
    EXPECT_EQ(form.Check2->checkState(), Qt::Checked);
    EXPECT_EQ(form.Check3->checkState(), Qt::Checked);
    EXPECT_EQ(Speed(), 1);
    EXPECT_TRUE(form.Text1->text().isEmpty());
    EXPECT_TRUE(ShowModalWith(form, [&] { Click(0); }));
    EXPECT_EQ(programEnded, 1);
}

// ---- A readable file ----------------------------------------------------------------

TEST_F(frmParentalOptionsTest, NormalShowingReadsTheFileAndWritesTheChanges) {
    WriteFile(Normal);
    EXPECT_TRUE(Open([&] {
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_FALSE(form.Saved);
        EXPECT_EQ(form.Check1->checkState(), Qt::Unchecked);
        EXPECT_EQ(form.O2->checkState(), Qt::Checked);
        EXPECT_EQ(form.Check2->checkState(), Qt::Unchecked);
        EXPECT_EQ(form.Check3->checkState(), Qt::Checked);
        EXPECT_EQ(Speed(), 2);
        EXPECT_EQ(form.Text1->text(), "secret "); // blanks kept
        EXPECT_EQ(form.Text2->text(), " my pet");

        Tick(form.Check1);
        Tick(form.O2);
        Tick(form.Option1[0]);
        Type(form.Text1, "daisy");
        Click(1);
    }));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(form.Saved);
    EXPECT_EQ(File(), " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 2 \r\ndaisy\r\n my pet\r\n");
}

TEST_F(frmParentalOptionsTest, CancelOnANormalShowingOnlyCloses) {
    WriteFile(Normal);
    EXPECT_TRUE(Open([&] {
        Tick(form.Check1);
        Type(form.Text1, "changed");
        Click(0);
    }));
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(programEnded, 0);
    EXPECT_EQ(File(), Normal);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(frmParentalOptionsTest, UnusualValuesAreShownAndWrittenBack) {
    // Greyed boxes (2), a speed that no button has, an empty password without the option.
    WriteFile(" 2 \r\n 2 \r\n 1 \r\n 0 \r\n 7 \r\n\r\n\r\n");
    EXPECT_TRUE(Open([&] {
        EXPECT_EQ(form.Check1->checkState(), Qt::PartiallyChecked);
        EXPECT_EQ(form.O2->checkState(), Qt::PartiallyChecked);
        EXPECT_EQ(Speed(), 1);
        Click(1);
    }));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(File(), " 2 \r\n 2 \r\n 1 \r\n 0 \r\n 4 \r\n\r\n\r\n");
}

TEST_F(frmParentalOptionsTest, AGreyedBoxClickedBecomesTicked) {
    WriteFile(" 2 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n");
    form.Load();
    form.Check1->click();
    EXPECT_EQ(frmParentalOptions::CheckValue(form.Check1), 1);
    form.Check1->click();
    EXPECT_EQ(frmParentalOptions::CheckValue(form.Check1), 0);
    form.Check1->click();
    EXPECT_EQ(frmParentalOptions::CheckValue(form.Check1), 1);
}

// ---- The password option ------------------------------------------------------------

TEST_F(frmParentalOptionsTest, UntickingThePasswordOptionGreysItsFields) {
    WriteFile(Normal);
    form.Load();
    const auto fields = {static_cast<QWidget*>(form.O2), static_cast<QWidget*>(form.Text1),
                         static_cast<QWidget*>(form.Text2), static_cast<QWidget*>(form.Label2),
                         static_cast<QWidget*>(form.Label4)};
    const QColor grey(0xC0, 0xC0, 0xC0), white(0xFF, 0xFF, 0xFF);
    for (QWidget* field : fields)
        EXPECT_TRUE(field->isEnabled());
    EXPECT_EQ(form.Text1->palette().color(QPalette::Base), white);

    form.Check3->click();
    for (QWidget* field : fields)
        EXPECT_FALSE(field->isEnabled());
    EXPECT_TRUE(form.Check1->isEnabled());
    EXPECT_TRUE(form.Check3->isEnabled());
    for (QLineEdit* box : {form.Text1, form.Text2})
        EXPECT_EQ(box->palette().color(QPalette::Base), grey);
    // The dimmed text differs from the enabled orange.
    EXPECT_NE(form.Label2->palette().color(QPalette::Disabled, QPalette::WindowText),
              form.Label2->palette().color(QPalette::Active, QPalette::WindowText));

    form.Check3->click();
    for (QWidget* field : fields)
        EXPECT_TRUE(field->isEnabled());
    EXPECT_EQ(form.Text2->palette().color(QPalette::Base), white);
}

TEST_F(frmParentalOptionsTest, APasswordOptionOffInTheFileOpensGreyed) {
    WriteFile(" 1 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\nkept\r\n\r\n");
    form.Load();
    EXPECT_FALSE(form.Text1->isEnabled());
    EXPECT_FALSE(form.O2->isEnabled());
    EXPECT_EQ(form.Text2->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(frmParentalOptionsTest, ContinueChecksPasswordAndHintOnlyWhenTheOptionIsTicked) {
    struct Case {
        const char* file;
        bool untick;
        const char* password;
        const char* hint;
        QStringList messages;
        const char* written; // null: nothing written, the window stays open
    };
    const Case cases[] = {
        {" 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\nx\r\ny\r\n",
         false,
         "",
         "hint",
         {NeedPassword},
         nullptr},
        {" 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\nx\r\ny\r\n", false, "pw", "", {NeedHint}, nullptr},
        {" 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\nx\r\ny\r\n", false, "", "", {NeedPassword}, nullptr},
        // Unticked: empty fields are accepted and the texts written all the same.
        {" 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\nx\r\ny\r\n",
         true,
         "",
         "",
         {},
         " 1 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n"},
        {" 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\nx\r\ny\r\n",
         true,
         "old",
         "",
         {},
         " 1 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\nold\r\n\r\n"},
        // Greyed (2) is not ticked: no check either.
        {" 1 \r\n 0 \r\n 0 \r\n 2 \r\n 4 \r\n\r\n\r\n",
         false,
         "",
         "",
         {},
         " 1 \r\n 0 \r\n 0 \r\n 2 \r\n 4 \r\n\r\n\r\n"},
        // Only emptiness counts: a single blank is a password.
        {" 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\nx\r\ny\r\n",
         false,
         " ",
         "?",
         {},
         " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\n \r\n?\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.password) + "/" + c.hint);
        WriteFile(c.file);
        messages.clear();
        bool openAfter = false;
        Open([&] {
            Type(form.Text1, c.password);
            Type(form.Text2, c.hint);
            if (c.untick)
                Tick(form.Check3);
            Click(1);
            openAfter = form.IsLoaded();
            form.Unload();
        });
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(openAfter, c.written == nullptr);
        EXPECT_EQ(form.Saved, c.written != nullptr);
        EXPECT_EQ(File(), c.written ? QByteArray(c.written) : QByteArray(c.file));
    }
}

TEST_F(frmParentalOptionsTest, AFailedWriteKeepsTheWindowOpenAndUnsaved) {
    WriteFile(Normal);
    bool openAfter = false;
    Open([&] {
        // A folder in the file's place: the written file cannot replace it.
        ASSERT_TRUE(QFile::remove(SettingsFile::Path()));
        ASSERT_TRUE(QDir(folder.path()).mkdir("Settings.ini"));
        Tick(form.Check2);
        Click(1);
        openAfter = form.IsLoaded();
        form.Unload();
    });
    EXPECT_TRUE(openAfter);
    EXPECT_EQ(messages, QStringList{SaveError}); // and no auto-hide notice
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(programEnded, 0);
}

// ---- The auto-hide notice -----------------------------------------------------------

TEST_F(frmParentalOptionsTest, AutoHideNoticeOnlyWhenSwitchedOnInThisShowing) {
    WriteFile(Normal); // auto-hide off
    Open([&] {
        Tick(form.Check2);
        Click(1);
    });
    ASSERT_EQ(messages, QStringList{AutoHideNotice});
    // Shown after the file was written.
    EXPECT_EQ(fileAtMessage.front(), " 0 \r\n 1 \r\n 1 \r\n 1 \r\n 10 \r\nsecret \r\n my pet\r\n");
    EXPECT_TRUE(form.Saved);

    // Already on: saving again shows nothing; switching it off shows nothing either.
    messages.clear();
    Open([&] { Click(1); });
    Open([&] {
        Tick(form.Check2);
        Click(1);
    });
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(frmParentalOptionsTest, AutoHideNoticeOnAFirstRunWhenTicked) {
    Open([&] {
        Tick(form.Check2);
        Type(form.Text1, "pw");
        Type(form.Text2, "hint");
        Click(1);
    });
    EXPECT_EQ(messages, (QStringList{ReadError, AutoHideNotice}));
}

TEST_F(frmParentalOptionsTest, AutoHideFromAPartlyReadFileIsNotAnnounced) {
    // Line 3 ticked and read; the read fails later, at line 5.
    WriteFile(" 1 \r\n 0 \r\n 1 \r\n 1 \r\nfast\r\n");
    Open([&] {
        EXPECT_EQ(form.Check2->checkState(), Qt::Checked);
        Type(form.Text1, "pw");
        Type(form.Text2, "hint");
        Click(1);
    });
    EXPECT_EQ(messages, QStringList{ReadError});
    EXPECT_TRUE(form.Saved);
}

// ---- The two manager links ----------------------------------------------------------

TEST_F(frmParentalOptionsTest, ManagerLinksNeedTheirFolders) {
    WriteFile(Normal);
    QStringList calls;
    form.ShowColoredPictures = [&] { calls << "colored"; };
    form.ShowManagePictures = [&] { calls << "manage"; };
    form.UnloadPictureChooser = [&] { calls << "chooser"; };

    EXPECT_TRUE(ClickManagerLinks());
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(messages,
              (QStringList{"There are currently no colored pictures to browse. You can only "
                           "access this window after at least one picture has been colored.",
                           "Could not find the books path. Please reinstall The Crayvex!"}));

    // Folder names match without regard to case.
    ASSERT_TRUE(QDir(folder.path()).mkdir("Colored Pictures"));
    ASSERT_TRUE(QDir(folder.path()).mkdir("books"));
    messages.clear();
    EXPECT_TRUE(ClickManagerLinks());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(calls, (QStringList{"colored", "chooser", "manage", "chooser"}));
    EXPECT_FALSE(form.Saved);
}

TEST_F(frmParentalOptionsTest, ManagerLinksWithoutHooksDoNothing) {
    WriteFile(Normal);
    ASSERT_TRUE(QDir(folder.path()).mkdir("colored pictures"));
    ASSERT_TRUE(QDir(folder.path()).mkdir("books"));
    EXPECT_TRUE(ClickManagerLinks());
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
