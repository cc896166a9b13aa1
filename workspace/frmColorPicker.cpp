#include "frmColorPicker.h"

#include "BubbleMath.h"
#include "FrmMain.h"
#include "MessageWindowDesign.h"
#include "PictureBox.h"
#include "Random.h"
#include "ResourceCursor.h"
#include "Resources.h"
#include "Sound.h"
#include "SystemTimer.h"
#include "mMain.h"

#include <QCoreApplication>

namespace design = MessageWindowDesign;
using platform::PictureBox;

namespace {
constexpr int PickerBubbles = 18;

// Every sound of the picker waits on the sounds setting, and is drawn after reseeding.
void PlayPickerSound(long kind) {
    if (!FrmMain::Instance().PlaySounds)
        return;
    platform::Randomize();
    const FrmMain::SoundFX fx = FrmMain::ChooseSoundFX(kind, platform::Rnd);
    platform::sound::PlaySoundA(fx.name, fx.flags);
}
} // namespace

void frmColorPicker::CreateWidgets(QWidget* window) {
    window->setWindowTitle(QStringLiteral("Colors"));
    window->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window->resize(design::FromTwips(0, 0, 6885, 4710).size());
    Surface = design::NewSurface(window, 0xFFFFFF);
    Pc = new PictureBox(window);
    Pc->SetBackColor(0xFFFFFF);
    Pc->setGeometry(8, 1, 444, 311);
    pCC.clear();
    for (int i = 0; i < PickerBubbles; ++i) {
        auto* picture = new PictureBox(window);
        picture->SetBackColor(0x000000);
        picture->AutoSize = true;
        picture->SetPicture(
            platform::resources::DesignPicture(QStringLiteral("pickerCC%1").arg(i)));
        picture->hide();
        pCC.push_back(picture);
    }
    Timer1 = new platform::SystemTimer(window);
    Timer1->SetInterval(1);
    QObject::connect(Timer1, &platform::SystemTimer::Timer, window, [this] { Timer1_Timer(); });
    QObject::connect(Pc, &PictureBox::MouseDown, window,
                     [this](int b, int s, float x, float y) { Pc_MouseDown(b, s, x, y); });
    QObject::connect(Pc, &PictureBox::MouseUp, window,
                     [this](int b, int s, float x, float y) { Pc_MouseUp(b, s, x, y); });
}

void frmColorPicker::Form_Load() {
    QWidget* window = Window();
    Pc->setCursor(ResourceCursor(101));
    Busy = true;
    Timer1->SetEnabled(false);

    const size_t n = pCC.size();
    Bubbles.assign(n, BubbleRecord{});
    for (size_t i = 0; i < n; ++i) {
        auto* mask = new PictureBox(window);
        mask->SetBackColor(0x000000);
        mask->hide();
        mask->setGeometry(0, 0, pCC[i]->ScaleWidth(), pCC[i]->ScaleHeight());
        cNDib dib;
        dib.Make_From_Picture(*pCC[i]);
        BubbleMath::MakeMask(dib);
        dib.Set_dib(*mask, false);
        mask->SetPictureFromImage();
        pCC.push_back(mask);
    }
    Sprites.assign(pCC.size(), cNDib{});
    for (size_t i = 0; i < pCC.size(); ++i)
        Sprites[i].Make_From_Picture(*pCC[i]);

    design::CentreOnScreen(window);
    design::RedrawEdge(window, Surface);

    // The panel is full of bubbles at once, each somewhere in its height.
    for (size_t i = 0; i < n; ++i) {
        BubbleRecord& bubble = Bubbles[i];
        bubble.Radius = float(pCC[i]->ScaleWidth()) / 2;
        bubble.Y = float(Pc->ScaleHeight()) * platform::Rnd();
        bubble.X = platform::Rnd() * (float(Pc->ScaleWidth()) - 2 * bubble.Radius) + bubble.Radius;
        bubble.VY = float((-double(platform::Rnd()) - 0.5) / 2);
        bubble.Phase = float(double(platform::Rnd()) * 6.28);
    }
    Timer1->SetEnabled(true);
    CurrentHSL = modHSL::RGBToHSL(Color);
    TintBubbles();
    Busy = false;
}

void frmColorPicker::TintBubbles() {
    if (Tinting)
        return;
    Tinting = true;
    const size_t n = Bubbles.size();
    for (size_t i = 0; i < n && i < Sprites.size(); ++i) {
        cNDib& sprite = Sprites[i];
        for (long y = 0; y <= sprite.Height(); ++y) {
            for (long x = 0; x <= sprite.Width(); ++x) {
                uint8_t r = 0, g = 0, b = 0;
                sprite.Get_Pixel(x, y, r, g, b);
                mMain::SplitRGB(BubbleMath::TintPixel(int(i), r, g, b, CurrentHSL), r, g, b);
                sprite.Set_Pixel(x, y, r, g, b);
            }
        }
        QCoreApplication::processEvents(); // the panel keeps moving meanwhile
    }
    Tinting = false;
}

void frmColorPicker::Timer1_Timer() {
    if (!IsLoaded())
        return;
    Pc->Cls();
    const platform::HDC dc = Pc->hDC();
    const size_t n = Bubbles.size();
    BubbleMath::Step(
        Bubbles, Pc->ScaleWidth(), Pc->ScaleHeight(), 2,
        [&](size_t i, QPoint at) { BubbleMath::DrawBubble(Sprites, n, i, at, dc); },
        [] { PlayPickerSound(0); }, platform::Rnd);
    Pc->Refresh();
}

void frmColorPicker::Pc_MouseDown(int, int, float X, float Y) {
    if (Busy)
        return;
    const int hit = BubbleMath::HitTest(Bubbles, X, Y, false);
    if (hit < 0 || size_t(hit) >= Sprites.size())
        return;
    PlayPickerSound(4);
    // The colour of the recoloured picture's centre, not of the pixel under the pointer.
    const cNDib& sprite = Sprites[size_t(hit)];
    Color = int32_t(sprite.Get_Pixel_Long(sprite.Width() / 2, sprite.Height() / 2));
    Busy = true;
}

void frmColorPicker::Pc_MouseUp(int, int, float, float) {
    if (!Busy)
        return;
    Result = QStringLiteral("Ok");
    Unload();
}
