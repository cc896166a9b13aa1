#include "CommonDialogs.h"
#include "FileFilter.h"
#include "GCommonDialog.h"
#include "RuntimeError.h"
#include "WaitLimit.h"
#include "WhenShown.h"
#include "cFileDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;

namespace {

const QChar Nul(0);

QString Nuls(int count) {
    return QString(count, Nul);
}

// ---------------------------------------------------------------------------------------
// Splitting the result of a multiple selection.

struct ParseCase {
    const char* what;
    QString filename;
    int32_t countBefore;
    QStringList filesBefore;
    QString dir;
    QStringList files;
    int32_t count;
};

TEST(ParseMultiFileName, SplitsFolderAndNames) {
    const QString padding = Nuls(40);
    const std::vector<ParseCase> cases = {
        {"one file keeps the folder's slash",
         "/pics/a.bmp" + Nuls(2) + padding,
         0,
         {},
         "/pics/",
         {"a.bmp"},
         1},
        {"two files give a folder without it",
         "/pics" + Nuls(1) + "a.bmp" + Nuls(1) + "b.gif" + Nuls(2) + padding,
         0,
         {},
         "/pics",
         {"a.bmp", "b.gif"},
         2},
        {"three files in order",
         "/p" + Nuls(1) + "c.jpg" + Nuls(1) + "a.bmp" + Nuls(1) + "b.gif" + Nuls(2),
         0,
         {},
         "/p",
         {"c.jpg", "a.bmp", "b.gif"},
         3},
        {"a name without a folder", "a.bmp", 0, {}, "", {"a.bmp"}, 1},
        {"a plain path without NULs", "/pics/sub/a.bmp", 0, {}, "/pics/sub/", {"a.bmp"}, 1},
        {"the root folder",
         "/" + Nuls(1) + "a.bmp" + Nuls(1) + "b.gif" + Nuls(2),
         0,
         {},
         "/",
         {"a.bmp", "b.gif"},
         2},
        {"no closing pair",
         "/pics" + Nuls(1) + "a.bmp" + Nuls(1) + "b.gif",
         0,
         {},
         "/pics",
         {"a.bmp", "b.gif"},
         2},
        {"a lone closing NUL",
         "/pics" + Nuls(1) + "a.bmp" + Nuls(1) + "b.gif" + Nuls(1),
         0,
         {},
         "/pics",
         {"a.bmp", "b.gif"},
         2},
        {"several files count on from the count passed in",
         "/pics" + Nuls(1) + "a.bmp" + Nuls(1) + "b.gif" + Nuls(2),
         2,
         {"x", "y"},
         "/pics",
         {"x", "y", "a.bmp", "b.gif"},
         4},
        {"one file starts the count again",
         "/pics/a.bmp" + Nuls(2),
         5,
         {"x"},
         "/pics/",
         {"a.bmp"},
         1},
        {"nothing chosen", "", 0, {}, "", {""}, 1},
    };
    for (const ParseCase& c : cases) {
        cFileDialog dialog;
        dialog.SetFilename(c.filename);
        QString dir = "untouched";
        QStringList files = c.filesBefore;
        int32_t count = c.countBefore;
        dialog.ParseMultiFileName(dir, files, count);
        EXPECT_EQ(dir, c.dir) << c.what;
        EXPECT_EQ(files, c.files) << c.what;
        EXPECT_EQ(count, c.count) << c.what;
    }
}

// ---------------------------------------------------------------------------------------
// Filters.

TEST(FileFilter, BarsAndColonsBecomeNuls) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"Jpeg file (*.jpg)|*.jpg", "Jpeg file (*.jpg)" + Nuls(1) + "*.jpg" + Nuls(2)},
        {"Jpeg file:*.jpg", "Jpeg file" + Nuls(1) + "*.jpg" + Nuls(2)},
        {"A|*.a:B|*.b;*.c", "A" + Nuls(1) + "*.a" + Nuls(1) + "B" + Nuls(1) + "*.b;*.c" + Nuls(2)},
        {"", Nuls(2)},
    };
    for (const auto& [filter, list] : cases)
        EXPECT_EQ(FileFilter::ToNulList(filter), list) << filter.toStdString();
}

