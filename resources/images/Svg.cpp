#include "Svg.h"

#include <QPainter>
#include <QSvgRenderer>
#include <stdexcept>

namespace svg {
namespace {
QString folder_;
}

void SetFolder(const QString& folder) {
    folder_ = folder;
}

void Paint(QPainter& painter, const QString& name, const QRectF& target) {
    QSvgRenderer renderer(folder_ + QLatin1Char('/') + name + QStringLiteral(".svg"));
    if (!renderer.isValid())
        throw std::runtime_error("cannot read the drawing " + name.toStdString());
    // Keep the drawing's proportions, centred in the target.
    const QSizeF size = renderer.viewBoxF().size().scaled(target.size(), Qt::KeepAspectRatio);
    renderer.render(&painter,
                    QRectF(target.center() - QPointF(size.width(), size.height()) / 2, size));
}

QImage Render(const QString& name, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint(painter, name, QRectF(QPointF(0, 0), size));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace svg
