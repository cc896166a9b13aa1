#include "SettingsFile.h"

#include "ProgramFolder.h"
#include "SettingsRecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform::SetProgramFolder(folder.path());
    }
    void TearDown() override { platform::SetProgramFolder(QString()); }

    void WriteRaw(const QByteArray& bytes) {
        QFile file(SettingsFile::Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray ReadRaw() {
        QFile file(SettingsFile::Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList FolderEntries() {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir folder;
};

SettingsFile::OptionValues Values(int check1, int o2, int check2, int check3, int option,
                                  const QString& password, const QString& hint) {
    return {check1, o2, check2, check3, option, password, hint};
}

// ---- Writer ----------------------------------------------------------------------------

struct WriterCase {
    const char* name;
    SettingsFile::OptionValues values;
    QByteArray bytes;
};

TEST_F(SettingsFileTest, WriterBytes) {
    const WriterCase cases[] = {
        {"defaults with a password", Values(1, 0, 0, 1, 1, "secret", "my cat"),
         " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\nsecret\r\nmy cat\r\n"},
        {"fast, everything ticked", Values(1, 1, 1, 1, 0, "a", "b"),
         " 1 \r\n 1 \r\n 1 \r\n 1 \r\n 2 \r\na\r\nb\r\n"},
        {"slow, greyed boxes, empty texts", Values(2, 2, 0, 0, 2, "", ""),
         " 2 \r\n 2 \r\n 0 \r\n 0 \r\n 10 \r\n\r\n\r\n"},
        {"no speed chosen", Values(0, 0, 0, 0, -1, "x", "y"),
         " 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\nx\r\ny\r\n"},
        {"blanks kept round the texts", Values(1, 0, 0, 1, 1, "  pass word ", " hint "),
         " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\n  pass word \r\n hint \r\n"},
    };
    for (const WriterCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SettingsFile::Format(c.values), c.bytes);
        ASSERT_TRUE(SettingsFile::Write(c.values));
        EXPECT_EQ(ReadRaw(), c.bytes);
    }
    EXPECT_EQ(FolderEntries(), QStringList{"Settings.ini"});
}

TEST_F(SettingsFileTest, NumbersHaveTheSignPlaceAndATrailingBlank) {
    EXPECT_EQ(SettingsFile::FormatNumber(0), " 0 ");
    EXPECT_EQ(SettingsFile::FormatNumber(10), " 10 ");
    EXPECT_EQ(SettingsFile::FormatNumber(-3), "-3 ");
}

TEST_F(SettingsFileTest, WrittenSettingsReadBackInTheOptionsWindow) {
    const SettingsFile::OptionValues written = Values(0, 1, 1, 2, 2, " pw ", "hint");
    ASSERT_TRUE(SettingsFile::Write(written));
    SettingsFile::OptionValues read;
    ASSERT_TRUE(SettingsFile::ReadIntoOptions(read));
    EXPECT_EQ(read.Check1, 0);
    EXPECT_EQ(read.O2, 1);
    EXPECT_EQ(read.Check2, 1);
    EXPECT_EQ(read.Check3, 2);
    EXPECT_EQ(read.Option1, 2);
    EXPECT_EQ(read.Text1, " pw ");
    EXPECT_EQ(read.Text2, "hint");
}

TEST_F(SettingsFileTest, TextOutsideAsciiSurvivesTheRoundTrip) {
    const QString password = QString::fromUtf8("Kätzchen–ß €");
    ASSERT_TRUE(SettingsFile::Write(Values(1, 0, 0, 1, 1, password, "x")));
    SettingsFile::OptionValues read;
    ASSERT_TRUE(SettingsFile::ReadIntoOptions(read));
    EXPECT_EQ(read.Text1, password);
}

// A failed write must leave the previous file as it was. The tests run as root, which
// ignores permission bits, so the failures are forced in ways root cannot pass.
TEST_F(SettingsFileTest, AWriteThatFailsHalfwayLeavesTheOldFile) {
    const QByteArray old = " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\nold\r\nhint\r\n";
    WriteRaw(old);

    // Files may grow to 16 bytes only: the new file fails in the middle of its lines.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 16;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written =
        SettingsFile::Write(Values(1, 1, 1, 1, 0, QString(60, 'p'), QString(60, 'h')));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadRaw(), old);
    EXPECT_EQ(FolderEntries(), QStringList{"Settings.ini"});
}

TEST_F(SettingsFileTest, AWriteThatCannotReplaceTheFileFails) {
    // A folder in the file's place: the finished temporary file cannot be renamed over it.
    ASSERT_TRUE(QDir(folder.path()).mkdir("Settings.ini"));
    EXPECT_FALSE(SettingsFile::Write(SettingsFile::OptionValues{}));
    EXPECT_TRUE(QFileInfo(SettingsFile::Path()).isDir());
    EXPECT_EQ(FolderEntries(), QStringList{"Settings.ini"});
}

TEST_F(SettingsFileTest, AWriteIntoAMissingFolderFails) {
    platform::SetProgramFolder(folder.filePath("gone"));
    EXPECT_FALSE(SettingsFile::Write(SettingsFile::OptionValues{}));
}

// ---- Start-up reader -------------------------------------------------------------------

// What the record holds before each case: every member differs from what a case sets.
const QByteArray Baseline = " 0 \r\n 1 \r\n 0 \r\n 0 \r\n 10 \r\nbase\r\nbasehint\r\n";

struct StartupCase {
    const char* name;
    QByteArray file;
    bool read;
    bool playSounds, quitLock, autoHide, usePassword;
    float bubbleSpeed;
    const char* password;
    const char* hint;
};

TEST_F(SettingsFileTest, StartupReader) {
    const StartupCase cases[] = {
        {"written defaults", " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\npw\r\nhint\r\n", true, true, true,
         false, true, 4, "pw", "hint"},
        {"bare numbers", "1\r\n1\r\n1\r\n1\r\n2\r\npw\r\nhint\r\n", true, true, false, true, true,
         2, "pw", "hint"},
        {"1.4 and 1.6 are cut down to 1", "1.4\r\n1.6\r\n1.4\r\n1.6\r\n10.9\r\npw\r\nh\r\n", true,
         true, false, true, true, 10, "pw", "h"},
        {"0.6 is cut down to 0", "0.6\r\n 1 \r\n0.99\r\n0.5\r\n 4 \r\npw\r\nh\r\n", true, false,
         false, false, false, 4, "pw", "h"},
        {"only 1 on line 2 allows quitting", " 1 \r\n 2 \r\n 0 \r\n 1 \r\n 4 \r\npw\r\nh\r\n", true,
         true, true, false, true, 4, "pw", "h"},
        {"a speed of 7 passes", " 1 \r\n 1 \r\n 0 \r\n 1 \r\n 7 \r\npw\r\nh\r\n", true, true, false,
         false, true, 7, "pw", "h"},
        {"a speed of 0 means medium", " 1 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\npw\r\nh\r\n", true, true,
         false, false, true, 4, "pw", "h"},
        {"a negative speed means medium", " 1 \r\n 1 \r\n 0 \r\n 1 \r\n-2 \r\npw\r\nh\r\n", true,
         true, false, false, true, 4, "pw", "h"},
        {"a speed below 1 cut down to 0 means medium",
         " 1 \r\n 1 \r\n 0 \r\n 1 \r\n0.5\r\npw\r\nh\r\n", true, true, false, false, true, 4, "pw",
         "h"},
        {"blanks round the password stay", " 1 \r\n 1 \r\n 0 \r\n 1 \r\n 4 \r\n  pw \r\n h \r\n",
         true, true, false, false, true, 4, "  pw ", " h "},
        {"empty password and hint", " 1 \r\n 1 \r\n 0 \r\n 1 \r\n 4 \r\n\r\n\r\n", true, true,
         false, false, true, 4, "", ""},
        {"lines after the seventh are ignored",
         " 1 \r\n 1 \r\n 0 \r\n 1 \r\n 4 \r\npw\r\nh\r\nmore\r\n 0 \r\n", true, true, false, false,
         true, 4, "pw", "h"},
        {"line ends of this system", " 1 \n 1 \n 1 \n 1 \n 2 \npw\nh\n", true, true, false, true,
         true, 2, "pw", "h"},
        {"no end after the last line", " 1 \r\n 1 \r\n 0 \r\n 1 \r\n 4 \r\npw\r\nh", true, true,
         false, false, true, 4, "pw", "h"},
        // Failures: the members of the lines before the failing one are set.
        {"six lines", " 1 \r\n 1 \r\n 1 \r\n 1 \r\n 2 \r\npw\r\n", false, true, false, true, true,
         2, "pw", "basehint"},
        {"an empty line 5", " 1 \r\n 0 \r\n 1 \r\n 1 \r\n\r\npw\r\nh\r\n", false, true, true, true,
         true, 10, "base", "basehint"},
        {"no number on line 3", " 1 \r\n 0 \r\nyes\r\n 1 \r\n 4 \r\npw\r\nh\r\n", false, true, true,
         false, false, 10, "base", "basehint"},
        {"two numbers on line 1", "1 1\r\n 0 \r\n 1 \r\n 1 \r\n 4 \r\npw\r\nh\r\n", false, false,
         false, false, false, 10, "base", "basehint"},
        {"an empty file", "", false, false, false, false, false, 10, "base", "basehint"},
    };
    SettingsRecord& settings = SettingsRecord::Current();
    for (const StartupCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteRaw(Baseline);
        ASSERT_TRUE(settings.Read());
        WriteRaw(c.file);
        EXPECT_EQ(settings.Read(), c.read);
        EXPECT_EQ(settings.PlaySounds, c.playSounds);
        EXPECT_EQ(settings.QuitLock, c.quitLock);
        EXPECT_EQ(settings.AutoHide, c.autoHide);
        EXPECT_EQ(settings.UsePassword, c.usePassword);
        EXPECT_EQ(settings.BubbleSpeed, c.bubbleSpeed);
        EXPECT_EQ(settings.Password, QString::fromUtf8(c.password));
        EXPECT_EQ(settings.PasswordHint, QString::fromUtf8(c.hint));
    }
}

TEST_F(SettingsFileTest, StartupReaderWithoutAFileChangesNothing) {
    SettingsRecord& settings = SettingsRecord::Current();
    WriteRaw(Baseline);
    ASSERT_TRUE(settings.Read());
    QFile::remove(SettingsFile::Path());
    EXPECT_FALSE(settings.Read());
    EXPECT_FALSE(settings.PlaySounds);
    EXPECT_EQ(settings.BubbleSpeed, 10);
    EXPECT_EQ(settings.Password, "base");
}

TEST_F(SettingsFileTest, StartupNumbers) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"1", 1},
        {" 1 ", 1},
        {"1.4", 1},
        {"1.6", 1},
        {"-0.5", -1},
        {"\t2\t", 2},
        {"+3", 3},
        {".5", 0},
        {"1e1", 10},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"1 1", std::nullopt},
        {"abc", std::nullopt},
        {"1,5", std::nullopt},
        {"+-1", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e999", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(SettingsFile::StartupNumber(QString::fromLatin1(text)), expected);
    }
}

