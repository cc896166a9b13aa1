#include "PackPictures.h"
#include "PictureFolders.h"
#include "PicturePackFile.h"
#include "PicturePackImport.h"
#include "ProgramFolder.h"
#include "mMain_Files.h"

#include <QBuffer>
#include <QColor>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

using PicturePackFile::PackSeparator;
constexpr auto Written = PicturePackFile::WriteOutcome::Written;
constexpr auto Refused = PicturePackFile::WriteOutcome::Refused;

const QString CrLf = QStringLiteral("\r\n");

QString OpenFailed(const QString& description) {
    return "There was the following error while trying to open The Crayvex package file:" + CrLf +
           description + CrLf + "The file appears to be damaged. Please download again.";
}
const QString HeaderDamaged = OpenFailed("Could not read from the header information.");
QString AddFailed(const QString& description) {
    return "There was the following error while trying to add new pictures to The Crayvex:" + CrLf +
           description;
}
const QString NoHeader =
    AddFailed("The file could not be read from header. Please make sure that the file is not "
              "designed for another version of The Crayvex.");
QString Added(const QString& title) {
    return "The pictures were added successfully under the book '" + title +
           "'. To view the new pictures, please select this book from the list.";
}

// Bytes of a picture that loads, with every byte value in them, NULs and the separator's
// bytes too.
QByteArray PictureBytes(int seed) {
    return PackPicture(seed);
}

class PicturePack : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid());
        ASSERT_TRUE(outside.isValid());
        platform::SetProgramFolder(program.path());
        ASSERT_TRUE(QDir().mkpath(In("books/Animals")));
        Write(In("books/Animals/dog.bmp"), "BM");
    }
    void TearDown() override { platform::SetProgramFolder(QString()); }

    QString In(const QString& relative) const { return program.path() + '/' + relative; }
    QString Outside(const QString& relative) const { return outside.path() + '/' + relative; }

    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    // With CRAYVEX_PACK_CORPUS set, every pack a test makes is kept there, to seed the
    // importer's fuzz target.
    static void Keep(const QByteArray& pack) {
        const QString corpus = qEnvironmentVariable("CRAYVEX_PACK_CORPUS");
        if (corpus.isEmpty())
            return;
        QDir().mkpath(corpus);
        const QByteArray name = QCryptographicHash::hash(pack, QCryptographicHash::Sha1).toHex();
        Write(corpus + '/' + QString::fromLatin1(name), pack);
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // Every file and folder under both temporary folders, hidden ones included.
    QStringList Tree() const {
        QStringList entries;
        for (const QString& root : {program.path(), outside.path()}) {
            QDirIterator it(root,
                            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
            while (it.hasNext())
                entries << it.next();
        }
        entries.sort();
        return entries;
    }

    QStringList BookFiles(const QString& title) const {
        return QDir(In("books/" + title))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    PicturePackImport::Result InstallBytes(const QByteArray& pack) {
        const QString path = Outside("pack.zvp");
        Write(path, pack);
        Keep(pack);
        return PicturePackImport::Install(path);
    }

    QTemporaryDir program;
    QTemporaryDir outside;
};

TEST(PackSeparator, IsTheScrambledMarker) {
    // "<v6>" is 60 118 54 62, written as 2 60 3 118 2 54 2 62, each digit d as 0x93 + d.
    const QByteArray expected("\x95\x99\x93\x96\x94\x94\x9B\x95\x98\x97\x95\x99\x95");
    EXPECT_EQ(PackSeparator(), expected);
}

TEST(PackExtension, AppendedUnlessTheNameEndsInExactlyZvp) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"/p/pack.zvp", "/p/pack.zvp"},
        {"/p/pack.ZVP", "/p/pack.ZVP.zvp"},
        {"/p/pack.Zvp", "/p/pack.Zvp.zvp"},
        {"/p/pack", "/p/pack.zvp"},
        {"/p/pack.zvp.txt", "/p/pack.zvp.txt.zvp"},
    };
    for (const auto& [typed, saved] : cases)
        EXPECT_EQ(PicturePackFile::WithPackExtension(typed), saved) << typed.toStdString();
}

