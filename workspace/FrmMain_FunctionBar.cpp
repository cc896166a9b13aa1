// The parental function bar and its small helpers.
#include "Arithmetic.h"
#include "FrmMain.h"
#include "GCommonDialog.h"
#include "OleColour.h"
#include "Printer.h"
#include "PrinterSelection.h"
#include "RuntimeError.h"
#include "cDIBSection.h"
#include "frmMessage.h"
#include "frmParentMessage.h"
#include "frmParentalOptions.h"
#include "frmSplash.h"
#include "mIntelJPEGLibrary.h"
#include "pButton.h"

namespace {
const QString Ok = QStringLiteral("Ok");
const QString Cancel = QStringLiteral("Cancel");

// The dialog flags of the printer selection: no selection, no page numbers, copies and
// collation kept by the device settings, no print-to-file box.
constexpr int32_t SelectionFlags = platform::PD_NOSELECTION | platform::PD_NOPAGENUMS |
                                   platform::PD_USEDEVMODECOPIESANDCOLLATE |
                                   platform::PD_HIDEPRINTTOFILE;
} // namespace

void FrmMain::SetUpFunctionBar() {
    static const char* const tips[] = {"Click here to quit The Crayvex", "Save picture as...",
                                       "Print the picture", "About/Help", "Settings"};
    for (size_t i = 0; i < pFunc.size(); ++i) {
        pFunc[i]->setToolTip(QString::fromUtf8(tips[i]));
        QObject::connect(pFunc[i], &platform::PictureBox::Click, pFunc[i],
                         [this, i] { pFunc_Click(int(i)); });
    }
}

void FrmMain::pFunc_Click(int Index) {
    struct Confirmation {
        const char* adult;
        const char* child;
        bool password;
    };
    Confirmation confirmation;
    switch (Index) {
    case 0:
        confirmation =
            QuitLock ? Confirmation{"There was an attempt to quit The Crayvex. If you wish to "
                                    "allow this, please press OK to continue.",
                                    "Oh no!, something has happened when you tried to close "
                                    "me. Call someone who can help you!",
                                    UsePassword}
                     : Confirmation{"There was an attempt to quit The Crayvex. If you wish to "
                                    "allow this, press OK.",
                                    "Are you sure you want to close this coloring book? Why "
                                    "don't you stay for a while?",
                                    false};
        break;
    case 1:
        confirmation = {"There was an attempt to save the current picture. If you wish to allow "
                        "this, please press OK to continue.",
                        "Oh no!, something happened when you tried to save your picture. Call "
                        "someone who can help you!",
                        UsePassword};
        break;
    case 2:
        confirmation = {"There was an attempt to print the current picture. If you wish to allow "
                        "this, please press OK to continue.",
                        "Oh no!, something happened when you tried to print your picture. Call "
                        "someone who can help you!",
                        UsePassword};
        break;
    case 3:
        confirmation = {"There was an attempt to view the About box. If you wish to allow this, "
                        "please press OK.",
                        "Oh no!, something has happened. Call someone who can help you!",
                        UsePassword};
        break;
    case 4:
        confirmation = {"There was an attempt to open the options screen. If you wish to allow "
                        "this, please press OK to continue.",
                        "Oh no!, something has happened. Call someone who can help you!",
                        UsePassword};
        break;
    default:
        Pc->setVisible(true);
        return;
    }

    frmMessage& message = frmMessage::Instance();
    message.SetExtendedInformation(QString::fromUtf8(confirmation.adult));
    message.SetMessage(QString::fromUtf8(confirmation.child));
    message.SetShowCancel(true);
    message.SetPasswordVisible(confirmation.password);
    Timer1->SetEnabled(false);
    message.Show(true);
    if (!IsLoaded())
        return; // the program ended meanwhile
    const QString answer = message.Result;

    switch (Index) {
    case 0:
        Timer1->SetEnabled(true);
        if (answer == Ok) {
            SaveColoredPicture();
            Unload(); // its unload ends the program
        }
        return;
    case 1:
        if (answer == Cancel) {
            Timer1->SetEnabled(true);
            return;
        }
        SavePictureCopy();
        return;
    case 2:
        if (answer == Cancel) {
            Timer1->SetEnabled(true);
            return;
        }
        PrintPicture();
        return;
    case 3:
        ShowAbout(answer);
        break;
    case 4:
        ShowOptions(answer);
        break;
    }
    if (IsLoaded())
        Pc->setVisible(true);
}

