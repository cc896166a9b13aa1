#include "Combo.h"
#include "LibraryFixture.h"
#include "WaitLimit.h"
#include "frmManagePictures.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// The link indexes of the management window, by tag.
enum LinkIndex {
    RemoveBook = 0,
    DeletePictures = 1,
    AddPictures = 2,
    ImportPack = 3,
    CreatePack = 4,
    Close = 5,
    AddBook = 6,
};

class BookManagement : public LibraryTest {
public:
    void SetUp() override {
        LibraryTest::SetUp();
        Drawing("books/The Crayvex/sun.bmp");
        Drawing("books/Animals/cat.bmp");
        Drawing("books/Animals/dog.bmp");
        Drawing("books/Animals/fox.bmp");
        Write("colored pictures/Animals/cat.bmp.jpg", fixtures::LineDrawing(), "JPG");
        Write("colored pictures/Animals/cat.bmp.jpg.qrv", fixtures::LineDrawing(), "BMP");
        Drawing("books/Birds/owl.bmp");
    }
    void TearDown() override {
        window.Unload();
        LibraryTest::TearDown();
    }

    // Opens the window on a book.
    void Show(const QString& title) {
        window.Load();
        for (int i = 0; i < window.cBooks->ListCount(); ++i) {
            if (window.cBooks->List(i) == title)
                window.cBooks->SetListIndex(QString::number(i));
        }
        ASSERT_EQ(Current(), title);
    }
    QString Current() const { return window.cBooks->List(window.cBooks->ListIndex().toInt()); }
    QStringList Books() const {
        QStringList books;
        for (int i = 0; i < window.cBooks->ListCount(); ++i)
            books << window.cBooks->List(i);
        return books;
    }

    // The parent types a book title into the input box, or cancels it.
    void Type(const QString& text, bool accept = true) {
        WhenShown<QInputDialog>([text, accept](QInputDialog& dialog) {
            dialog.setTextValue(text);
            accept ? dialog.accept() : dialog.reject();
        });
    }
    // The parent chooses files of a folder in the file dialog; `meanwhile` happens while
    // the dialog is open.
    void Choose(const QString& folder, const QStringList& names,
                std::function<void()> meanwhile = {}) {
        WhenShown<QFileDialog>([folder, names, meanwhile](QFileDialog& dialog) {
            if (meanwhile)
                meanwhile();
            dialog.setDirectory(folder);
            QStringList quoted;
            for (const QString& name : names)
                quoted << '"' + name + '"';
            auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            edit->setText(names.size() == 1 ? names.front() : quoted.join(' '));
            auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            QPushButton* open = box->button(QDialogButtonBox::Open);
            EXPECT_TRUE(QTest::qWaitFor([open] { return open->isEnabled(); }, WaitLimitMs));
            open->click();
        });
    }

    frmManagePictures& window = frmManagePictures::Instance();
};

const QString Sure = QStringLiteral("Are you sure you wish to delete the selected picture(s)?");
const QString SureBook = QStringLiteral(
    "Are you sure you wish to delete this book? If you select yes, any colored pictures from "
    "this book will be removed too.");

