#include "Registry.h"

#include "Arithmetic.h"

#include <QApplication>
#include <QStyle>

namespace platform::registry {

QString ReadString(Hive hive, const QString& key, const QString& name) {
    if (hive != Hive::CurrentUser ||
        key.compare(QStringLiteral("Control Panel\\Desktop\\WindowMetrics"), Qt::CaseInsensitive) !=
            0)
        return {};
    // The style exists only once there is an application.
    if (name == QStringLiteral("ScrollHeight") &&
        qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        const int extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        return QString::number(-extent * TwipsPerPixel);
    }
    return {};
}

} // namespace platform::registry
