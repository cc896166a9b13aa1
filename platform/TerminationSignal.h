#pragma once

#include <functional>

namespace platform {

// Turns the termination signals (SIGTERM, and SIGHUP when the session hangs up) into a
// call of the handler on the user-interface thread, from whatever event loop is running,
// so that the program can keep its work before it ends. The signal handler itself only
// writes a byte to a pipe; the pipe's notifier calls the handler. Installing again
// replaces the handler. Needs a running application object.
void OnTerminationSignal(std::function<void()> handler);

// Whether the program holds work that the handler keeps before it ends (a colouring).
// While it holds none, as at first, a termination signal ends the program inside the
// signal handler, at once: also while the user-interface thread is held up and no event
// loop runs (a start that waits for a device), when the handler could never be called.
// Every file the program writes is replaced whole or not at all, so nothing is left
// half-written.
void SetWorkToKeep(bool work);

} // namespace platform