// Every refusal: one message (after the confirmation where there is one) and nothing on
// disk changed.
TEST_F(BookManagement, RefusalsShowTheirMessageAndChangeNothing) {
    struct Case {
        const char* what;
        QString book;
        std::function<void(BookManagement&)> before;
        LinkIndex link;
        std::function<std::vector<QString>(BookManagement&)> expected;
    };
    const auto none = [](BookManagement&) {};
    const auto titleRefused = [](BookManagement& t) -> std::vector<QString> {
        return {"The book could not be created. Please make sure that the path '" + t.In("books") +
                "/' is not write protected and that you have not used the following characters "
                "in the book title \\ /:*?\"<>|"};
    };
    const Case cases[] = {
        {"built-in book removed", "The Crayvex", none, RemoveBook,
         [](BookManagement&) -> std::vector<QString> {
             return {"This book cannot be removed because it is required for The Crayvex to "
                     "work correctly."};
         }},
        {"open picture's book removed", "Animals",
         [](BookManagement& t) {
             // The chooser may address the book in another letter case.
             FrmMain::Instance().CurrentPicture = t.In("books/animals/Dog.bmp");
         },
         RemoveBook,
         [](BookManagement& t) -> std::vector<QString> {
             return {SureBook, "The book '" + t.In("books/Animals") +
                                   "' cannot be removed because the picture that is currently "
                                   "open in The Crayvex is within this book."};
         }},
        {"nothing selected", "Animals", none, DeletePictures,
         [](BookManagement&) -> std::vector<QString> {
             return {"Please select at least one picture to delete."};
         }},
        {"built-in pictures deleted", "The Crayvex",
         [](BookManagement& t) { Select(*t.window.LV, {"sun.bmp"}); }, DeletePictures,
         [](BookManagement&) -> std::vector<QString> {
             return {"The pictures in this book cannot be removed because they are required for "
                     "The Crayvex to work correctly."};
         }},
        {"open picture deleted", "Animals",
         [](BookManagement& t) {
             FrmMain::Instance().CurrentPicture = t.In("books/animals/cat.bmp");
             Select(*t.window.LV, {"cat.bmp"});
         },
         DeletePictures,
         [](BookManagement& t) -> std::vector<QString> {
             return {Sure, "The file '" + t.In("books/Animals/cat.bmp") +
                               "' could not be removed because the file is currently open in The "
                               "Crayvex. Please close it first by opening another picture."};
         }},
        {"pictures added to the built-in book", "The Crayvex", none, AddPictures,
         [](BookManagement&) -> std::vector<QString> {
             return {"Pictures cannot be added to this book. Please select another book to add "
                     "pictures to."};
         }},
        {"pictures added from the book itself", "Birds",
         [](BookManagement& t) { t.Choose(t.In("books/Birds"), {"owl.bmp"}); }, AddPictures,
         [](BookManagement&) -> std::vector<QString> {
             return {"You are attempting to copy picture(s) from one book into the same book!"};
         }},
        {"book title with a forbidden character", "Animals",
         [](BookManagement& t) { t.Type(" Cats: big "); }, AddBook, titleRefused},
        {"book title of a hidden folder", "Animals", [](BookManagement& t) { t.Type(".cats"); },
         AddBook, titleRefused},
        {"book title with a line break", "Animals", [](BookManagement& t) { t.Type("Cats\nDogs"); },
         AddBook, titleRefused},
        {"existing book title in another case", "Animals",
         [](BookManagement& t) { t.Type("  bIRDS"); }, AddBook,
         [](BookManagement&) -> std::vector<QString> {
             return {"A book by this name already exists. Please select another name."};
         }},
        {"cancelled book title", "Animals", [](BookManagement& t) { t.Type("Cats", false); },
         AddBook, [](BookManagement&) -> std::vector<QString> { return {}; }},
        {"blank book title", "Animals", [](BookManagement& t) { t.Type("   "); }, AddBook,
         [](BookManagement&) -> std::vector<QString> { return {}; }},
    };
    const QStringList everything = QDir(In("")).entryList();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Show(c.book);
        const QStringList listed = Items(*window.LV);
        c.before(*this);
        window.cFunc_Click(c.link);
        EXPECT_EQ(messages, c.expected(*this));
        EXPECT_EQ(Books(), (QStringList{"Animals", "Birds", "The Crayvex"}));
        EXPECT_EQ(Current(), c.book);
        EXPECT_EQ(Items(*window.LV), listed);
        for (const char* file :
             {"books/The Crayvex/sun.bmp", "books/Animals/cat.bmp", "books/Animals/dog.bmp",
              "colored pictures/Animals/cat.bmp.jpg", "books/Birds/owl.bmp"})
            EXPECT_TRUE(Exists(QString::fromLatin1(file))) << file;
        EXPECT_EQ(
            QDir(In("books")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            (QStringList{"Animals", "Birds", "The Crayvex"}));
        window.Unload();
        messages.clear();
        FrmMain::Instance().CurrentPicture.clear();
    }
}