// ---- Options window reader -------------------------------------------------------------

TEST_F(SettingsFileTest, RoundedNumbers) {
    const std::pair<const char*, std::optional<long>> cases[] = {
        {"1", 1},
        {" 1 ", 1},
        {"1.4", 1},
        {"1.6", 2},
        {"0.5", 0},
        {"1.5", 2},
        {"2.5", 2},
        {"-0.5", 0},
        {"", std::nullopt},
        {"x", std::nullopt},
        {"2147483647", 2147483647L},
        {"2147483648", std::nullopt},
        {"1e300", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(SettingsFile::RoundedNumber(QString::fromLatin1(text)), expected);
    }
}

struct OptionsCase {
    const char* name;
    QByteArray file;
    bool read;
    SettingsFile::OptionValues values;
};

TEST_F(SettingsFileTest, OptionsReader) {
    const SettingsFile::OptionValues design;
    const OptionsCase cases[] = {
        {"written file", " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 2 \r\npw\r\nh\r\n", true,
         Values(0, 1, 1, 0, 0, "pw", "h")},
        {"bare 1 and 1.4 read as 1", "1\r\n1.4\r\n 1 \r\n1\r\n 10 \r\npw\r\nh\r\n", true,
         Values(1, 1, 1, 1, 2, "pw", "h")},
        {"1.6 rounds to a greyed box", "1.6\r\n 2 \r\n2.5\r\n0.5\r\n 4 \r\npw\r\nh\r\n", true,
         Values(2, 2, 2, 0, 1, "pw", "h")},
        {"a speed of 7 leaves medium", " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 7 \r\npw\r\nh\r\n", true,
         Values(1, 0, 0, 1, 1, "pw", "h")},
        {"a speed is compared as a number", " 1 \r\n 0 \r\n 0 \r\n 1 \r\n10.0\r\npw\r\nh\r\n", true,
         Values(1, 0, 0, 1, 2, "pw", "h")},
        {"blanks round the password stay", " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\n pw  \r\n  h\r\n",
         true, Values(1, 0, 0, 1, 1, " pw  ", "  h")},
        // Failures stop the reading where they occur; the rest keeps its design value.
        {"six lines", " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 2 \r\npw\r\n", false,
         Values(0, 1, 1, 0, 0, "pw", "")},
        {"an empty line 5", " 0 \r\n 1 \r\n 1 \r\n 0 \r\n\r\npw\r\nh\r\n", false,
         Values(0, 1, 1, 0, 1, "", "")},
        {"a box refuses 3", " 0 \r\n 1 \r\n 3 \r\n 0 \r\n 2 \r\npw\r\nh\r\n", false,
         Values(0, 1, 0, 1, 1, "", "")},
        {"a box refuses -1", "-1 \r\n 1 \r\n 1 \r\n 0 \r\n 2 \r\npw\r\nh\r\n", false, design},
        {"no number", " 0 \r\nno\r\n 1 \r\n 0 \r\n 2 \r\npw\r\nh\r\n", false,
         Values(0, 0, 0, 1, 1, "", "")},
        {"an empty file", "", false, design},
    };
    for (const OptionsCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteRaw(c.file);
        SettingsFile::OptionValues read;
        EXPECT_EQ(SettingsFile::ReadIntoOptions(read), c.read);
        EXPECT_EQ(read.Check1, c.values.Check1);
        EXPECT_EQ(read.O2, c.values.O2);
        EXPECT_EQ(read.Check2, c.values.Check2);
        EXPECT_EQ(read.Check3, c.values.Check3);
        EXPECT_EQ(read.Option1, c.values.Option1);
        EXPECT_EQ(read.Text1, c.values.Text1);
        EXPECT_EQ(read.Text2, c.values.Text2);
    }
}

TEST_F(SettingsFileTest, OptionsReaderWithoutAFileKeepsTheDesign) {
    SettingsFile::OptionValues read;
    EXPECT_FALSE(SettingsFile::ReadIntoOptions(read));
    EXPECT_EQ(SettingsFile::Format(read), " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\n\r\n\r\n");
}

// A Settings.ini that is not a regular file (a named pipe nobody writes to, a folder) is
// unreadable to both readers at once, as a missing one is; saving the options puts a
// regular file in its place.
TEST_F(SettingsFileTest, ASettingsFileThatIsNotRegularIsUnreadableAndReplacedBySaving) {
    const QByteArray path = QFile::encodeName(SettingsFile::Path());
    using Make = bool (*)(const char*);
    const std::pair<const char*, Make> cases[] = {
        {"named pipe", [](const char* p) { return ::mkfifo(p, 0644) == 0; }},
        {"folder", [](const char* p) { return ::mkdir(p, 0755) == 0; }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(make(path.constData()));
        EXPECT_FALSE(SettingsFile::ReadLines().has_value());
        EXPECT_EQ(SettingsFile::ReadAtStartup().count, 0);
        SettingsFile::OptionValues read;
        EXPECT_FALSE(SettingsFile::ReadIntoOptions(read));
        EXPECT_EQ(SettingsFile::Format(read), SettingsFile::Format({}));
        if (std::string_view(name) == "folder") {
            ASSERT_EQ(::rmdir(path.constData()), 0);
            continue;
        }
        const SettingsFile::OptionValues saved = Values(0, 1, 0, 1, 2, "pw", "hint");
        ASSERT_TRUE(SettingsFile::Write(saved));
        struct stat status {};
        ASSERT_EQ(::stat(path.constData(), &status), 0);
        EXPECT_TRUE(S_ISREG(status.st_mode));
        EXPECT_EQ(ReadRaw(), SettingsFile::Format(saved));
        ASSERT_TRUE(QFile::remove(SettingsFile::Path()));
    }
}

} // namespace
