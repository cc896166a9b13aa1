#include "frmColoredPictures.h"

#include "Combo.h"
#include "FolderEntries.h"
#include "HyperLink.h"
#include "PictureFolders.h"
#include "mMain_Files.h"

#include <QListWidget>

namespace {
PictureListWindow::Design GalleryDesign() {
    PictureListWindow::Design design;
    design.Caption = QStringLiteral("Manage colored pictures");
    design.Root = PictureFolders::ColoredPicturesFolder;
    design.Titles = PictureFolders::ColoredTitles;
    design.Pictures = [](const FolderEntries& folder) {
        return PictureFolders::ColoredPicturesIn(folder);
    };
    design.Links = {
        {QStringLiteral("Close"), QStringLiteral("close"), QString(), 8760, 6450},
        {QStringLiteral("Delete selected picture(s)"), QStringLiteral("delete pictures"), QString(),
         240, 6450},
    };
    return design;
}

QString CouldNotRemove(const QString& path, const QString& what) {
    return QStringLiteral("The ") + what + QStringLiteral(" '") + path +
           QStringLiteral("' could not be removed. Please make sure it exists and that it is not "
                          "write protected.");
}
} // namespace

frmColoredPictures::frmColoredPictures() : PictureListWindow(GalleryDesign()) {}

void frmColoredPictures::cFunc_Click(int Index) {
    if (Index < 0 || size_t(Index) >= cFunc.size())
        return;
    const QString tag = cFunc[size_t(Index)]->property("Tag").toString();
    if (tag == QLatin1String("close"))
        Unload();
    else if (tag == QLatin1String("delete pictures"))
        DeletePictures();
}

void frmColoredPictures::DeletePictures() {
    if (SelectedCount() == 0) {
        ShowMessage(QStringLiteral("Please select at least one picture to delete."));
        return;
    }
    if (!Confirm(QStringLiteral("Are you sure you wish to delete the selected picture(s)?")))
        return;

    // One picture at a time, looking again from the first item after each, in the book
    // the list shows.
    const QString folder = ListedFolder();
    for (int i = FirstSelected(); i >= 0; i = FirstSelected()) {
        const QString picture = folder + QLatin1Char('/') + LV->item(i)->text();
        if (!mMain::DeleteFile(picture)) {
            ShowMessage(CouldNotRemove(picture, QStringLiteral("file")));
            break;
        }
        mMain::DeleteFile(PictureFolders::ThumbnailFile(picture));
        delete LV->takeItem(i);
    }

    if (LV->count() == 0 && cBooks->ListCount() > 1) {
        // Another book is shown first, so that the emptied folder is not in use.
        const int emptied = cBooks->ListIndex().toInt();
        const QString title = cBooks->List(emptied);
        cBooks->SetListIndex(emptied == 1 ? QStringLiteral("0") : QStringLiteral("1"));
        const QString path = RootPath() + QLatin1Char('/') + title;
        if (mMain::DeleteFolder(path))
            cBooks->RemoveItem(emptied);
        else
            ShowMessage(CouldNotRemove(path, QStringLiteral("folder")));
        return;
    }
    DeletionsDone();
}