TEST_F(BookManagement, TheLastBookCannotBeRemovedEvenBeforeTheQuestion) {
    ASSERT_TRUE(QDir(In("books/The Crayvex")).removeRecursively());
    ASSERT_TRUE(QDir(In("books/Birds")).removeRecursively());
    Show("Animals");
    window.cFunc_Click(RemoveBook);
    EXPECT_EQ(messages, std::vector<QString>{
                            "The Crayvex requires at least one book to run. As this is the last "
                            "book, you must create another picture book before you are able to "
                            "remove this one."});
    EXPECT_TRUE(Exists("books/Animals/cat.bmp"));
}

TEST_F(BookManagement, RemovingABookTakesItsColoredPicturesAndSelectsTheFirstBook) {
    // The open picture lies in another book.
    FrmMain::Instance().CurrentPicture = In("books/Birds/owl.bmp");
    Show("Animals");
    answers = {false};
    window.cFunc_Click(RemoveBook);
    EXPECT_TRUE(Exists("books/Animals"));

    window.cFunc_Click(RemoveBook);
    EXPECT_EQ(messages, (std::vector<QString>{SureBook, SureBook}));
    EXPECT_FALSE(Exists("books/Animals"));
    EXPECT_FALSE(Exists("colored pictures/Animals"));
    EXPECT_EQ(Books(), (QStringList{"Birds", "The Crayvex"}));
    EXPECT_EQ(window.cBooks->ListIndex(), "0");
    EXPECT_EQ(Items(*window.LV), QStringList{"owl.bmp"});

    // A book without coloured pictures.
    Drawing("books/Zoo/emu.bmp");
    window.Unload();
    Show("Zoo");
    window.cFunc_Click(RemoveBook);
    EXPECT_FALSE(Exists("books/Zoo"));
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(Books(), (QStringList{"Birds", "The Crayvex"}));
}

TEST_F(BookManagement, DeletingPicturesTakesTheirThumbnailsAndColoredPictures) {
    Show("Animals");
    EXPECT_TRUE(Exists("books/Animals/cat.bmp.qrv"));
    Select(*window.LV, {"cat.bmp", "dog.bmp", "fox.bmp"});
    window.LV->item(1)->setSelected(false);
    window.cFunc_Click(DeletePictures);
    EXPECT_EQ(messages, std::vector<QString>{Sure});
    EXPECT_EQ(Items(*window.LV), QStringList{"dog.bmp"});
    for (const char* file :
         {"books/Animals/cat.bmp", "books/Animals/cat.bmp.qrv", "books/Animals/fox.bmp",
          "books/Animals/fox.bmp.qrv", "colored pictures/Animals/cat.bmp.jpg",
          "colored pictures/Animals/cat.bmp.jpg.qrv"})
        EXPECT_FALSE(Exists(QString::fromLatin1(file))) << file;
    EXPECT_TRUE(Exists("books/Animals/dog.bmp"));
    EXPECT_EQ(Current(), "Animals");

    // A picture that went away behind the window's back stops the scan with its message.
    Select(*window.LV, {"dog.bmp"});
    ASSERT_TRUE(QFile::remove(In("books/Animals/dog.bmp")));
    window.cFunc_Click(DeletePictures);
    EXPECT_EQ(messages.back(), "The file '" + In("books/Animals/dog.bmp") +
                                   "' could not be removed. Please make sure it exists and that "
                                   "it is not write protected.");
    EXPECT_EQ(Items(*window.LV), QStringList{"dog.bmp"});
}

