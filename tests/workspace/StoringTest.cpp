// Opening, clearing and crazy colours, and the colouring stored between them.
#include "Fixtures.h"
#include "MainWindowStart.h"
#include "ModalAnswers.h"
#include "PictureFile.h"
#include "PictureFiles.h"
#include "ProgramFolder.h"
#include "frmMessage.h"
#include "pButton.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class StoringTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform::SetProgramFolder(folder.path());
        cat = AddDrawing(QStringLiteral("Animals"), QStringLiteral("cat.gif"));
    }
    void TearDown() override { platform::SetProgramFolder(QString()); }

    // A drawing file of a book; a BMP under any name, as the loader reads the content.
    QString AddDrawing(const QString& book, const QString& name) {
        EXPECT_TRUE(QDir().mkpath(folder.filePath(QStringLiteral("books/") + book)));
        const QString path = folder.filePath(QStringLiteral("books/") + book + '/' + name);
        EXPECT_TRUE(fixtures::LineDrawing().save(path, "BMP"));
        return path;
    }
    QString Path(const char* relative) { return folder.filePath(QString::fromUtf8(relative)); }
    QString ColouredPath(const QString& drawing) {
        return folder.filePath(QStringLiteral("colored pictures/Animals/") +
                               QFileInfo(drawing).fileName() + QStringLiteral(".jpg"));
    }
    static void Touch(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    void PaintStroke() {
        main.SetCurrentColour({255, 0, 0});
        main.ColourJitter = 10;
        main.pTool_MouseUp(0);
        main.P_MouseDown(1, 0, 150, 60);
        main.P_MouseMove(1, 0, 190, 60);
        main.P_MouseUp(1, 0, 190, 60);
    }
    // Stores by opening the chooser and choosing nothing.
    void StoreByOpeningNothing() {
        main.ChoosePicture = [] { return QString(); };
        main.c_Click(0);
    }

    QTemporaryDir folder;
    QString cat;
    FrmMain& main = FrmMain::Instance();
};