QString FrmMain::SaveCopyName(const QString& chosen) {
    if (chosen.endsWith(QStringLiteral(".jpg")) || chosen.endsWith(QStringLiteral(".jpeg")))
        return chosen;
    return chosen + QStringLiteral(".jpg");
}

void FrmMain::SavePictureCopy() {
    QWidget* window = Window();
    window->setEnabled(false);
    QString fileName;
    QString fileTitle;
    QString filter = QStringLiteral("Jpeg file (*.jpg)|*.jpg");
    int32_t filterIndex = 1;
    int32_t flags = 0;
    GCommonDialog dialog;
    // No owner: the main window is disabled while the dialog is open.
    const bool chosen = dialog.VBGetSaveFileName(
        fileName, fileTitle, true, filter, filterIndex, QString(),
        QStringLiteral("Save current picture as..."), QString(), nullptr, flags);
    if (!IsLoaded())
        return;
    if (!chosen) {
        Timer1->SetEnabled(true);
        window->setEnabled(true);
        Pc->setVisible(true);
        return;
    }
    fileName = SaveCopyName(fileName);

    bool written = false;
    try {
        cDIBSection section;
        if (PictureFromImage(*P, QStringLiteral("temp.bmp"))) {
            section.CreateFromPicture(P->Picture());
            written = mIntelJPEGLibrary::SaveJPG(section, fileName, 90);
        }
    } catch (const RuntimeError&) {
        written = false;
    }
    if (written) {
        Timer1->SetEnabled(true);
        window->setEnabled(true);
        return;
    }
    frmParentMessage& notice = frmParentMessage::Instance();
    notice.SetCancelVisible(false);
    notice.SetMessage(QStringLiteral(
        "Unfortunately, because of an unknown error, the picture could not be saved. Please "
        "make sure that the disk is not write protected and that you have enough disk space to "
        "save the picture."));
    notice.Show(true);
    if (!IsLoaded())
        return;
    Timer1->SetEnabled(true);
    window->setEnabled(true);
    Pc->setVisible(true);
}

void FrmMain::PrintPicture() {
    platform::Printer& printer = platform::Printer::Current();
    platform::PrinterSelection selection;
    selection.SetPrinterName(printer.DeviceName());
    selection.SetDriverName(printer.DriverName());
    selection.SetPort(printer.Port());
    selection.SetOrientation(printer.Orientation());
    selection.SetFlags(SelectionFlags);
    selection.SetCancelError(true);

    int32_t left = 0, top = 0, width = 0, height = 0;
    try {
        selection.ShowPrinter(Window());
        if (!IsLoaded())
            return;
        const QString chosen = selection.PrinterName().toUpper();
        if (chosen != printer.DeviceName()) {
            for (const platform::PrinterDevice& device : platform::Printer::Printers())
                if (device.DeviceName.toUpper() == chosen)
                    printer.Select(device);
        }
        printer.Copies = selection.Copies();
        printer.SetOrientation(selection.Orientation());
        printer.SetPaperSize(selection.PaperSize());
        printer.SetColorMode(selection.ColorMode());
        printer.SetDuplex(selection.Duplex());
        printer.SetPrintQuality(selection.PrintQuality());
        printer.ScaleMode = 3; // pixels, as the canvas
        int32_t boxWidth = int32_t(platform::RoundHalfEven(printer.ScaleWidth()));
        int32_t boxHeight = int32_t(platform::RoundHalfEven(printer.ScaleHeight()));
        int32_t pictureWidth = P->ScaleWidth();
        int32_t pictureHeight = P->ScaleHeight();
        FitRect(boxWidth, boxHeight, pictureWidth, pictureHeight, left, top, width, height);
        if (width <= 0 || height <= 0)
            throw RuntimeError(11, QStringLiteral("FrmMain"), QStringLiteral("Division by zero"));
    } catch (const RuntimeError&) {
        // Cancelled, or no printer to be had: nothing is printed.
        if (!IsLoaded())
            return;
        Timer1->SetEnabled(true);
        Pc->setVisible(true);
        return;
    }

    try {
        if (!PictureFromImage(*P, QStringLiteral("tmp.bmp")))
            throw RuntimeError(481, QStringLiteral("FrmMain"), QStringLiteral("Invalid picture"));
        for (int copy = 1; copy <= selection.Copies(); ++copy) {
            printer.PaintPicture(P->Picture(), left, top, width, height);
            printer.NewPage();
        }
        printer.EndDoc();
    } catch (const RuntimeError&) {
        printer.KillDoc();
        ShowPictureError(2, QString());
        return;
    }
    Timer1->SetEnabled(true);
    Pc->setVisible(true);
}

