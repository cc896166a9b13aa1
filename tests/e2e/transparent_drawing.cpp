// Helper of the real-window test of drawings with a transparent colour.
//   transparent_drawing write <path>
//     writes the fixture line drawing, three times enlarged, as a GIF whose white is the
//     transparent colour stored as black (and whose lines are black too).
//   transparent_drawing check <screenshot> <left> <top>
//     checks the canvas shown at (left, top): the lines are black, the areas left alone
//     are white paper, and the right half, where the strokes went, holds bright paint.
#include "Fixtures.h"
#include "PictureFiles.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>

namespace {
constexpr int Scale = 3;

QImage Drawing() {
    const QImage small = fixtures::LineDrawing();
    return small.scaled(small.size() * Scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

int Write(const QString& path) {
    const QImage drawing = Drawing();
    std::vector<uint8_t> indices;
    for (int y = 0; y < drawing.height(); ++y)
        for (int x = 0; x < drawing.width(); ++x)
            indices.push_back((drawing.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF ? 0 : 1);
    return fixtures::WriteFile(path, fixtures::GifFile(drawing.width(), drawing.height(), indices,
                                                       {qRgb(0, 0, 0), qRgb(0, 0, 0)}, 0))
               ? 0
               : 1;
}

int Check(const QString& shot, int left, int top) {
    const QImage screen(shot);
    const QImage drawing = Drawing();
    if (screen.isNull()) {
        std::printf("no screenshot\n");
        return 1;
    }
    int failures = 0;
    auto at = [&](int x, int y) {
        return screen.pixel(left + x * Scale, top + y * Scale) & 0xFFFFFF;
    };
    // Lines: the frame, the bar, the ring.
    for (const QPoint p : {QPoint(1, 1), QPoint(100, 60), QPoint(31, 50), QPoint(198, 118)}) {
        if (at(p.x(), p.y()) != 0) {
            std::printf("line at %d,%d is %06x, not black\n", p.x(), p.y(), at(p.x(), p.y()));
            ++failures;
        }
    }
    // Paper the strokes did not reach: the left area and inside the ring.
    for (const QPoint p : {QPoint(15, 100), QPoint(85, 15), QPoint(50, 50), QPoint(10, 60)}) {
        if (at(p.x(), p.y()) != 0xFFFFFF) {
            std::printf("paper at %d,%d is %06x, not white\n", p.x(), p.y(), at(p.x(), p.y()));
            ++failures;
        }
    }
    // Bright paint in the right area: crazy colours scatter the black of the first
    // colour far into the colours.
    int painted = 0;
    for (int y = 3 * Scale; y < 117 * Scale; ++y)
        for (int x = 102 * Scale; x < 197 * Scale; ++x) {
            const QColor p = QColor::fromRgb(screen.pixel(left + x, top + y));
            const int spread =
                std::max({p.red(), p.green(), p.blue()}) - std::min({p.red(), p.green(), p.blue()});
            painted += spread > 60 ? 1 : 0;
        }
    if (painted < 2000) {
        std::printf("only %d brightly painted pixels in the right area\n", painted);
        ++failures;
    }
    std::printf("%d brightly painted pixels; %d failures\n", painted, failures);
    return failures == 0 ? 0 : 1;
}
} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("write"))
        return Write(args[2]);
    if (args.size() == 5 && args[1] == QLatin1String("check"))
        return Check(args[2], args[3].toInt(), args[4].toInt());
    std::fprintf(stderr, "usage: transparent_drawing write <path> | check <shot> <left> <top>\n");
    return 2;
}