TEST(PackSplit, PiecesLieBetweenSeparators) {
    const QByteArray s = PackSeparator();
    const QByteArray pack = "B|a|b|c" + s + "one" + s + s + "three";
    const PicturePackFile::PackLayout all = PicturePackFile::Split(pack);
    EXPECT_EQ(all.Header, "B|a|b|c");
    ASSERT_EQ(all.Pictures.size(), 3);
    EXPECT_EQ(all.Pictures[0], "one");
    EXPECT_EQ(all.Pictures[1], "");
    EXPECT_EQ(all.Pictures[2], "three");
    EXPECT_FALSE(all.MorePictures);

    const PicturePackFile::PackLayout two = PicturePackFile::Split(pack, 2);
    EXPECT_EQ(two.Pictures.size(), 2);
    EXPECT_TRUE(two.MorePictures);
    EXPECT_TRUE(PicturePackFile::Split(pack, 0).MorePictures);
    EXPECT_FALSE(PicturePackFile::Split(QByteArray("no separator"), 0).MorePictures);

    EXPECT_EQ(PicturePackFile::HeaderNames("B|a||\x80"),
              (QStringList{"B", "a", "", QString(QChar(0x20AC))}));
}

TEST(PackNames, OnlyPlainNamesAreSafe) {
    for (const QString& name : {QString("cat.gif"), QString("My book"), QString("a.b.c"),
                                QString("...x"), QString(":x"), QString("1:x")})
        EXPECT_TRUE(PicturePackFile::IsSafeName(name)) << name.toStdString();
    for (const QString& name :
         {QString(""), QString("."), QString(".."), QString("a/b"), QString("/a"), QString("a\\b"),
          QString("..\\a"), QString("C:"), QString("c:x.gif"), QString("a") + QChar(0) + "b"})
        EXPECT_FALSE(PicturePackFile::IsSafeName(name)) << name.toStdString();
}

TEST_F(PicturePack, OnePicturePackIsTheHeaderTheSeparatorAndTheBytes) {
    ASSERT_TRUE(QDir().mkpath(Outside("Zoo")));
    const QByteArray cat = PictureBytes(3);
    Write(Outside("Zoo/cat.gif"), cat);
    QString error;
    ASSERT_EQ(PicturePackFile::Write(Outside("zoo.zvp"), "Zoo", {Outside("Zoo/cat.gif")}, error),
              Written)
        << error.toStdString();
    EXPECT_EQ(Read(Outside("zoo.zvp")), "Zoo|cat.gif" + PackSeparator() + cat);
    Keep(Read(Outside("zoo.zvp")));

    const PicturePackImport::Result result = PicturePackImport::Install(Outside("zoo.zvp"));
    EXPECT_EQ(result.Title, "Zoo");
    EXPECT_EQ(result.Message, Added("Zoo"));
    EXPECT_EQ(BookFiles("Zoo"), QStringList{"cat.gif"});
    EXPECT_EQ(Read(In("books/Zoo/cat.gif")), cat);
    EXPECT_EQ(PictureFolders::BookTitles(), (QStringList{"Animals", "Zoo"}));
    EXPECT_EQ(QFileInfo(In("books/Zoo")).permissions(),
              QFileInfo(In("books/Animals")).permissions());
}

TEST_F(PicturePack, WritingOverAnExistingPackReplacesItWhole) {
    Write(Outside("a.gif"), "AAAA");
    Write(Outside("old.zvp"), QByteArray(5000, 'x'));
    QString error;
    ASSERT_EQ(PicturePackFile::Write(Outside("old.zvp"), "Book", {Outside("a.gif")}, error),
              Written);
    EXPECT_EQ(Read(Outside("old.zvp")), "Book|a.gif" + PackSeparator() + "AAAA");

    // A picture that cannot be read leaves the old pack as it was, with no stray file.
    const QStringList before = Tree();
    EXPECT_EQ(PicturePackFile::Write(Outside("old.zvp"), "Book",
                                     {Outside("a.gif"), Outside("gone.gif")}, error),
              PicturePackFile::WriteOutcome::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Read(Outside("old.zvp")), "Book|a.gif" + PackSeparator() + "AAAA");
    EXPECT_EQ(Tree(), before);
}

