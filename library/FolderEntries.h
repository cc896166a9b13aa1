#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The files of one folder, read once, looked up by name without regard to letter case:
// a listing asks for several derived names per picture, and reading the folder once
// keeps that from touching the disk again for each of them. Temporary files that
// interrupted writes left in the folder are removed while it is read.
class FolderEntries {
public:
    // A folder that does not exist holds nothing.
    explicit FolderEntries(const QString& folder);

    bool Contains(const QString& name) const { return files_.contains(name.toCaseFolded()); }
    // The file's path as it lies on disk; for a name not there, the folder and the name
    // as written, so that the result also serves for a file about to be made.
    QString PathOf(const QString& name) const;
    // Counts a file made in the folder since it was read.
    void Add(const QString& name);

    // The regular files of the folder (or links to one) whose name does not begin with a
    // dot, as named on disk, in no particular order.
    const QStringList& VisibleFiles() const { return visible_; }

private:
    QString folder_;
    QHash<QString, QString> files_; // case-folded name -> name on disk
    QStringList visible_;
};
