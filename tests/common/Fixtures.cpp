#include "Fixtures.h"

#include "ColourValue.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <random>

namespace fixtures {

QImage GrainyBrush(int width, int height, int darkest, uint32_t seed) {
    QImage brush(width, height, QImage::Format_RGB32);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> grain(0, 60);
    const double cx = (width - 1) / 2.0, cy = (height - 1) / 2.0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double d = std::hypot((x - cx) / (cx + 1), (y - cy) / (cy + 1));
            const int value =
                std::clamp(int(darkest + d * (255 - darkest)) + grain(random), darkest, 255);
            brush.setPixel(x, y, qRgb(value, value, value));
        }
    }
    brush.setPixel(int(cx), int(cy), qRgb(darkest, darkest, darkest));
    return brush;
}

namespace {
QImage WhitePage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}
} // namespace

QImage LineDrawing() {
    QImage image = WhitePage(200, 120);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(0, 0, 200, 3);
    painter.drawRect(0, 117, 200, 3);
    painter.drawRect(0, 0, 3, 120);
    painter.drawRect(197, 0, 3, 120);
    painter.drawRect(99, 0, 3, 120);
    // A square ring in the left half, drawn as rectangles so that no pixel is grey.
    painter.drawRect(30, 30, 40, 3);
    painter.drawRect(30, 67, 40, 3);
    painter.drawRect(30, 30, 3, 40);
    painter.drawRect(67, 30, 3, 40);
    return image;
}

QImage AntialiasedDrawing() {
    QImage image = WhitePage(320, 240);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(QRectF(4.5, 4.5, 311, 231));
    painter.drawEllipse(QRectF(30.3, 40.7, 110.4, 90.2));
    QPainterPath wave;
    wave.moveTo(4, 180);
    for (int x = 8; x <= 316; x += 4)
        wave.lineTo(x, 180 + 18 * std::sin(x / 17.0));
    painter.drawPath(wave);
    painter.setPen(QPen(Qt::black, 2));
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 22 : 55;
        const double a = i * 3.14159265358979 / 5 - 3.14159265358979 / 2;
        star << QPointF(235.3 + r * std::cos(a), 90.6 + r * std::sin(a));
    }
    painter.drawPolygon(star);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawLine(QPointF(160.2, 10), QPointF(185.7, 150.3));
    return image;
}

cNDib SolidDib(int width, int height, uint32_t colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(platform::PixelFromColourValue(colour));
    cNDib dib;
    dib.Make_From_Image(image);
    return dib;
}

} // namespace fixtures
