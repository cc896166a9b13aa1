#include "frmParentalOptions.h"

#include "CaseInsensitivePath.h"
#include "ColourValue.h"
#include "EndProgram.h"
#include "HyperLink.h"
#include "MainWindowLink.h"
#include "MessageWindowDesign.h"
#include "PictureBox.h"
#include "ProgramFolder.h"
#include "Resources.h"
#include "SettingsFile.h"
#include "frmMessage.h"
#include "frmParentMessage.h"
#include "frmSplash.h"
#include "mMain_FontSmoothing.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cstdlib>

namespace design = MessageWindowDesign;

namespace {
constexpr uint32_t BackColour = 0x0F0F99;   // dark red
constexpr uint32_t TextColour = 0x0080FF;   // orange
constexpr uint32_t GreyedColour = 0x7070B0; // the orange text of a disabled control, dimmed
constexpr uint32_t BoxGrey = 0xC0C0C0;
constexpr uint32_t BoxWhite = 0xFFFFFF;

const QString ReadErrorMessage = QStringLiteral(
    "There was an error when trying to open the settings file. This may be because you are "
    "running The Crayvex for the first time.\r\n\r\nYou can attempt to create a new settings "
    "file by completing the next window and clicking OK. If that does not work, reinstalling "
    "the application may fix the problem.");

QColor Colour(uint32_t colourValue) {
    return QColor::fromRgb(platform::PixelFromColourValue(colourValue));
}

// Verdana orange on dark red, dimmed while disabled.
void StyleText(QWidget* widget) {
    widget->setFont(design::AdultFont(8.25));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, Colour(TextColour));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Colour(GreyedColour));
    palette.setColor(QPalette::Window, Colour(BackColour));
    widget->setPalette(palette);
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

QRect Twips(int left, int top, int width, int height) {
    return design::FromTwips(left, top, width, height);
}

QCheckBox* NewCheckBox(QWidget* parent, const QString& caption, const QRect& twips, int value,
                       const QString& tip) {
    auto* box = new QCheckBox(caption, parent);
    box->setGeometry(Twips(twips.x(), twips.y(), twips.width(), twips.height()));
    StyleText(box);
    // As wide as its mark and caption, so that a box over a group's edge hides no more
    // of it than it must.
    box->resize(std::min(box->width(), box->sizeHint().width()), box->height());
    frmParentalOptions::SetCheckValue(box, value);
    box->setToolTip(tip);
    // A greyed box that is clicked becomes a plain two-state box again.
    QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    return box;
}

QLabel* NewLabel(QWidget* parent, const QRect& twips, const QString& caption,
                 const QString& tip = QString()) {
    QLabel* label =
        design::NewLabel(parent, twips, design::AdultFont(8.25), TextColour, caption, BackColour);
    label->setWordWrap(false);
    label->adjustSize();
    StyleText(label);
    label->setToolTip(tip);
    return label;
}

QLineEdit* NewTextBox(QWidget* parent, const QRect& twips, const QString& tip) {
    auto* box = new QLineEdit(parent);
    box->setGeometry(Twips(twips.x(), twips.y(), twips.width(), twips.height()));
    box->setFont(design::AdultFont(8.25));
    // Greyed text stays readable on the grey box.
    QPalette palette = box->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x50, 0x50, 0x50));
    box->setPalette(palette);
    box->setToolTip(tip);
    return box;
}

// A group: its etched border runs half a text line below its top edge, where a label
// or check box placed over it reads as the group's title.
QWidget* NewFrame(QWidget* parent, const QRect& twips, const QString& tip) {
    auto* frame = new QWidget(parent);
    frame->setGeometry(Twips(twips.x(), twips.y(), twips.width(), twips.height()));
    frame->setToolTip(tip);
    auto* border = new QFrame(frame);
    border->setFrameStyle(QFrame::Box | QFrame::Sunken);
    QPalette palette = border->palette();
    palette.setColor(QPalette::Dark, Colour(0x09096B));
    palette.setColor(QPalette::Light, Colour(0x4040D0));
    border->setPalette(palette);
    const int middle = QFontMetrics(design::AdultFont(8.25)).height() / 2;
    border->setGeometry(0, middle, frame->width(), frame->height() - middle);
    border->lower();
    return frame;
}

HyperLink* NewLink(QWidget* parent, const QString& caption, int left, int top,
                   const QString& tip = QString()) {
    HyperLink* link = design::NewLink(parent, caption, left, top, 900, 255);
    link->setToolTip(tip);
    return link;
}

