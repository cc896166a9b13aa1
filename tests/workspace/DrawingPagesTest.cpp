// The drawings parents add, made here: coloured outlines, grey areas, scans on greyish
// paper, JPEGs, anti-aliased lines, a photo and pure black and white. A stroke begun in
// an area paints that area up to the middle of its lines and nothing beyond them.
#include "ColourValue.h"
#include "FloodFill.h"
#include "MainWindowFixture.h"
#include "StrokeArea.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <iostream>
#include <random>

namespace {

constexpr int Width = 320, Height = 240;

// The outlines of every page: a frame, an ellipse, a star and a wave across the page.
void DrawOutlines(QPainter& painter, const QColor& ink) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink, 3));
    painter.drawRect(QRectF(6.5, 6.5, 307, 227));
    painter.drawEllipse(QRectF(32.3, 38.7, 112.4, 96.2));
    QPainterPath wave;
    wave.moveTo(5, 188);
    for (int x = 8; x <= 316; x += 4)
        wave.lineTo(x, 188 + 16 * std::sin(x / 19.0));
    painter.drawPath(wave);
    painter.setPen(QPen(ink, 2.5));
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 24 : 58;
        const double a = i * M_PI / 5 - M_PI / 2;
        star << QPointF(232.3 + r * std::cos(a), 95.6 + r * std::sin(a));
    }
    painter.drawPolygon(star);
}

QImage Page(const QColor& paper, const QColor& ink) {
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(paper);
    QPainter painter(&image);
    DrawOutlines(painter, ink);
    return image;
}

// The lines as the file means them: every pixel that the outlines cover half or more.
QImage LineMask() {
    const QImage drawn = Page(Qt::white, Qt::black);
    QImage mask(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            mask.setPixel(x, y, qGray(drawn.pixel(x, y)) < 128 ? 0xFF000000u : 0xFFFFFFFFu);
    return mask;
}

QImage GreyAreas() {
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xa0, 0xa0, 0xa0));
    painter.drawEllipse(QRectF(32.3, 38.7, 112.4, 96.2));
    painter.setBrush(QColor(0x70, 0x70, 0x70));
    QPainterPath under; // inside the frame, under the wave
    under.moveTo(7, 240 - 7);
    for (int x = 7; x <= 313; x += 2)
        under.lineTo(x, 188 + 16 * std::sin(x / 19.0));
    under.lineTo(313, 240 - 7);
    painter.drawPath(under);
    DrawOutlines(painter, Qt::black);
    return image;
}

// Greyish paper with grain and a few darker specks of dust, as a scanner gives it.
QImage Scan() {
    QImage image = Page(QColor(200, 200, 200), Qt::black);
    std::mt19937 random(11);
    std::normal_distribution<double> grain(0, 8);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const int v =
                std::clamp(qGray(image.pixel(x, y)) + int(std::lround(grain(random))), 0, 255);
            image.setPixel(x, y, qRgb(v, v, v));
        }
    }
    std::uniform_int_distribution<int> px(10, Width - 11), py(10, Height - 11);
    for (int i = 0; i < 60; ++i) {
        const int x = px(random), y = py(random);
        if (qGray(image.pixel(x, y)) > 150)
            image.setPixel(x, y, qRgb(145, 145, 145));
    }
    return image;
}

// Soft colour gradients with grain: no lines anywhere.
QImage Photo() {
    QImage image(Width, Height, QImage::Format_RGB32);
    std::mt19937 random(3);
    std::normal_distribution<double> grain(0, 6);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            auto channel = [&](double v) {
                return std::clamp(int(std::lround(v + grain(random))), 0, 255);
            };
            image.setPixel(x, y,
                           qRgb(channel(128 + 100 * std::sin(x / 23.0)),
                                channel(128 + 90 * std::cos(y / 17.0)),
                                channel(128 + 80 * std::sin((x + y) / 31.0))));
        }
    }
    return image;
}

QImage BlackAndWhite() {
    QImage image = Page(Qt::white, Qt::black);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            image.setPixel(x, y, qGray(image.pixel(x, y)) < 128 ? 0xFF000000u : 0xFFFFFFFFu);
    return image;
}

// The areas of the line mask, 4-connected; each pixel's number, -1 on the lines.
std::vector<int> Areas(const QImage& mask, int& count) {
    std::vector<int> area(size_t(Width * Height), -1);
    count = 0;
    for (int y0 = 0; y0 < Height; ++y0) {
        for (int x0 = 0; x0 < Width; ++x0) {
            if (qGray(mask.pixel(x0, y0)) == 0 || area[size_t(y0 * Width + x0)] >= 0)
                continue;
            std::vector<QPoint> stack{{x0, y0}};
            area[size_t(y0 * Width + x0)] = count;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                for (const QPoint n :
                     {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)}) {
                    if (n.x() < 0 || n.y() < 0 || n.x() >= Width || n.y() >= Height ||
                        qGray(mask.pixel(n)) == 0 || area[size_t(n.y() * Width + n.x())] >= 0)
                        continue;
                    area[size_t(n.y() * Width + n.x())] = count;
                    stack.push_back(n);
                }
            }
            ++count;
        }
    }
    return area;
}

