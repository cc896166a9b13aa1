#include "frmManagePictures.h"

#include "BookFolderTrouble.h"
#include "CaseInsensitivePath.h"
#include "Combo.h"
#include "FolderEntries.h"
#include "FrmMain.h"
#include "HyperLink.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "PictureFolders.h"
#include "PicturePackImport.h"
#include "ProgramFolder.h"
#include "WorkProgress.h"
#include "cFileDialog.h"
#include "frmPicturePack.h"
#include "mMain_Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QListWidget>

namespace {
PictureListWindow::Design ManagementDesign() {
    PictureListWindow::Design design;
    design.Caption = QStringLiteral("Manage pictures");
    design.Root = PictureFolders::BooksFolder;
    design.Titles = PictureFolders::BookTitles;
    design.Pictures = [](const FolderEntries& folder) {
        return PictureFolders::BookPicturesIn(folder);
    };
    design.Links = {
        {QStringLiteral("Delete this book"), QStringLiteral("remove book"), QString(), 5040, 255},
        {QStringLiteral("Delete selected picture(s)"), QStringLiteral("delete pictures"), QString(),
         3240, 6240},
        {QStringLiteral("Add pictures to this book"), QStringLiteral("add pictures"), QString(),
         240, 6240},
        {QStringLiteral("Import a Picture Pack"), QStringLiteral("import picture pack"),
         QStringLiteral("You can add pre-packaged pictures to The Crayvex (Picture Packs).  The "
                        "picture pack has a zvp extension and you can download some from The "
                        "Crayvex website."),
         240, 6660},
        {QStringLiteral("Create a Picture Pack"), QStringLiteral("create picture pack"),
         QStringLiteral("A Picture Pack is a file that contains multiple pictures for use in The "
                        "Crayvex.  You can create one if you want to deal with a single file "
                        "(rather than multiple pictures) so that the process of installing "
                        "pictures is easier."),
         2820, 6660},
        {QStringLiteral("Close"), QStringLiteral("close"), QString(), 8760, 6660},
        {QStringLiteral("Create a new book"), QStringLiteral("add book"),
         QStringLiteral("Add a new book to The Crayvex.  You can then add pictures to the book."),
         7080, 255},
    };
    design.OrLabels = {{6720, 285}, {2460, 6690}};
    return design;
}

QString BooksPath() {
    return platform::ProgramFolder() + QStringLiteral("/books");
}

bool Exists(const QString& path) {
    return QFileInfo::exists(platform::ResolvePath(path));
}

QString WithSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
} // namespace

frmManagePictures::frmManagePictures() : PictureListWindow(ManagementDesign()) {}

void frmManagePictures::cFunc_Click(int Index) {
    if (Index < 0 || size_t(Index) >= cFunc.size())
        return;
    const QString tag = cFunc[size_t(Index)]->property("Tag").toString();
    if (tag == QLatin1String("create picture pack"))
        frmPicturePack::Instance().Show(true);
    else if (tag == QLatin1String("import picture pack"))
        ImportPicturePack();
    else if (tag == QLatin1String("remove book"))
        RemoveBook();
    else if (tag == QLatin1String("delete pictures"))
        DeletePictures();
    else if (tag == QLatin1String("add book"))
        AddBook();
    else if (tag == QLatin1String("add pictures"))
        AddPictures();
    else if (tag == QLatin1String("close"))
        Unload();
}

void frmManagePictures::ImportPicturePack() {
    const QString title = PicturePackImport::Run();
    if (!title.isEmpty() && IsLoaded())
        ListTitle(title);
}