TEST_F(StoringTest, StoresCatOfAnimalsAndDeletesItsStaleThumbnails) {
    ASSERT_TRUE(StartMainWindow(main, cat));
    EXPECT_TRUE(
        QDir(Path("colored pictures")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty())
        << "nothing is stored before a stroke has been made and another picture opened";
    PaintStroke();
    const QImage canvas = main.P->Image().copy();
    ASSERT_TRUE(QDir().mkpath(Path("colored pictures/Animals")));
    Touch(Path("colored pictures/Animals/cat.gif.jpg.qrv"));
    Touch(Path("books/Animals/cat.gif.qrv"));

    StoreByOpeningNothing();
    const QImage stored(Path("colored pictures/Animals/cat.gif.jpg"), "JPEG");
    ASSERT_FALSE(stored.isNull());
    EXPECT_EQ(stored.size(), canvas.size());
    const QColor painted = stored.pixelColor(170, 60);
    EXPECT_GT(painted.red(), painted.green() + 60) << "the crayon's red, blended over white";
    EXPECT_FALSE(QFile::exists(Path("colored pictures/Animals/cat.gif.jpg.qrv")));
    EXPECT_FALSE(QFile::exists(Path("books/Animals/cat.gif.qrv")));
    EXPECT_EQ(main.CurrentPicture, cat) << "choosing nothing keeps the picture open";
}

TEST_F(StoringTest, ReopeningShowsTheColouringOverTheCleanDrawing) {
    ASSERT_TRUE(StartMainWindow(main, cat));
    PaintStroke();
    const QString dog = AddDrawing(QStringLiteral("Animals"), QStringLiteral("dog.bmp"));
    ASSERT_TRUE(StartMainWindow(main, dog)); // stores the cat
    EXPECT_EQ(main.P->Image().pixelColor(170, 60), QColor(Qt::white));
    ASSERT_TRUE(StartMainWindow(main, cat));
    const QColor coloured = main.P->Image().pixelColor(170, 60);
    EXPECT_GT(coloured.red(), coloured.green() + 60);
    EXPECT_EQ(main.tP->Picture().convertToFormat(QImage::Format_RGB32),
              fixtures::LineDrawing().convertToFormat(QImage::Format_RGB32));
    EXPECT_FALSE(main.c[2]->Enabled()) << "opening empties the undo stack";
    EXPECT_TRUE(main.c[1]->Enabled());
    EXPECT_TRUE(main.c[3]->Enabled());
}

TEST_F(StoringTest, ClearingAfterOkStoresFirstAndRestoresTheDrawing) {
    ASSERT_TRUE(StartMainWindow(main, cat));
    PaintStroke();
    {
        ModalAnswers never(ModalAnswers::Cancel);
        main.c_Click(1);
        ASSERT_EQ(never.childMessages.size(), 1);
    }
    EXPECT_GT(main.P->Image().pixelColor(170, 60).red(), 200) << "never mind keeps the colours";
    EXPECT_TRUE(main.c[2]->Enabled());
    EXPECT_TRUE(main.Timer1->Enabled());
    EXPECT_FALSE(QFile::exists(Path("colored pictures/Animals/cat.gif.jpg")));

    ModalAnswers ok(ModalAnswers::Ok);
    main.c_Click(1);
    EXPECT_EQ(main.P->Image().convertToFormat(QImage::Format_RGB32),
              fixtures::LineDrawing().convertToFormat(QImage::Format_RGB32));
    EXPECT_FALSE(main.c[2]->Enabled());
    const QImage stored(Path("colored pictures/Animals/cat.gif.jpg"), "JPEG");
    ASSERT_FALSE(stored.isNull()) << "the colouring before clearing is stored";
    EXPECT_GT(stored.pixelColor(170, 60).red(), 200);
}

TEST_F(StoringTest, ClearingAnOwnPictureLeavesABlankPageAndRewritesIt) {
    const QString own = AddDrawing(QStringLiteral("own pictures"), QStringLiteral("own_0.bmp"));
    ASSERT_TRUE(StartMainWindow(main, own));
    PaintStroke();
    ModalAnswers ok(ModalAnswers::Ok);
    main.c_Click(1);
    const QImage canvas = main.P->Image();
    const QImage outline = main.tP->Image();
    for (const QPoint p : {QPoint(1, 1), QPoint(100, 60), QPoint(170, 60)}) {
        EXPECT_EQ(canvas.pixelColor(p), QColor(Qt::white));
        EXPECT_EQ(outline.pixelColor(p), QColor(Qt::white));
    }
    // The next storing writes the blank outline layer back into the picture's file.
    StoreByOpeningNothing();
    const QImage rewritten(own, "BMP");
    ASSERT_FALSE(rewritten.isNull());
    EXPECT_EQ(rewritten.pixelColor(100, 60), QColor(Qt::white));
}

TEST_F(StoringTest, CrazyColoursToggleWithEachPress) {
    ASSERT_TRUE(StartMainWindow(main, cat));
    main.c_MouseDown(3);
    main.c_MouseUp(3);
    EXPECT_TRUE(main.c[3]->Pressed());
    EXPECT_EQ(main.ColourJitter, 120);
    EXPECT_FALSE(main.c[3]->LockRefresh());
    main.c_MouseDown(3);
    main.c_MouseUp(3);
    EXPECT_FALSE(main.c[3]->Pressed());
    EXPECT_EQ(main.ColourJitter, 10);
}

TEST_F(StoringTest, AStoredColouringThatCannotBeReadGivesWayToTheDrawing) {
    ASSERT_TRUE(QDir().mkpath(Path("colored pictures/Animals")));
    Touch(Path("colored pictures/Animals/cat.gif.jpg"));
    ASSERT_TRUE(StartMainWindow(main, cat));
    EXPECT_EQ(main.P->Image().convertToFormat(QImage::Format_RGB32),
              fixtures::LineDrawing().convertToFormat(QImage::Format_RGB32));
    PaintStroke();
    StoreByOpeningNothing();
    EXPECT_FALSE(QImage(Path("colored pictures/Animals/cat.gif.jpg"), "JPEG").isNull())
        << "the next storing replaces the unreadable file";
}

// A colouring cut short, as an interrupted copy leaves it, is unreadable too: the drawing
// shows whole, and the child's next storing writes no made-up grey into the colouring.
TEST_F(StoringTest, AStoredColouringCutShortGivesWayToTheDrawing) {
    ASSERT_TRUE(QDir().mkpath(Path("colored pictures/Animals")));
    QImage coloured = fixtures::LineDrawing().convertToFormat(QImage::Format_RGB32);
    for (int y = 3; y < 117; ++y)
        for (int x = 3; x < 99; ++x)
            coloured.setPixel(x, y, qRgb(x * 2, 200, y * 2));
    ASSERT_TRUE(fixtures::WriteFile(ColouredPath(cat), fixtures::CutJpegFile(coloured)));
    ASSERT_TRUE(StartMainWindow(main, cat));
    EXPECT_EQ(main.P->Image().convertToFormat(QImage::Format_RGB32),
              fixtures::LineDrawing().convertToFormat(QImage::Format_RGB32));
    PaintStroke();
    StoreByOpeningNothing();
    const QImage stored = platform::LoadPicture(ColouredPath(cat));
    ASSERT_FALSE(stored.isNull()) << "the next storing replaces the cut file";
    EXPECT_GT(qGray(stored.pixel(150, 110)), 240) << "the drawing's paper, not grey";
}

// A colouring that cannot be stored is told in the child's message window, with the
// folder and the system's reason for the adult, before the chooser replaces it on screen;
// the colouring stored before stays as it was, and the program goes on.
TEST_F(StoringTest, AColouringThatCannotBeStoredIsToldAndTheOldOneKept) {
    ASSERT_TRUE(QDir().mkpath(Path("colored pictures/Animals")));
    const QString old = Path("colored pictures/Animals/cat.gif.jpg");
    Touch(old);
    ASSERT_TRUE(QFile::setPermissions(old, QFile::ReadOwner | QFile::ReadGroup));
    ASSERT_TRUE(StartMainWindow(main, cat));
    PaintStroke();

    QString shownBeforeChoosing;
    main.ChoosePicture = [&] {
        shownBeforeChoosing = frmMessage::Instance().Label2->text();
        return QString();
    };
    ModalAnswers ok(ModalAnswers::Ok);
    main.c_Click(0);
    ASSERT_EQ(ok.childMessages,
              QStringList{"Oh no! Your colors could not be kept! Call someone who can help you "
                          "fix it!"});
    EXPECT_EQ(shownBeforeChoosing,
              QStringLiteral("The colors could not be stored in the folder '") +
                  Path("colored pictures/Animals") + QStringLiteral("': ") +
                  QString::fromLocal8Bit(strerror(EACCES)) +
                  QStringLiteral(". The colors stored before have been kept. Please make sure "
                                 "that the disk is not write protected and that there is enough "
                                 "disk space."));
    QFile kept(old);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
    EXPECT_EQ(main.CurrentPicture, cat) << "the program goes on";
    EXPECT_TRUE(main.Timer1->Enabled());

    // Ended from outside, there is no one to tell: the storing fails quietly.
    main.SaveColoredPicture(false);
    EXPECT_EQ(ok.childMessages.size(), 1);
}

// Every name the file system allows works: a drawing of a 250-byte name is coloured,
// stored and opened again with its colouring; with a name whose coloured picture's name
// cannot exist, the colouring is told as not kept.
TEST_F(StoringTest, LongPictureNamesAreStoredOrToldAsNotKept) {
    const QString longest = AddDrawing(QStringLiteral("Animals"),
                                       QString(246, QLatin1Char('c')) + QStringLiteral(".gif"));
    ASSERT_TRUE(StartMainWindow(main, longest));
    PaintStroke();
    {
        ModalAnswers ok(ModalAnswers::Ok);
        StoreByOpeningNothing();
        EXPECT_EQ(ok.childMessages, QStringList());
    }
    ASSERT_FALSE(QImage(ColouredPath(longest), "JPEG").isNull());
    ASSERT_TRUE(StartMainWindow(main, cat));
    ASSERT_TRUE(StartMainWindow(main, longest));
    EXPECT_GT(main.P->Image().pixelColor(170, 60).red(), 200) << "the colouring came back";

    const QString tooLong = AddDrawing(QStringLiteral("Animals"),
                                       QString(250, QLatin1Char('t')) + QStringLiteral(".gif"));
    ASSERT_TRUE(StartMainWindow(main, tooLong));
    PaintStroke();
    ModalAnswers ok(ModalAnswers::Ok);
    main.c_Click(0);
    ASSERT_EQ(ok.childMessages.size(), 1);
    // Nothing was stored before under that name, and no disk trouble is to blame.
    EXPECT_EQ(frmMessage::Instance().Label2->text(),
              QStringLiteral("The colors could not be stored in the folder '") +
                  Path("colored pictures/Animals") + QStringLiteral("': ") +
                  QString::fromLocal8Bit(strerror(ENAMETOOLONG)) +
                  QStringLiteral(". The name is too long for the file system: please give the "
                                 "picture, or its book, a shorter name."));
}

// A first colouring that cannot be stored (its book's folder cannot be made: a file lies
// under its name) says nothing of colours kept, since none were stored before.
TEST_F(StoringTest, AFirstColouringThatCannotBeStoredTellsOfNoColoursKept) {
    ASSERT_TRUE(QDir().mkpath(Path("colored pictures")));
    Touch(Path("colored pictures/Animals"));
    ASSERT_TRUE(StartMainWindow(main, cat));
    PaintStroke();
    ModalAnswers ok(ModalAnswers::Ok);
    main.c_Click(0);
    ASSERT_EQ(ok.childMessages.size(), 1);
    const QString text = frmMessage::Instance().Label2->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("The colors could not be stored in the folder '") +
                                Path("colored pictures/Animals") + QStringLiteral("': ")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("stored before"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral(". Please make sure that the disk is not write "
                                             "protected and that there is enough disk space.")))
        << text.toStdString();
}

