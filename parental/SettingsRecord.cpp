#include "SettingsRecord.h"

#include "SettingsFile.h"

#include <limits>

SettingsRecord& SettingsRecord::Current() {
    static SettingsRecord record;
    return record;
}

bool SettingsRecord::Read() {
    const SettingsFile::StartupValues values = SettingsFile::ReadAtStartup();
    const auto& number = values.numbers;
    const int count = values.count;
    if (count > 0)
        PlaySounds = number[0] != 0;
    if (count > 1)
        QuitLock = number[1] != 1;
    if (count > 2)
        AutoHide = number[2] != 0;
    if (count > 3)
        UsePassword = number[3] != 0;
    if (count > 4) {
        if (number[4] > std::numeric_limits<float>::max())
            return false;
        // The bubbles' speeds are divided by it: 0 or below would stop them or send them
        // down, so a hand-edited value there means Medium.
        BubbleSpeed = number[4] > 0 ? float(number[4]) : 4.0f;
    }
    if (count > 5)
        Password = values.Password;
    if (count > 6)
        PasswordHint = values.PasswordHint;
    return count == SettingsFile::LineCount;
}
