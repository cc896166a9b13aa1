#include "RegularFile.h"

#include <QFile>
#include <QString>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool OpenRegularFile(const QString& path, QFile& file) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

} // namespace platform
