// Storing the colouring in progress, and the child's picture error box.
#include "CaseInsensitivePath.h"
#include "FrmMain.h"
#include "PictureFile.h"
#include "ProgramFolder.h"
#include "RuntimeError.h"
#include "StoringFailure.h"
#include "WholeFile.h"
#include "cDIBSection.h"
#include "frmMessage.h"
#include "mIntelJPEGLibrary.h"
#include "mMain_Files.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {
const QString ThumbnailExtension = QStringLiteral(".qrv");
// The JPEG writer's error for an existing colouring that is read-only.
constexpr int32_t FileAccessError = 75;

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

void FrmMain::SaveColoredPicture(bool tellFailure) {
    if (CurrentPicture.isEmpty())
        return;
    StoringFailure failure;
    if (StoreColouring(failure) || !tellFailure)
        return;
    // Told before anything replaces the colouring on screen; the program goes on.
    frmMessage& message = frmMessage::Instance();
    message.SetPasswordVisible(false);
    message.SetShowCancel(false);
    message.SetExtendedInformation(StoringFailureText(failure));
    message.SetMessage(QStringLiteral(
        "Oh no! Your colors could not be kept! Call someone who can help you fix it!"));
    const bool running = Timer1->Enabled();
    Timer1->SetEnabled(false);
    message.Show(true);
    if (IsLoaded())
        Timer1->SetEnabled(running);
}

bool FrmMain::StoreColouring(StoringFailure& failure) {
    const QString book = BookOf(CurrentPicture);
    const QString file = mMain::GetFileName(CurrentPicture);
    failure.Folder = platform::ResolvePath(platform::ProgramFolder() +
                                           QStringLiteral("/colored pictures/") + book);
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(failure.Folder).toStdString(), error);
    if (error) {
        failure.Reason = QString::fromLocal8Bit(error.message());
        failure.ErrorNumber = error.value();
        return false;
    }
    const QString target = ColoredPicturePath(CurrentPicture);
    failure.StoredBefore = QFileInfo(target).isFile();
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
        mIntelJPEGLibrary::SaveJPG(section, target, 90);
    } catch (const RuntimeError& raised) {
        if (raised.Number() == FileAccessError) {
            failure.ErrorNumber = EACCES;
            failure.Reason = QString::fromLocal8Bit(std::strerror(EACCES));
        } else if (!platform::LastFileError().isEmpty()) {
            failure.ErrorNumber = platform::LastFileErrorNumber();
            failure.Reason = platform::LastFileError();
        } else {
            failure.Reason = raised.Description();
        }
        return false;
    }
    if (!IsOwnPicture(CurrentPicture))
        return true;
    // The outline layer's picture, without the region fill on its screen image, is the
    // child's own drawing: it goes back into the picture's file, as a BMP, replacing the
    // old page only once the new one is whole on the disk.
    tP->Cls();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (buffer.open(QIODevice::WriteOnly) && tP->Picture().save(&buffer, "BMP") &&
        platform::WriteWholeFile(CurrentPicture, bytes, platform::Durability::Synced))
        return true;
    // The colours are stored; the page stored before is left as it was.
    failure.Folder = mMain::GetParentPath(CurrentPicture);
    failure.Reason = platform::LastFileError();
    failure.ErrorNumber = platform::LastFileErrorNumber();
    failure.StoredBefore = true;
    failure.PageOnly = true;
    return false;
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
