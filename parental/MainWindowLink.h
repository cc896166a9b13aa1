#pragma once

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
};
