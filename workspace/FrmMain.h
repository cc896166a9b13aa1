#pragma once

#include "Form.h"
#include "PictureBox.h"
#include "RGBTriple.h"
#include "SettingsRecord.h"
#include "SystemTimer.h"
#include "cAniCursor.h"
#include "cNDib.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class pButton;

// The main window: the colour canvas P over the outline layer tP, the action and tool
// buttons, the bubble palette and the parental function bar. Its code is split by
// concern over FrmMain_*.cpp files.
class FrmMain : public platform::Form {
public:
    static FrmMain& Instance() { return platform::FormInstance<FrmMain>(); }

    // Canvas (FrmMain_Canvas.cpp)
    void P_MouseDown(int Button, int Shift, float X, float Y);
    void P_MouseMove(int Button, int Shift, float X, float Y);
    void P_MouseUp(int Button, int Shift, float X, float Y);
    void pTool_MouseUp(int Index);

    // Pencil line (FrmMain_Pencil.cpp)
    void SetRGBComponents(long Color);
    void LineGP(platform::HDC hDC, int X1, int Y1, int X2, int Y2, long Color, long& Workon_color);

    // Action buttons (FrmMain_Actions.cpp)
    void c_Click(int Index);
    // Puts a drawing on the canvas: the outline layer, the canvas and its frame.
    bool PlaceDrawing(const QString& path);

    // Sound effects (FrmMain_Sound.cpp): the WAVE resource and play flags of a sound
    // kind (0 pop, 1 button, 4 bubble click, 5 picture opened), drawing the resource's
    // index from rnd; an empty name for a kind without sound.
    struct SoundFX {
        QString name;
        unsigned flags = 0;
    };
    static SoundFX ChooseSoundFX(long Kind, const std::function<float()>& rnd);

    // Undo stack (FrmMain_Undo.cpp)
    void UndoPush();
    void UndoPop();
    void UndoEmpty();

    long CurrentTool = 0;
    QString CurrentPicture;
    bool Initialised = false;

    // The settings record, read at every start-up: false when Settings.ini cannot be read
    // whole. The window's names for its values refer to the program's one record.
    bool ReadSettings() { return Settings.Read(); }
    SettingsRecord& Settings = SettingsRecord::Current();
    bool& PlaySounds = Settings.PlaySounds;
    bool& UsePassword = Settings.UsePassword;
    QString& Password = Settings.Password;
    QString& PasswordHint = Settings.PasswordHint;

    // The controls, for the window's own parts and for tests that drive it.
    platform::PictureBox* pT = nullptr;
    platform::PictureBox* PB = nullptr;
    platform::PictureBox* P = nullptr;
    platform::PictureBox* tP = nullptr;
    platform::PictureBox* Pc = nullptr;
    std::array<platform::PictureBox*, 3> pBr{};
    std::array<pButton*, 4> c{};
    std::array<pButton*, 3> pTool{};
    platform::SystemTimer* Timer1 = nullptr;

    // Working state, readable by tests.
    RGBTriple CurrentColour;
    long ColourJitter = 10;
    long RegionColour = -1;
    long UndoTop = -1;
    const cNDib& Canvas() const { return CanvasDib; }
    const cNDib& Region() const { return RegionDib; }
    const cNDib& Brush() const { return BrushDib; }
    void SetCurrentColour(RGBTriple colour) { CurrentColour = colour; }
    bool GetQuitLock() const { return QuitLock; }
    bool GetAutoHide() const { return AutoHide; }
    float GetBubbleSpeed() const { return BubbleSpeed; }

protected:
    void CreateWidgets(QWidget* window) override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    void Layout();
    void PlaySoundFX(long Kind);
    void PlotBlendPixel(long X, long Y, long Alpha, long& Workon_color);
    void SetToolCursor(bool remove);
    static uint32_t TranslateColor(uint32_t colour, long& palette);

    cNDib CanvasDib;
    cNDib OutlineDib;
    cNDib RegionDib;
    cNDib BrushDib;
    std::array<cNDib, 3> UndoCanvas;
    std::array<cNDib, 3> UndoOutline;

    long LineRed = 0;
    long LineGreen = 0;
    long LineBlue = 0;
    long LineColour = 0;
    platform::HDC LineDC = nullptr;

    cAniCursor ToolCursor; // the canvas cursor of the current tool

    long KeyboardHook = 0; // the child lock's hook handle, 0 while none is installed

    bool& QuitLock = Settings.QuitLock;
    bool& AutoHide = Settings.AutoHide;
    float& BubbleSpeed = Settings.BubbleSpeed;
};
