#include "DisplayLost.h"
#include "EndProgram.h"
#include "FrmMain.h"
#include "LibraryWindows.h"
#include "TerminationSignal.h"
#include "frmOpen.h"
#include "frmParentalOptions.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("The Crayvex"));

    // The workspace and the parental windows lie below the picture library, whose windows
    // they open; the program joins them here.
    FrmMain& main = FrmMain::Instance();
    main.ChoosePicture = [] {
        frmOpen& chooser = frmOpen::Instance();
        chooser.FileName.clear();
        chooser.Show(true);
        return chooser.FileName;
    };
    main.UnloadChooser = [] { frmOpen::Instance().Unload(); };
    frmOpen::ShowManagePictures = LibraryWindows::ShowManagePictures;
    frmParentalOptions& options = frmParentalOptions::Instance();
    options.ShowColoredPictures = LibraryWindows::ShowColoredPictures;
    options.ShowManagePictures = LibraryWindows::ShowManagePictures;
    options.UnloadPictureChooser = [] { frmOpen::Instance().Unload(); };

    // Ended from outside, the program keeps the colouring as if an adult had quit.
    platform::OnTerminationSignal([&main] {
        if (main.IsLoaded())
            main.CloseFromOutside(platform::Form::AppTaskManager);
        platform::EndProgram();
    });

    // With the X server gone no window can be shown, and the program ends at once after
    // this: the colouring is kept quietly before it does.
    platform::OnDisplayLost([&main] {
        if (main.IsLoaded())
            main.SaveColoredPicture(false);
    });

    // Loading the main window is the whole start-up.
    main.Show();
    return app.exec();
}
