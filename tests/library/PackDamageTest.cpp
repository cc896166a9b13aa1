// Damaged and enormous packs, and the names a pack's book and pictures may take.
#include "PackPictures.h"
#include "PictureFiles.h"
#include "PictureFolders.h"
#include "PicturePackFile.h"
#include "PicturePackImport.h"
#include "ProgramFolder.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using PicturePackFile::PackSeparator;

const QString Damaged = QStringLiteral("The file appears to be damaged. Please download again.");
const QString OpenPrefix =
    QStringLiteral("There was the following error while trying to open The Crayvex package file:");

bool IsDamagedMessage(const QString& message) {
    return message.startsWith(OpenPrefix) && message.endsWith(Damaged);
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A line drawing of the size given: circles on white.
QImage Drawing(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 3));
    for (int r = 10; r < std::min(width, height) / 2; r += 17)
        painter.drawEllipse(QPoint(width / 2, height / 2), r, r);
    return image;
}

class PackDamage : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid() && outside.isValid());
        platform::SetProgramFolder(program.path());
        ASSERT_TRUE(QDir().mkpath(In("books/Animals")));
    }
    void TearDown() override { platform::SetProgramFolder(QString()); }

    QString In(const QString& relative) const { return program.path() + '/' + relative; }
    QString Outside(const QString& relative) const { return outside.path() + '/' + relative; }

    // Everything under the program folder, hidden entries included.
    QStringList Tree() const {
        QStringList entries;
        QDirIterator it(program.path(),
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            entries << it.next();
        entries.sort();
        return entries;
    }

    PicturePackImport::Result InstallBytes(const QByteArray& pack) {
        const QString path = Outside("pack.zvp");
        EXPECT_TRUE(fixtures::WriteFile(path, pack));
        return PicturePackImport::Install(path);
    }

    QTemporaryDir program;
    QTemporaryDir outside;
};

// Run in a process of its own by the test below, which measures it: installs the pack
// named by CRAYVEX_SPARSE_PACK into the program folder CRAYVEX_SPARSE_PROGRAM.
TEST(PackDamageChild, InstallsTheSparsePack) {
    const QString pack = qEnvironmentVariable("CRAYVEX_SPARSE_PACK");
    if (pack.isEmpty())
        GTEST_SKIP() << "run by PackDamage.APackOfGigabytesIsDamagedAndTakesLittleMemory";
    platform::SetProgramFolder(qEnvironmentVariable("CRAYVEX_SPARSE_PROGRAM"));
    const PicturePackImport::Result result = PicturePackImport::Install(pack);
    EXPECT_EQ(result.Title, "");
    EXPECT_TRUE(IsDamagedMessage(result.Message)) << result.Message.toStdString();
    EXPECT_TRUE(result.Message.contains("'dog.gif'")) << result.Message.toStdString();
    EXPECT_TRUE(result.Message.contains("17,000,000 bytes")) << result.Message.toStdString();
}

// A valid header and first picture, then gigabytes of nothing (a sparse file, no disk
// used): the damaged-pack message, the process alive and small, nothing left behind.
TEST_F(PackDamage, APackOfGigabytesIsDamagedAndTakesLittleMemory) {
    const QString path = Outside("huge.zvp");
    const QByteArray start = Pack("Zoo|cat.gif|dog.gif", {PackPicture(1), ""});
    ASSERT_TRUE(fixtures::WriteFile(path, start));
    const qint64 size = qint64(6) << 30;
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), size), 0);
    const QStringList before = Tree();

    const QByteArray self = QFile::encodeName(QFileInfo("/proc/self/exe").canonicalFilePath());
    QByteArray filter = "--gtest_filter=PackDamageChild.InstallsTheSparsePack";
    std::vector<QByteArray> environment;
    for (char** e = environ; *e; ++e)
        environment.emplace_back(*e);
    environment.push_back("CRAYVEX_SPARSE_PACK=" + QFile::encodeName(path));
    environment.push_back("CRAYVEX_SPARSE_PROGRAM=" + QFile::encodeName(program.path()));
    std::vector<char*> envp;
    for (QByteArray& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    QByteArray name = self;
    char* argv[] = {name.data(), filter.data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, self.constData(), nullptr, nullptr, argv, envp.data()), 0);
    int status = 0;
    struct rusage usage {};
    ASSERT_EQ(::wait4(child, &status, 0, &usage), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the installing process ended by signal "
                                   << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the child's expectations failed";
    // ru_maxrss is in kilobytes.
    EXPECT_LT(usage.ru_maxrss, 300L * 1024)
        << "peak resident memory " << usage.ru_maxrss / 1024 << " MB";
    std::printf("[ measured ] peak resident memory of the install of a %lld GB pack: %ld MB\n",
                static_cast<long long>(size >> 30), usage.ru_maxrss / 1024);
    EXPECT_EQ(Tree(), before);
}