void frmManagePictures::RemoveBook() {
    if (ForgetVanishedBook())
        return;
    if (CurrentTitle() == PictureFolders::BuiltInBook) {
        ShowMessage(QStringLiteral("This book cannot be removed because it is required for The "
                                   "Crayvex to work correctly."));
        return;
    }
    if (cBooks->ListCount() == 1) {
        ShowMessage(QStringLiteral(
            "The Crayvex requires at least one book to run. As this is the last book, you must "
            "create another picture book before you are able to remove this one."));
        return;
    }
    if (!Confirm(QStringLiteral("Are you sure you wish to delete this book? If you select yes, any "
                                "colored pictures from this book will be removed too.")))
        return;

    const QString title = CurrentTitle();
    const QString book = PictureFolders::BookFolder(title);
    const QString open = FrmMain::Instance().CurrentPicture;
    if (!open.isEmpty() &&
        mMain::GetParentPath(platform::ResolvePath(open)).toLower() == book.toLower()) {
        ShowMessage(QStringLiteral("The book '") + book +
                    QStringLiteral("' cannot be removed because the picture that is currently "
                                   "open in The Crayvex is within this book."));
        return;
    }

    // Another book is listed first, so that this one's pictures are no longer in use.
    const int current = cBooks->ListIndex().toInt();
    ListBookPictures(PictureFolders::BookFolder(cBooks->List(current == 1 ? 0 : 1)));
    if (!mMain::DeleteFolder(book)) {
        // The book stays, and so does the list of what is left of it, which the box names.
        ListBookPictures(book);
        ShowMessage(QStringLiteral("There was a problem removing the book. Please make sure that "
                                   "the path '") +
                    book +
                    QStringLiteral("' is not write protected and that it is not currently in "
                                   "use."));
        return;
    }
    cBooks->RemoveItem(current);
    cBooks->SetListIndex(QStringLiteral("0"));

    const QString colored = PictureFolders::ColoredFolder(title);
    if (QFileInfo(colored).isDir() && !mMain::DeleteFolder(colored)) {
        ShowMessage(QStringLiteral("There was a problem removing the colored pictures. Please make "
                                   "sure that the path '") +
                    colored +
                    QStringLiteral("' is not write protected and that it is not currently in "
                                   "use."));
    }
}

void frmManagePictures::DeletePictures() {
    if (ListedFolder().isEmpty() || SelectedCount() == 0) {
        ShowMessage(QStringLiteral("Please select at least one picture to delete."));
        return;
    }
    // The selected pictures are those of the book the list shows.
    const QString folder = ListedFolder();
    const QString title = mMain::GetFileName(folder);
    if (title == PictureFolders::BuiltInBook) {
        ShowMessage(QStringLiteral("The pictures in this book cannot be removed because they are "
                                   "required for The Crayvex to work correctly."));
        return;
    }
    if (Confirm(QStringLiteral("Are you sure you wish to delete the selected picture(s)?"))) {
        const QString open = FrmMain::Instance().CurrentPicture;
        // One picture at a time, looking again from the first item after each.
        for (int i = FirstSelected(); i >= 0; i = FirstSelected()) {
            const QString name = LV->item(i)->text();
            const QString picture = folder + QLatin1Char('/') + name;
            // The open picture's path may differ from the one on disk in letter case.
            if (!open.isEmpty() && platform::ResolvePath(open) == picture) {
                ShowMessage(QStringLiteral("The file '") + picture +
                            QStringLiteral("' could not be removed because the file is currently "
                                           "open in The Crayvex. Please close it first by opening "
                                           "another picture."));
                break;
            }
            if (!mMain::DeleteFile(picture)) {
                ShowMessage(QStringLiteral("The file '") + picture +
                            QStringLiteral("' could not be removed. Please make sure it exists and "
                                           "that it is not write protected."));
                break;
            }
            mMain::DeleteFile(PictureFolders::ThumbnailFile(picture));
            delete LV->takeItem(i);
            const QString colored = PictureFolders::ColoredPictureFile(title, name);
            if (QFileInfo(colored).isFile()) {
                if (!mMain::DeleteFile(colored)) {
                    ShowMessage(QStringLiteral("The file '") + colored +
                                QStringLiteral("' could not be removed. Please make sure it exists "
                                               "and that it is not write protected."));
                    break;
                }
                mMain::DeleteFile(PictureFolders::ThumbnailFile(colored));
            }
        }
    }
    DeletionsDone();
}

void frmManagePictures::AddBook() {
    const QString title =
        QInputDialog::getText(Window(), QStringLiteral("Book title"),
                              QStringLiteral("Please enter a title for the new book."),
                              QLineEdit::Normal, QString())
            .trimmed()
            .normalized(QString::NormalizationForm_C);
    if (title.isEmpty())
        return;
    const QString folder = BooksPath() + QLatin1Char('/') + title;
    const QString refused =
        QStringLiteral("The book could not be created. Please make sure that the path '") +
        BooksPath() +
        QStringLiteral("/' is not write protected and that you have not used the following "
                       "characters in the book title \\ /:*?\"<>|");
    if (!PictureFolders::IsBookTitle(title)) {
        ShowMessage(refused);
        return;
    }
    // Whatever its letter case, as names of the program's tree are matched.
    if (Exists(folder)) {
        ShowMessage(QStringLiteral("A book by this name already exists. Please select another "
                                   "name."));
        return;
    }
    if (!QDir().mkdir(platform::ResolvePath(folder))) {
        ShowMessage(refused);
        return;
    }
    ListTitle(title);
    cBooks->SetText(title);
    // The new, empty book is the one shown under its title.
    ListBookPictures(PictureFolders::BookFolder(title));
}

