#include "FrmMain.h"
#include "LibraryWindows.h"
#include "ProgramFolder.h"
#include "frmParentalOptions.h"

#include <QApplication>
#include <QDir>

namespace {
// The first drawing of the program folder's books, until the picture chooser is wired.
QString FirstDrawing() {
    QDir books(platform::ProgramFolder() + QStringLiteral("/books"));
    const QStringList filters{QStringLiteral("*.bmp"), QStringLiteral("*.gif"),
                              QStringLiteral("*.jpg")};
    for (const QString& book : books.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QStringList files =
            QDir(books.filePath(book))
                .entryList(filters, QDir::Files, QDir::Name | QDir::IgnoreCase);
        if (!files.isEmpty())
            return books.filePath(book) + QLatin1Char('/') + files.first();
    }
    return {};
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("The Crayvex"));
    FrmMain& main = FrmMain::Instance();
    main.ChoosePicture = [] { return FirstDrawing(); };
    // The options window lies below the picture library whose windows its links open.
    frmParentalOptions& options = frmParentalOptions::Instance();
    options.ShowColoredPictures = LibraryWindows::ShowColoredPictures;
    options.ShowManagePictures = LibraryWindows::ShowManagePictures;
    // Loading the main window is the whole start-up.
    main.Show();
    return app.exec();
}