TEST(FileFilter, NulListBecomesQtNameFilters) {
    const std::vector<std::pair<QString, QStringList>> cases = {
        {"Jpeg file (*.jpg)|*.jpg", {"Jpeg file (*.jpg) (*.jpg)"}},
        {"Pictures (*.bmp,*.gif,*.jpg)|*.bmp;*.gif;*.jpg",
         {"Pictures (*.bmp,*.gif,*.jpg) (*.bmp *.gif *.jpg)"}},
        {"Packs|*.zvp|All files|*.*", {"Packs (*.zvp)", "All files (*)"}},
        // A description without its pattern, and an empty field, end the list.
        {"A|*.a|B", {"A (*.a)"}},
        {"A||B|*.b", {}},
        {"", {}},
    };
    for (const auto& [filter, names] : cases)
        EXPECT_EQ(NameFilters(FileFilter::ToNulList(filter)), names) << filter.toStdString();
}

// ---------------------------------------------------------------------------------------
// The real dialogs, driven as a user would.

QLineEdit* NameEdit(QFileDialog& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

void Type(QFileDialog& dialog, const QString& text) {
    QLineEdit* edit = NameEdit(dialog);
    ASSERT_NE(edit, nullptr);
    edit->setText(text);
}

// Clicks the dialog's Open or Save button.
void Accept(QFileDialog& dialog) {
    auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(box, nullptr);
    QPushButton* button =
        box->button(dialog.acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                   : QDialogButtonBox::Open);
    ASSERT_NE(button, nullptr);
    // The dialog's view of the folder is filled in the background.
    EXPECT_TRUE(QTest::qWaitFor([button] { return button->isEnabled(); }, WaitLimitMs));
    button->click();
}

class FileDialogs : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {"a.bmp", "b.gif", "c.jpg", "notes.txt", "old.jpg"}) {
            QFile file(Path(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
        // A dialog left open by a fault is closed, so that no test can hang.
        watchdog.setInterval(WaitLimitMs);
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            watchdogFired = true;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
                    dialog->reject();
        });
        watchdog.start();
    }

    void TearDown() override {
        for (const QPointer<QTimer>& poller : pollers)
            delete poller.data();
        EXPECT_FALSE(watchdogFired) << "a dialog was left open";
    }

    QString Path(const QString& name) const { return folder.path() + '/' + name; }

    // Runs `act` once a window of type T shows.
    template <class T> void WhenShown(std::function<void(T&)> act) {
        ::WhenShown<T>(pollers, std::move(act));
    }

    // Types a name into the file dialog and accepts it.
    void Choose(const QString& text) {
        WhenShown<QFileDialog>([text](QFileDialog& dialog) {
            Type(dialog, text);
            Accept(dialog);
        });
    }

    void Cancel() {
        WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    }

    QTemporaryDir folder;
    QTimer watchdog;
    bool watchdogFired = false;
    std::vector<QPointer<QTimer>> pollers;
};

struct SaveArgs {
    QString Filename;
    QString FileTitle;
    QString Filter = "Jpeg file (*.jpg)|*.jpg";
    int32_t FilterIndex = 1;
    int32_t flags = 0;
};

