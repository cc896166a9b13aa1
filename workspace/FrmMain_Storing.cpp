// Storing the colouring in progress, and the child's picture error box.
#include "CaseInsensitivePath.h"
#include "FrmMain.h"
#include "PictureFile.h"
#include "ProgramFolder.h"
#include "RuntimeError.h"
#include "cDIBSection.h"
#include "frmMessage.h"
#include "mIntelJPEGLibrary.h"
#include "mMain_Files.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString ThumbnailExtension = QStringLiteral(".qrv");

// The name of the folder that holds the picture: its book.
QString BookOf(const QString& picture) {
    return mMain::GetFileName(mMain::GetParentPath(picture));
}
} // namespace

QString FrmMain::ColoredPicturePath(const QString& picture) {
    return platform::ResolvePath(platform::ProgramFolder() + QStringLiteral("/colored pictures/") +
                                 BookOf(picture) + QLatin1Char('/') + mMain::GetFileName(picture) +
                                 QStringLiteral(".jpg"));
}

bool FrmMain::IsOwnPicture(const QString& picture) {
    // Compared as written, letter case included.
    return picture.startsWith(platform::ProgramFolder() + QStringLiteral("/books/own pictures/"));
}

bool FrmMain::PictureFromImage(platform::PictureBox& box, const QString& tempName) {
    // The picture box's image becomes its picture through a BMP file in the program
    // folder; where that folder cannot be written the image is taken over in memory, so
    // that storing still works.
    const QString temp = platform::ProgramFolder() + QLatin1Char('/') + tempName;
    QImage reloaded;
    if (box.Image().save(temp, "BMP"))
        reloaded = platform::LoadPicture(temp, box.BackColor());
    mMain::DeleteFile(temp);
    if (reloaded.isNull() || reloaded.size() != box.Image().size()) {
        box.SetPictureFromImage();
        return !box.Picture().isNull();
    }
    box.SetPicture(reloaded.convertToFormat(QImage::Format_RGB32));
    return true;
}

void FrmMain::SaveColoredPicture() {
    if (CurrentPicture.isEmpty())
        return;
    const QString book = BookOf(CurrentPicture);
    const QString file = mMain::GetFileName(CurrentPicture);
    const QString folder = platform::ResolvePath(platform::ProgramFolder() +
                                                 QStringLiteral("/colored pictures/") + book);
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return;
    const QString target = ColoredPicturePath(CurrentPicture);
    // The thumbnails of the old colouring are stale whatever happens next; the old
    // colouring itself is replaced only by a complete new file.
    for (const QString& thumbnail :
         {platform::ResolvePath(target + ThumbnailExtension),
          platform::ResolvePath(platform::ProgramFolder() + QStringLiteral("/books/") + book +
                                QLatin1Char('/') + file + ThumbnailExtension)}) {
        if (QFileInfo::exists(thumbnail))
            mMain::DeleteFile(thumbnail);
    }
    // What the canvas shows becomes its picture in memory: a BMP round trip through the
    // program folder would give the same pixels, cost more than the encoder, and fail in a
    // folder that cannot be written.
    P->SetPictureFromImage();
    try {
        cDIBSection section;
        section.CreateFromPicture(P->Picture());
        if (!mIntelJPEGLibrary::SaveJPG(section, target, 90))
            return;
    } catch (const RuntimeError&) {
        return;
    }
    if (IsOwnPicture(CurrentPicture)) {
        // The outline layer's picture, without the region fill on its screen image, is
        // the child's own drawing: it goes back into the picture's file, as a BMP.
        tP->Cls();
        const QString temp = CurrentPicture + QStringLiteral(".saving");
        if (tP->Picture().save(temp, "BMP")) {
            QFile::remove(CurrentPicture);
            QFile::rename(temp, CurrentPicture);
        } else {
            QFile::remove(temp);
        }
    }
}

QString FrmMain::ShowPictureError(long Kind, const QString& Path) {
    frmMessage& message = frmMessage::Instance();
    message.SetPasswordVisible(false);
    if (Kind == 0) {
        message.SetExtendedInformation(QStringLiteral("The picture '") + Path +
                                       QStringLiteral("' appears to be damaged or it no longer "
                                                      "exists."));
        message.SetMessage(QStringLiteral("Oops, the picture you choose appears to be have "
                                          "something wrong with it, call someone who can help you "
                                          "fix it!"));
    } else if (Kind == 2) {
        message.SetExtendedInformation(
            QStringLiteral("Before printing, a temporary file has to be created in the "
                           "application directory. This was not possible. Please make sure "
                           "there is enough space in the disk and that the disk is not write "
                           "protected."));
        message.SetMessage(
            QStringLiteral("Oh no! Your picture could not be printed. Call someone for help!"));
    }
    Timer1->SetEnabled(false);
    message.Show(true);
    Timer1->SetEnabled(true);
    return {};
}
