#include "Combo.h"
#include "LibraryFixture.h"
#include "PictureBox.h"
#include "PictureFiles.h"
#include "frmColoredPictures.h"
#include "frmManagePictures.h"

#include <QGuiApplication>
#include <QImage>

namespace {

const QString NotFound = QStringLiteral(
    "' could not be found. Please make sure that the directory exists and that it is not write "
    "protected.");

// The two windows over one fixture: each lists the pictures of its own folder tree.
struct Twin {
    const char* name;
    PictureListWindow& (*window)();
    const char* root;
    // The picture file of a drawing's name, as the window lists it.
    const char* suffix;
};

PictureListWindow& Management() {
    return frmManagePictures::Instance();
}
PictureListWindow& Gallery() {
    return frmColoredPictures::Instance();
}

const Twin Twins[] = {
    {"management", Management, "books/", ""},
    {"gallery", Gallery, "colored pictures/", ".jpg"},
};

class PictureListWindows : public LibraryTest {
protected:
    void TearDown() override {
        frmManagePictures::Instance().Unload();
        frmColoredPictures::Instance().Unload();
        LibraryTest::TearDown();
    }

    int CurrentIndex(PictureListWindow& window) const { return window.cBooks->ListIndex().toInt(); }
};

TEST_F(PictureListWindows, UnreadablePicturesAreSkippedUnlessTheirThumbnailExists) {
    for (const Twin& twin : Twins) {
        SCOPED_TRACE(twin.name);
        const QString book = QString::fromLatin1(twin.root) + "Animals/";
        const QString suffix = QString::fromLatin1(twin.suffix);
        Write(book + "good.bmp" + suffix, fixtures::LineDrawing(), twin.suffix[0] ? "JPG" : "BMP");
        Junk(book + "broken.gif" + suffix);
        // Listed once while it could be read; the picture was damaged afterwards.
        Write(book + "stale.gif" + suffix, fixtures::LineDrawing(), twin.suffix[0] ? "JPG" : "BMP");
        Junk(book + "notes.txt");
        Folder(QString::fromLatin1(twin.root) + "Empty");

        PictureListWindow& window = twin.window();
        window.Load();
        ASSERT_EQ(window.cBooks->ListCount(), 2);
        EXPECT_EQ(window.cBooks->List(0), "Animals");
        EXPECT_EQ(window.cBooks->ListIndex(), "0");
        window.Unload();
        Junk(book + "stale.gif" + suffix);

        window.Load();
        EXPECT_EQ(Items(*window.LV), (QStringList{"good.bmp" + suffix, "stale.gif" + suffix}));
        EXPECT_TRUE(Exists(book + "good.bmp" + suffix + ".qrv"));
        EXPECT_FALSE(Exists(book + "broken.gif" + suffix + ".qrv"));
        ASSERT_EQ(window.IL.size(), 2u);
        EXPECT_EQ(window.IL[1].Picture.size(), QSize(100, 100));
        // The stale thumbnail still shows the drawing: black outlines on white.
        EXPECT_EQ(QColor(window.IL[1].Picture.pixel(25, 50)), QColor(Qt::white));
        EXPECT_LT(qGray(window.IL[1].Picture.pixel(0, 50)), 128);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

        // A book without pictures shows an empty list and leaves the pointer alone.
        window.cBooks->SetListIndex("1");
        EXPECT_EQ(window.LV->count(), 0);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

        // A book folder gone since the window loaded: a message, and the book leaves the
        // list; the first book left is shown under its own title.
        window.cBooks->SetListIndex("0");
        ASSERT_TRUE(QDir(In(QString::fromLatin1(twin.root) + "Empty")).removeRecursively());
        window.cBooks->SetListIndex("1");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0],
                  In(QString::fromLatin1(twin.root) + "Empty").prepend('\'') + NotFound);
        EXPECT_EQ(window.cBooks->ListCount(), 1);
        EXPECT_EQ(window.cBooks->List(0), "Animals");
        EXPECT_EQ(window.cBooks->ListIndex(), "0");
        EXPECT_EQ(Items(*window.LV), (QStringList{"good.bmp" + suffix, "stale.gif" + suffix}));
        window.Unload();
        messages.clear();
        ASSERT_TRUE(QDir(In(QString::fromLatin1(twin.root))).removeRecursively());
    }
}

