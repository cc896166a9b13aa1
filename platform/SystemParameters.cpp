#include "SystemParameters.h"

#include <QApplication>
#include <QFont>

namespace platform::user32 {
namespace {

bool SmoothingOn(const QFont& font) {
    return !(font.styleStrategy() & QFont::NoAntialias);
}

uint32_t SmoothingType(const QFont& font) {
    return font.styleStrategy() & QFont::NoSubpixelAntialias ? FE_FONTSMOOTHINGSTANDARD
                                                             : FE_FONTSMOOTHINGCLEARTYPE;
}

// Gives the application font the strategy of the given smoothing; the widgets pick up
// the changed application font by themselves.
void ApplySmoothing(bool on, uint32_t type) {
    QFont font = QGuiApplication::font();
    int strategy = font.styleStrategy() &
                   ~(QFont::NoAntialias | QFont::PreferAntialias | QFont::NoSubpixelAntialias);
    if (!on)
        strategy |= QFont::NoAntialias;
    else if (type == FE_FONTSMOOTHINGSTANDARD)
        strategy |= QFont::PreferAntialias | QFont::NoSubpixelAntialias;
    else
        strategy |= QFont::PreferAntialias;
    font.setStyleStrategy(QFont::StyleStrategy(strategy));
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::setFont(font);
    else
        QGuiApplication::setFont(font);
}

} // namespace

bool SystemParametersInfoA(uint32_t uiAction, uint32_t uiParam, void* pvParam, uint32_t) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QFont font = QGuiApplication::font();
    switch (uiAction) {
    case SPI_GETFONTSMOOTHING:
        if (!pvParam)
            return false;
        *static_cast<int32_t*>(pvParam) = SmoothingOn(font) ? 1 : 0;
        return true;
    case SPI_SETFONTSMOOTHING:
        ApplySmoothing(uiParam != 0, SmoothingType(font));
        return true;
    case SPI_SETFONTSMOOTHINGTYPE: {
        const auto type = uint32_t(reinterpret_cast<uintptr_t>(pvParam));
        if (type != FE_FONTSMOOTHINGSTANDARD && type != FE_FONTSMOOTHINGCLEARTYPE)
            return false;
        ApplySmoothing(SmoothingOn(font), type);
        return true;
    }
    default:
        return false;
    }
}

} // namespace platform::user32
