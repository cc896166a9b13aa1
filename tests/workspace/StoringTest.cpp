// Opening, clearing and crazy colours, and the colouring stored between them.
#include "Fixtures.h"
#include "MainWindowStart.h"
#include "ModalAnswers.h"
#include "ProgramFolder.h"
#include "pButton.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

} // namespace