// A removal that fails leaves the window on the book it names, and a delete then takes
// the picture the parent selected there, not one of the same name in another book.
TEST_F(BookManagement, AfterAFailedRemovalTheListShowsTheBookTheDeleteActsOn) {
    Drawing("books/Animals/owl.bmp");
    // A read-only picture keeps the book from being removed.
    ASSERT_TRUE(QFile::setPermissions(In("books/Animals/dog.bmp"), QFile::ReadOwner));
    Show("Animals");
    window.cFunc_Click(RemoveBook);
    EXPECT_EQ(messages, (std::vector<QString>{
                            SureBook, "There was a problem removing the book. Please make sure "
                                      "that the path '" +
                                          In("books/Animals") +
                                          "' is not write protected and that it is not currently "
                                          "in use."}));
    EXPECT_EQ(Current(), "Animals");
    EXPECT_EQ(Items(*window.LV), (QStringList{"cat.bmp", "dog.bmp", "fox.bmp", "owl.bmp"}));

    Select(*window.LV, {"owl.bmp"});
    window.cFunc_Click(DeletePictures);
    EXPECT_FALSE(Exists("books/Animals/owl.bmp"));
    EXPECT_TRUE(Exists("books/Birds/owl.bmp"));
    EXPECT_EQ(Items(*window.LV), (QStringList{"cat.bmp", "dog.bmp", "fox.bmp"}));

    // A book whose folder went away leaves the list; the first book is shown.
    ASSERT_TRUE(QDir(In("books/Birds")).removeRecursively());
    messages.clear();
    window.cBooks->SetListIndex("1");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].endsWith("could not be found. Please make sure that the directory "
                                     "exists and that it is not write protected."));
    EXPECT_EQ(Books(), (QStringList{"Animals", "The Crayvex"}));
    EXPECT_EQ(Items(*window.LV), (QStringList{"cat.bmp", "dog.bmp", "fox.bmp"}));
    window.cFunc_Click(DeletePictures);
    EXPECT_EQ(messages.back(), "Please select at least one picture to delete.");
    QFile::setPermissions(In("books/Animals/dog.bmp"), QFile::ReadOwner | QFile::WriteOwner);
}

// A picture added from a read-only medium gets the owner's ordinary rights, so that it can
// be deleted and its book removed.
TEST_F(BookManagement, PicturesAddedFromAReadOnlySourceCanBeDeletedAndTheirBookRemoved) {
    Drawing("medium/boat.bmp");
    Drawing("medium/ship.bmp");
    for (const char* file : {"medium/boat.bmp", "medium/ship.bmp"})
        ASSERT_TRUE(QFile::setPermissions(In(file), QFile::ReadOwner | QFile::ReadGroup));
    Show("Birds");
    Choose(In("medium"), {"boat.bmp", "ship.bmp"});
    window.cFunc_Click(AddPictures);
    EXPECT_TRUE(messages.empty());
    const QFile::Permissions rw = QFile::ReadOwner | QFile::WriteOwner;
    EXPECT_EQ(QFile::permissions(In("books/Birds/boat.bmp")) & rw, rw);
    Select(*window.LV, {"boat.bmp"});
    window.cFunc_Click(DeletePictures);
    EXPECT_FALSE(Exists("books/Birds/boat.bmp"));
    window.cFunc_Click(RemoveBook);
    EXPECT_FALSE(Exists("books/Birds"));
    EXPECT_EQ(messages, (std::vector<QString>{Sure, SureBook}));
}

TEST_F(BookManagement, NewBookIsCreatedTrimmedAndShown) {
    Show("Animals");
    Type("  Sea Life ");
    window.cFunc_Click(AddBook);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(QFileInfo(In("books/Sea Life")).isDir());
    EXPECT_EQ(Books(), (QStringList{"Animals", "Birds", "The Crayvex", "Sea Life"}));
    EXPECT_EQ(window.cBooks->Text(), "Sea Life");
    EXPECT_EQ(Current(), "Sea Life");
    EXPECT_EQ(window.LV->count(), 0);
}

