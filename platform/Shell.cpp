#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform::shell {
namespace {
constexpr int kStarted = 42;
constexpr int kFileNotFound = 2;

std::function<bool(const QUrl&)>& UrlOpener() {
    static std::function<bool(const QUrl&)> opener;
    return opener;
}

bool OpenUrl(const QUrl& url) {
    if (UrlOpener())
        return UrlOpener()(url);
    return QDesktopServices::openUrl(url);
}
} // namespace

int ShellExecuteA(QWidget*, const QString& operation, const QString& file,
                  const QString& parameters, const QString&, int) {
    if (operation != QLatin1String("open") || file.isEmpty())
        return kFileNotFound;
    const QString program = QStandardPaths::findExecutable(file);
    if (!program.isEmpty())
        return QProcess::startDetached(program, {parameters}) ? kStarted : kFileNotFound;
    // Not a program: an address with a scheme, or a file that exists.
    QUrl url(file);
    if (url.scheme().size() < 2)
        url = QFileInfo::exists(file) ? QUrl::fromLocalFile(file) : QUrl();
    if (!url.isValid() || url.isEmpty())
        return kFileNotFound;
    return OpenUrl(url) ? kStarted : kFileNotFound;
}

void SetUrlOpener(std::function<bool(const QUrl&)> opener) {
    UrlOpener() = std::move(opener);
}

} // namespace platform::shell