// A JPEG cut short, as an interrupted download leaves it, gets no cell and no thumbnail.
TEST_F(PictureListWindows, JpegsCutShortAreLeftOut) {
    for (const Twin& twin : Twins) {
        SCOPED_TRACE(twin.name);
        const QString book = QString::fromLatin1(twin.root) + "Animals/";
        const QString suffix = QString::fromLatin1(twin.suffix);
        Write(book + "good.jpg" + suffix, fixtures::LineDrawing(), "JPG");
        ASSERT_TRUE(fixtures::WriteFile(In(book + "cut.jpg" + suffix),
                                        fixtures::CutJpegFile(fixtures::LineDrawing())));
        ASSERT_FALSE(QImage(In(book + "cut.jpg" + suffix)).isNull())
            << "Qt's reader shows the cut file";

        PictureListWindow& window = twin.window();
        window.Load();
        EXPECT_EQ(Items(*window.LV), QStringList{"good.jpg" + suffix});
        EXPECT_EQ(window.IL.size(), 1u);
        EXPECT_FALSE(Exists(book + "cut.jpg" + suffix + ".qrv"));
        window.Unload();
        ASSERT_TRUE(QDir(In(QString::fromLatin1(twin.root))).removeRecursively());
    }
}

TEST_F(PictureListWindows, AThumbnailThatCannotBeCachedIsShownFromMemory) {
    // The picture's name leaves no room for ".qrv" within the file system's 255 bytes, so its
    // cache can never be written; a damaged cache is made again.
    const QString longName = QString(250, QLatin1Char('n')) + ".bmp";
    for (const Twin& twin : Twins) {
        SCOPED_TRACE(twin.name);
        const QString book = QString::fromLatin1(twin.root) + "Animals/";
        const QString suffix = QString::fromLatin1(twin.suffix);
        const char* format = twin.suffix[0] ? "JPG" : "BMP";
        const QString uncachable =
            twin.suffix[0] ? QString(246, QLatin1Char('n')) + ".bmp.jpg" : longName;
        Write(book + uncachable, fixtures::LineDrawing(), format);
        Write(book + "cat.bmp" + suffix, fixtures::LineDrawing(), format);
        Junk(book + "cat.bmp" + suffix + ".qrv");

        PictureListWindow& window = twin.window();
        window.Load();
        EXPECT_EQ(Items(*window.LV), (QStringList{"cat.bmp" + suffix, uncachable}));
        ASSERT_EQ(window.IL.size(), 2u);
        for (const auto& listed : window.IL)
            EXPECT_EQ(QColor(listed.Picture.pixel(25, 50)), QColor(Qt::white));
        EXPECT_EQ(QImage(In(book + "cat.bmp" + suffix + ".qrv")).size(), QSize(100, 100));
        window.Unload();
        ASSERT_TRUE(QDir(In(QString::fromLatin1(twin.root))).removeRecursively());
    }
}

TEST_F(PictureListWindows, HiddenFoldersAndFilesAreNotListed) {
    Drawing("books/Animals/cat.bmp");
    Drawing("books/Animals/.cat.bmp");
    Drawing("books/.trash/dog.bmp");
    frmManagePictures& window = frmManagePictures::Instance();
    window.Load();
    ASSERT_EQ(window.cBooks->ListCount(), 1);
    EXPECT_EQ(Items(*window.LV), QStringList{"cat.bmp"});
}

// Deleting the last coloured picture of book K of three: the book's folder goes, and the
// book shown is the one the window moved to before removing it.
TEST_F(PictureListWindows, GalleryRemovesTheEmptiedBooksFolder) {
    struct Case {
        int emptied;
        QStringList left;
        QString shown;
    };
    const Case cases[] = {
        {0, {"Birds", "Cats"}, "Birds"},
        {1, {"Animals", "Cats"}, "Animals"},
        {2, {"Animals", "Birds"}, "Birds"},
    };
    const QStringList books = {"Animals", "Birds", "Cats"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.emptied);
        for (const QString& book : books) {
            Write("colored pictures/" + book + "/" + book + ".gif.jpg", fixtures::LineDrawing(),
                  "JPG");
            Drawing("books/" + book + "/" + book + ".gif");
        }
        frmColoredPictures& window = frmColoredPictures::Instance();
        window.Load();
        window.cBooks->SetListIndex(QString::number(c.emptied));
        const QString title = books[c.emptied];
        Select(*window.LV, {title + ".gif.jpg"});
        window.cFunc_Click(1); // "delete pictures"

        EXPECT_EQ(messages,
                  std::vector<QString>{"Are you sure you wish to delete the selected picture(s)?"});
        EXPECT_FALSE(Exists("colored pictures/" + title));
        EXPECT_TRUE(Exists("books/" + title + "/" + title + ".gif"));
        QStringList left;
        for (int i = 0; i < window.cBooks->ListCount(); ++i)
            left << window.cBooks->List(i);
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(window.cBooks->List(CurrentIndex(window)), c.shown);
        EXPECT_EQ(Items(*window.LV), QStringList{c.shown + ".gif.jpg"});
        window.Unload();
        messages.clear();
        ASSERT_TRUE(QDir(In("colored pictures")).removeRecursively());
    }
}