// A notice to the adult; its answer is not read.
void Notice(const QString& text) {
    frmParentMessage& message = frmParentMessage::Instance();
    message.SetMessage(text);
    message.Show(true);
}

bool FolderExists(const char* name) {
    const QString path = QDir(platform::ProgramFolder()).filePath(QString::fromLatin1(name));
    return QFileInfo(platform::ResolvePath(path)).isDir();
}
} // namespace

int frmParentalOptions::CheckValue(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void frmParentalOptions::SetCheckValue(QCheckBox* box, int value) {
    // Only the settings file can grey a box; a ticked or unticked one has two states.
    box->setTristate(value == 2);
    box->setCheckState(value == 1   ? Qt::Checked
                       : value == 2 ? Qt::PartiallyChecked
                                    : Qt::Unchecked);
}

void frmParentalOptions::CreateWidgets(QWidget* window) {
    window->setWindowTitle(QStringLiteral("Options"));
    window->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window->resize(Twips(0, 0, 5010, 6315).size());
    Surface = design::NewSurface(window, BackColour);
    P = new platform::PictureBox(window);
    P->hide();
    P->AutoSize = true;
    P->SetPicture(platform::resources::DesignPicture(QStringLiteral("options")));

    Check1 = NewCheckBox(window, QStringLiteral("Play sounds"), QRect(120, 120, 3600, 255), 1,
                         QStringLiteral("Disable/enable sound effects."));
    Check2 = NewCheckBox(
        window, QStringLiteral("Auto-hide parental buttons"), QRect(120, 480, 3600, 255), 0,
        QStringLiteral(" Ticking this box will cause The Crayvex to hide the quit, save, print, "
                       "help, settings and gallery options when they are not in use."));

    Frame2 = NewFrame(window, QRect(120, 1080, 4812, 735),
                      QStringLiteral("Set the speed of the color bubbles."));
    Label1 = NewLabel(Frame2, QRect(120, 0, 1500, 195), QStringLiteral(" Bubble speed "));
    const char* const speeds[] = {"Fast", "Medium", "Slow"};
    const int speedLefts[] = {120, 1560, 3240};
    for (size_t i = 0; i < Option1.size(); ++i) {
        Option1[i] = new QRadioButton(QString::fromLatin1(speeds[i]), Frame2);
        Option1[i]->setGeometry(Twips(speedLefts[i], 240, 1335, 255));
        StyleText(Option1[i]);
    }
    Option1[1]->setChecked(true);

    Frame1 = NewFrame(window, QRect(120, 2160, 4812, 2415), QString());
    Check3 =
        NewCheckBox(window, QStringLiteral("Use parental password"), QRect(240, 2040, 2475, 255), 1,
                    QStringLiteral("Ticking this box will prevent children from accessing "
                                   "features such as printing and saving."));
    O2 = NewCheckBox(Frame1, QStringLiteral("Allow quitting without permission"),
                     QRect(240, 240, 4320, 255), 0,
                     QStringLiteral("If you leave this option unchecked, a password will have "
                                    "to be entered to quit The Crayvex."));
    const QString passwordTip =
        QStringLiteral("A password is required when unlocking locked items, please enter it "
                       "here if you wish to change the current password.");
    Label2 = NewLabel(Frame1, QRect(120, 720, 3000, 195), QStringLiteral("Parental password:"),
                      passwordTip);
    Text1 = NewTextBox(Frame1, QRect(360, 1090, 4080, 330), passwordTip);
    Text1->setEchoMode(QLineEdit::Password);
    Text1->setFont(design::AdultFont(9.75));
    Label4 = NewLabel(
        Frame1, QRect(120, 1560, 3000, 195), QStringLiteral("Password hint:"),
        QStringLiteral("If you ever forget your password, you can use the hint below to remind "
                       "you!"));
    Text2 = NewTextBox(
        Frame1, QRect(375, 1930, 4080, 330),
        QStringLiteral("If you ever forget your password, you can use the hint to remind you!"));

    cFunc[2] = NewLink(window, QStringLiteral("Manage colored pages"), 120, 4920,
                       QStringLiteral("View all of the pictures colored using The Crayvex."));
    cFunc[3] = NewLink(window, QStringLiteral("Add/remove coloring pages and books"), 120, 5280,
                       QStringLiteral("Add or remove pictures from The Crayvex."));
    cFunc[0] = NewLink(window, QStringLiteral("Cancel"), 3360, 6000);
    cFunc[1] = NewLink(window, QStringLiteral("Continue"), 4080, 6000);
    for (size_t i = 0; i < cFunc.size(); ++i)
        QObject::connect(cFunc[i], &HyperLink::Click, window, [this, i] { cFunc_Click(int(i)); });
    QObject::connect(Check3, &QCheckBox::stateChanged, window, [this] { Check3_Click(); });
}

void frmParentalOptions::PaintBackground() {
    design::StretchPicture(Window(), Surface, *P);
}

void frmParentalOptions::Form_Load() {
    design::CentreOnScreen(Window());
    PaintBackground();
    Check3_Click();
    Saved = false;
    SettingsFile::OptionValues values;
    const bool read = SettingsFile::ReadIntoOptions(values);
    // Whatever the reading reached is shown, the design values for the rest.
    ShowValues(values);
    // Compared on Continue: auto-hide is announced only when it is switched on now.
    AutoHideAtLoad = CheckValue(Check2);
    QuitOnCancel = !read;
    if (!read)
        Notice(ReadErrorMessage);
}

void frmParentalOptions::ShowValues(const SettingsFile::OptionValues& values) {
    SetCheckValue(Check1, values.Check1);
    SetCheckValue(O2, values.O2);
    SetCheckValue(Check2, values.Check2);
    SetCheckValue(Check3, values.Check3);
    if (values.Option1 >= 0 && values.Option1 < int(Option1.size()))
        Option1[size_t(values.Option1)]->setChecked(true);
    Text1->setText(values.Text1);
    Text2->setText(values.Text2);
}

SettingsFile::OptionValues frmParentalOptions::Values() const {
    SettingsFile::OptionValues values;
    values.Check1 = CheckValue(Check1);
    values.O2 = CheckValue(O2);
    values.Check2 = CheckValue(Check2);
    values.Check3 = CheckValue(Check3);
    values.Option1 = -1;
    for (size_t i = 0; i < Option1.size(); ++i) {
        if (Option1[i]->isChecked())
            values.Option1 = int(i);
    }
    values.Text1 = Text1->text();
    values.Text2 = Text2->text();
    return values;
}

void frmParentalOptions::Check3_Click() {
    const bool used = CheckValue(Check3) != 0;
    for (QWidget* widget :
         {static_cast<QWidget*>(O2), static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2),
          static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label4)})
        widget->setEnabled(used);
    for (QLineEdit* box : {Text1, Text2}) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, Colour(used ? BoxWhite : BoxGrey));
        box->setPalette(palette);
    }
}

