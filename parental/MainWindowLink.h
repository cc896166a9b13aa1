#pragma once

#include <functional>

class QWidget;

namespace platform {
class SystemTimer;
}

// What the parental windows need of the main window, which lies above them: its window,
// as the owner of what they open, and its animation timer, which they pause while they
// are up. The main window fills these in while it is loaded; they are null otherwise.
struct MainWindowLink {
    static MainWindowLink& Current();

    QWidget* Window = nullptr;
    platform::SystemTimer* Timer1 = nullptr;
    // Ends the whole program at once, storing nothing: the options window's Cancel after
    // its settings could not be read. Unset, the program's process exits.
    std::function<void()> EndProgram;
};
