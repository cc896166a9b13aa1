// The parental function bar and its small helpers.
#include "FrmMain.h"
#include "OleColour.h"

uint32_t FrmMain::TranslateColor(uint32_t colour, long& palette) {
    uint32_t rgb = 0;
    if (!platform::OleTranslateColor(colour, uint32_t(palette), rgb))
        return 0;
    return rgb;
}
