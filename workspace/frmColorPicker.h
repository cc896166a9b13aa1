#pragma once

#include "BubbleRecord.h"
#include "Form.h"
#include "cNDib.h"
#include "modHSL.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace platform {
class PictureBox;
class SystemTimer;
} // namespace platform

// The colour picker: shades of the colour in use on bubbles rising through its panel.
// Set Color, show it modally, then read Result ("Ok" once a colour was taken) and Color.
class frmColorPicker : public platform::Form {
public:
    static frmColorPicker& Instance() { return platform::FormInstance<frmColorPicker>(); }

    int32_t Color = 0; // in: the current colour; out: the colour taken (0x00BBGGRR)
    QString Result;

    // Recolours the bubble pictures to the hue of the current colour, letting the panel
    // move on between pictures.
    void TintBubbles();

    void Timer1_Timer();
    void Pc_MouseDown(int Button, int Shift, float X, float Y);
    void Pc_MouseUp(int Button, int Shift, float X, float Y);

    // The controls and the state, for tests that drive the window.
    platform::PictureBox* Pc = nullptr;
    std::vector<platform::PictureBox*> pCC; // the bubble pictures, then their masks
    platform::SystemTimer* Timer1 = nullptr;
    const std::vector<BubbleRecord>& GetBubbles() const { return Bubbles; }
    const std::vector<cNDib>& GetSprites() const { return Sprites; }
    bool GetBusy() const { return Busy; }

protected:
    void CreateWidgets(QWidget* window) override;
    void Form_Load() override;

private:
    platform::PictureBox* Surface = nullptr; // the window's own drawing, under the panel

    std::vector<BubbleRecord> Bubbles;
    std::vector<cNDib> Sprites; // entry i the picture of bubble i, entry N + i its mask
    HSLColor CurrentHSL;
    bool Busy = false;    // loading, or a colour has been taken
    bool Tinting = false; // TintBubbles is running
};
