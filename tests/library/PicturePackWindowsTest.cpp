#include "HyperLink.h"
#include "PackPictures.h"
#include "PicturePackFile.h"
#include "PicturePackImport.h"
#include "ProgramFolder.h"
#include "WaitLimit.h"
#include "frmParentMessage.h"
#include "frmPicturePack.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace {

// What the adult does, one step per window that shows, in order. A step waits until its
// window is on screen; whatever is still open at the end is closed, so no test can hang.
class Adult {
public:
    Adult() {
        poller.setInterval(10);
        QObject::connect(&poller, &QTimer::timeout, [this] { Poll(); });
        poller.start();
    }
    ~Adult() { poller.stop(); }

    // In the next file dialog: opens `folder`, types `names` and accepts, or cancels
    // when `names` is empty. `before` runs just before the dialog is answered. With
    // `listed`, the names are typed once the dialog lists the folder, as a person sees it.
    void InFileDialog(const QString& folder, const QString& names,
                      std::function<void()> before = {}, bool listed = false) {
        steps.push_back([this, folder, names, before, listed](bool& done) {
            QFileDialog* dialog = VisibleDialog();
            if (!dialog)
                return;
            done = true;
            titles << dialog->windowTitle();
            if (before)
                before();
            if (names.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->setDirectory(folder);
            if (listed && !QTest::qWaitFor(
                              [dialog] {
                                  auto* view = dialog->findChild<QListView*>("listView");
                                  return view && view->model() &&
                                         view->model()->rowCount(view->rootIndex()) > 0;
                              },
                              WaitLimitMs))
                unexpected = true;
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(names);
            auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            QPushButton* button = box->button(dialog->acceptMode() == QFileDialog::AcceptSave
                                                  ? QDialogButtonBox::Save
                                                  : QDialogButtonBox::Open);
            if (!QTest::qWaitFor([button] { return button->isEnabled(); }, WaitLimitMs))
                unexpected = true;
            // Clicked once this step has returned: a question the click raises is the
            // next step's.
            QTimer::singleShot(0, button, &QPushButton::click);
        });
    }

    // Reads the next parent message and answers it with Continue.
    void InMessage() {
        steps.push_back([this](bool& done) {
            frmParentMessage& message = frmParentMessage::Instance();
            if (!message.Visible())
                return;
            done = true;
            messages << message.lMessage->text();
            QTest::mouseClick(message.lContinue, Qt::LeftButton);
        });
    }

    // Answers the next question box (the save dialog's "replace?") with Yes.
    void InQuestion() {
        steps.push_back([](bool& done) {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                if (box && box->isVisible()) {
                    done = true;
                    box->button(QMessageBox::Yes)->click();
                    return;
                }
            }
        });
    }

    bool Finished() const { return steps.empty(); }

    QStringList messages;
    QStringList titles;

private:
    static QFileDialog* VisibleDialog() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible())
                return dialog;
        return nullptr;
    }

    void Poll() {
        if (steps.empty()) {
            // Something showed that no step expected.
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
                    unexpected = true;
                    dialog->reject();
                }
            }
            if (frmParentMessage::Instance().Visible()) {
                unexpected = true;
                messages << frmParentMessage::Instance().lMessage->text();
                frmParentMessage::Instance().Unload();
            }
            return;
        }
        bool done = false;
        auto step = steps.front();
        step(done);
        if (done)
            steps.pop_front();
    }

public:
    bool unexpected = false;

private:
    QTimer poller;
    std::deque<std::function<void(bool&)>> steps;
};

QString Shown(const QString& message) {
    QString text = message;
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

class PackWindows : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid() && outside.isValid());
        platform::SetProgramFolder(program.path());
        ASSERT_TRUE(QDir().mkpath(program.path() + "/books/Animals"));
        ASSERT_TRUE(QDir().mkpath(outside.path() + "/Zoo"));
        Write(Zoo("cat.gif"), cat);
        Write(Zoo("owl.bmp"), owl);
    }
    void TearDown() override {
        if (frmPicturePack::Instance().IsLoaded())
            frmPicturePack::Instance().Unload();
        platform::SetProgramFolder(QString());
    }

    QString Zoo(const QString& name) const { return outside.path() + "/Zoo/" + name; }
    QString Outside(const QString& name) const { return outside.path() + '/' + name; }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    const QByteArray cat = PackPicture(1);
    const QByteArray owl = PackPicture(2);
    QTemporaryDir program;
    QTemporaryDir outside;
};