void frmManagePictures::AddPictures() {
    if (ForgetVanishedBook())
        return;
    const QString title = CurrentTitle();
    if (title == PictureFolders::BuiltInBook) {
        ShowMessage(QStringLiteral("Pictures cannot be added to this book. Please select another "
                                   "book to add pictures to."));
        return;
    }
    cFileDialog dialog;
    dialog.SetFilter(QStringLiteral("Pictures (*.bmp,*.gif,*.jpg)|*.bmp;*.gif;*.jpg"));
    dialog.SetFlags(platform::OFN_FILEMUSTEXIST);
    dialog.SetFlags(dialog.flags() | platform::OFN_ALLOWMULTISELECT);
    dialog.SetHWnd(Window());
    dialog.SetCancelError(false);
    dialog.ShowOpen();
    if (dialog.Filename().isEmpty())
        return;
    // Where the dialog was is painted again before the work begins.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    QString source;
    QStringList names;
    int32_t count = 0;
    dialog.ParseMultiFileName(source, names, count);
    source = WithSlash(source);
    const QString book = PictureFolders::BookFolder(title);
    if (platform::ResolvePath(source) == WithSlash(book)) {
        ShowMessage(QStringLiteral("You are attempting to copy picture(s) from one book into the "
                                   "same book!"));
        return;
    }
    // The folder may have gone while the dialog was open.
    if (ForgetVanishedBook())
        return;

    FolderEntries present(book);
    int added = 0;
    const auto addedCount = [&added] {
        return added == 0   ? QStringLiteral("No pictures were added.")
               : added == 1 ? QStringLiteral("1 picture was added.")
                            : QStringLiteral("%1 pictures were added.").arg(added);
    };
    WorkProgress progress(Window(), QStringLiteral("Adding the pictures"), int(names.size()));
    const auto tell = [&progress](const QString& text) {
        progress.Hide();
        ShowMessage(text);
    };
    for (qsizetype i = 0; i < names.size(); ++i) {
        progress.Step(int(i));
        const QString& name = names[i];
        if (present.Contains(name)) {
            tell(QStringLiteral("A picture by this name already exists within the book '") + title +
                 QStringLiteral("' . Please rename the picture before you try to add it."));
            continue;
        }
        const QImage picture = platform::LoadPicture(source + name, pT->BackColor());
        if (picture.isNull()) {
            tell(QStringLiteral("The file '") + name +
                 QStringLiteral("' is faulty. Not all pictures you selected may have been "
                                "added."));
            break;
        }
        pT->SetPicture(picture);
        const bool pure = IsBlackAndWhite(*pT);
        pT->SetPicture(QImage());
        if (!pure) {
            tell(QStringLiteral("Could not add the file '") + name +
                 QStringLiteral("' because it is not pure Black and White."));
            continue;
        }
        const QString target = present.PathOf(name);
        // A fault of the folder ends the adding, told once: every further copy would fail.
        BookFolderTrouble trouble = TroubleOfBookFolder(book, source + name);
        const bool copied =
            trouble == BookFolderTrouble::None && mMain::CopyFile(source + name, target);
        if (!copied) {
            // Nothing of a copy cut short stays behind as a picture.
            QFile::remove(target);
            if (trouble == BookFolderTrouble::None)
                trouble = TroubleOfBookFolder(book, source + name);
        }
        if (trouble != BookFolderTrouble::None) {
            tell(BookFolderTroubleText(trouble, name, book) + QLatin1Char(' ') + addedCount());
            if (trouble == BookFolderTrouble::Gone)
                ForgetVanishedBook(false);
            else
                ListBookPictures(book);
            return;
        }
        if (!copied) {
            tell(QStringLiteral("Could not add the file '") + name +
                 QStringLiteral("'. Please make sure that the folder '") + BooksPath() +
                 QLatin1Char('/') + title + QStringLiteral("' is not write protected."));
            continue;
        }
        // Not the source's mode: a picture from a read-only medium must stay deletable.
        PictureFolders::GiveOrdinaryPermissions(target);
        present.Add(name);
        ++added;
    }
    ListBookPictures(book);
}