TEST_F(FileDialogs, SaveReturnsThePathAndTheChosenFilter) {
    QString title;
    QString directory;
    QStringList shownFilters;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        directory = dialog.directory().path();
        const auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (combo)
            shownFilters << combo->currentText();
        Type(dialog, "copy");
        Accept(dialog);
    });
    GCommonDialog common;
    SaveArgs a;
    // Hook and template flags are never passed on.
    a.flags = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
    const bool chosen = common.VBGetSaveFileName(
        a.Filename, a.FileTitle, true, a.Filter, a.FilterIndex, folder.path(),
        "Save current picture as...", "jpg", nullptr, a.flags);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(title, "Save current picture as...");
    EXPECT_EQ(QDir(directory), QDir(folder.path()));
    EXPECT_EQ(shownFilters, QStringList{"Jpeg file (*.jpg)"});
    EXPECT_EQ(a.Filename, Path("copy.jpg"));
    EXPECT_EQ(a.FileTitle, "copy.jpg");
    EXPECT_EQ(a.Filter, "Jpeg file (*.jpg)" + Nuls(1) + "*.jpg");
    EXPECT_EQ(a.FilterIndex, 1);
    EXPECT_EQ(a.flags, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
    EXPECT_EQ(common.APIReturn(), 1);
    EXPECT_EQ(common.ExtendedError(), 0);
}

TEST_F(FileDialogs, SaveOverAnExistingFileAsksFirst) {
    struct Case {
        bool overwritePrompt;
        QMessageBox::StandardButton answer;
        bool asked;
        bool chosen;
    };
    for (const Case c :
         {Case{true, QMessageBox::Yes, true, true}, Case{true, QMessageBox::No, true, false},
          Case{false, QMessageBox::Yes, false, true}}) {
        bool asked = false;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            WhenShown<QMessageBox>([&](QMessageBox& box) {
                asked = true;
                box.button(c.answer)->click();
            });
            Type(dialog, "old.jpg");
            Accept(dialog);
            // Refusing to replace the file leaves the dialog open.
            if (dialog.isVisible())
                dialog.reject();
        });
        GCommonDialog common;
        SaveArgs a;
        const bool chosen =
            common.VBGetSaveFileName(a.Filename, a.FileTitle, c.overwritePrompt, a.Filter,
                                     a.FilterIndex, folder.path(), "", "", nullptr, a.flags);
        EXPECT_EQ(asked, c.asked) << c.overwritePrompt << " " << c.answer;
        EXPECT_EQ(chosen, c.chosen) << c.overwritePrompt << " " << c.answer;
        EXPECT_EQ(a.Filename, c.chosen ? Path("old.jpg") : QString());
        for (const QPointer<QTimer>& poller : pollers)
            delete poller.data();
        pollers.clear();
    }
}

TEST_F(FileDialogs, CancelClearsTheOutputs) {
    GCommonDialog common;
    SaveArgs save{"picture.jpg", "picture.jpg", "Jpeg file (*.jpg)|*.jpg", 1, 0};
    Cancel();
    EXPECT_FALSE(common.VBGetSaveFileName(save.Filename, save.FileTitle, true, save.Filter,
                                          save.FilterIndex, folder.path(), "", "", nullptr,
                                          save.flags));
    EXPECT_EQ(save.Filename, "");
    EXPECT_EQ(save.FileTitle, "");
    EXPECT_EQ(save.Filter, "");
    EXPECT_EQ(save.flags, 0);
    EXPECT_EQ(save.FilterIndex, 0);
    EXPECT_EQ(common.APIReturn(), 0);
    EXPECT_EQ(common.ExtendedError(), 0);

    SaveArgs open{"a.bmp", "a.bmp", "Packs|*.zvp", 1, OFN_HIDEREADONLY};
    bool readOnly = false;
    Cancel();
    EXPECT_FALSE(common.VBGetOpenFileName(open.Filename, open.FileTitle, true, false, readOnly,
                                          true, open.Filter, open.FilterIndex, folder.path(), "",
                                          "", nullptr, open.flags));
    EXPECT_EQ(open.Filename, "");
    EXPECT_EQ(open.FileTitle, "");
    EXPECT_EQ(open.Filter, "");
    EXPECT_EQ(open.flags, 0);
    EXPECT_EQ(open.FilterIndex, -1);
    EXPECT_EQ(common.ExtendedError(), 0);
}

