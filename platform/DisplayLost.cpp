#include "DisplayLost.h"

#include <QString>
#include <QtGlobal>

namespace platform {
namespace {
QtMessageHandler previous = nullptr;
bool reported = false;

std::function<void()>& Handler() {
    static std::function<void()> handler;
    return handler;
}

// Every message goes on as before; the one that tells of the broken connection first
// calls the handler.
void OnMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (previous)
        previous(type, context, message);
    if (type != QtWarningMsg || reported ||
        !message.startsWith(QLatin1String("The X11 connection broke")))
        return;
    reported = true;
    if (Handler())
        Handler()();
}
} // namespace

void OnDisplayLost(std::function<void()> handler) {
    Handler() = std::move(handler);
    reported = false;
    static const bool installed = [] {
        previous = qInstallMessageHandler(OnMessage);
        return true;
    }();
    (void)installed;
}

} // namespace platform