TEST_F(PackWindows, BuilderShowsItsDesignTexts) {
    frmPicturePack& form = frmPicturePack::Instance();
    form.Load();
    EXPECT_EQ(form.Label6->text(),
              "This window allows you to create Picture Packs for The Crayvex. ");
    EXPECT_EQ(form.Label2->text(),
              "Picture Packs are special files that contain several pictures within them.  The "
              "advantage of a Picture Pack is that distributing pictures will be easier (only one "
              "file needs to be distributed) and it will ease the process of installing new "
              "pictures (only one file needs to be installed.)");
    EXPECT_EQ(form.lJoin->Caption(), "Select files to put into the Picture Pack");
    EXPECT_EQ(form.Label1->Caption(), "Close");
    QTest::mouseClick(form.Label1, Qt::LeftButton);
    EXPECT_FALSE(form.IsLoaded());
}

TEST_F(PackWindows, BuilderPacksTheChosenPicturesUnderTheFolderName) {
    frmPicturePack& form = frmPicturePack::Instance();
    form.Load();
    Adult adult;
    adult.InFileDialog(outside.path() + "/Zoo", R"("cat.gif" "owl.bmp")");
    adult.InFileDialog(outside.path(), "pack.ZVP");
    adult.InMessage();
    form.lJoin_Click();
    EXPECT_TRUE(adult.Finished());
    EXPECT_FALSE(adult.unexpected);
    ASSERT_EQ(adult.titles.size(), 2);
    EXPECT_EQ(adult.titles[1], "Select where you would like to save the Picture Pack.");
    EXPECT_EQ(adult.messages, QStringList{"The Picture Pack has been successfully created!"});
    const QByteArray s = PicturePackFile::PackSeparator();
    EXPECT_EQ(Read(Outside("pack.ZVP.zvp")), "Zoo|cat.gif|owl.bmp" + s + cat + s + owl);
    EXPECT_FALSE(QFile::exists(Outside("pack.ZVP")));
    // The link can be used again; a cancelled choice writes nothing and says nothing.
    adult.InFileDialog(QString(), QString());
    form.lJoin_Click();
    EXPECT_TRUE(adult.Finished());
    EXPECT_FALSE(adult.unexpected);
}

TEST_F(PackWindows, BuilderReportsAPictureThatVanished) {
    frmPicturePack& form = frmPicturePack::Instance();
    form.Load();
    Write(Outside("pack.zvp"), "old pack");
    Adult adult;
    adult.InFileDialog(outside.path() + "/Zoo", R"("cat.gif" "owl.bmp")");
    adult.InFileDialog(outside.path(), "pack.zvp", [this] { QFile::remove(Zoo("owl.bmp")); });
    adult.InQuestion();
    adult.InMessage();
    form.lJoin_Click();
    EXPECT_TRUE(adult.Finished());
    EXPECT_EQ(adult.messages,
              QStringList{"There was an error saving the Picture Pack. Please make sure that the "
                          "folder you selected is not write protected and that there is enough "
                          "space."});
    EXPECT_EQ(Read(Outside("pack.zvp")), "old pack");
}

TEST_F(PackWindows, BuilderRefusesANameBeforeAskingWhereToSave) {
    frmPicturePack& form = frmPicturePack::Instance();
    form.Load();
    ASSERT_TRUE(QDir().mkpath(Outside("a|b")));
    Write(Outside("a|b/cat.gif"), cat);
    Adult adult;
    adult.InFileDialog(Outside("a|b"), "cat.gif");
    adult.InMessage();
    form.lJoin_Click();
    EXPECT_TRUE(adult.Finished());
    EXPECT_FALSE(adult.unexpected);
    EXPECT_EQ(adult.titles.size(), 1) << "no save dialog";
    EXPECT_EQ(adult.messages,
              QStringList{"The Picture Pack was not created: the name 'a|b' holds the character "
                          "\"|\", which a Picture Pack uses between names. Please rename it and "
                          "try again."});
    EXPECT_EQ(QDir(outside.path()).entryList(QDir::Files), QStringList{});
}

