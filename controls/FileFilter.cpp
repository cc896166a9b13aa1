#include "FileFilter.h"

namespace FileFilter {

QString ToNulList(const QString& filter) {
    QString list;
    list.reserve(filter.size() + 2);
    for (const QChar c : filter)
        list += (c == QLatin1Char('|') || c == QLatin1Char(':')) ? QChar(0) : c;
    return list + QChar(0) + QChar(0);
}

} // namespace FileFilter