TEST_F(FileDialogs, OpenRefusesAMissingFileOnlyWhenItMustExist) {
    for (const bool mustExist : {true, false}) {
        bool refused = false;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            Type(dialog, "missing.zvp");
            if (mustExist) {
                // Neither the Open button nor Enter takes a file that is not there.
                WhenShown<QMessageBox>([](QMessageBox& box) { box.reject(); });
                auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
                QPushButton* open = box->button(QDialogButtonBox::Open);
                refused = QTest::qWaitFor([open] { return !open->isEnabled(); }, WaitLimitMs);
                QTest::keyClick(NameEdit(dialog), Qt::Key_Return);
                refused = refused && dialog.isVisible();
                dialog.reject();
            } else {
                Accept(dialog);
            }
        });
        GCommonDialog common;
        SaveArgs a{"", "", "Packs|*.zvp", 1, 0};
        bool readOnly = false;
        const bool chosen = common.VBGetOpenFileName(a.Filename, a.FileTitle, mustExist, false,
                                                     readOnly, true, a.Filter, a.FilterIndex,
                                                     folder.path(), "", "", nullptr, a.flags);
        EXPECT_EQ(refused, mustExist);
        EXPECT_EQ(chosen, !mustExist);
        EXPECT_EQ(a.Filename, mustExist ? QString() : Path("missing.zvp"));
        for (const QPointer<QTimer>& poller : pollers)
            delete poller.data();
        pollers.clear();
    }
}

TEST_F(FileDialogs, OpenStartsOnTheGivenFilterAndReturnsTheChosenOne) {
    int shownFirst = -1;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        shownFirst = combo ? combo->currentIndex() : -2;
        dialog.selectNameFilter(dialog.nameFilters().at(2));
        // The folder's view shows only the bitmap once the new filter has been applied.
        auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(QTest::qWaitFor(
            [view] {
                const QModelIndex root = view->rootIndex();
                return view->model()->rowCount(root) == 1 &&
                       view->model()->index(0, 0, root).data().toString() == "a.bmp";
            },
            WaitLimitMs));
        Type(dialog, "a.bmp");
        Accept(dialog);
    });
    GCommonDialog common;
    SaveArgs a{"", "", "Jpeg|*.jpg|Gif|*.gif|Bitmap|*.bmp", 2, OFN_READONLY};
    bool readOnly = false;
    ASSERT_TRUE(common.VBGetOpenFileName(a.Filename, a.FileTitle, true, false, readOnly, false,
                                         a.Filter, a.FilterIndex, folder.path(), "", "", nullptr,
                                         a.flags));
    EXPECT_EQ(shownFirst, 1);
    EXPECT_EQ(a.Filename, Path("a.bmp"));
    EXPECT_EQ(a.FilterIndex, 3);
    EXPECT_EQ(a.Filter, "Bitmap" + Nuls(1) + "*.bmp");
    // The read-only bit comes back with the flags.
    EXPECT_EQ(a.flags, OFN_FILEMUSTEXIST | OFN_READONLY);
    EXPECT_TRUE(readOnly);
}

// The names a dialog's folder view lists, once it has settled on `count` of them.
QStringList Listed(QFileDialog& dialog, int count) {
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    if (!view)
        return {};
    const auto rows = [view] { return view->model()->rowCount(view->rootIndex()); };
    if (!QTest::qWaitFor([&] { return rows() == count; }, WaitLimitMs))
        ADD_FAILURE() << "the view never listed " << count << " names";
    QStringList names;
    for (int row = 0; row < rows(); ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    names.sort();
    return names;
}

TEST_F(FileDialogs, FiltersListMatchingFilesWhateverTheirCase) {
    for (const char* name : {"P.JPG", "noext"}) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList jpegs;
    QStringList all;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        jpegs = Listed(dialog, 3);
        dialog.selectNameFilter(dialog.nameFilters().at(1));
        all = Listed(dialog, 7);
        dialog.reject();
    });
    GCommonDialog common;
    SaveArgs a{"", "", "Jpeg file (*.jpg)|*.jpg|All files|*.*", 1, 0};
    bool readOnly = false;
    common.VBGetOpenFileName(a.Filename, a.FileTitle, true, false, readOnly, true, a.Filter,
                             a.FilterIndex, folder.path(), "", "", nullptr, a.flags);
    EXPECT_EQ(jpegs, (QStringList{"P.JPG", "c.jpg", "old.jpg"}));
    EXPECT_EQ(all,
              (QStringList{"P.JPG", "a.bmp", "b.gif", "c.jpg", "noext", "notes.txt", "old.jpg"}));
}

