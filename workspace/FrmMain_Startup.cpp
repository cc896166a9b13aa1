// The window's design, its start-up and its shutdown.
#include "Arithmetic.h"
#include "EndProgram.h"
#include "FrmMain.h"
#include "Hooks.h"
#include "MainWindowLink.h"
#include "ProgramFolder.h"
#include "Random.h"
#include "ResourceCursor.h"
#include "Resources.h"
#include "Screen.h"
#include "frmMessage.h"
#include "frmParentMessage.h"
#include "frmParentalOptions.h"
#include "frmSplash.h"
#include "mMain.h"
#include "pButton.h"

#include <QDir>
#include <QPixmap>

namespace res = platform::resources;
using platform::PictureBox;

namespace {
constexpr int TopBarHeight = 100;
constexpr uint32_t TopBarColour = 0xF0BE78; // sky blue
constexpr uint32_t PanelColour = 0x000000;  // the current colour, black at start
constexpr int BubbleSprites = 23;           // the last one opens the colour picker
constexpr int PickerBubble = 22;

PictureBox* NewPictureBox(QWidget* parent, uint32_t backColour) {
    auto* box = new PictureBox(parent);
    box->SetBackColor(backColour);
    return box;
}

PictureBox* NewPictureHolder(QWidget* parent, const QString& design) {
    PictureBox* box = NewPictureBox(parent, 0x000000);
    box->AutoSize = true;
    box->SetPicture(res::DesignPicture(design));
    box->hide();
    return box;
}

// Shows an adult's notice or question and waits for it to be answered.
bool AskParent(const QString& text, bool withCancel) {
    frmParentMessage& message = frmParentMessage::Instance();
    message.SetCancelVisible(withCancel);
    message.SetMessage(text);
    message.Show(true);
    return !message.Cancelled;
}
} // namespace

void FrmMain::CreateWidgets(QWidget* window) {
    window->setWindowTitle(QStringLiteral("The Crayvex"));
    // Kept above other programs' windows even when some other window has the focus.
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window->setWindowIcon(QIcon(QPixmap::fromImage(res::DesignPicture(QStringLiteral("icon")))));

    pT = NewPictureBox(window, TopBarColour);
    pT->resize(800, TopBarHeight);
    PB = NewPictureBox(window, PanelColour);
    P = NewPictureBox(PB, 0xFFFFFF);
    P->hide();
    tP = NewPictureBox(window, 0xFFFFFF);
    tP->AutoSize = true;
    tP->hide();
    for (size_t i = 0; i < pBr.size(); ++i) {
        pBr[i] = NewPictureHolder(window, QStringLiteral("pBr%1").arg(i));
        pBr[i]->SetBackColor(0xFFFFFF);
    }
    for (size_t i = 0; i < c.size(); ++i) {
        c[i] = new pButton(pT);
        QObject::connect(c[i], &pButton::Click, window, [this, i] { c_Click(int(i)); });
        QObject::connect(c[i], &pButton::MouseDown, window, [this, i] { c_MouseDown(int(i)); });
        QObject::connect(c[i], &pButton::MouseUp, window, [this, i] { c_MouseUp(int(i)); });
    }
    for (size_t i = 0; i < pTool.size(); ++i) {
        pTool[i] = new pButton(pT);
        QObject::connect(pTool[i], &pButton::MouseUp, window, [this, i] { pTool_MouseUp(int(i)); });
    }
    Pc = NewPictureBox(pT, TopBarColour);
    for (size_t i = 0; i < pFunc.size(); ++i) {
        pFunc[i] = NewPictureHolder(window, QStringLiteral("pFunc%1").arg(i));
        pFunc[i]->show();
    }
    // Save and Print wait, greyed, for the first picture to be opened.
    pFunc[1]->setEnabled(false);
    pFunc[2]->setEnabled(false);
    SetUpFunctionBar();
    for (size_t i = 0; i < pE.size(); ++i)
        pE[i] = NewPictureHolder(window, QStringLiteral("pE%1").arg(i));
    pCC.clear(); // the sprites of an earlier window went with it
    for (int i = 0; i < BubbleSprites; ++i)
        pCC.push_back(NewPictureHolder(window, QStringLiteral("pCC%1").arg(i)));

    QObject::connect(P, &PictureBox::MouseDown, window,
                     [this](int b, int s, float x, float y) { P_MouseDown(b, s, x, y); });
    QObject::connect(P, &PictureBox::MouseMove, window,
                     [this](int b, int s, float x, float y) { P_MouseMove(b, s, x, y); });
    QObject::connect(P, &PictureBox::MouseUp, window,
                     [this](int b, int s, float x, float y) { P_MouseUp(b, s, x, y); });

    Timer1 = new platform::SystemTimer(window);
    Timer1->SetInterval(1);
    QObject::connect(Timer1, &platform::SystemTimer::Timer, window, [this] { Timer1_Timer(); });
    QObject::connect(Pc, &PictureBox::MouseDown, window,
                     [this](int b, int s, float x, float y) { Pc_MouseDown(b, s, x, y); });
    tMusic = new platform::SystemTimer(window);
    MainWindowLink& link = MainWindowLink::Current();
    link.Window = window;
    link.Timer1 = Timer1;
}

