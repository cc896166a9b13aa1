#include "FolderEntries.h"

#include <QDir>

FolderEntries::FolderEntries(const QString& folder) : folder_(folder) {
    const QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    files_.reserve(names.size());
    for (const QString& name : names)
        files_.insert(name.toCaseFolded(), name);
}

QString FolderEntries::PathOf(const QString& name) const {
    const auto found = files_.constFind(name.toCaseFolded());
    return folder_ + QLatin1Char('/') + (found != files_.cend() ? *found : name);
}