// When an own picture's colours are stored but its page cannot be written back (a folder
// now lies under the page's name), the adult is told that only the page failed.
TEST_F(StoringTest, AnOwnPageThatCannotBeWrittenIsToldApartFromItsColours) {
    const QString own = AddDrawing(QStringLiteral("own pictures"), QStringLiteral("own_0.bmp"));
    ASSERT_TRUE(StartMainWindow(main, own));
    PaintStroke();
    ASSERT_TRUE(QFile::remove(own));
    ASSERT_TRUE(QDir().mkpath(own + QStringLiteral("/in the way")));
    ModalAnswers ok(ModalAnswers::Ok);
    StoreByOpeningNothing();
    ASSERT_EQ(ok.childMessages.size(), 1);
    const QString text = frmMessage::Instance().Label2->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("The colors have been stored, but the page could "
                                               "not be stored in the folder '") +
                                Path("books/own pictures") + QStringLiteral("': ")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(". The page stored before has been kept. Please")))
        << text.toStdString();
    EXPECT_FALSE(QImage(Path("colored pictures/own pictures/own_0.bmp.jpg"), "JPEG").isNull())
        << "the colours are stored";
}

// An own page is replaced by renaming its new file over it, never by removing it first,
// and leaves no other file behind.
TEST_F(StoringTest, AnOwnPageIsReplacedByRenamingOverIt) {
    const QString own = AddDrawing(QStringLiteral("own pictures"), QStringLiteral("own_0.bmp"));
    ASSERT_TRUE(StartMainWindow(main, own));
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(own).constData(), &before), 0);
    PaintStroke();
    StoreByOpeningNothing();
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(own).constData(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino) << "a new file, renamed over the old one";
    EXPECT_EQ(QDir(Path("books/own pictures")).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{"own_0.bmp"});
    EXPECT_FALSE(QImage(own, "BMP").isNull());
}

} // namespace
