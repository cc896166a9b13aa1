#include "FolderEntries.h"

#include "TemporaryFiles.h"

#include <QDirIterator>

FolderEntries::FolderEntries(const QString& folder) : folder_(folder) {
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (platform::RemoveLeftTemporary(folder, name))
            continue;
        files_.insert(name.toCaseFolded(), name);
        if (!name.startsWith(QLatin1Char('.')) && it.fileInfo().isFile())
            visible_.append(name);
    }
}

QString FolderEntries::PathOf(const QString& name) const {
    const auto found = files_.constFind(name.toCaseFolded());
    return folder_ + QLatin1Char('/') + (found != files_.cend() ? *found : name);
}

void FolderEntries::Add(const QString& name) {
    files_.insert(name.toCaseFolded(), name);
}
