#include "mMain_Web.h"

#include "PageWindow.h"
#include "Shell.h"

#include <QUrl>

namespace mMain {
namespace {
// The address of a page on this computer: a "file:" address, or a path without a scheme.
// An empty address for a web address.
QUrl LocalPage(const QString& address) {
    const QUrl url(address);
    if (url.isLocalFile())
        return url;
    if (url.scheme().isEmpty() && !address.isEmpty())
        return QUrl::fromLocalFile(address);
    return {};
}
} // namespace

bool OpenWebPage(const QString& address, QWidget* owner) {
    using namespace platform::shell;
    // The program's own pages are shown in its own window: a browser started while the
    // child lock holds would open under the full-screen main window, out of sight.
    if (const QUrl page = LocalPage(address); !page.isEmpty())
        return platform::PageWindow::Instance().ShowPage(page);
    const QString one = QStringLiteral("1");
    bool result = true;
    if (ShellExecuteA(owner, QStringLiteral("open"), QStringLiteral("x-www-browser"), address, one,
                      SW_SHOWMAXIMIZED) <= 32) {
        if (ShellExecuteA(owner, QStringLiteral("open"), address, one, one, SW_SHOWMAXIMIZED) <= 32)
            result = false;
    }
    return result;
}

} // namespace mMain