// The whole start-up on the first load; after saved options only what the new settings
// change: the screen check, the settings, the buttons and the layout.
void FrmMain::Form_Load() {
    const platform::ScreenMetrics screen = platform::CurrentScreen();
    if (screen.BitsPerPixel < 16 || screen.Width < 800 || screen.Height < 600) {
        AskParent(QStringLiteral("This program can not run under the current screen resolution. "
                                 "The minimum size is 800 by 600, at a color mode of 24 bits "
                                 "(true color).\r\nYou must change the resolution before the "
                                 "program can run."),
                  true);
        platform::EndProgram();
        return;
    }
    if (!Initialised && (screen.Width < 1024 || screen.Height < 768)) {
        if (!AskParent(QStringLiteral("Although this program is able to run at your current "
                                      "screen resolution, it is highly recommended that you "
                                      "switch to a minimum size of 1024 by 768; otherwise, not "
                                      "all of the pictures will fit on the screen.\r\n\r\nWould "
                                      "you like to continue anyway?"),
                       true)) {
            platform::EndProgram();
            return;
        }
    }
    if (!Initialised) {
        mMain::FontSmoothingWasOn = mMain::IsFontSmoothingOn();
        long smoothingType = 2;
        mMain::EnableFontSmoothing(smoothingType);
    }
    const double W = platform::RoundHalfEven(double(platform::TwipsPerPixel) * screen.Width);
    const double H = platform::RoundHalfEven(double(platform::TwipsPerPixel) * screen.Height);

    BrushDib = {};
    BrushDib.Make_From_Picture(*pBr[0]);
    platform::Randomize();
    RegionColour = -1;
    // The colour starts black, and the panel round the canvas shows it, also after the
    // options: the panel always shows the colour that paints.
    const long black = 0;
    SetColor(black);

    if (!LoadSettings())
        return;

    QDir().mkpath(platform::ProgramFolder() + QStringLiteral("/colored pictures"));
    for (PictureBox* button : pFunc)
        button->setVisible(!AutoHide);
    SetUpButtons();
    if (!Initialised)
        MakeBubbleMasks();
    MakeSprites();

    Move(-W, -H, W, H);
    Show();
    Layout();

    if (!Initialised) {
        RGBTriple back;
        mMain::SplitRGB(long(PB->BackColor()), back.R, back.G, back.B);
        mMain::DrawGradient({1, {{0, 0, 0}, back}}, *PB, 0, 0, PB->ScaleWidth(), 10);
        FirstBubbles();
        Initialised = true;
        Move(0, 0, W, H);
        ShowFullScreen();
        KeyboardHook = long(platform::user32::SetWindowsHookExA(
            platform::user32::WH_KEYBOARD_LL, mMain::KeyboardHookProc, nullptr, 0));
        c_Click(0);
        if (!IsLoaded())
            return; // the chooser ended the program
    }
    Initialised = true;
    Pc->setVisible(true);
    Move(0, 0, double(platform::TwipsPerPixel) * screen.Width,
         double(platform::TwipsPerPixel) * screen.Height);
    ShowFullScreen();
}