// A pack without any separator in its first 17 MB cannot be read from its header.
TEST_F(PackDamage, ALongFileWithoutSeparatorHasNoHeader) {
    const QString path = Outside("long.zvp");
    ASSERT_TRUE(fixtures::WriteFile(path, "Zoo|cat.gif"));
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), qint64(1) << 30), 0);
    const QStringList before = Tree();
    const PicturePackImport::Result result = PicturePackImport::Install(path);
    EXPECT_EQ(result.Title, "");
    EXPECT_TRUE(result.Message.contains("could not be read from header"))
        << result.Message.toStdString();
    EXPECT_EQ(Tree(), before);
}

// Three whole pictures of three formats; the pack cut at every separator and inside its
// last picture is refused, leaving nothing. Cut exactly where a later separator begins,
// it is a whole pack with names left over, which installs the pictures it holds.
TEST_F(PackDamage, CutPacksAreRefusedWithNothingLeft) {
    const std::vector<QByteArray> pictures = {fixtures::QtBmpFile(Drawing(200, 200)),
                                              PackPicture(4), Encoded(Drawing(120, 90), "JPG")};
    const QByteArray whole = Pack("Cut|a.bmp|b.gif|c.jpg", pictures);
    ASSERT_FALSE(InstallBytes(whole).Title.isEmpty()) << "the whole pack installs";
    ASSERT_TRUE(QDir(In("books/Cut")).removeRecursively());
    const QStringList before = Tree();

    const QByteArray s = PackSeparator();
    std::vector<qsizetype> separators;
    for (qsizetype at = whole.indexOf(s); at >= 0; at = whole.indexOf(s, at + 1))
        separators.push_back(at);
    ASSERT_EQ(separators.size(), 3u);
    for (size_t k = 0; k < separators.size(); ++k) {
        for (qsizetype into = 0; into <= s.size(); ++into) {
            const PicturePackImport::Result result = InstallBytes(whole.left(separators[k] + into));
            const std::string what =
                "separator " + std::to_string(k + 1) + ", " + std::to_string(into) + " bytes in";
            if (into == 0 && k > 0) {
                EXPECT_EQ(result.Title, "Cut") << what << ": " << result.Message.toStdString();
                EXPECT_EQ(QDir(In("books/Cut")).entryList(QDir::Files).size(), qsizetype(k))
                    << what;
                ASSERT_TRUE(QDir(In("books/Cut")).removeRecursively());
            } else {
                EXPECT_EQ(result.Title, "") << what;
                // Without a whole first separator the file has no header to read.
                const bool headerless = k == 0 && into < s.size();
                EXPECT_TRUE(headerless ? result.Message.contains("could not be read from header")
                                       : IsDamagedMessage(result.Message))
                    << what << ": " << result.Message.toStdString();
            }
            EXPECT_EQ(Tree(), before) << what;
        }
    }

    // Each format as the last picture, cut inside it.
    struct Last {
        const char* format;
        QByteArray bytes;
        std::vector<qsizetype> cuts; // bytes taken from its end
    };
    const QByteArray big = fixtures::QtBmpFile(Drawing(300, 200)); // 180 KB
    const std::vector<Last> lasts = {
        {"BMP", big, {1, 2, 3, 100, 40'000, big.size() - 60, big.size() - 2}},
        {"JPEG", pictures[2], {1, 2, 10, 500, pictures[2].size() / 2, pictures[2].size() - 4}},
        {"GIF", pictures[1], {620, 640, pictures[1].size() - 20, pictures[1].size() - 6}},
    };
    for (const Last& last : lasts) {
        const QByteArray pack = Pack("Cut|a.bmp|z.gif", {pictures[0], last.bytes});
        ASSERT_EQ(InstallBytes(pack).Title, "Cut") << last.format << " whole";
        ASSERT_TRUE(QDir(In("books/Cut")).removeRecursively());
        for (const qsizetype cut : last.cuts) {
            const PicturePackImport::Result result = InstallBytes(pack.chopped(cut));
            EXPECT_EQ(result.Title, "") << last.format << " cut by " << cut;
            EXPECT_EQ(result.Message, OpenPrefix +
                                          "\r\nThe picture 'z.gif' in the pack is incomplete or "
                                          "faulty.\r\n" +
                                          Damaged)
                << last.format << " cut by " << cut;
            EXPECT_EQ(Tree(), before) << last.format << " cut by " << cut;
        }
    }
}

// A picture that does not load is a damaged pack, wherever it stands.
TEST_F(PackDamage, EveryPictureMustLoad) {
    const QByteArray good = PackPicture(1);
    const std::vector<std::pair<const char*, std::vector<QByteArray>>> cases = {
        {"an empty first picture", {"", good}},
        {"text in the middle", {good, "not a picture", good}},
        {"a picture's header only", {good, good.left(13)}},
        {"a picture too large to load", {fixtures::GifFile(5000, 1000, {0}, {}, -1), good}},
    };
    const QStringList before = Tree();
    for (const auto& [what, pieces] : cases) {
        QByteArray header = "Book";
        for (size_t i = 0; i < pieces.size(); ++i)
            header += "|p" + QByteArray::number(qulonglong(i)) + ".gif";
        const PicturePackImport::Result result = InstallBytes(Pack(header, pieces));
        EXPECT_EQ(result.Title, "") << what;
        EXPECT_TRUE(IsDamagedMessage(result.Message) && result.Message.contains("incomplete"))
            << what << ": " << result.Message.toStdString();
        EXPECT_EQ(Tree(), before) << what;
    }
}

// The characters a book's title may not hold, as the messages name them; picture names
// in a pack take the same rules.
TEST(PackNameRules, TitlesAndPictureNamesRefuseTheSameCharacters) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"a\tb", "a tab"},
        {"a\nb", "a line break"},
        {"a\rb", "a line break"},
        {QString("a") + QChar(1) + "b", "the control character U+0001"},
        {QString("a") + QChar(0x7F) + "b", "the control character U+007F"},
        {QString("a") + QChar(0x85) + "b", "the control character U+0085"},
        {"a:b", "the character \":\""},
        {"a*b", "the character \"*\""},
        {"a?b", "the character \"?\""},
        {"a\"b", "the character \"\"\""},
        {"a<b", "the character \"<\""},
        {"a>b", "the character \">\""},
        {"a|b", "the character \"|\""},
        {"a/b", "the character \"/\""},
        {"a\\b", "the character \"\\\""},
        {"Cre\u0300me", ""},
        {"Crème été", ""},
        {"~x y", ""},
    };
    for (const auto& [name, refused] : cases) {
        const std::string what = name.toStdString();
        EXPECT_EQ(PictureFolders::RefusedCharacter(name), refused) << what;
        EXPECT_EQ(PictureFolders::IsBookTitle(name), refused.isEmpty()) << what;
        EXPECT_EQ(PicturePackFile::IsPictureName(name + ".gif"), refused.isEmpty()) << what;
    }
}

