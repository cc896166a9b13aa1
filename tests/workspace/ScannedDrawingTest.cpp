// Drawings as parents find them: anti-aliased lines, saved as a JPEG, or scanned with
// light noise. Each colours as the same drawing thresholded to pure black and white does.
#include "ColourValue.h"
#include "MainWindowFixture.h"

#include <QDir>
#include <QImage>
#include <random>

namespace {
constexpr uint32_t Red = 0x0000FF; // colour value of the flood

QImage Thresholded(const QImage& drawing) {
    QImage image = drawing.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qGray(image.pixel(x, y)) < 128 ? 0xFF000000 : 0xFFFFFFFF);
    return image;
}

QImage Noisy(const QImage& drawing, double sigma) {
    QImage image = drawing.convertToFormat(QImage::Format_RGB32);
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0, sigma);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int v =
                std::clamp(qGray(image.pixel(x, y)) + int(std::lround(noise(random))), 0, 255);
            image.setPixel(x, y, qRgb(v, v, v));
        }
    }
    return image;
}

// The white area round `start` of a black-and-white image, as a flood marks it.
QImage AreaOf(const QImage& blackAndWhite, QPoint start) {
    QImage area = blackAndWhite;
    platform::DeviceContext dc(&area);
    dc.BrushColour = Red;
    platform::gdi::ExtFloodFill(&dc, start.x(), start.y(), 0xFFFFFF,
                                platform::gdi::FLOODFILLSURFACE);
    return area;
}

bool InArea(const QImage& area, int x, int y) {
    return (area.pixel(x, y) & 0xFFFFFF) == platform::PixelFromColourValue(Red) - 0xFF000000u;
}

// A pixel of the area's edge that the black-and-white drawing gives to the line, while the
// file itself draws it lighter than the middle: compression moved it across, and the file
// shows it as the seam along the line, which takes the paint.
bool SeamAsTheFileDrawsIt(const QImage& area, const QImage& file, int x, int y) {
    if ((area.pixel(x, y) & 0xFFFFFF) != 0 || qGray(file.pixel(x, y)) < 128)
        return false;
    for (const QPoint n : {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)})
        if (area.rect().contains(n) && InArea(area, n.x(), n.y()))
            return true;
    return false;
}

struct Painted {
    double share = 0; // of the area's pixels that the stroke changed
    long beyond = 0;  // pixels changed outside the area: on its lines or past them
};
} // namespace

class ScannedDrawingTest : public MainWindowTest {
protected:
    // Opens `picture`, makes one stroke with the tool and measures what it changed
    // against the area.
    Painted Colour(const QString& picture, int tool, const std::vector<QPointF>& stroke,
                   const QImage& area) {
        // Each time the drawing as it is, without the colouring of the time before.
        main.CurrentPicture.clear();
        QDir(folder.filePath(QStringLiteral("colored pictures"))).removeRecursively();
        EXPECT_TRUE(StartMainWindow(main, picture));
        SelectTool(tool);
        main.SetCurrentColour({40, 160, 220});
        platform::SeedRandom(3);
        const QImage before = Canvas();
        main.P_MouseDown(1, 0, float(stroke.front().x()), float(stroke.front().y()));
        for (const QPointF& p : stroke)
            main.P_MouseMove(1, 0, float(p.x()), float(p.y()));
        main.P_MouseUp(1, 0, float(stroke.back().x()), float(stroke.back().y()));
        const QImage after = Canvas();
        const QImage file = QImage(picture).convertToFormat(QImage::Format_RGB32);
        Painted painted;
        long inside = 0, areaSize = 0;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                const bool changed = after.pixel(x, y) != before.pixel(x, y);
                if (InArea(area, x, y)) {
                    ++areaSize;
                    inside += changed ? 1 : 0;
                } else if (!SeamAsTheFileDrawsIt(area, file, x, y)) {
                    painted.beyond += changed ? 1 : 0;
                }
            }
        }
        painted.share = double(inside) / double(areaSize);
        return painted;
    }

    QString Save(const QImage& image, const char* name, const char* format, int quality = -1) {
        const QString path = folder.filePath(QStringLiteral("books/Test/") + QLatin1String(name));
        EXPECT_TRUE(image.save(path, format, quality)) << name;
        return path;
    }
};

TEST_F(ScannedDrawingTest, CompressedAndNoisyDrawingsColourAsTheirBlackAndWhiteSelves) {
    const QImage drawing = fixtures::AntialiasedDrawing();
    const QImage blackAndWhite = Thresholded(drawing);
    const QString pictures[] = {
        Save(blackAndWhite, "thresholded.bmp", "BMP"),
        Save(drawing, "downloaded.jpg", "JPG", 75),
        Save(Noisy(drawing, 12), "scanned.bmp", "BMP"),
        Save(Noisy(drawing, 8), "scanned.jpg", "JPG", 85),
    };
    // Zig-zags over the inside of the ellipse, over the star and over the big background
    // area, each begun in its middle, with the crayon, the paintbrush and the pencil.
    struct Case {
        int tool;
        std::vector<QPointF> stroke;
    };
    std::vector<QPointF> ellipse{{86, 86}}, star{{235, 91}}, background{{60, 20}};
    for (int i = 0; i < 12; ++i) {
        ellipse.push_back({i % 2 ? 45.0 : 127.0, 50.0 + 6.5 * i});
        star.push_back({i % 2 ? 218.0 : 252.0, 75.0 + 2.7 * i});
        background.push_back({10.0 + 25.0 * i, i % 2 ? 12.0 : 150.0});
    }
    const Case cases[] = {{0, ellipse}, {1, ellipse}, {2, ellipse},
                          {0, star},    {1, star},    {2, background}};
    for (const Case& c : cases) {
        const QImage area = AreaOf(blackAndWhite, c.stroke.front().toPoint());
        const Painted reference = Colour(pictures[0], c.tool, c.stroke, area);
        ASSERT_GT(reference.share, c.tool == 2 ? 0.01 : 0.5) << "tool " << c.tool;
        EXPECT_EQ(reference.beyond, 0) << "tool " << c.tool;
        for (const QString& picture : pictures) {
            const Painted painted = Colour(picture, c.tool, c.stroke, area);
            EXPECT_NEAR(painted.share, reference.share, 0.04)
                << "tool " << c.tool << " on " << picture.toStdString();
            EXPECT_EQ(painted.beyond, 0) << "tool " << c.tool << " on " << picture.toStdString();
        }
    }
}

TEST_F(ScannedDrawingTest, ABlackAndWhiteDrawingFloodsItsExactWhiteArea) {
    // The lines told apart by darkness are the lines of a black-and-white drawing as they
    // are: the region is the flood of its pure white.
    const QImage blackAndWhite = Thresholded(fixtures::AntialiasedDrawing());
    const QString picture = Save(blackAndWhite, "thresholded.bmp", "BMP");
    ASSERT_TRUE(StartMainWindow(main, picture));
    for (const QPoint start : {QPoint(86, 86), QPoint(235, 91), QPoint(60, 20), QPoint(86, 41)}) {
        main.P_MouseDown(1, 0, float(start.x()), float(start.y()));
        main.P_MouseUp(1, 0, float(start.x()), float(start.y()));
        EXPECT_EQ(main.Region().ToImage(), AreaOf(blackAndWhite, start)) << start.x();
    }
}
