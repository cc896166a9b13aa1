// The picture chooser over the program folder given as the argument, shown modally as
// the workspace shows it. Prints "ready" once it is up and the chosen path at the end.
#include "ProgramFolder.h"
#include "frmOpen.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    platform::SetProgramFolder(QString::fromLocal8Bit(argv[1]));
    frmOpen& chooser = frmOpen::Instance();
    chooser.FileName.clear();
    QTimer::singleShot(0, [] {
        std::printf("ready\n");
        std::fflush(stdout);
    });
    chooser.Show(true);
    std::printf("chosen %s\n", qPrintable(chooser.FileName));
    chooser.Unload();
    return 0;
}
