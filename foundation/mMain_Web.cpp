#include "mMain_Web.h"

#include "Shell.h"

namespace mMain {

bool OpenWebPage(const QString& address, QWidget* owner) {
    using namespace platform::shell;
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