void frmParentalOptions::cFunc_Click(int Index) {
    switch (Index) {
    case 0:
        if (QuitOnCancel)
            EndProgram();
        else
            Unload();
        break;
    case 1:
        Continue();
        break;
    case 2:
        ShowManager("colored pictures", ShowColoredPictures,
                    QStringLiteral("There are currently no colored pictures to browse. You can "
                                   "only access this window after at least one picture has "
                                   "been colored."));
        break;
    case 3:
        ShowManager("books", ShowManagePictures,
                    QStringLiteral("Could not find the books path. Please reinstall The "
                                   "Crayvex!"));
        break;
    default:
        break;
    }
}

void frmParentalOptions::Continue() {
    if (CheckValue(Check3) == 1) {
        if (Text1->text().isEmpty()) {
            Notice(QStringLiteral("You must enter a password in order to continue."));
            Text1->setFocus();
            return;
        }
        if (Text2->text().isEmpty()) {
            Notice(QStringLiteral("You must enter a password hint incase you forget your "
                                  "password."));
            Text2->setFocus();
            return;
        }
    }
    if (!SettingsFile::Write(Values())) {
        Notice(SettingsFile::SaveErrorMessage);
        return;
    }
    if (CheckValue(Check2) == 1 && AutoHideAtLoad == 0)
        Notice(QStringLiteral("You have chosen to auto-hide the parental buttons (small buttons "
                              "on the top-left corner of the screen). If you need to access "
                              "them, you should place the mouse pointer over that area for one "
                              "second."));
    Saved = true;
    Unload();
}

void frmParentalOptions::ShowManager(const char* folder, const std::function<void()>& show,
                                     const QString& missing) {
    if (!FolderExists(folder)) {
        Notice(missing);
        return;
    }
    if (show)
        show();
    if (UnloadPictureChooser)
        UnloadPictureChooser();
}

void frmParentalOptions::EndProgram() {
    frmSplash::Instance().Unload();
    if (UnloadPictureChooser)
        UnloadPictureChooser();
    frmMessage::Instance().Unload();
    frmParentMessage::Instance().Unload();
    Unload();
    if (!mMain::FontSmoothingWasOn)
        mMain::DisableFontSmoothing();
    platform::EndProgram();
}