TEST_F(FileDialogs, OpenOfSeveralFilesGivesTheirFolder) {
    Choose(R"("a.bmp" "b.gif")");
    GCommonDialog common;
    SaveArgs a{"", "", "Pictures|*.bmp;*.gif", 1, 0};
    bool readOnly = false;
    ASSERT_TRUE(common.VBGetOpenFileName(a.Filename, a.FileTitle, true, true, readOnly, true,
                                         a.Filter, a.FilterIndex, folder.path(), "", "", nullptr,
                                         a.flags));
    // The text up to the first NUL of the folder-and-names result.
    EXPECT_EQ(a.Filename, QDir(folder.path()).absolutePath());
    EXPECT_EQ(a.flags, OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY);
}

TEST_F(FileDialogs, OwnerBecomesTheDialogsParent) {
    QWidget owner;
    for (QWidget* given : {&owner, static_cast<QWidget*>(nullptr)}) {
        QWidget* parent = &owner;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            parent = dialog.parentWidget();
            dialog.reject();
        });
        GCommonDialog common;
        SaveArgs a;
        bool readOnly = false;
        common.VBGetOpenFileName(a.Filename, a.FileTitle, true, false, readOnly, true, a.Filter,
                                 a.FilterIndex, folder.path(), "", "", given, a.flags);
        EXPECT_EQ(parent, given);
        for (const QPointer<QTimer>& poller : pollers)
            delete poller.data();
        pollers.clear();
    }
}

// A path longer than the dialogs' usual buffers, handed in or chosen, is taken whole.
TEST_F(FileDialogs, LongPathsAreTakenWhole) {
    QString deep = folder.path();
    for (int i = 0; i < 5; ++i)
        deep += '/' + QString(200, QChar('a' + i));
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString pack = deep + '/' + QString(240, 'p') + ".zvp";
    QFile file(pack);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_GT(pack.size(), 1024);

    // Chosen in the open dialog, from its folder.
    Choose(QFileInfo(pack).fileName());
    GCommonDialog common;
    SaveArgs a;
    a.Filter = "The Crayvex image pack (*.zvp)|*.zvp";
    bool readOnly = false;
    EXPECT_TRUE(common.VBGetOpenFileName(a.Filename, a.FileTitle, true, false, readOnly, false,
                                         a.Filter, a.FilterIndex, deep, "", "", nullptr, a.flags));
    EXPECT_EQ(a.Filename, pack);
    EXPECT_EQ(a.FileTitle, QFileInfo(pack).fileName());

    // Handed in as the name to start from, and accepted as it is.
    WhenShown<QFileDialog>([](QFileDialog& dialog) { Accept(dialog); });
    SaveArgs b;
    b.Filename = pack;
    EXPECT_TRUE(common.VBGetSaveFileName(b.Filename, b.FileTitle, false, b.Filter, b.FilterIndex,
                                         "", "", "", nullptr, b.flags));
    EXPECT_EQ(b.Filename, pack);

    Choose(QFileInfo(pack).fileName());
    cFileDialog dialog;
    dialog.SetFilename(pack);
    dialog.SetFlags(OFN_FILEMUSTEXIST);
    dialog.ShowOpen();
    EXPECT_EQ(dialog.Filename(), pack);
}

// As the picture library calls it: several pictures at once.
cFileDialog& PictureChooser(cFileDialog& dialog, const QString& folder) {
    dialog.SetFilter("Pictures (*.bmp,*.gif,*.jpg)|*.bmp;*.gif;*.jpg");
    dialog.SetFlags(4096);
    dialog.SetFlags(dialog.flags() + 0x200);
    dialog.SetCancelError(false);
    dialog.SetInitDir(folder);
    return dialog;
}

