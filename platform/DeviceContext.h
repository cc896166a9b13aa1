#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <functional>

namespace platform {

// A drawing surface as the drawing calls see it: an RGB32 image (a picture box's
// persistent image, a window's buffer, a printer page) with the state that a device
// context carries: stretch mode, brush colour and the pen's current point.
// The owner is told of every changed rectangle so that it can show it.
class DeviceContext {
public:
    explicit DeviceContext(QImage* surface = nullptr,
                           std::function<void(const QRect&)> changed = {});

    QImage* Surface() const { return surface_; }
    void SetSurface(QImage* surface) { surface_ = surface; }
    void Changed(const QRect& area) const;

    int StretchMode = 1;      // BLACKONWHITE until set
    uint32_t BrushColour = 0; // colour value 0x00BBGGRR used by flood fills
    QPoint PenPosition;

private:
    QImage* surface_;
    std::function<void(const QRect&)> changed_;
};

using HDC = DeviceContext*;

} // namespace platform
