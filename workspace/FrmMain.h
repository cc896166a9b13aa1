#pragma once

#include "BubbleRecord.h"
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
#include <vector>

struct StoringFailure;

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

    // Action buttons and storing (FrmMain_Actions.cpp, FrmMain_Storing.cpp)
    void c_Click(int Index);
    void c_MouseDown(int Index);
    void c_MouseUp(int Index);
    // Stores the colouring of the drawing open, replacing its earlier colouring only once
    // the new one is completely written. A colouring that cannot be stored is told in the
    // child's message window, unless `tellFailure` is false (the program is ending with no
    // one to read it).
    void SaveColoredPicture(bool tellFailure = true);

    // The picture chooser and the other windows of the picture library lie above the
    // workspace; the program sets these. ChoosePicture shows the chooser modally with an
    // empty file name and returns the chosen path, "" when none. UnloadChooser unloads it.
    std::function<QString()> ChoosePicture;
    std::function<void()> UnloadChooser;

    // Sound effects (FrmMain_Sound.cpp): the WAVE resource and play flags of a sound
    // kind (0 pop, 1 button, 4 bubble click, 5 picture opened), drawing the resource's
    // index from rnd; an empty name for a kind without sound.
    struct SoundFX {
        QString name;
        unsigned flags = 0;
    };
    static SoundFX ChooseSoundFX(long Kind, const std::function<float()>& rnd);

    // Colour bubbles and auto-hide (FrmMain_Bubbles.cpp)
    void Timer1_Timer();
    void Pc_MouseDown(int Button, int Shift, float X, float Y);
    void SetColor(const long& Color);
    long GetHideCounter() const { return HideCounter; }

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
    std::array<platform::PictureBox*, 5> pFunc{};
    std::array<platform::PictureBox*, 2> pE{};
    std::vector<platform::PictureBox*> pCC; // the bubble sprites, then their masks
    platform::SystemTimer* Timer1 = nullptr;
    platform::SystemTimer* tMusic = nullptr;

    // Working state, readable by tests.
    RGBTriple CurrentColour;
    long ColourJitter = 10;
    long RegionColour = -1;
    long UndoTop = -1;
    const cNDib& Canvas() const { return CanvasDib; }
    const cNDib& Region() const { return RegionDib; }
    const cNDib& Brush() const { return BrushDib; }
    void SetCurrentColour(RGBTriple colour) { CurrentColour = colour; }
    const std::vector<BubbleRecord>& GetBubbles() const { return Bubbles; }
    const std::vector<cNDib>& GetSprites() const { return Sprites; }
    long GetFunctionBarRight() const { return FunctionBarRight; }
    long GetKeyboardHook() const { return KeyboardHook; }
    bool GetQuitLock() const { return QuitLock; }
    bool GetAutoHide() const { return AutoHide; }
    float GetBubbleSpeed() const { return BubbleSpeed; }

    // The whole start-up; run again after the options were saved.
    void Form_Load() override;

protected:
    void CreateWidgets(QWidget* window) override;
    void Form_Unload(int& cancel) override;

private:
    // Start-up (FrmMain_Startup.cpp)
    void CheckScreen();
    bool LoadSettings();
    void SetUpButtons();
    void MakeBubbleMasks();
    void MakeSprites();
    void Layout();
    void FirstBubbles();

    // The child's error box (FrmMain_Storing.cpp)
    QString ShowPictureError(long Kind, const QString& Path);
    void OpenPicture();
    void ClearColours();
    void RedrawFrame();
    static QString ColoredPicturePath(const QString& picture);
    static bool IsOwnPicture(const QString& picture);
    // Stores the colouring; false, with the folder that could not be written, the system's
    // reason and whether a colouring stored before is still there, when it could not.
    bool StoreColouring(StoringFailure& failure);
    // Makes what a picture box shows its picture, through a temporary BMP file of that name
    // in the program folder. False when it could not be done.
    bool PictureFromImage(platform::PictureBox& box, const QString& tempName);

    void PlaySoundFX(long Kind);
    void PlotBlendPixel(long X, long Y, long Alpha, long& Workon_color);
    void SetToolCursor(bool remove);
    static uint32_t TranslateColor(uint32_t colour, long& palette);

    cNDib CanvasDib;
    cNDib OutlineDib;
    cNDib RegionDib;
    // The colour value that marks a stroke's area in RegionDib: red, or another colour when
    // the drawing itself holds red, so that no pixel of the drawing matches it.
    long RegionKey = 255;
    cNDib BrushDib;
    std::array<cNDib, 3> UndoCanvas;
    std::array<cNDib, 3> UndoOutline;

    long LineRed = 0;
    long LineGreen = 0;
    long LineBlue = 0;
    long LineColour = 0;
    platform::HDC LineDC = nullptr;

    cAniCursor ToolCursor; // the canvas cursor of the current tool

    std::vector<BubbleRecord> Bubbles;
    std::vector<cNDib> Sprites; // entry i the sprite of bubble i, entry N + i its mask
    long HideCounter = 0;
    long FunctionBarRight = 0;

    long KeyboardHook = 0; // the child lock's hook handle, 0 while none is installed

    bool& QuitLock = Settings.QuitLock;
    bool& AutoHide = Settings.AutoHide;
    float& BubbleSpeed = Settings.BubbleSpeed;

    // ---- Parental function bar (FrmMain_FunctionBar.cpp) ----
public:
    // Quit, save a copy, print, About and options, each behind a confirmation.
    void pFunc_Click(int Index);
    // The largest rectangle of the picture's proportions that fits the box, centred in it.
    static void FitRect(int32_t& boxWidth, int32_t& boxHeight, int32_t& pictureWidth,
                        int32_t& pictureHeight, int32_t& left, int32_t& top, int32_t& width,
                        int32_t& height);
    // The path a copy is saved under: the chosen one, with ".jpg" appended unless it ends
    // in ".jpg" or ".jpeg" as written.
    static QString SaveCopyName(const QString& chosen);

protected:
    // A close request from outside stores the colouring first, as Quit does.
    void Form_QueryUnload(int& cancel, int UnloadMode) override;

private:
    void SetUpFunctionBar();
    void SavePictureCopy();
    void PrintPicture();
    void ShowAbout(const QString& answer);
    void ShowOptions(const QString& answer);
};