TEST_F(FileDialogs, MultipleSelectionSplitsIntoFolderAndNames) {
    struct Case {
        QString typed;
        QString dir;
        QStringList files;
    };
    const QString dir = QDir(folder.path()).absolutePath();
    for (const Case& c : {Case{R"("a.bmp" "c.jpg")", dir, {"a.bmp", "c.jpg"}},
                          Case{"b.gif", dir + '/', {"b.gif"}}}) {
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            mode = dialog.fileMode();
            Type(dialog, c.typed);
            Accept(dialog);
        });
        cFileDialog dialog;
        PictureChooser(dialog, folder.path()).ShowOpen();
        EXPECT_EQ(mode, QFileDialog::ExistingFiles);
        ASSERT_EQ(dialog.Filename().size(), 8192) << "the whole buffer";
        QString sDir;
        QStringList sFiles;
        int32_t count = 0;
        dialog.ParseMultiFileName(sDir, sFiles, count);
        EXPECT_EQ(sDir, c.dir);
        EXPECT_EQ(sFiles, c.files);
        EXPECT_EQ(count, c.files.size());
        for (const QPointer<QTimer>& poller : pollers)
            delete poller.data();
        pollers.clear();
    }
}

TEST_F(FileDialogs, CancelKeepsTheFilenameAndRaisesOnlyWhenAsked) {
    cFileDialog dialog;
    PictureChooser(dialog, folder.path());
    Cancel();
    dialog.ShowOpen();
    EXPECT_EQ(dialog.Filename(), "") << "nothing chosen";

    dialog.SetFilename("/pics/a.bmp");
    dialog.SetCancelError(true);
    Cancel();
    try {
        dialog.ShowOpen();
        ADD_FAILURE() << "no error raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), cFileDialog::CancelErrorNumber);
        EXPECT_EQ(error.Description(), "User selected cancel.");
        EXPECT_TRUE(error.Source().endsWith(".cFileDialog")) << error.Source().toStdString();
        EXPECT_FALSE(error.Source().startsWith(".")) << "the program's name comes first";
    }
    EXPECT_EQ(dialog.Filename(), "/pics/a.bmp");
}

TEST_F(FileDialogs, SingleSelectionGivesThePlainPath) {
    Choose("notes.txt");
    cFileDialog dialog;
    dialog.SetFlags(OFN_FILEMUSTEXIST);
    dialog.SetInitDir(folder.path());
    dialog.SetFileTitle("title");
    dialog.ShowOpen();
    EXPECT_EQ(dialog.Filename(), Path("notes.txt"));
    EXPECT_EQ(dialog.FileTitle(), "title");
}

// Thousands of pictures chosen at once, far more than the usual buffer holds, all come
// back.
TEST_F(FileDialogs, ThousandsOfFilesInOneSelectionAreAllChosen) {
    ASSERT_TRUE(QDir().mkpath(Path("many")));
    QStringList names;
    for (int i = 0; i < 2000; ++i) {
        names << QString("picture number %1.bmp").arg(i, 4, 10, QChar('0'));
        QFile file(Path("many/" + names.back()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // All of them selected in the dialog's list, as Ctrl+A does.
    WhenShown<QFileDialog>([&names](QFileDialog& dialog) {
        auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const QModelIndex root = view->rootIndex();
                return view->model()->rowCount(root) == names.size();
            },
            10000));
        view->selectAll();
        Accept(dialog);
    });
    cFileDialog dialog;
    PictureChooser(dialog, Path("many")).ShowOpen();
    ASSERT_GT(dialog.Filename().size(), 8192);
    QString sDir;
    QStringList sFiles;
    int32_t count = 0;
    dialog.ParseMultiFileName(sDir, sFiles, count);
    EXPECT_EQ(sDir, QDir(Path("many")).absolutePath());
    EXPECT_EQ(count, names.size());
    sFiles.sort();
    EXPECT_TRUE(sFiles == names) << "chosen: " << sFiles.size();
}

} // namespace