TEST_F(PicturePack, TheSamePackAgainMakesNumberedBooks) {
    const QByteArray pack = Pack("Animals|cat.gif|owl.jpg", {PictureBytes(1), PictureBytes(2)});
    const QStringList titles = {"Animals_1", "Animals_2", "Animals_3"};
    for (const QString& title : titles) {
        const PicturePackImport::Result result = InstallBytes(pack);
        EXPECT_EQ(result.Title, title);
        EXPECT_EQ(result.Message, Added(title));
        EXPECT_EQ(BookFiles(title), (QStringList{"cat.gif", "owl.jpg"}));
        EXPECT_EQ(Read(In("books/" + title + "/owl.jpg")), PictureBytes(2));
    }
    EXPECT_EQ(BookFiles("Animals"), QStringList{"dog.bmp"});
    // A book name taken in another letter case is taken too.
    EXPECT_EQ(InstallBytes(Pack("ANIMALS_1|x.gif", {PictureBytes(3)})).Title, "ANIMALS_1_1");
}

TEST_F(PicturePack, ClashingPictureNamesGetNumbers) {
    const QByteArray pack =
        Pack("Twins|x.gif|x.gif|X.GIF|x_1.gif",
             {PictureBytes(1), PictureBytes(2), PictureBytes(3), PictureBytes(4)});
    const PicturePackImport::Result result = InstallBytes(pack);
    ASSERT_EQ(result.Title, "Twins");
    EXPECT_EQ(BookFiles("Twins"), (QStringList{"X_2.GIF", "x.gif", "x_1.gif", "x_1_1.gif"}));
    EXPECT_EQ(Read(In("books/Twins/x.gif")), PictureBytes(1));
    EXPECT_EQ(Read(In("books/Twins/x_1.gif")), PictureBytes(2));
    EXPECT_EQ(Read(In("books/Twins/X_2.GIF")), PictureBytes(3));
    EXPECT_EQ(Read(In("books/Twins/x_1_1.gif")), PictureBytes(4));
}

TEST_F(PicturePack, NamesThatLookSpecialToQtAreStillPlainNames) {
    // A colon, which Qt reads as a resource path first, is refused as in a book's title.
    const QByteArray pack =
        Pack("~Odd|~.bmp|x y.gif|~x~.jpg", {PictureBytes(1), PictureBytes(2), PictureBytes(3)});
    const PicturePackImport::Result result = InstallBytes(pack);
    EXPECT_EQ(result.Title, "~Odd") << result.Message.toStdString();
    EXPECT_EQ(BookFiles("~Odd"), (QStringList{"x y.gif", "~.bmp", "~x~.jpg"}));
    EXPECT_EQ(Read(In("books/~Odd/~.bmp")), PictureBytes(1));
}

TEST_F(PicturePack, ExtraNamesAreIgnored) {
    const PicturePackImport::Result result =
        InstallBytes(Pack("Few|a.gif|b.gif|../unused|", {PictureBytes(1)}));
    EXPECT_EQ(result.Title, "Few");
    EXPECT_EQ(BookFiles("Few"), QStringList{"a.gif"});
    EXPECT_EQ(Read(In("books/Few/a.gif")), PictureBytes(1));
}

TEST_F(PicturePack, GreyPicturesAreInstalledAsTheyAre) {
    // Unlike pictures added one by one, a pack's pictures are not checked for colour.
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QByteArray grey;
    QBuffer buffer(&grey);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(image.save(&buffer, "BMP"));
    const PicturePackImport::Result result = InstallBytes(Pack("Grey|g.bmp", {grey}));
    EXPECT_EQ(result.Title, "Grey");
    EXPECT_EQ(Read(In("books/Grey/g.bmp")), grey);
}

struct HostileCase {
    const char* what;
    QByteArray pack;
    QString message;
};

