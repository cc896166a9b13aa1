#include "ButtonFace.h"

#include "Svg.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
QPainterPath Key(const QRectF& rect, int radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void DrawSparkle(QPainter& painter, QPointF centre, double size) {
    QPainterPath star;
    for (int i = 0; i < 8; ++i) {
        const double r = (i % 2 == 0) ? size : size * 0.32;
        const double angle = i * 3.14159265358979 / 4;
        const QPointF p = centre + QPointF(std::sin(angle) * r, -std::cos(angle) * r);
        i == 0 ? star.moveTo(p) : star.lineTo(p);
    }
    star.closeSubpath();
    painter.setPen(QPen(QColor(0x1b, 0x2a, 0x4a), 1.2));
    painter.setBrush(QColor(0xff, 0xf4, 0x5c));
    painter.drawPath(star);
}
} // namespace

QImage DrawButton(const ButtonLook& look, ButtonState state) {
    QImage image(look.size, QImage::Format_RGB32);
    image.fill(look.back);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The drawn area leaves out the last column and row, which the button never shows.
    const double margin = 2;
    const double width = look.size.width() - 1 - 2 * margin;
    const double height = look.size.height() - 1 - 2 * margin - look.depth;
    const QColor outline = look.face.darker(260);
    const double sink = state == ButtonState::Normal    ? 0
                        : state == ButtonState::Pressed ? look.depth - 1
                                                        : look.depth;
    const QRectF slot(margin, margin + look.depth, width, height);
    const QRectF key = QRectF(margin, margin, width, height).translated(0, sink);

    // Shadow and the key's side, seen below it while it stands out.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawPath(Key(slot.translated(0, 1.5), look.radius));
    painter.setBrush(look.face.darker(165));
    painter.setPen(QPen(outline, 1.5));
    painter.drawPath(Key(slot, look.radius));

    // The key's top.
    QColor top = look.face;
    if (state == ButtonState::Pressed)
        top = look.face.lighter(112);
    QLinearGradient shade(key.topLeft(), key.bottomLeft());
    if (state == ButtonState::Normal) {
        shade.setColorAt(0, top.lighter(130));
        shade.setColorAt(1, top);
    } else {
        shade.setColorAt(0, top.darker(125));
        shade.setColorAt(0.35, top);
        shade.setColorAt(1, top.lighter(110));
    }
    painter.setBrush(shade);
    painter.setPen(QPen(outline, 1.5));
    painter.drawPath(Key(key, look.radius));

    if (state == ButtonState::Normal) {
        // A glossy highlight on the upper half.
        const QRectF gloss(key.left() + 4, key.top() + 2.5, key.width() - 8, key.height() * 0.42);
        QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
        shine.setColorAt(0, QColor(255, 255, 255, 150));
        shine.setColorAt(1, QColor(255, 255, 255, 20));
        painter.setPen(Qt::NoPen);
        painter.setBrush(shine);
        painter.drawPath(Key(gloss, std::max(2, look.radius - 4)));
    }
    if (state == ButtonState::Pressed) {
        // Latched on: a golden ring inside the key.
        const QRectF ring = key.adjusted(2.5, 2.5, -2.5, -2.5);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0xff, 0xc4, 0x00), 4));
        painter.drawPath(Key(ring, std::max(2, look.radius - 3)));
        painter.setPen(QPen(QColor(255, 255, 255, 200), 1));
        painter.drawPath(Key(ring.adjusted(2.5, 2.5, -2.5, -2.5), std::max(2, look.radius - 5)));
    }

    // The drawing, a little smaller while the key is pushed in.
    const double shorter = std::min(key.width(), key.height());
    const double inset = shorter * 0.1 + (shorter < 40 ? 0.5 : 2);
    QRectF drawing = key.adjusted(inset, inset * 0.8, -inset, -inset * 0.8);
    if (state != ButtonState::Normal) {
        const QPointF centre = drawing.center();
        drawing.setSize(drawing.size() * 0.94);
        drawing.moveCenter(centre);
    }
    svg::Paint(painter, look.drawing, drawing);

    if (state == ButtonState::Pressed && key.height() > 40) {
        DrawSparkle(painter, key.topLeft() + QPointF(9, 9), 5.5);
        DrawSparkle(painter, key.bottomRight() + QPointF(-9, -9), 4);
    }
    return image;
}