// What the builder says of a name: the character it refuses, the names judged composed.
TEST(PackNameRules, TheBuilderNamesTheCharacterItRefuses) {
    const QString start = "The Picture Pack was not created: ";
    const std::vector<std::tuple<QString, QStringList, QString>> cases = {
        {"Zoo\tAnimals", {"cat.gif"}, "the folder name 'Zoo\tAnimals' holds a tab, so it"},
        {"Zoo\nAnimals", {"cat.gif"}, "the folder name 'Zoo\nAnimals' holds a line break"},
        {"Zoo:Animals", {"cat.gif"}, "'Zoo:Animals' holds the character \":\", so it"},
        {".Zoo", {"cat.gif"}, "'.Zoo' holds a dot at its beginning"},
        {" Zoo", {"cat.gif"}, "' Zoo' holds a blank at its beginning or end"},
        {"Zoo", {"a\tb.gif"}, "the name 'a\tb.gif' holds a tab, which the name of a picture"},
        {"Zoo", {"a*b.gif"}, "the name 'a*b.gif' holds the character \"*\", which"},
        {"Zoo", {"ok.gif", QString("a") + QChar(2) + ".gif"}, "the control character U+0002"},
        // Decomposed accents, as other systems write them, are the letters they compose.
        {"Cre\u0300me", {"e\u0301te\u0301.gif"}, ""},
        {"Zoo", {"cre\u0300me.gif", "crème.GIF"}, "differ only in letter case"},
        {"Zoo", {"Z\u030C.gif"}, ""},
        {"Zoo", {"q\u0301.gif"}, "the character '\u0301'"},
    };
    for (const auto& [book, names, refused] : cases) {
        const QString message = PicturePackFile::NameRefusal(book, names);
        const std::string what = (book + " / " + names.join(", ")).toStdString();
        if (refused.isEmpty()) {
            EXPECT_EQ(message, "") << what;
            continue;
        }
        EXPECT_TRUE(message.startsWith(start) && message.contains(refused))
            << what << ": " << message.toStdString();
    }
}

