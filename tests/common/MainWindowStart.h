#pragma once

#include "EndProgram.h"
#include "FrmMain.h"
#include "Screen.h"
#include "SettingsFile.h"

#include <QString>

// Starts the main window as the program does, without a person: a 1024 x 768 screen at 32
// bits, a Settings.ini with sounds off in the program folder, a chooser that answers with
// `drawing`, and an ending that only records that the program ended. On the first call the
// whole start-up runs; later calls open the drawing with the open button, as a child would.
inline bool StartMainWindow(FrmMain& main, const QString& drawing, bool* ended = nullptr) {
    platform::SetScreenForTesting([] { return platform::ScreenMetrics{1024, 768, 32}; });
    platform::SetEndProgramForTesting([ended] {
        if (ended)
            *ended = true;
    });
    SettingsFile::OptionValues values;
    values.Check1 = 0; // no sounds
    values.Check3 = 0; // no password
    if (!SettingsFile::Write(values))
        return false;
    main.ChoosePicture = [drawing] { return drawing; };
    if (!main.IsLoaded())
        main.Load();
    else
        main.c_Click(0);
    return main.CurrentPicture == drawing;
}