TEST_F(BookManagement, OnlyPureBlackAndWhitePicturesAreAdded) {
    const QString source = QStringLiteral("to add/");
    Drawing(source + "boat.bmp");
    // Black lines on a transparent ground, which shows white.
    QImage kite = fixtures::LineDrawing().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < kite.height(); ++y)
        for (int x = 0; x < kite.width(); ++x)
            if (kite.pixel(x, y) == qRgb(255, 255, 255))
                kite.setPixel(x, y, qRgba(0, 0, 0, 0));
    Gif(source + "kite.gif", kite);
    QImage grey = fixtures::LineDrawing();
    grey.setPixel(100, 60, qRgb(128, 128, 128));
    Write(source + "grey.bmp", grey, "BMP");
    // The drawing through JPEG compression has grey pixels along its lines.
    Write(source + "photo.jpg", fixtures::LineDrawing(), "JPG");
    Drawing(source + "Owl.bmp");
    Show("Birds");
    Choose(In("to add"), {"boat.bmp", "grey.bmp", "kite.gif", "Owl.bmp", "photo.jpg"});
    window.cFunc_Click(AddPictures);
    EXPECT_EQ(messages, (std::vector<QString>{
                            "Could not add the file 'grey.bmp' because it is not pure Black and "
                            "White.",
                            "A picture by this name already exists within the book 'Birds' . "
                            "Please rename the picture before you try to add it.",
                            "Could not add the file 'photo.jpg' because it is not pure Black and "
                            "White.",
                        }));
    EXPECT_EQ(Items(*window.LV), (QStringList{"boat.bmp", "kite.gif", "owl.bmp"}));
    EXPECT_TRUE(Exists("books/Birds/boat.bmp.qrv"));
    EXPECT_TRUE(Exists("books/Birds/kite.gif.qrv"));
    QFile copied(In("books/Birds/kite.gif")), original(In("to add/kite.gif"));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), original.readAll());
    EXPECT_EQ(Current(), "Birds");
}

TEST_F(BookManagement, AFaultyPictureEndsTheAddingAndKeepsWhatWasCopied) {
    Drawing("to add/a.bmp");
    Junk("to add/b.gif");
    Drawing("to add/c.bmp");
    Show("Birds");
    Choose(In("to add"), {"a.bmp", "b.gif", "c.bmp"});
    window.cFunc_Click(AddPictures);
    EXPECT_EQ(messages, std::vector<QString>{"The file 'b.gif' is faulty. Not all pictures you "
                                             "selected may have been added."});
    EXPECT_TRUE(Exists("books/Birds/a.bmp"));
    EXPECT_FALSE(Exists("books/Birds/b.gif"));
    EXPECT_FALSE(Exists("books/Birds/c.bmp"));
    EXPECT_EQ(Items(*window.LV), (QStringList{"a.bmp", "owl.bmp"}));
}

