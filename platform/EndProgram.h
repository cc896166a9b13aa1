#pragma once

#include <functional>

namespace platform {

// Ends the program at once, as the language's End statement did: no window is asked,
// nothing further runs. Whatever must be kept is stored before this is called. Callers
// return right after it, so that under a test's handler they unwind as if ended.
void EndProgram();

// Tests replace the ending with a handler of their own, which returns; an empty function
// restores the real ending.
void SetEndProgramForTesting(std::function<void()> handler);

} // namespace platform