// Reads Settings.ini; when it cannot be read the options window lets an adult make it,
// and it is read once more. False when the program has ended.
bool FrmMain::LoadSettings() {
    bool retry = false;
    while (!ReadSettings()) {
        if (retry) {
            AskParent(QStringLiteral("The Crayvex was unable to create a settings file. This is "
                                     "an serious error and program cannot continue. Make sure "
                                     "that the disk you are using is not write protected."),
                      false);
            platform::EndProgram();
            return false;
        }
        frmParentalOptions& options = frmParentalOptions::Instance();
        options.Show(true);
        if (!options.Saved) {
            platform::EndProgram();
            return false;
        }
        retry = true;
    }
    return true;
}

void FrmMain::SetUpButtons() {
    struct Pictures {
        pButton* button;
        int normal, down, pressed;
        const char* tip;
    };
    const Pictures pictures[] = {
        {c[0], 102, 101, 0, "Open a picture to paint"},
        {c[1], 146, 147, 0, "Clear out all colors!"},
        {c[2], 110, 109, 0, "Undo"},
        {c[3], 130, 131, 132, "Choose between crazy colors and normal colors!"},
        {pTool[0], 108, 106, 107, "Color using a magic crayon"},
        {pTool[1], 105, 103, 104, "Paint using a magic paintbrush"},
        {pTool[2], 119, 117, 118, "Draw using a magic coloring pencil"},
    };
    for (const Pictures& p : pictures) {
        // Disabled, a button stays on the bar's sky blue rather than on a grey of its own.
        const QImage normal = res::Bitmap(p.normal);
        p.button->SetPicture(normal, res::Bitmap(p.down),
                             p.pressed ? res::Bitmap(p.pressed) : QImage(),
                             pButton::GreyOn(normal, TopBarColour));
        if (p.button->width() <= 1)
            p.button->resize(TopBarHeight, TopBarHeight); // no artwork for it
        p.button->SetToolText(QString::fromUtf8(p.tip));
    }
    c[1]->SetEnabled(false);
    c[2]->SetEnabled(false);
    c[3]->SetPressed(false);
    c[3]->SetEnabled(false);
    ColourJitter = 10;
    Timer1->SetEnabled(false);
}

// Each sprite's mask: white round the bubble, black where the bubble is.
void FrmMain::MakeBubbleMasks() {
    const size_t n = BubbleSprites;
    Bubbles.assign(n, BubbleRecord{});
    QWidget* window = Window();
    for (size_t i = 0; i < n; ++i) {
        PictureBox* mask = NewPictureBox(window, 0x000000);
        mask->hide();
        mask->setGeometry(0, 0, pCC[i]->ScaleWidth(), pCC[i]->ScaleHeight());
        cNDib dib;
        dib.Make_From_Picture(*pCC[i]);
        for (long y = 0; y <= dib.Height(); ++y) {
            for (long x = 0; x <= dib.Width(); ++x) {
                const bool black = dib.Get_Pixel_Long(x, y) == 0;
                dib.Set_Pixel(x, y, black ? 255 : 0, black ? 255 : 0, black ? 255 : 0);
            }
        }
        dib.Set_dib(*mask, false);
        mask->SetPictureFromImage();
        pCC.push_back(mask);
    }
}

void FrmMain::MakeSprites() {
    Sprites.assign(pCC.size(), cNDib{});
    for (size_t i = 0; i < pCC.size(); ++i)
        Sprites[i].Make_From_Picture(*pCC[i]);
}

