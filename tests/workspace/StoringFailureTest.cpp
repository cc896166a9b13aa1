// The adult's explanation of a colouring that could not be stored.
#include "StoringFailure.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// The colours stored before are told as kept only when there were some, and a name too
// long is told as such, not as a disk that cannot be written.
TEST(StoringFailureText, TellsOnlyWhatIsTrue) {
    const QString kept = QStringLiteral(" The colors stored before have been kept.");
    const QString disk = QStringLiteral(" Please make sure that the disk is not write protected "
                                        "and that there is enough disk space.");
    const QString name = QStringLiteral(" The name is too long for the file system: please give "
                                        "the picture, or its book, a shorter name.");
    struct Case {
        int error;
        bool storedBefore;
        QString after;
    };
    const Case cases[] = {
        {EACCES, true, kept + disk},
        {EACCES, false, disk},
        {ENOSPC, true, kept + disk},
        {ENOSPC, false, disk},
        {EROFS, false, disk},
        {ENAMETOOLONG, false, name},
        {ENAMETOOLONG, true, kept + name},
        {0, false, disk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.error << (c.storedBefore ? " stored" : " none"));
        const QString reason =
            c.error ? QString::fromLocal8Bit(std::strerror(c.error)) : QStringLiteral("Failed");
        const StoringFailure failure{QStringLiteral("/home/ann/colored pictures/Animals"), reason,
                                     c.error, c.storedBefore};
        EXPECT_EQ(StoringFailureText(failure),
                  QStringLiteral("The colors could not be stored in the folder '/home/ann/colored "
                                 "pictures/Animals': ") +
                      reason + QLatin1Char('.') + c.after);
    }
}

// An own picture whose colours were stored while its page was not: the page is what failed,
// and the page stored before is what was kept.
TEST(StoringFailureText, AnOwnPageThatFailedIsToldAsThePage) {
    StoringFailure failure{QStringLiteral("/home/ann/books/own pictures"),
                           QString::fromLocal8Bit(std::strerror(ENOSPC)), ENOSPC, true, true};
    EXPECT_EQ(StoringFailureText(failure),
              QStringLiteral("The colors have been stored, but the page could not be stored in "
                             "the folder '/home/ann/books/own pictures': ") +
                  failure.Reason +
                  QStringLiteral(". The page stored before has been kept. Please make sure that "
                                 "the disk is not write protected and that there is enough disk "
                                 "space."));
}

} // namespace
