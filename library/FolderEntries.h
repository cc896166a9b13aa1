#pragma once

#include <QHash>
#include <QString>

// The files of one folder, read once, looked up by name without regard to letter case:
// the chooser asks for several derived names per picture, and reading the folder once
// per book keeps that from touching the disk again for each of them.
class FolderEntries {
public:
    // A folder that does not exist holds nothing.
    explicit FolderEntries(const QString& folder);

    bool Contains(const QString& name) const { return files_.contains(name.toCaseFolded()); }
    // The file's path as it lies on disk; for a name not there, the folder and the name
    // as written, so that the result also serves for a file about to be made.
    QString PathOf(const QString& name) const;

private:
    QString folder_;
    QHash<QString, QString> files_; // case-folded name -> name on disk
};
