#include "frmPicturePack.h"

#include "CommonDialogs.h"
#include "GCommonDialog.h"
#include "HyperLink.h"
#include "MessageWindowDesign.h"
#include "PictureBox.h"
#include "PicturePackFile.h"
#include "cFileDialog.h"
#include "frmParentMessage.h"
#include "mMain_Files.h"

#include <QLabel>

namespace design = MessageWindowDesign;

namespace {
constexpr uint32_t BackColour = 0x0F0F99; // dark red
constexpr uint32_t TextColour = 0x80C0FF; // light orange

void Tell(const QString& message) {
    frmParentMessage& window = frmParentMessage::Instance();
    window.SetMessage(message);
    window.Show(true);
}
} // namespace

void frmPicturePack::CreateWidgets(QWidget* window) {
    window->setWindowTitle(QStringLiteral("Create a Picture Pack"));
    window->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window->resize(design::FromTwips(0, 0, 6195, 2640).size());
    Surface = design::NewSurface(window, BackColour);
    const QFont font = design::AdultFont(8.25);
    Label6 = design::NewLabel(
        window, QRect(120, 120, 5955, 255), font, TextColour,
        QStringLiteral("This window allows you to create Picture Packs for The Crayvex. "));
    Label2 = design::NewLabel(
        window, QRect(120, 480, 5955, 1320), font, TextColour,
        QStringLiteral("Picture Packs are special files that contain several pictures within "
                       "them.  The advantage of a Picture Pack is that distributing pictures "
                       "will be easier (only one file needs to be distributed) and it will "
                       "ease the process of installing new pictures (only one file needs to be "
                       "installed.)"));
    lJoin = design::NewLink(window, QStringLiteral("Select files to put into the Picture Pack"),
                            120, 1920, 3600, 255);
    Label1 = design::NewLink(window, QStringLiteral("Close"), 5400, 2280, 675, 255);
    QObject::connect(lJoin, &HyperLink::Click, window, [this] { lJoin_Click(); });
    QObject::connect(Label1, &HyperLink::Click, window, [this] { Label1_Click(); });
}

void frmPicturePack::Form_Load() {
    design::CentreOnScreen(Window());
    design::RedrawEdge(Window(), Surface);
}

void frmPicturePack::Label1_Click() {
    Unload();
}

void frmPicturePack::lJoin_Click() {
    cFileDialog open;
    open.SetFilter(QStringLiteral("Pictures (*.bmp,*.gif,*.jpg)|*.bmp;*.gif;*.jpg"));
    open.SetFlags(platform::OFN_FILEMUSTEXIST);
    open.SetFlags(open.flags() | platform::OFN_ALLOWMULTISELECT);
    open.SetHWnd(Window());
    open.SetCancelError(false);
    open.ShowOpen();
    if (open.Filename().isEmpty())
        return;

    QString folder;
    QStringList names;
    int32_t count = 0;
    open.ParseMultiFileName(folder, names, count);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const QString bookName = mMain::GetFileName(folder.chopped(1));
    const QStringList leftOut = platform::TypedNamesLeftOut();
    if (!leftOut.isEmpty()) {
        Tell(QStringLiteral("These names you typed are not put into the Picture Pack, because "
                            "they are hidden files or not pictures (*.bmp, *.gif, *.jpg): '") +
             leftOut.join(QStringLiteral("', '")) + QStringLiteral("'."));
    }
    // Names the pack could not carry unchanged are told before asking where to save.
    const QString refusal = PicturePackFile::NameRefusal(bookName, names);
    if (!refusal.isEmpty()) {
        Tell(refusal);
        return;
    }
    QStringList pictures;
    for (const QString& name : names)
        pictures.append(folder + name);

    QString filename;
    QString fileTitle;
    QString filter = QStringLiteral("Crayvex Picture Pack|*.zvp");
    int32_t filterIndex = 1;
    int32_t flags = 0;
    GCommonDialog save;
    if (!save.VBGetSaveFileName(filename, fileTitle, true, filter, filterIndex, QString(),
                                QStringLiteral("Select where you would like to save the Picture "
                                               "Pack."),
                                QString(), Window(), flags))
        return;

    QString error;
    const PicturePackFile::WriteOutcome outcome = PicturePackFile::Write(
        PicturePackFile::WithPackExtension(filename), bookName, pictures, error);
    if (outcome == PicturePackFile::WriteOutcome::Refused) {
        Tell(error);
        return;
    }
    if (outcome == PicturePackFile::WriteOutcome::Failed) {
        Tell(QStringLiteral("There was an error saving the Picture Pack. Please make sure that the "
                            "folder you selected is not write protected and that there is enough "
                            "space."));
        return;
    }
    Tell(QStringLiteral("The Picture Pack has been successfully created!"));
}