// Names typed into the dialog that it does not list (hidden files, files its filter does
// not show) are left out by the dialog; the builder says which.
TEST_F(PackWindows, BuilderSaysWhichTypedNamesItLeftOut) {
    frmPicturePack& form = frmPicturePack::Instance();
    form.Load();
    Write(Zoo(".hidden.gif"), cat);
    Write(Zoo("readme.txt"), "words");
    Adult adult;
    adult.InFileDialog(outside.path() + "/Zoo", R"("cat.gif" ".hidden.gif" "readme.txt")", {},
                       true);
    adult.InMessage();
    adult.InFileDialog(outside.path(), "pack.zvp");
    adult.InMessage();
    form.lJoin_Click();
    EXPECT_TRUE(adult.Finished());
    EXPECT_FALSE(adult.unexpected);
    EXPECT_EQ(adult.messages,
              (QStringList{"These names you typed are not put into the Picture Pack, because they "
                           "are hidden files or not pictures (*.bmp, *.gif, *.jpg): "
                           "'.hidden.gif', 'readme.txt'.",
                           "The Picture Pack has been successfully created!"}));
    EXPECT_EQ(Read(Outside("pack.zvp")), "Zoo|cat.gif" + PicturePackFile::PackSeparator() + cat);
}

// A pack deeper than the dialog's usual buffer of 260 characters is read all the same.
TEST_F(PackWindows, ImporterTakesAPackOfALongPath) {
    QString deep = outside.path();
    for (int i = 0; i < 3; ++i)
        deep += '/' + QString(120, QChar('a' + i));
    ASSERT_TRUE(QDir().mkpath(deep));
    Write(deep + "/zoo.zvp", "Zoo|cat.gif" + PicturePackFile::PackSeparator() + cat);
    Adult adult;
    adult.InMessage();
    adult.InFileDialog(deep, "zoo.zvp");
    adult.InMessage();
    EXPECT_EQ(PicturePackImport::Run(), "Zoo");
    EXPECT_TRUE(adult.Finished());
    EXPECT_FALSE(adult.unexpected);
    EXPECT_EQ(Read(program.path() + "/books/Zoo/cat.gif"), cat);
}

TEST_F(PackWindows, ImporterAsksInstallsAndTells) {
    const QByteArray s = PicturePackFile::PackSeparator();
    Write(Outside("zoo.zvp"), "Zoo|cat.gif" + s + cat);
    Adult adult;
    adult.InMessage();
    adult.InFileDialog(outside.path(), "zoo.zvp");
    adult.InMessage();
    EXPECT_EQ(PicturePackImport::Run(), "Zoo");
    EXPECT_TRUE(adult.Finished());
    EXPECT_FALSE(adult.unexpected);
    EXPECT_EQ(adult.messages,
              (QStringList{"Picture Packs are special files that contain several pictures within "
                           "them and they can be downloaded from The Crayvex website. Please "
                           "press continue to select a Picture Pack to install.",
                           "The pictures were added successfully under the book 'Zoo'. To view "
                           "the new pictures, please select this book from the list."}));
    EXPECT_EQ(Read(program.path() + "/books/Zoo/cat.gif"), cat);

    // A damaged pack is reported, and no title comes back.
    Write(Outside("bad.zvp"), "Zoo|../cat.gif" + s + cat);
    adult.messages.clear();
    adult.InMessage();
    adult.InFileDialog(outside.path(), "bad.zvp");
    adult.InMessage();
    EXPECT_EQ(PicturePackImport::Run(), "");
    ASSERT_EQ(adult.messages.size(), 2);
    EXPECT_EQ(adult.messages[1],
              Shown("There was the following error while trying to open The Crayvex package "
                    "file:\r\nCould not read from the header information.\r\nThe file appears to "
                    "be damaged. Please download again."));

    // Cancelling the dialog ends the command silently.
    adult.messages.clear();
    adult.InMessage();
    adult.InFileDialog(QString(), QString());
    EXPECT_EQ(PicturePackImport::Run(), "");
    EXPECT_EQ(adult.messages.size(), 1);
    EXPECT_FALSE(adult.unexpected);
}

} // namespace
