#include "Resources.h"

#include <QFile>

namespace platform::resources {
namespace {
QImage LoadImage(const QString& path) {
    QImage image(path);
    return image;
}
} // namespace

QImage Bitmap(int id) {
    return LoadImage(QStringLiteral(":/bitmap/%1.png").arg(id));
}

QImage DesignPicture(const QString& name) {
    return LoadImage(QStringLiteral(":/design/%1.png").arg(name));
}

std::optional<CursorResource> Cursor(int id) {
    QImage image = LoadImage(QStringLiteral(":/cursor/%1.png").arg(id));
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
