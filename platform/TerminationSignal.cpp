#include "TerminationSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {
int pipeEnds[2] = {-1, -1};
// Read inside the signal handler.
std::atomic<bool> workToKeep{false};
static_assert(std::atomic<bool>::is_always_lock_free);

std::function<void()>& Handler() {
    static std::function<void()> handler;
    return handler;
}

void OnSignal(int) {
    if (!workToKeep.load())
        ::_exit(0);
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a pending request.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

void Drain() {
    char bytes[64];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
}
} // namespace

void OnTerminationSignal(std::function<void()> handler) {
    Handler() = std::move(handler);
    if (pipeEnds[0] >= 0)
        return;
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipeEnds[0] = pipeEnds[1] = -1;
        return;
    }
    auto* notifier =
        new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        Drain();
        if (Handler())
            Handler()();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

void SetWorkToKeep(bool work) {
    workToKeep.store(work);
}

} // namespace platform