TEST_F(PictureListWindows, GalleryDeletesTheSelectedPicturesOnly) {
    for (const char* name : {"a.gif.jpg", "b.gif.jpg", "c.gif.jpg"})
        Write(QStringLiteral("colored pictures/Animals/") + name, fixtures::LineDrawing(), "JPG");
    frmColoredPictures& window = frmColoredPictures::Instance();
    window.Load();
    EXPECT_TRUE(Exists("colored pictures/Animals/a.gif.jpg.qrv"));

    // Nothing selected, then a cancelled confirmation: nothing is deleted.
    window.cFunc_Click(1);
    Select(*window.LV, {"a.gif.jpg", "c.gif.jpg"});
    answers = {false};
    window.cFunc_Click(1);
    EXPECT_EQ(messages, (std::vector<QString>{
                            "Please select at least one picture to delete.",
                            "Are you sure you wish to delete the selected picture(s)?",
                        }));
    EXPECT_EQ(window.LV->count(), 3);

    // The only book keeps its folder even when emptied.
    window.cFunc_Click(1);
    EXPECT_EQ(Items(*window.LV), QStringList{"b.gif.jpg"});
    EXPECT_FALSE(Exists("colored pictures/Animals/a.gif.jpg"));
    EXPECT_FALSE(Exists("colored pictures/Animals/a.gif.jpg.qrv"));
    EXPECT_TRUE(Exists("colored pictures/Animals/b.gif.jpg.qrv"));
    Select(*window.LV, {"b.gif.jpg"});
    window.cFunc_Click(1);
    EXPECT_EQ(window.LV->count(), 0);
    EXPECT_TRUE(Exists("colored pictures/Animals"));
    EXPECT_EQ(window.cBooks->ListCount(), 1);

    // An unknown tag does nothing; "close" unloads.
    window.cFunc[0]->setProperty("Tag", QStringLiteral("nothing"));
    window.cFunc_Click(0);
    EXPECT_TRUE(window.IsLoaded());
    window.cFunc[0]->setProperty("Tag", QStringLiteral("close"));
    window.cFunc_Click(0);
    EXPECT_FALSE(window.IsLoaded());
}

TEST_F(PictureListWindows, TheTwinsCarryTheirOwnLinks) {
    struct Expected {
        PictureListWindow& (*window)();
        QString caption;
        QStringList links;
        int orLabels;
    };
    const Expected expected[] = {
        {Gallery,
         "Manage colored pictures",
         {"Close|close", "Delete selected picture(s)|delete pictures"},
         0},
        {Management,
         "Manage pictures",
         {"Delete this book|remove book", "Delete selected picture(s)|delete pictures",
          "Add pictures to this book|add pictures", "Import a Picture Pack|import picture pack",
          "Create a Picture Pack|create picture pack", "Close|close", "Create a new book|add book"},
         2},
    };
    for (const Expected& e : expected) {
        PictureListWindow& window = e.window();
        window.Load();
        EXPECT_EQ(window.Window()->windowTitle(), e.caption);
        QStringList links;
        for (HyperLink* link : window.cFunc)
            links << link->Caption() + "|" + link->property("Tag").toString();
        EXPECT_EQ(links, e.links);
        ASSERT_EQ(window.Label1.size(), size_t(1 + e.orLabels));
        EXPECT_EQ(window.Label1[0]->text(), "Select a book:");
        for (int i = 1; i <= e.orLabels; ++i)
            EXPECT_EQ(window.Label1[size_t(i)]->text(), "or");
        window.Unload();
    }
    frmManagePictures& manage = frmManagePictures::Instance();
    manage.Load();
    EXPECT_EQ(manage.cFunc[6]->toolTip(),
              "Add a new book to The Crayvex.  You can then add pictures to the book.");
}

TEST_F(PictureListWindows, BlackAndWhiteMeansNoOtherValueAtAll) {
    platform::PictureBox box;
    box.AutoSize = true;
    QImage picture = fixtures::LineDrawing();
    box.SetPicture(picture);
    EXPECT_TRUE(PictureListWindow::IsBlackAndWhite(box));
    // One almost-white pixel in the far corner.
    picture.setPixel(199, 119, qRgb(255, 255, 254));
    box.SetPicture(picture);
    EXPECT_FALSE(PictureListWindow::IsBlackAndWhite(box));
    // The same drawing through JPEG compression.
    Write("drawing.jpg", fixtures::LineDrawing(), "JPG");
    box.SetPicture(QImage(In("drawing.jpg")));
    EXPECT_FALSE(PictureListWindow::IsBlackAndWhite(box));
}

} // namespace
