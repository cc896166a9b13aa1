#pragma once

#include <functional>

namespace platform {

// Calls the handler once, on the user-interface thread, when the connection to the X
// server breaks (the server ended with the session). The window system's plugin ends the
// program right after it reports that, so the handler runs within the report, and must
// only do what needs no window: keeping files. Installing again replaces the handler.
void OnDisplayLost(std::function<void()> handler);

} // namespace platform