void FrmMain::Layout() {
    QWidget* window = Window();
    const QCursor hand = ResourceCursor(101);
    auto centredTop = [this](QWidget* w) { return pT->ScaleHeight() / 2 - w->height() / 2; };
    c[0]->move(0, centredTop(c[0]));
    c[0]->SetMouseIcon(hand);
    int x = c[0]->x() + c[0]->width();
    for (size_t i = 1; i < c.size(); ++i) {
        c[i]->move(x, centredTop(c[i]));
        if (!c[i]->isHidden())
            x = c[i]->x() + c[i]->width();
        c[i]->SetMouseIcon(hand);
    }
    // The crayon is latched, and every tool waits disabled for a picture.
    for (size_t i = 0; i < pTool.size(); ++i) {
        pTool[i]->move(x, centredTop(pTool[i]));
        pTool[i]->SetMouseIcon(hand);
        x = pTool[i]->x() + pTool[i]->width();
        if (i == 0)
            pTool[i]->SetPressed(true);
        pTool[i]->SetEnabled(false);
    }
    Pc->setCursor(hand);
    for (PictureBox* button : pFunc)
        button->setCursor(hand);
    pT->setGeometry(0, 0, window->width(), pT->height());
    PB->setGeometry(0, pT->ScaleHeight(), window->width(),
                    std::max(0, window->height() - pT->ScaleHeight()));
    P->move(PB->ScaleWidth() / 2 - P->ScaleWidth() / 2,
            PB->ScaleHeight() / 2 - P->ScaleHeight() / 2);
    const int left = pTool[2]->x() + pTool[2]->width();
    Pc->setGeometry(left, 0, pT->ScaleWidth() - left, pT->ScaleHeight());
    pFunc[0]->move(0, 0);
    for (size_t i = 1; i < pFunc.size(); ++i)
        pFunc[i]->move(pFunc[i - 1]->x() + pFunc[i - 1]->ScaleWidth(), 0);
    FunctionBarRight = pFunc.back()->x() + pFunc.back()->ScaleWidth();
    for (PictureBox* button : pFunc)
        button->raise();
}

// Each bubble starts just below the palette, with a colour taken from its sprite's centre.
void FrmMain::FirstBubbles() {
    for (size_t i = 0; i < Bubbles.size(); ++i) {
        BubbleRecord& b = Bubbles[i];
        b.Radius = float(pCC[i]->ScaleWidth()) / 2;
        b.Y = platform::Rnd() * 20 + float(Pc->ScaleHeight()) + b.Radius;
        b.X = platform::Rnd() * (float(Pc->ScaleWidth()) - 2 * b.Radius) + b.Radius;
        b.VY = (-platform::Rnd() * 1 - 0.5f) / BubbleSpeed;
        b.Phase = platform::Rnd() * 2 * 3.14f;
        const long cx = platform::RoundHalfEven(pCC[i]->ScaleWidth() / 2.0);
        const long cy = platform::RoundHalfEven(pCC[i]->ScaleHeight() / 2.0);
        const QImage& sprite = pCC[i]->Image();
        const QRgb centre = sprite.valid(int(cx), int(cy)) ? sprite.pixel(int(cx), int(cy)) : 0;
        b.Colour = int32_t(
            platform::RGB(uint8_t(qRed(centre)), uint8_t(qGreen(centre)), uint8_t(qBlue(centre))));
        if (i == PickerBubble)
            b.Colour = -1;
    }
}

void FrmMain::SetToolCursor(bool remove) {
    if (remove) {
        ToolCursor.Destroy();
        return;
    }
    static const long ids[] = {106, 104, 102};
    ToolCursor.LoadFromResource(ids[std::clamp(CurrentTool, 0L, 2L)]);
    ToolCursor.SetAsDefaultCursor(P, true);
}

void FrmMain::Form_Unload(int&) {
    tMusic->SetEnabled(false);
    Timer1->SetEnabled(false);
    CanvasDib = {};
    RegionDib = {};
    OutlineDib = {};
    Sprites.clear();
    frmSplash::Instance().Unload();
    if (UnloadChooser)
        UnloadChooser();
    frmMessage::Instance().Unload();
    frmParentMessage::Instance().Unload();
    if (KeyboardHook != 0)
        platform::user32::UnhookWindowsHookEx(KeyboardHook);
    KeyboardHook = 0;
    if (!mMain::FontSmoothingWasOn)
        mMain::DisableFontSmoothing();
    ToolCursor.Destroy();
    MainWindowLink::Current() = {};
    platform::EndProgram();
}
