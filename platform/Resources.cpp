#include "Resources.h"

#include <QFile>
#include <map>

namespace platform::resources {
QImage Bitmap(int id) {
    return QImage(QStringLiteral(":/bitmap/%1.png").arg(id));
}

QImage DesignPicture(const QString& name) {
    return QImage(QStringLiteral(":/design/%1.png").arg(name));
}

std::optional<CursorResource> Cursor(int id) {
    // Decoded once: the tool cursor is loaded again at every tool change and every dialog.
    static std::map<int, std::optional<CursorResource>> decoded;
    const auto found = decoded.find(id);
    if (found != decoded.end())
        return found->second;
    std::optional<CursorResource> cursor;
    QImage image(QStringLiteral(":/cursor/%1.png").arg(id));
    if (!image.isNull()) {
        const QPoint hotSpot(image.text(QStringLiteral("HotSpotX")).toInt(),
                             image.text(QStringLiteral("HotSpotY")).toInt());
        cursor = CursorResource{image, hotSpot};
    }
    decoded.emplace(id, cursor);
    return cursor;
}

QByteArray Wave(const QString& name) {
    QFile file(QStringLiteral(":/wave/%1.wav").arg(name.toUpper()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace platform::resources
