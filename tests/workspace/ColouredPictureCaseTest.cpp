// The coloured picture of a drawing found, replaced and its thumbnails deleted whatever
// the letter case of the names on disk; drawings with a transparent colour.
#include "Fixtures.h"
#include "MainWindowStart.h"
#include "PictureFiles.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The line drawing as a GIF whose white is the transparent colour, stored as black, so
// that a loader ignoring transparency shows it all black.
QByteArray TransparentLineDrawing() {
    const QImage drawing = fixtures::LineDrawing();
    std::vector<uint8_t> indices;
    for (int y = 0; y < drawing.height(); ++y)
        for (int x = 0; x < drawing.width(); ++x)
            indices.push_back(drawing.pixel(x, y) == qRgb(255, 255, 255) ? 0 : 1);
    return fixtures::GifFile(drawing.width(), drawing.height(), indices,
                             {qRgb(0, 0, 0), qRgb(0, 0, 0)}, 0);
}

class ColouredPictureCaseTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform::SetProgramFolder(folder.path());
        // The drawing of an earlier test is not stored into this folder.
        main.CurrentPicture.clear();
        ASSERT_TRUE(QDir().mkpath(Path("books/Animals")));
        cat = Path("books/Animals/cat.gif");
        ASSERT_TRUE(fixtures::WriteFile(cat, TransparentLineDrawing()));
    }
    void TearDown() override { platform::SetProgramFolder(QString()); }

    QString Path(const char* relative) { return folder.filePath(QString::fromUtf8(relative)); }
    static void Touch(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    QStringList Entries(const char* relative) {
        return QDir(Path(relative))
            .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
    }

    QTemporaryDir folder;
    QString cat;
    FrmMain& main = FrmMain::Instance();
};

TEST_F(ColouredPictureCaseTest, TransparentColourOpensAsWhitePaper) {
    ASSERT_TRUE(StartMainWindow(main, cat));
    const QImage canvas = main.P->Image();
    EXPECT_EQ(canvas.pixel(150, 60), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(0, 0, 0)) << "the frame line";
    EXPECT_EQ(main.tP->Image().pixel(150, 60), qRgb(255, 255, 255));
    // And the white areas take colour: a stroke needs a white region to stay in.
    main.SetCurrentColour({255, 0, 0});
    main.pTool_MouseUp(0);
    main.P_MouseDown(1, 0, 150, 60);
    main.P_MouseUp(1, 0, 150, 60);
    EXPECT_NE(main.P->Image().pixel(150, 60), qRgb(255, 255, 255));
}

TEST_F(ColouredPictureCaseTest, ColouringStoredInOtherLetterCaseIsFoundAndReplaced) {
    // The colouring on disk in other letter case: a red right half.
    ASSERT_TRUE(QDir().mkpath(Path("colored pictures/animals")));
    QImage colouring = fixtures::LineDrawing();
    QPainter(&colouring).fillRect(110, 10, 80, 100, QColor(255, 0, 0));
    const QString stored = Path("colored pictures/animals/Cat.GIF.jpg");
    ASSERT_TRUE(colouring.save(stored, "JPG", 95));
    Touch(Path("colored pictures/animals/CAT.gif.JPG.qrv"));
    Touch(Path("books/Animals/Cat.gif.qrv"));

    ASSERT_TRUE(StartMainWindow(main, cat));
    const QRgb opened = main.P->Image().pixel(150, 60);
    EXPECT_GT(qRed(opened), 200);
    EXPECT_LT(qGreen(opened), 60) << "the stored colouring is on the canvas";

    // Paint the left half blue and store by opening nothing.
    main.SetCurrentColour({0, 0, 255});
    main.ColourJitter = 10;
    main.pTool_MouseUp(0);
    main.P_MouseDown(1, 0, 50, 100);
    main.P_MouseUp(1, 0, 50, 100);
    main.ChoosePicture = [] { return QString(); };
    main.c_Click(0);

    EXPECT_EQ(Entries("colored pictures"), QStringList{QStringLiteral("animals")});
    EXPECT_EQ(Entries("colored pictures/animals"), QStringList{QStringLiteral("Cat.GIF.jpg")});
    EXPECT_EQ(Entries("books/Animals"), QStringList{QStringLiteral("cat.gif")});
    const QImage replaced(stored, "JPG");
    ASSERT_FALSE(replaced.isNull());
    EXPECT_GT(qRed(replaced.pixel(150, 60)), 200) << "the old colouring kept";
    EXPECT_GT(qBlue(replaced.pixel(50, 100)), 200) << "with the new stroke";
}

} // namespace
