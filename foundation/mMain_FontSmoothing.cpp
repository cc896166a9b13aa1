#include "mMain_FontSmoothing.h"

#include "SystemParameters.h"

#include <cstdint>

namespace mMain {

bool FontSmoothingWasOn = false;

bool IsFontSmoothingOn() {
    using namespace platform::user32;
    int32_t value = 0;
    SystemParametersInfoA(SPI_GETFONTSMOOTHING, 0, &value, 0);
    return int16_t(value & 0xFFFF) > 0;
}

void EnableFontSmoothing(long& SmoothingType) {
    using namespace platform::user32;
    SystemParametersInfoA(SPI_SETFONTSMOOTHING, uint32_t(-1), nullptr, 0);
    SystemParametersInfoA(SPI_SETFONTSMOOTHINGTYPE, 0,
                          reinterpret_cast<void*>(intptr_t(SmoothingType)),
                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

void DisableFontSmoothing() {
    using namespace platform::user32;
    int32_t value = 0;
    SystemParametersInfoA(SPI_SETFONTSMOOTHING, 0, &value, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

} // namespace mMain