// A point deep inside area `a`: the one nearest its middle among those furthest from its
// lines.
QPoint StartIn(const std::vector<int>& area, int a) {
    for (int r = 6; r >= 0; --r) {
        double cx = 0, cy = 0;
        long n = 0;
        std::vector<QPoint> deep;
        for (int y = r; y < Height - r; ++y) {
            for (int x = r; x < Width - r; ++x) {
                bool inside = true;
                for (int dy = -r; dy <= r && inside; ++dy)
                    for (int dx = -r; dx <= r && inside; ++dx)
                        inside = area[size_t((y + dy) * Width + x + dx)] == a;
                if (inside) {
                    deep.push_back({x, y});
                    cx += x;
                    cy += y;
                    ++n;
                }
            }
        }
        if (deep.empty())
            continue;
        const QPointF middle(cx / double(n), cy / double(n));
        return *std::min_element(deep.begin(), deep.end(), [&](QPoint p, QPoint q) {
            return QLineF(p, middle).length() < QLineF(q, middle).length();
        });
    }
    return {};
}

// A zig-zag over the whole page, so that every pixel the area allows is painted.
std::vector<QPointF> Sweep(QPointF start) {
    std::vector<QPointF> path{start};
    for (int row = 0, y = 0; y <= Height; ++row, y += 24)
        for (int i = 0; i <= Width; i += 20)
            path.push_back({double(row % 2 ? Width - i : i), double(y)});
    return path;
}

struct Figures {
    double share = 0;  // of the area's pixels painted
    double seam = 0;   // of its pixels at most two from a line, painted
    long beyond = 0;   // pixels painted outside the area
    size_t canvas = 0; // a hash of the painted canvas, to compare with other rules
};

} // namespace

class DrawingPagesTest : public MainWindowTest {
protected:
    QString Save(const QImage& image, const QString& name, int quality = -1) {
        const QString path = folder.filePath(QStringLiteral("books/Test/") + name);
        EXPECT_TRUE(image.save(path, nullptr, quality)) << name.toStdString();
        return path;
    }

    // Opens the page afresh and paints a paintbrush stroke along `path`. Returns the canvas
    // before and after.
    std::pair<QImage, QImage> Paint(const QString& page, const std::vector<QPointF>& path,
                                    int tool = 1) {
        main.CurrentPicture.clear();
        QDir(folder.filePath(QStringLiteral("colored pictures"))).removeRecursively();
        EXPECT_TRUE(StartMainWindow(main, page));
        SelectTool(tool);
        main.SetCurrentColour({40, 160, 220});
        platform::SeedRandom(3);
        const QImage before = Canvas();
        main.P_MouseDown(1, 0, float(path.front().x()), float(path.front().y()));
        for (const QPointF& p : path)
            main.P_MouseMove(1, 0, float(p.x()), float(p.y()));
        main.P_MouseUp(1, 0, float(path.back().x()), float(path.back().y()));
        return {before, Canvas()};
    }

    Figures Measure(const QString& page, const std::vector<int>& area, int a, const QImage& mask) {
        const auto [before, after] = Paint(page, Sweep(StartIn(area, a)));
        Figures figures;
        long size = 0, painted = 0, seam = 0, seamPainted = 0;
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                const bool changed = before.pixel(x, y) != after.pixel(x, y);
                if (area[size_t(y * Width + x)] != a) {
                    figures.beyond += changed ? 1 : 0;
                    continue;
                }
                ++size;
                painted += changed ? 1 : 0;
                bool nearLine = false;
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx)
                        nearLine =
                            nearLine || (QRect(0, 0, Width, Height).contains(x + dx, y + dy) &&
                                         qGray(mask.pixel(x + dx, y + dy)) == 0);
                if (nearLine) {
                    ++seam;
                    seamPainted += changed ? 1 : 0;
                }
            }
        }
        figures.share = double(painted) / double(size);
        figures.canvas = qHashBits(after.constBits(), size_t(after.sizeInBytes()));
        figures.seam = seam ? double(seamPainted) / double(seam) : 1.0;
        return figures;
    }
};