// A book whose folder went while the window showed it: whatever the parent does next with
// it, the book leaves the list with one message and the first book left is shown.
TEST_F(BookManagement, ABookWhoseFolderHasGoneLeavesTheList) {
    struct Case {
        const char* what;
        std::function<void(BookManagement&)> act;
    };
    const Case cases[] = {
        {"chosen again", [](BookManagement& t) { t.window.cBooks->SetListIndex("1"); }},
        {"removed", [](BookManagement& t) { t.window.cFunc_Click(RemoveBook); }},
        {"pictures added", [](BookManagement& t) { t.window.cFunc_Click(AddPictures); }},
        {"gone while the file dialog was open",
         [](BookManagement& t) {
             t.Drawing("to add/boat.bmp");
             t.Choose(t.In("to add"), {"boat.bmp"},
                      [&t] { QDir(t.In("books/Birds")).removeRecursively(); });
             t.window.cFunc_Click(AddPictures);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Show("Birds");
        if (std::string_view(c.what) != "gone while the file dialog was open") {
            ASSERT_TRUE(QDir(In("books/Birds")).removeRecursively());
        }
        c.act(*this);
        EXPECT_EQ(messages, std::vector<QString>{"'" + In("books/Birds") +
                                                 "' could not be found. Please make sure that the "
                                                 "directory exists and that it is not write "
                                                 "protected."});
        EXPECT_EQ(Books(), (QStringList{"Animals", "The Crayvex"}));
        EXPECT_EQ(Current(), "Animals");
        EXPECT_EQ(Items(*window.LV), (QStringList{"cat.bmp", "dog.bmp", "fox.bmp"}));
        EXPECT_FALSE(Exists("books/Birds/boat.bmp"));
        window.Unload();
        messages.clear();
        Drawing("books/Birds/owl.bmp");
    }
}

// "Create a new book" with the name of a book whose folder went lists it once, shown.
TEST_F(BookManagement, ANewBookTakesTheEntryOfAVanishedOneOfItsName) {
    Show("Animals");
    ASSERT_TRUE(QDir(In("books/Birds")).removeRecursively());
    Type("birds");
    window.cFunc_Click(AddBook);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Books(), (QStringList{"Animals", "The Crayvex", "birds"}));
    EXPECT_EQ(Current(), "birds");
    EXPECT_EQ(window.LV->count(), 0);
}

// A folder that takes no copy ends the adding with one message that counts what was added;
// the pictures added stay listed.
TEST_F(BookManagement, AFolderThatTakesNoCopyIsToldOnceWithTheCountAdded) {
    QStringList names;
    for (int i = 0; i < 12; ++i) {
        names << QStringLiteral("p%1.bmp").arg(i, 2, 10, QLatin1Char('0'));
        Drawing("to add/" + names.back());
    }
    const QString book = In("books/Birds");
    const auto readOnly = [&] {
        ASSERT_TRUE(QFile::setPermissions(book, QFile::ReadOwner | QFile::ExeOwner));
    };
    Show("Birds");
    readOnly();
    Choose(In("to add"), names);
    window.cFunc_Click(AddPictures);
    EXPECT_EQ(messages,
              std::vector<QString>{"Could not add the file 'p00.bmp'. Please make sure "
                                   "that the folder '" +
                                   book + "' is not write protected. No pictures were added."});
    EXPECT_EQ(Items(*window.LV), QStringList{"owl.bmp"});
    EXPECT_EQ(QDir(book).entryList(QDir::Files), (QStringList{"owl.bmp", "owl.bmp.qrv"}));

    // Write protected part of the way through: what was copied stays and is counted.
    ASSERT_TRUE(
        QFile::setPermissions(book, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    messages.clear();
    int copies = 0;
    Choose(In("to add"), names);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        copies = int(QDir(book).entryList({QStringLiteral("p*.bmp")}, QDir::Files).size());
        if (copies >= 3)
            readOnly();
    });
    timer.start(0);
    window.cFunc_Click(AddPictures);
    timer.stop();
    const int added = int(QDir(book).entryList({QStringLiteral("p*.bmp")}, QDir::Files).size());
    ASSERT_GE(added, 3);
    ASSERT_LT(added, 12);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front(), "Could not add the file '" + names[added] +
                                    "'. Please make sure that the folder '" + book +
                                    "' is not write protected. " + QString::number(added) +
                                    " pictures were added.");
    EXPECT_EQ(window.LV->count(), added + 1);
    ASSERT_TRUE(
        QFile::setPermissions(book, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

TEST_F(BookManagement, CloseUnloadsAndAnUnknownTagDoesNothing) {
    Show("Animals");
    window.cFunc[Close]->setProperty("Tag", QStringLiteral("unknown"));
    window.cFunc_Click(Close);
    EXPECT_TRUE(window.IsLoaded());
    EXPECT_EQ(Books(), (QStringList{"Animals", "Birds", "The Crayvex"}));
    window.Unload();
    Show("Animals");
    window.cFunc_Click(Close);
    EXPECT_FALSE(window.IsLoaded());
}

} // namespace
