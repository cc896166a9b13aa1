#include "StoringFailure.h"

#include <cerrno>

QString StoringFailureText(const StoringFailure& failure) {
    QString text = failure.PageOnly
                       ? QStringLiteral("The colors have been stored, but the page could not be "
                                        "stored in the folder '")
                       : QStringLiteral("The colors could not be stored in the folder '");
    text += failure.Folder + QStringLiteral("': ") + failure.Reason + QLatin1Char('.');
    if (failure.PageOnly)
        text += QStringLiteral(" The page stored before has been kept.");
    else if (failure.StoredBefore)
        text += QStringLiteral(" The colors stored before have been kept.");
    if (failure.ErrorNumber == ENAMETOOLONG)
        text += QStringLiteral(" The name is too long for the file system: please give the "
                               "picture, or its book, a shorter name.");
    else
        text += QStringLiteral(" Please make sure that the disk is not write protected and that "
                               "there is enough disk space.");
    return text;
}