TEST_F(PicturePack, DamagedPacksAreRefusedAndLeaveNothingBehind) {
    const QByteArray s = PackSeparator();
    const QByteArray p = PictureBytes(5);
    const QByteArray longName(300, 'n');
    const std::vector<HostileCase> cases = {
        {"an empty file", "", NoHeader},
        {"no separator", "Book|a.gif" + p, NoHeader},
        {"more pieces than names", Pack("Book|a.gif", {p, p}),
         AddFailed("The pack holds more pictures than names.")},
        {"a header of the book name only", Pack("Book", {p}),
         AddFailed("The pack holds more pictures than names.")},
        {"an empty book name", Pack("|a.gif", {p}), HeaderDamaged},
        {"a dot book", Pack(".|a.gif", {p}), HeaderDamaged},
        {"a dot-dot book", Pack("..|a.gif", {p}), HeaderDamaged},
        {"a hidden book", Pack(".import-x|a.gif", {p}), HeaderDamaged},
        {"a book path", Pack("../Book|a.gif", {p}), HeaderDamaged},
        {"a book backslash path", Pack("..\\Book|a.gif", {p}), HeaderDamaged},
        {"an absolute book", Pack("/tmp/Book|a.gif", {p}), HeaderDamaged},
        {"a drive book", Pack("C:|a.gif", {p}), HeaderDamaged},
        {"a drive-prefixed book", Pack("c:Book|a.gif", {p}), HeaderDamaged},
        {"a NUL in the book name", Pack(QByteArray("Bo\0ok|a.gif", 11), {p}), HeaderDamaged},
        {"a traversal picture", Pack("Book|a.gif|../../evil.gif", {p, p}), HeaderDamaged},
        {"an absolute picture", Pack("Book|" + QFile::encodeName(Outside("evil.gif")), {p}),
         HeaderDamaged},
        {"a picture in a subfolder", Pack("Book|sub/a.gif", {p}), HeaderDamaged},
        {"a backslash picture", Pack("Book|..\\evil.gif", {p}), HeaderDamaged},
        {"an empty picture name", Pack("Book|a.gif|", {p, p}), HeaderDamaged},
        {"a dot picture", Pack("Book|.", {p}), HeaderDamaged},
        {"a dot-dot picture", Pack("Book|..", {p}), HeaderDamaged},
        {"a drive picture", Pack("Book|C:evil.gif", {p}), HeaderDamaged},
        {"a NUL in a picture name", Pack(QByteArray("Book|a\0.gif", 11), {p}), HeaderDamaged},
        {"a book name with a line break", Pack("Zoo\nAnimals|a.gif", {p}), HeaderDamaged},
        {"a book name New book refuses", Pack("Zoo:Animals|a.gif", {p}), HeaderDamaged},
        {"a book name of blanks only", Pack("   |a.gif", {p}), HeaderDamaged},
        {"a book name with a trailing blank", Pack("Zoo |a.gif", {p}), HeaderDamaged},
        {"a hidden picture", Pack("Book|.cat.gif", {p}), HeaderDamaged},
        {"a picture that is no drawing", Pack("Book|a.gif|readme.txt", {p, p}), HeaderDamaged},
        {"a thumbnail beside its picture", Pack("Book|a.gif|a.gif.qrv", {p, p}), HeaderDamaged},
        {"a picture without an extension", Pack("Book|ab|ab", {p, p}), HeaderDamaged},
        {"a colon in a picture name", Pack("Book|a.gif|:x.gif", {p, p}), HeaderDamaged},
        {"a colon inside a picture name", Pack("Book|ab:c.gif", {p}), HeaderDamaged},
        {"a tab in a picture name", Pack("Book|a\tb.gif", {p}), HeaderDamaged},
        {"a line break in a picture name", Pack("Book|a\nb.gif", {p}), HeaderDamaged},
        {"a control character in a picture name", Pack("Book|a\x01.gif", {p}), HeaderDamaged},
        {"a star in a picture name", Pack("Book|a*.gif", {p}), HeaderDamaged},
        {"a quote in a picture name", Pack("Book|a\".gif", {p}), HeaderDamaged},
        {"a name the file system refuses, after a good one",
         Pack("Book|a.gif|" + longName + ".gif", {p, p}), AddFailed(QString())},
    };
    for (const HostileCase& c : cases) {
        const QStringList before = Tree();
        const PicturePackImport::Result result = InstallBytes(c.pack);
        EXPECT_EQ(result.Title, "") << c.what;
        if (c.message == AddFailed(QString()))
            EXPECT_TRUE(result.Message.startsWith(c.message) &&
                        result.Message.size() > c.message.size())
                << c.what << ": " << result.Message.toStdString();
        else
            EXPECT_EQ(result.Message, c.message) << c.what;
        QStringList after = Tree();
        after.removeAll(Outside("pack.zvp"));
        QStringList expected = before;
        expected.removeAll(Outside("pack.zvp"));
        EXPECT_EQ(after, expected) << c.what;
    }
}