TEST_F(PackDamage, ADecomposedFolderNameIsPackedComposed) {
    const QString folder = Outside("Cre\u0300me");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString picture = folder + "/e\u0301te\u0301.gif";
    ASSERT_TRUE(fixtures::WriteFile(picture, PackPicture(2)));
    QString error;
    ASSERT_EQ(PicturePackFile::Write(Outside("p.zvp"), "Cre\u0300me", {picture}, error),
              PicturePackFile::WriteOutcome::Written)
        << error.toStdString();
    QFile pack(Outside("p.zvp"));
    ASSERT_TRUE(pack.open(QIODevice::ReadOnly));
    EXPECT_EQ(pack.readAll(), "Cr\xE8me|\xE9t\xE9.gif" + PackSeparator() + PackPicture(2));
    const PicturePackImport::Result result = PicturePackImport::Install(Outside("p.zvp"));
    EXPECT_EQ(result.Title, "Crème") << result.Message.toStdString();
    EXPECT_TRUE(QFile::exists(In("books/Crème/été.gif")));
}

// A numbered name for a book or picture that is taken keeps within 255 bytes, the name
// shortened by whole characters.
TEST_F(PackDamage, NumberedNamesKeepWithinTheLongestFileName) {
    struct Case {
        QString book;
        QStringList expected; // the titles of three imports in a row
    };
    const QString a254(254, 'a');
    const QString e127(127, QChar(0xE9)); // 254 bytes
    const std::vector<Case> cases = {
        {a254, {a254, QString(253, 'a') + "_1", QString(253, 'a') + "_2"}},
        {e127, {e127, QString(126, QChar(0xE9)) + "_1", QString(126, QChar(0xE9)) + "_2"}},
        {"Zoo", {"Zoo", "Zoo_1", "Zoo_2"}},
    };
    for (const Case& c : cases) {
        QByteArray header;
        for (const QChar ch : c.book)
            header.append(char(ch.unicode()));
        const QByteArray pack = Pack(header + "|cat.gif", {PackPicture(1)});
        for (const QString& title : c.expected) {
            const PicturePackImport::Result result = InstallBytes(pack);
            EXPECT_EQ(result.Title, title) << result.Message.toStdString();
            EXPECT_LE(QFile::encodeName(result.Title).size(), 255);
        }
    }

    // Two pictures of a name of 255 bytes in one pack.
    const QByteArray name = QByteArray(251, 'p') + ".gif";
    const PicturePackImport::Result result =
        InstallBytes(Pack("Long|" + name + '|' + name, {PackPicture(1), PackPicture(2)}));
    ASSERT_EQ(result.Title, "Long") << result.Message.toStdString();
    EXPECT_EQ(QDir(In("books/Long")).entryList(QDir::Files),
              (QStringList{QString(249, 'p') + "_1.gif", QString::fromLatin1(name)}));
}

} // namespace

// A big pack's import shows a count: the install tells it after every picture.
TEST_F(PackDamage, AnInstallTellsItsCountAfterEachPicture) {
    const QByteArray good = PackPicture(1);
    const QString path = Outside("pack.zvp");
    ASSERT_TRUE(fixtures::WriteFile(path, Pack("Book|a.gif|b.gif|c.gif", {good, good, good})));
    std::vector<std::pair<int, int>> steps;
    const PicturePackImport::Result result = PicturePackImport::Install(
        path, [&](int done, int total) { steps.emplace_back(done, total); });
    EXPECT_EQ(result.Title, "Book");
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
}
