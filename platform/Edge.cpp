#include "Edge.h"

#include "ColourValue.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace platform::user32 {
namespace {
uint32_t PaletteColour(QPalette::ColorRole role) {
    return ColourValueFromPixel(QApplication::palette().color(QPalette::Active, role).rgb());
}

// One ring: the top and left sides in one colour, the bottom and right in the other;
// the corners at the top right and bottom left belong to the bottom and right sides.
void Ring(QPainter& painter, QRect r, uint32_t topLeft, uint32_t bottomRight, unsigned flags) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QColor tl = QColor::fromRgb(PixelFromColourValue(topLeft));
    const QColor br = QColor::fromRgb(PixelFromColourValue(bottomRight));
    if (flags & BF_LEFT)
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), tl);
    if (flags & BF_TOP)
        painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), tl);
    if (flags & BF_BOTTOM)
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), br);
    if (flags & BF_RIGHT)
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), br);
}
} // namespace

bool GetWindowRect(const QWidget* hWnd, RECT& rect) {
    if (!hWnd)
        return false;
    const QRect r = hWnd->isWindow() ? hWnd->frameGeometry()
                                     : QRect(hWnd->mapToGlobal(QPoint(0, 0)), hWnd->size());
    rect = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return true;
}

EdgeColours SystemEdgeColours() {
    return {PaletteColour(QPalette::Midlight), PaletteColour(QPalette::Shadow),
            PaletteColour(QPalette::Light), PaletteColour(QPalette::Dark)};
}

bool DrawEdge(HDC hdc, const RECT& rect, unsigned edge, unsigned flags) {
    if (!hdc || !hdc->Surface() || hdc->Surface()->isNull())
        return false;
    const EdgeColours colours = SystemEdgeColours();
    QRect r(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
    {
        QPainter painter(hdc->Surface());
        if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
            if (edge & BDR_RAISEDOUTER)
                Ring(painter, r, colours.outerLight, colours.outerDark, flags);
            else
                Ring(painter, r, colours.innerDark, colours.innerLight, flags);
            r.adjust(flags & BF_LEFT ? 1 : 0, flags & BF_TOP ? 1 : 0, flags & BF_RIGHT ? -1 : 0,
                     flags & BF_BOTTOM ? -1 : 0);
        }
        if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
            if (edge & BDR_RAISEDINNER)
                Ring(painter, r, colours.innerLight, colours.innerDark, flags);
            else
                Ring(painter, r, colours.outerDark, colours.outerLight, flags);
        }
    }
    hdc->Changed(QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1)));
    return true;
}

} // namespace platform::user32
