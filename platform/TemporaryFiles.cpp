#include "TemporaryFiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <string>
#include <unistd.h>

namespace platform {
namespace {

constexpr int StaleOlderSeconds = 60 * 60;

// The start time of a process since the boot, in clock ticks (the 22nd field of its
// stat file); 0 when it cannot be read (no such process, no /proc).
quint64 StartTime(qint64 pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return 0;
    // The command name, in parentheses, may hold blanks: the fields after it count.
    const size_t close = line.rfind(')');
    if (close == std::string::npos)
        return 0;
    size_t at = close + 2;
    for (int field = 3; field < 22; ++field) {
        at = line.find(' ', at);
        if (at == std::string::npos)
            return 0;
        ++at;
    }
    return std::strtoull(line.c_str() + at, nullptr, 10);
}

quint64 OwnStartTime() {
    static const quint64 start = StartTime(::getpid());
    return start;
}

// Whether the process that made a temporary file still runs: the same id, started at
// the same time (an id is given again to later processes).
bool Alive(qint64 pid, quint64 start) {
    if (pid <= 0)
        return false;
    if (pid == ::getpid() && start == OwnStartTime())
        return true;
    const quint64 now = StartTime(pid);
    if (now != 0)
        return start == 0 || now == start;
    // Without /proc, only the id tells.
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace

QByteArray NewTemporaryPath(const QByteArray& folder) {
    return folder + "/.crayvex-" + QByteArray::number(::getpid()) + '-' +
           QByteArray::number(OwnStartTime(), 36) + '-' +
           QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
}

bool IsLeftTemporary(const QString& folder, const QString& name) {
    static const QRegularExpression marked(
        QStringLiteral("^\\.crayvex-(?:(\\d{1,10})-([0-9a-z]{1,13})-)?[0-9a-z]{1,7}\\.tmp$"));
    const QRegularExpressionMatch match = marked.match(name);
    if (!match.hasMatch())
        return false;
    const QFileInfo file(folder + QLatin1Char('/') + name);
    if (!file.isFile() || file.isSymLink())
        return false;
    if (!match.captured(1).isEmpty()) {
        bool ok = false;
        const quint64 start = match.captured(2).toULongLong(&ok, 36);
        return ok && !Alive(match.captured(1).toLongLong(), start);
    }
    return file.lastModified().secsTo(QDateTime::currentDateTime()) > StaleOlderSeconds;
}

bool RemoveLeftTemporary(const QString& folder, const QString& name) {
    if (!IsLeftTemporary(folder, name))
        return false;
    ::unlink(QFile::encodeName(folder + QLatin1Char('/') + name).constData());
    return true;
}

} // namespace platform
