#include "Resources.h"

#include <QFile>

namespace platform::resources {
QImage Bitmap(int id) {
    return QImage(QStringLiteral(":/bitmap/%1.png").arg(id));
}

QImage DesignPicture(const QString& name) {
    return QImage(QStringLiteral(":/design/%1.png").arg(name));
}

std::optional<CursorResource> Cursor(int id) {
    QImage image(QStringLiteral(":/cursor/%1.png").arg(id));
    if (image.isNull())
        return std::nullopt;
    const QPoint hotSpot(image.text(QStringLiteral("HotSpotX")).toInt(),
                         image.text(QStringLiteral("HotSpotY")).toInt());
    return CursorResource{image, hotSpot};
}

QByteArray Wave(const QString& name) {
    QFile file(QStringLiteral(":/wave/%1.wav").arg(name.toUpper()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace platform::resources
