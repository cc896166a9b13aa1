// The window's design, its start-up and its shutdown.
#include "FrmMain.h"
#include "Hooks.h"
#include "MainWindowLink.h"
#include "Random.h"
#include "Resources.h"
#include "mMain.h"
#include "pButton.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace res = platform::resources;
using platform::PictureBox;

namespace {
constexpr int TopBarHeight = 100;
constexpr uint32_t TopBarColour = 0xF0BE78; // sky blue
constexpr uint32_t PanelColour = 0x808080;  // grey until a colour is chosen

PictureBox* NewPictureBox(QWidget* parent, uint32_t backColour) {
    auto* box = new PictureBox(parent);
    box->SetBackColor(backColour);
    return box;
}
} // namespace

void FrmMain::CreateWidgets(QWidget* window) {
    window->setWindowTitle(QStringLiteral("The Crayvex"));
    window->setWindowFlag(Qt::FramelessWindowHint);
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
        pBr[i] = NewPictureBox(window, 0xFFFFFF);
        pBr[i]->AutoSize = true;
        pBr[i]->SetPicture(res::DesignPicture(QStringLiteral("pBr%1").arg(i)));
        pBr[i]->hide();
    }
    for (size_t i = 0; i < c.size(); ++i) {
        c[i] = new pButton(pT);
        QObject::connect(c[i], &pButton::Click, window, [this, i] { c_Click(int(i)); });
    }
    for (size_t i = 0; i < pTool.size(); ++i) {
        pTool[i] = new pButton(pT);
        QObject::connect(pTool[i], &pButton::MouseUp, window, [this, i] { pTool_MouseUp(int(i)); });
    }
    Pc = NewPictureBox(pT, 0x000000);

    QObject::connect(P, &PictureBox::MouseDown, window,
                     [this](int b, int s, float x, float y) { P_MouseDown(b, s, x, y); });
    QObject::connect(P, &PictureBox::MouseMove, window,
                     [this](int b, int s, float x, float y) { P_MouseMove(b, s, x, y); });
    QObject::connect(P, &PictureBox::MouseUp, window,
                     [this](int b, int s, float x, float y) { P_MouseUp(b, s, x, y); });

    Timer1 = new platform::SystemTimer(window);
    Timer1->SetInterval(1);
    MainWindowLink& link = MainWindowLink::Current();
    link.Window = window;
    link.Timer1 = Timer1;
}

void FrmMain::Form_Load() {
    if (!Initialised) {
        mMain::FontSmoothingWasOn = mMain::IsFontSmoothingOn();
        long smoothingType = 2;
        mMain::EnableFontSmoothing(smoothingType);
    }
    BrushDib.Make_From_Picture(*pBr[0]);
    platform::Randomize();
    RegionColour = -1;
    CurrentColour = {};

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
        p.button->SetPicture(res::Bitmap(p.normal), res::Bitmap(p.down),
                             p.pressed ? res::Bitmap(p.pressed) : QImage());
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

    QWidget* window = Window();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window->setGeometry(screen);
    Layout();
    if (!Initialised) {
        // The shaded top edge of the panel.
        RGBTriple back;
        mMain::SplitRGB(long(PB->BackColor()), back.R, back.G, back.B);
        mMain::DrawGradient({1, {{0, 0, 0}, back}}, *PB, 0, 0, PB->ScaleWidth(), 10);
        Initialised = true;
        KeyboardHook = long(platform::user32::SetWindowsHookExA(
            platform::user32::WH_KEYBOARD_LL, mMain::KeyboardHookProc, nullptr, 0));
    }
    Initialised = true;
}

void FrmMain::Layout() {
    QWidget* window = Window();
    auto centredTop = [this](QWidget* w) { return pT->ScaleHeight() / 2 - w->height() / 2; };
    int x = 0;
    for (pButton* button : c) {
        button->move(x, centredTop(button));
        if (button->isVisible() || !window->isVisible())
            x = button->x() + button->width();
    }
    // The crayon is latched, and every tool waits disabled for a picture.
    pTool[0]->SetPressed(true);
    for (size_t i = 0; i < pTool.size(); ++i) {
        pTool[i]->move(x, centredTop(pTool[i]));
        pTool[i]->SetEnabled(false);
        x = pTool[i]->x() + pTool[i]->width();
    }
    pT->setGeometry(0, 0, window->width(), pT->height());
    PB->setGeometry(0, pT->ScaleHeight(), window->width(),
                    std::max(0, window->height() - pT->ScaleHeight()));
    P->move(PB->ScaleWidth() / 2 - P->ScaleWidth() / 2,
            PB->ScaleHeight() / 2 - P->ScaleHeight() / 2);
    const int left = pTool[2]->x() + pTool[2]->width();
    Pc->setGeometry(left, 0, pT->ScaleWidth() - left, pT->ScaleHeight());
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
    Timer1->SetEnabled(false);
    MainWindowLink::Current() = {};
    CanvasDib = {};
    RegionDib = {};
    OutlineDib = {};
    if (KeyboardHook != 0)
        platform::user32::UnhookWindowsHookEx(KeyboardHook);
    KeyboardHook = 0;
    if (!mMain::FontSmoothingWasOn)
        mMain::DisableFontSmoothing();
    ToolCursor.Destroy();
}
