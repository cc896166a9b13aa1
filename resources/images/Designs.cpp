#include "Designs.h"

#include "Svg.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace designs {
namespace {
// The main window's top bar, behind the function bar.
const QColor TopBar(120, 190, 240);
const QColor Ink(0x1b, 0x2a, 0x4a);

// A one-colour drawing, its shape kept and its colour replaced.
QImage Tinted(const QString& drawing, QSize size, QColor colour) {
    QImage image = svg::Render(drawing, size);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            image.setPixel(x, y, qRgba(colour.red(), colour.green(), colour.blue(), alpha));
        }
    }
    return image;
}

QImage Opaque(const QString& drawing, QSize size, QColor back) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(back);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg::Paint(painter, drawing, QRectF(QPointF(0, 0), size));
    return image;
}

// "The Crayvex" in round letters, each in its own crayon colour with a dark outline.
void Letter(QPainter& painter, const QRectF& box) {
    QFont font(QStringLiteral("Comic Neue"));
    font.setBold(true);
    font.setPixelSize(88);
    const QString name = QStringLiteral("The Crayvex");
    const QColor colours[] = {{0xff, 0x3b, 0x3b}, {0xff, 0x9f, 0x1c}, {0xf5, 0xc4, 0x00},
                              {0x3c, 0xcf, 0x4e}, {0x00, 0xbb, 0xf9}, {0x3a, 0x86, 0xff},
                              {0x9b, 0x5d, 0xe5}, {0xe0, 0x40, 0xfb}, {0xff, 0x5d, 0x8f}};
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(name);
    double x = box.center().x() - width / 2;
    const double baseline = box.center().y() + metrics.capHeight() / 2;
    int colour = 0;
    for (int i = 0; i < name.size(); ++i) {
        QPainterPath glyph;
        glyph.addText(QPointF(x, baseline - (i % 2 == 0 ? 0 : 5)), font, name.mid(i, 1));
        x += metrics.horizontalAdvance(name.mid(i, 1));
        if (name[i] == QLatin1Char(' '))
            continue;
        painter.setPen(QPen(Ink, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(glyph);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours[colour++ % std::size(colours)]);
        painter.drawPath(glyph);
    }
}
} // namespace

QImage FunctionButton(const QString& drawing, bool enabled) {
    const QSize size(22, 18);
    QImage image(size, QImage::Format_RGB32);
    image.fill(TopBar);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plate(0.75, 0.75, size.width() - 1.5, size.height() - 1.5);
    QLinearGradient shade(plate.topLeft(), plate.bottomLeft());
    shade.setColorAt(0, enabled ? QColor(250, 252, 255) : QColor(222, 224, 228));
    shade.setColorAt(1, enabled ? QColor(214, 226, 240) : QColor(196, 199, 204));
    painter.setBrush(shade);
    painter.setPen(QPen(enabled ? QColor(70, 96, 134) : QColor(150, 156, 166), 1));
    painter.drawRoundedRect(plate, 3.5, 3.5);
    const QColor ink = enabled ? QColor(36, 52, 80) : QColor(156, 160, 168);
    painter.drawImage(QPointF(4, 2), Tinted(drawing, {14, 14}, ink));
    return image;
}

QImage ComboButton(bool down) {
    QImage image(16, 15, QImage::Format_RGB32);
    image.fill(QColor(0x1b, 0x3a, 0x7a)); // the border colour, so no corner shows another
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face(0.5, 0.5, 15, 14);
    QLinearGradient shade(face.topLeft(), face.bottomLeft());
    shade.setColorAt(0, down ? QColor(0x2a, 0x6c, 0xd8) : QColor(0x7a, 0xb4, 0xff));
    shade.setColorAt(1, down ? QColor(0x4a, 0x8c, 0xf0) : QColor(0x3a, 0x86, 0xff));
    painter.setBrush(shade);
    painter.setPen(QPen(QColor(0x1b, 0x3a, 0x7a), 1));
    painter.drawRect(face);
    const double shift = down ? 1 : 0;
    QPainterPath arrow;
    arrow.moveTo(4 + shift, 5.5 + shift);
    arrow.lineTo(12 + shift, 5.5 + shift);
    arrow.lineTo(8 + shift, 10 + shift);
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);
    return image;
}

QImage OptionsBackground() {
    return Opaque(QStringLiteral("options"), {334, 421}, QColor(0x99, 0x0f, 0x0f));
}

QImage SplashBackground() {
    QImage image = Opaque(QStringLiteral("splash"), {621, 389}, QColor(0x99, 0x0f, 0x0f));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Letter(painter, QRectF(22, 112, 577, 130));
    return image;
}

QImage ProgramIcon() {
    return svg::Render(QStringLiteral("icon"), {64, 64});
}

} // namespace designs