TEST_F(PicturePack, AnUnreadablePackTellsTheSystemsReason) {
    const PicturePackImport::Result result = PicturePackImport::Install(Outside("missing.zvp"));
    EXPECT_EQ(result.Title, "");
    const QString prefix =
        "There was the following error while trying to open The Crayvex package file:" + CrLf;
    EXPECT_TRUE(result.Message.startsWith(prefix)) << result.Message.toStdString();
    EXPECT_TRUE(result.Message.endsWith(CrLf + "The file appears to be damaged. Please download "
                                               "again."));
    EXPECT_GT(result.Message.size(), OpenFailed("").size());
}

TEST_F(PicturePack, WithoutBooksFolderNothingIsMade) {
    ASSERT_TRUE(QDir(In("books")).removeRecursively());
    const QStringList before = Tree();
    const PicturePackImport::Result result = InstallBytes(Pack("Book|a.gif", {"x"}));
    EXPECT_EQ(result.Title, "");
    EXPECT_EQ(result.Message, HeaderDamaged);
    QStringList after = Tree();
    after.removeAll(Outside("pack.zvp"));
    EXPECT_EQ(after, before);
}

// A pack made by the writer either installs as a book of the same name holding the same
// names and bytes, or is refused before anything is written, with a message naming the
// name that could not be carried.
struct RoundTripCase {
    const char* what;
    QString book;
    QStringList names;
    QString refused; // the name the message names; empty when the pack is written
};

TEST_F(PicturePack, WrittenPacksInstallAsTheyWereOrAreRefused) {
    // The separator's bytes as the Windows-1252 characters they are.
    const QString separator = QString::fromUtf16(u"\u2022\u2122\u201C\u2013\u201D\u201D\u203A"
                                                 u"\u2022\u02DC\u2014\u2022\u2122\u2022");
    const std::vector<RoundTripCase> cases = {
        {"plain names", "Zoo", {"cat.gif", "dog.bmp", "owl.jpg"}, ""},
        {"accented Latin-1", "Bücher été", {"chèvre.gif", "façade.BMP", "ÿ.jpg"}, ""},
        {"Windows-1252 beyond Latin-1", "Œuvres €", {"Šárka.gif", "naïve–“x”.jpg"}, ""},
        {"blanks inside names", "Zoo Animals", {" cat .gif", "a  b.bmp"}, ""},
        {"a Cyrillic book", "Звери", {"cat.gif"}, "Звери"},
        {"a Cyrillic picture", "Zoo", {"cat.gif", "кот.gif"}, "кот.gif"},
        {"a picture beyond the basic plane", "Zoo", {"🐱.gif"}, "🐱.gif"},
        {"a bar in the book", "a|b", {"cat.gif"}, "a|b"},
        {"a bar in a picture", "Zoo", {"a|b.gif"}, "a|b.gif"},
        {"a book of blanks only", "   ", {"cat.gif"}, "   "},
        {"a book with a leading blank", " Zoo", {"cat.gif"}, " Zoo"},
        {"a book New book refuses", "Zoo:Animals", {"cat.gif"}, "Zoo:Animals"},
        {"a hidden book", ".Zoo", {"cat.gif"}, ".Zoo"},
        {"the separator in the book", "x" + separator, {"cat.gif"}, "x" + separator},
        {"the separator in a picture", "Zoo", {separator + ".gif"}, separator + ".gif"},
        {"a hidden picture", "Zoo", {".cat.gif"}, ".cat.gif"},
        {"a file that is no drawing", "Zoo", {"cat.gif", "readme.txt"}, "readme.txt"},
        {"names alike but for case", "Zoo", {"cat.gif", "CAT.GIF"}, "CAT.GIF"},
    };
    int seed = 0;
    for (const RoundTripCase& c : cases) {
        const QString folder = Outside(QString::number(seed) + '/' + c.book);
        ASSERT_TRUE(QDir().mkpath(folder)) << c.what;
        QStringList paths;
        std::vector<QByteArray> bytes;
        for (const QString& name : c.names) {
            bytes.push_back(PictureBytes(++seed));
            paths << folder + '/' + name;
            Write(paths.back(), bytes.back());
        }
        const QString pack = Outside("pack.zvp");
        const QStringList before = Tree();
        QString message;
        const PicturePackFile::WriteOutcome outcome =
            PicturePackFile::Write(pack, c.book, paths, message);
        if (!c.refused.isEmpty()) {
            EXPECT_EQ(outcome, Refused) << c.what;
            EXPECT_TRUE(message.startsWith("The Picture Pack was not created: ") &&
                        message.contains("'" + c.refused + "'"))
                << c.what << ": " << message.toStdString();
            EXPECT_EQ(PicturePackFile::NameRefusal(c.book, c.names), message) << c.what;
            EXPECT_EQ(Tree(), before) << c.what << ": something was written";
            continue;
        }
        ASSERT_EQ(outcome, Written) << c.what << ": " << message.toStdString();
        EXPECT_TRUE(PicturePackFile::NameRefusal(c.book, c.names).isEmpty()) << c.what;
        Keep(Read(pack));
        const PicturePackImport::Result result = PicturePackImport::Install(pack);
        ASSERT_EQ(result.Title, c.book) << c.what << ": " << result.Message.toStdString();
        QStringList expected = c.names;
        expected.sort();
        EXPECT_EQ(BookFiles(c.book), expected) << c.what;
        for (size_t i = 0; i < bytes.size(); ++i)
            EXPECT_EQ(Read(In("books/" + c.book + '/' + c.names[int(i)])), bytes[i]) << c.what;
        QFile::remove(pack);
    }
}

