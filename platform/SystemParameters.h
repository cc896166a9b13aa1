#pragma once

#include <cstdint>

// The system parameters that the program reads and sets. Font smoothing is the
// program's own text antialiasing (the application font's style strategy); settings of
// the desktop and of other programs are never touched, so "stored" and "broadcast"
// (fWinIni) have no further effect.
namespace platform::user32 {

constexpr uint32_t SPI_GETFONTSMOOTHING = 0x004A;
constexpr uint32_t SPI_SETFONTSMOOTHING = 0x004B;
constexpr uint32_t SPI_SETFONTSMOOTHINGTYPE = 0x200B;
constexpr uint32_t FE_FONTSMOOTHINGSTANDARD = 1;
constexpr uint32_t FE_FONTSMOOTHINGCLEARTYPE = 2;
constexpr uint32_t SPIF_UPDATEINIFILE = 1;
constexpr uint32_t SPIF_SENDCHANGE = 2;

// SPI_GETFONTSMOOTHING writes 1 (on) or 0 (off) into the 32-bit value at pvParam;
// SPI_SETFONTSMOOTHING switches smoothing on when uiParam is not 0; SPI_SETFONTSMOOTHINGTYPE
// takes the type itself as pvParam (standard greyscale or ClearType, which is subpixel
// antialiasing). False for other actions, bad arguments or no application.
bool SystemParametersInfoA(uint32_t uiAction, uint32_t uiParam, void* pvParam, uint32_t fWinIni);

} // namespace platform::user32