TEST_F(DrawingPagesTest, EachAreaOfALineArtPageTakesThePaintUpToItsLines) {
    struct Case {
        const char* name;
        QImage picture;
        int quality;
    };
    const Case cases[] = {
        {"yellow.png", Page(Qt::white, QColor(0xf2, 0xd2, 0x1a)), -1},
        {"pink.png", Page(Qt::white, QColor(0xff, 0x9e, 0xc8)), -1},
        {"red.png", Page(Qt::white, QColor(0xff, 0x00, 0x00)), -1},
        {"grey.png", GreyAreas(), -1},
        {"scan.jpg", Scan(), 85},
        {"download.jpg", Page(Qt::white, Qt::black), 75},
        {"antialiased.png", Page(Qt::white, Qt::black), -1},
        {"blackandwhite.bmp", BlackAndWhite(), -1},
    };
    const QImage mask = LineMask();
    int count = 0;
    const std::vector<int> area = Areas(mask, count);
    ASSERT_GE(count, 5);
    for (const Case& c : cases) {
        const QString page = Save(c.picture, QLatin1String(c.name), c.quality);
        for (int a = 0; a < count; ++a) {
            const Figures f = Measure(page, area, a, mask);
            std::cout << c.name << " area " << a << ": " << f.share * 100 << " % painted, seam "
                      << f.seam * 100 << " %, " << f.beyond << " px beyond, canvas " << std::hex
                      << f.canvas << std::dec << "\n";
            EXPECT_GE(f.share, 0.99) << c.name << " area " << a;
            EXPECT_EQ(f.beyond, 0) << c.name << " area " << a;
        }
    }
}

TEST_F(DrawingPagesTest, APhotoTakesAPatchRoundTheStrokesStart) {
    const QString page = Save(Photo(), QStringLiteral("photo.png"));
    const QPoint start(160, 120);
    const auto [before, after] = Paint(page, {start, start + QPoint(4, 3), start});
    long painted = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            painted += before.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
    EXPECT_NE(before.pixel(start), after.pixel(start));
    EXPECT_GT(painted, 50);
    EXPECT_LT(painted, Width * Height / 4);
}

TEST_F(DrawingPagesTest, ABlackAndWhitePageFloodsExactlyItsWhiteArea) {
    // Every tool, begun in each area and on a line: the region is the flood of the
    // start's pure white, keyed red, as it always was for such drawings.
    const QImage page = BlackAndWhite();
    const QString path = Save(page, QStringLiteral("bw.bmp"));
    ASSERT_TRUE(StartMainWindow(main, path));
    for (int tool = 0; tool < 3; ++tool) {
        SelectTool(tool);
        for (const QPoint start : {QPoint(88, 86), QPoint(232, 96), QPoint(60, 20),
                                   QPoint(160, 225), QPoint(2, 2), QPoint(7, 100)}) {
            QImage expected = page;
            platform::FloodFillSurface(expected, start.x(), start.y(), 0xFFFFFF, 0xFF0000);
            main.P_MouseDown(1, 0, float(start.x()), float(start.y()));
            main.P_MouseUp(1, 0, float(start.x()), float(start.y()));
            EXPECT_EQ(main.Region().ToImage(), expected) << tool << " " << start.x();
            EXPECT_EQ(main.RegionColour, page.pixel(start) == 0xFF000000u ? 0 : 255);
        }
    }
}

TEST_F(DrawingPagesTest, AStrokeBegunOnALineWaitsForAnArea) {
    // Near-black JPEG ink and a yellow outline are lines too: nothing is painted until
    // the pointer reaches an area, where the stroke begins.
    struct Case {
        const char* name;
        QImage picture;
        int quality;
        QPointF line, alongLine, area;
    };
    const Case cases[] = {
        {"ink.jpg", Page(Qt::white, Qt::black), 75, {6, 120}, {6, 140}, {20, 140}},
        {"yellowline.png",
         Page(Qt::white, QColor(0xf2, 0xd2, 0x1a)),
         -1,
         {6, 120},
         {6, 140},
         {20, 140}},
    };
    for (const Case& c : cases) {
        const QString page = Save(c.picture, QLatin1String(c.name), c.quality);
        const auto [before, onLine] = Paint(page, {c.line, c.alongLine});
        EXPECT_EQ(onLine, before) << c.name;
        const auto [unused, after] = Paint(page, {c.line, c.alongLine, c.area});
        EXPECT_NE(after.pixel(c.area.toPoint()), before.pixel(c.area.toPoint())) << c.name;
        EXPECT_EQ(after.pixel(c.line.toPoint()), before.pixel(c.line.toPoint())) << c.name;
    }
}

TEST(StrokeAreaKey, NoPixelOfTheDrawingHoldsTheKey) {
    struct Case {
        std::vector<uint32_t> colours; // of the drawing's pixels
        uint32_t key;
    };
    const Case cases[] = {
        {{0xFFFFFFFF, 0xFF000000}, 0xFFFF0000},
        {{0xFFFFFFFF, 0xFFFF0000}, 0xFFFF0001},
        {{0xFFFF0000, 0xFFFF0001, 0xFFFF0002}, 0xFFFF0003},
        {{0xFFFFFFFE, 0xFFFF0000}, 0xFFFF0001},
    };
    for (const Case& c : cases) {
        QImage drawing(int(c.colours.size()), 1, QImage::Format_RGB32);
        for (size_t i = 0; i < c.colours.size(); ++i)
            drawing.setPixel(int(i), 0, c.colours[i]);
        EXPECT_EQ(StrokeArea::KeyFor(drawing), c.key);
    }
}
