// Pictures of the list windows for a person to look at: set CRAYVEX_SHOTS to a folder and
// run under a real X server (QT_QPA_PLATFORM=xcb). CRAYVEX_BOOKS may name a books folder
// to show instead of the fixture drawings.
#include "Combo.h"
#include "LibraryFixture.h"
#include "frmColoredPictures.h"
#include "frmManagePictures.h"

#include <QComboBox>
#include <QDirIterator>
#include <QPixmap>
#include <QProcess>
#include <QTest>

namespace {

void Save(QWidget* window, const QString& name) {
    QTest::qWait(200);
    const QString folder = qEnvironmentVariable("CRAYVEX_SHOTS");
    EXPECT_TRUE(window->grab().save(QDir(folder).filePath(name + ".png")));
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QStringLiteral("root"),
                           QDir(folder).filePath(name + "-screen.png")});
}

class ListWindowShots : public LibraryTest {};

TEST_F(ListWindowShots, Save) {
    if (qEnvironmentVariableIsEmpty("CRAYVEX_SHOTS"))
        GTEST_SKIP() << "set CRAYVEX_SHOTS to a folder to take the pictures";
    const QString books = qEnvironmentVariable("CRAYVEX_BOOKS");
    if (!books.isEmpty()) {
        QDirIterator it(books, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString relative = "books/" + QDir(books).relativeFilePath(file);
            QDir().mkpath(QFileInfo(In(relative)).path());
            QFile::copy(file, In(relative));
        }
    } else {
        for (const char* name : {"cat.bmp", "dog.bmp", "fox.bmp", "owl.bmp", "emu.bmp"})
            Drawing(QStringLiteral("books/The Crayvex/") + name);
    }
    Drawing("books/Animals/a lion with a very long name.bmp");
    Folder("books/Sea Life");
    for (const char* name : {"cat.bmp.jpg", "dog.bmp.jpg"}) {
        QImage coloured = fixtures::LineDrawing();
        coloured.fill(QColor(255, 200, 40));
        Write(QStringLiteral("colored pictures/The Crayvex/") + name, coloured, "JPG");
    }

    frmManagePictures& manage = frmManagePictures::Instance();
    manage.Load();
    manage.cBooks->SetListIndex("2");
    QWidget* window = manage.Window();
    manage.Show();
    Save(window, "frmManagePictures");
    manage.LV->item(0)->setSelected(true);
    manage.LV->item(2)->setSelected(true);
    Save(window, "frmManagePictures-selected");
    manage.cBooks->Box().showPopup();
    Save(window, "frmManagePictures-books");
    manage.cBooks->Box().hidePopup();
    manage.cBooks->SetListIndex("0");
    Save(window, "frmManagePictures-animals");
    manage.Unload();

    frmColoredPictures& gallery = frmColoredPictures::Instance();
    gallery.Show();
    Save(gallery.Window(), "frmColoredPictures");
    gallery.Unload();
}

} // namespace
