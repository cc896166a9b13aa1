#include "WholeFile.h"

#include "TemporaryFiles.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Written in pieces, so that a test can stop the process part of the way through.
constexpr qsizetype Piece = qsizetype(64) << 10;

thread_local QString lastError;
thread_local int lastErrorNumber = 0;

std::function<void(int)>& Step() {
    static std::function<void(int)> step;
    return step;
}

void Reached(int step) {
    if (Step())
        Step()(step);
}

// Keeps the reason of the call that failed, whatever the cleaning up does to errno.
bool Fail(int error) {
    lastErrorNumber = error;
    lastError = QString::fromLocal8Bit(std::strerror(error));
    return false;
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// A new file of a short hidden name in the folder, which tells its writer: exclusive, so that
// nothing already lying there (a named pipe, another writer's file) is ever opened.
int CreateTemporary(const QByteArray& folder, QByteArray& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = NewTemporaryPath(folder);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(std::min(left, Piece)));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
        Reached(2);
    }
    return true;
}

void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool WriteWholeFile(const QString& path, const QByteArray& bytes, Durability durability) {
    lastError.clear();
    lastErrorNumber = 0;
    const QByteArray name = QFile::encodeName(path);
    const QByteArray folder = FolderOf(name);
    QByteArray temporary;
    const int fd = CreateTemporary(folder, temporary);
    if (fd < 0)
        return Fail(errno);
    Reached(1);
    int error = 0;
    if (!WriteAll(fd, bytes))
        error = errno;
    else if (durability == Durability::Synced && ::fsync(fd) != 0)
        error = errno;
    if (!error)
        Reached(3);
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temporary.constData(), name.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.constData());
        return Fail(error);
    }
    Reached(4);
    if (durability == Durability::Synced)
        SyncFolder(folder);
    Reached(5);
    return true;
}

QString LastFileError() {
    return lastError;
}

int LastFileErrorNumber() {
    return lastErrorNumber;
}

void SetWholeFileStepForTesting(std::function<void(int step)> step) {
    Step() = std::move(step);
}

} // namespace platform
