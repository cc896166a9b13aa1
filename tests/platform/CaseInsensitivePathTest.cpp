#include "CaseInsensitivePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ResolvePath : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("books/Animals")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("colored pictures/Animals")));
        QFile file(dir.filePath(QStringLiteral("books/Animals/Cat.GIF")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString In(const char* relative) const {
        return dir.path() + QLatin1Char('/') + QString::fromUtf8(relative);
    }
    QTemporaryDir dir;
};

TEST_F(ResolvePath, FindsEachComponentInAnyCase) {
    const struct {
        const char* written;
        const char* onDisk;
    } cases[] = {
        {"books/Animals/Cat.GIF", "books/Animals/Cat.GIF"},
        {"BOOKS/animals/cat.gif", "books/Animals/Cat.GIF"},
        {"Colored Pictures/ANIMALS", "colored pictures/Animals"},
        {"colored pictures/Animals/", "colored pictures/Animals/"},
        // From the first component that is missing the rest stays as written.
        {"COLORED PICTURES/animals/Cat.GIF.jpg", "colored pictures/Animals/Cat.GIF.jpg"},
        {"books/Nature/Tree.bmp", "books/Nature/Tree.bmp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::ResolvePath(In(c.written)), In(c.onDisk)) << c.written;
}

TEST_F(ResolvePath, PrefersTheExactNameAndKeepsRelativePaths) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("books/animals")));
    EXPECT_EQ(platform::ResolvePath(In("books/animals")), In("books/animals"));
    EXPECT_EQ(platform::ResolvePath(QString()), QString());
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const QString resolved = platform::ResolvePath(QStringLiteral("BOOKS/Animals/cat.gif"));
    QDir::setCurrent(current);
    EXPECT_EQ(resolved, QStringLiteral("books/Animals/Cat.GIF"));
}

} // namespace