void FrmMain::ShowAbout(const QString& answer) {
    if (answer == Ok) {
        SetToolCursor(true);
        frmSplash& about = frmSplash::Instance();
        about.SetForm_style(0);
        about.Show(true);
        if (!IsLoaded())
            return;
        SetToolCursor(false);
    }
    Timer1->SetEnabled(true);
}

void FrmMain::ShowOptions(const QString& answer) {
    if (answer == Ok) {
        SaveColoredPicture();
        SetToolCursor(true);
        frmParentalOptions& options = frmParentalOptions::Instance();
        options.Show(true);
        if (!IsLoaded())
            return;
        if (options.Saved) {
            // The window is rebuilt for the new settings behind a still screen.
            QWidget* window = Window();
            window->setUpdatesEnabled(false);
            Form_Load();
            if (!IsLoaded())
                return; // the settings could not be read: the program has ended
            CurrentTool = 0;
            if (!P->isHidden()) {
                c[0]->SetEnabled(true);
                c[1]->SetEnabled(true);
                c[3]->SetEnabled(true);
                c[2]->SetEnabled(UndoTop >= 0);
                for (size_t i = 0; i < pTool.size(); ++i) {
                    pTool[i]->SetEnabled(true);
                    pTool[i]->SetPressed(i == 0);
                }
            }
            window->setUpdatesEnabled(true);
        }
    }
    Timer1->SetEnabled(true);
    SetToolCursor(false);
}

void FrmMain::Form_QueryUnload(int& cancel, int UnloadMode) {
    (void)cancel;
    // Only a close in the window itself has someone at the screen to be told of a
    // colouring that could not be kept; the session's or a signal's ending has not.
    if (UnloadMode != FormCode)
        SaveColoredPicture(UnloadMode == FormControlMenu);
}

void FrmMain::FitRect(int32_t& boxWidth, int32_t& boxHeight, int32_t& pictureWidth,
                      int32_t& pictureHeight, int32_t& left, int32_t& top, int32_t& width,
                      int32_t& height) {
    using platform::RoundHalfEven;
    if (pictureWidth <= 0 || pictureHeight <= 0) {
        left = top = width = height = 0;
        return;
    }
    const double boxW = boxWidth, boxH = boxHeight;
    const double picW = pictureWidth, picH = pictureHeight;
    if (pictureWidth <= pictureHeight) {
        height = boxHeight;
        width = int32_t(RoundHalfEven(boxH / picH * picW));
    } else {
        width = boxWidth;
        height = int32_t(RoundHalfEven(boxW / picW * picH));
    }
    if (height > boxHeight)
        height = boxHeight;
    width = int32_t(RoundHalfEven(double(height) / picH * picW));
    if (width > boxWidth)
        width = boxWidth;
    height = int32_t(RoundHalfEven(double(width) / picW * picH));
    left = int32_t(RoundHalfEven(boxW / 2 - double(width) / 2));
    top = int32_t(RoundHalfEven(boxH / 2 - double(height) / 2));
}

uint32_t FrmMain::TranslateColor(uint32_t colour, long& palette) {
    uint32_t rgb = 0;
    if (!platform::OleTranslateColor(colour, uint32_t(palette), rgb))
        return 0;
    return rgb;
}
