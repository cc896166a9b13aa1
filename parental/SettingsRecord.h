#pragma once

#include <QString>

// The seven values of Settings.ini as the running program uses them. Start-up reads them;
// the options window writes the file; the message windows and the main window read the
// record. One record for the whole program.
struct SettingsRecord {
    static SettingsRecord& Current();

    bool PlaySounds = false;
    bool QuitLock = true; // quitting needs permission
    bool AutoHide = false;
    bool UsePassword = false;
    float BubbleSpeed = 4; // the bubbles' speeds are divided by it
    QString Password;
    QString PasswordHint;

    // Reads Settings.ini line by line, so that a line that fails leaves the values before
    // it set. False when the file cannot be read whole.
    bool Read();
};
