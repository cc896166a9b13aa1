#pragma once

#include <functional>

namespace platform {

// Turns the termination signals (SIGTERM, and SIGHUP when the session hangs up) into a
// call of the handler on the user-interface thread, from whatever event loop is running,
// so that the program can keep its work before it ends. The signal handler itself only
// writes a byte to a pipe; the pipe's notifier calls the handler. Installing again
// replaces the handler. Needs a running application object.
void OnTerminationSignal(std::function<void()> handler);

} // namespace platform
