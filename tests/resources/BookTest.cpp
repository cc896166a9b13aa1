// The built-in book "The Crayvex" as the build lays it beside the program: a dozen or more
// pure black-and-white line drawings of the size of a page, in both GIF and BMP.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>
#include <queue>
#include <set>
#include <vector>

namespace {
// The program folder of this build: the tests live in build/tests, the program in
// build/bin.
QDir ProgramFolder() {
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
}

QDir Book() {
    return QDir(ProgramFolder().filePath(QStringLiteral("books/The Crayvex")));
}

QStringList Drawings() {
    return Book().entryList(
        {QStringLiteral("*.bmp"), QStringLiteral("*.gif"), QStringLiteral("*.jpg")}, QDir::Files,
        QDir::Name | QDir::IgnoreCase);
}

// The white regions under 4-way connection that are big enough to colour.
int ColourableRegions(const QImage& page) {
    const int w = page.width(), h = page.height();
    std::vector<char> seen(static_cast<std::size_t>(w) * h, 0);
    int regions = 0;
    for (int start = 0; start < w * h; ++start) {
        if (seen[start] || page.pixel(start % w, start / w) != 0xFFFFFFFF)
            continue;
        int area = 0;
        std::queue<int> pending;
        pending.push(start);
        seen[start] = 1;
        while (!pending.empty()) {
            const int at = pending.front();
            pending.pop();
            ++area;
            const int x = at % w, y = at / w;
            for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
                if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                    continue;
                const int n = ny * w + nx;
                if (!seen[n] && page.pixel(nx, ny) == 0xFFFFFFFF) {
                    seen[n] = 1;
                    pending.push(n);
                }
            }
        }
        if (area >= 100)
            ++regions;
    }
    return regions;
}
} // namespace

TEST(Book, HoldsADozenDrawingsInBothGifAndBmp) {
    const QStringList drawings = Drawings();
    EXPECT_GE(drawings.size(), 12) << drawings.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(drawings.filter(QStringLiteral(".gif"), Qt::CaseInsensitive).isEmpty());
    EXPECT_FALSE(drawings.filter(QStringLiteral(".bmp"), Qt::CaseInsensitive).isEmpty());
}

TEST(Book, EveryDrawingIsAPurelyBlackAndWhitePageWithRegionsToColour) {
    const QStringList drawings = Drawings();
    ASSERT_FALSE(drawings.isEmpty());
    std::set<QByteArray> seen;
    for (const QString& name : drawings) {
        SCOPED_TRACE(name.toStdString());
        const QImage loaded(Book().filePath(name));
        ASSERT_FALSE(loaded.isNull());
        EXPECT_EQ(loaded.size(), QSize(750, 480));
        const QImage page = loaded.convertToFormat(QImage::Format_RGB32);
        int black = 0;
        bool pure = true;
        for (int y = 0; y < page.height() && pure; ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QRgb pixel = page.pixel(x, y);
                if (pixel == 0xFF000000)
                    ++black;
                else if (pixel != 0xFFFFFFFF) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << pixel;
                    pure = false;
                    break;
                }
            }
        }
        // A line drawing: some ink, mostly paper, and many closed areas.
        const double ink = static_cast<double>(black) / (page.width() * page.height());
        EXPECT_GT(ink, 0.02);
        EXPECT_LT(ink, 0.25);
        EXPECT_GE(ColourableRegions(page), 8);
        const QByteArray pixels(reinterpret_cast<const char*>(page.constBits()),
                                page.sizeInBytes());
        EXPECT_TRUE(seen.insert(QCryptographicHash::hash(pixels, QCryptographicHash::Sha1)).second)
            << "the same drawing twice";
    }
}
