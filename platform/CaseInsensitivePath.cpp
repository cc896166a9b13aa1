#include "CaseInsensitivePath.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace platform {
namespace {
// The entry of `folder` named `name` in some letter case, or an empty text.
QString MatchInFolder(const QString& folder, const QString& name) {
    const QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}
} // namespace

QString ResolvePath(const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const bool absolute = path.startsWith(QLatin1Char('/'));
    const QStringList parts = path.split(QLatin1Char('/'));
    QString resolved = absolute ? QString() : QStringLiteral(".");
    QStringList out;
    bool matching = true;
    for (qsizetype i = absolute ? 1 : 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString name = part;
        if (matching && !part.isEmpty() && part != QLatin1String(".") &&
            part != QLatin1String("..")) {
            const QString candidate = resolved + QLatin1Char('/') + part;
            if (!QFileInfo::exists(candidate)) {
                const QString match = MatchInFolder(resolved, part);
                if (match.isEmpty())
                    matching = false;
                else
                    name = match;
            }
        }
        out.append(name);
        resolved += QLatin1Char('/') + name;
    }
    const QString joined = out.join(QLatin1Char('/'));
    return absolute ? QLatin1Char('/') + joined : joined;
}

} // namespace platform