// The format has no escaping, so a picture whose bytes would be read as a separator is
// refused while writing; the pack is not written and an older one stays.
TEST_F(PicturePack, PicturesHoldingTheSeparatorAreRefused) {
    const QByteArray s = PackSeparator();
    // The separator begins and ends in the same byte: a picture that ends in its first
    // twelve bytes reads as a shorter picture when another follows it.
    const QByteArray endsInPart = PictureBytes(8) + s.left(12);
    const QByteArray spansTwoChunks = QByteArray((qsizetype(1) << 20) - 5, 'a') + s;
    struct Case {
        const char* what;
        std::vector<QByteArray> pictures;
        bool refused;
    };
    const std::vector<Case> cases = {
        {"the separator inside", {"GIF" + s + "x"}, true},
        {"the separator across the writer's reads", {spansTwoChunks}, true},
        {"a part of it, then another picture", {endsInPart, PictureBytes(7)}, true},
        {"a part of it at the end of the pack", {PictureBytes(7), endsInPart}, false},
        {"its bytes one by one", {PictureBytes(9)}, false},
    };
    Write(Outside("pack.zvp"), "old pack");
    for (const Case& c : cases) {
        ASSERT_TRUE(QDir().mkpath(Outside("Zoo")));
        QStringList paths;
        for (size_t i = 0; i < c.pictures.size(); ++i) {
            paths << Outside("Zoo/p" + QString::number(i) + ".gif");
            Write(paths.back(), c.pictures[i]);
        }
        QString message;
        const PicturePackFile::WriteOutcome outcome =
            PicturePackFile::Write(Outside("pack.zvp"), "Zoo", paths, message);
        if (c.refused) {
            EXPECT_EQ(outcome, Refused) << c.what;
            EXPECT_TRUE(message.contains("the picture 'p")) << c.what << message.toStdString();
            EXPECT_EQ(Read(Outside("pack.zvp")), "old pack") << c.what;
        } else {
            ASSERT_EQ(outcome, Written) << c.what << message.toStdString();
            const PicturePackImport::Result result =
                PicturePackImport::Install(Outside("pack.zvp"));
            ASSERT_FALSE(result.Title.isEmpty()) << c.what << result.Message.toStdString();
            for (size_t i = 0; i < c.pictures.size(); ++i)
                EXPECT_EQ(Read(In("books/" + result.Title + "/p" + QString::number(i) + ".gif")),
                          c.pictures[i])
                    << c.what;
            Write(Outside("pack.zvp"), "old pack");
        }
        ASSERT_TRUE(QDir(Outside("Zoo")).removeRecursively());
    }
}

// Installed pictures get the owner's ordinary rights, so the program can delete them.
TEST_F(PicturePack, InstalledPicturesAndTheirBookCanBeDeleted) {
    const PicturePackImport::Result result = InstallBytes(Pack("Zoo|cat.gif", {PictureBytes(1)}));
    ASSERT_EQ(result.Title, "Zoo");
    const QFile::Permissions rw = QFile::ReadOwner | QFile::WriteOwner;
    EXPECT_EQ(QFile::permissions(In("books/Zoo/cat.gif")) & rw, rw);
    EXPECT_TRUE(mMain::DeleteFolder(In("books/Zoo")));
}

} // namespace
