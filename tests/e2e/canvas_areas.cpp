// Helper of the real-window canvas test.
//   canvas_areas points <drawing>
//     prints "x y r" for a point deep inside each of the two largest white areas: the
//     square of half-size r round it lies inside the area.
//   canvas_areas check <drawing> <screenshot> <left> <top> <x1> <y1> <x2> <y2>
//     checks the canvas shown at (left, top): every black pixel of the drawing is still
//     black, both areas around (x1, y1) and (x2, y2) hold paint, and no paint lies outside
//     the white areas that the strokes began in. Exit 0 when all holds.
#include <QGuiApplication>
#include <QImage>
#include <QRect>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Labels the white areas of a black-and-white drawing (4-way connected).
std::vector<int> LabelAreas(const QImage& drawing, int& count) {
    const int w = drawing.width(), h = drawing.height();
    std::vector<int> label(size_t(w) * size_t(h), -1);
    count = 0;
    std::vector<QPoint> stack;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (label[size_t(y) * w + x] != -1 || (drawing.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                continue;
            stack.push_back({x, y});
            label[size_t(y) * w + x] = count;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                const QPoint next[] = {
                    {p.x() + 1, p.y()}, {p.x() - 1, p.y()}, {p.x(), p.y() + 1}, {p.x(), p.y() - 1}};
                for (const QPoint& n : next) {
                    if (n.x() < 0 || n.y() < 0 || n.x() >= w || n.y() >= h)
                        continue;
                    int& l = label[size_t(n.y()) * w + n.x()];
                    if (l == -1 && (drawing.pixel(n) & 0xFFFFFF) == 0xFFFFFF) {
                        l = count;
                        stack.push_back(n);
                    }
                }
            }
            ++count;
        }
    }
    return label;
}

int Points(const QImage& drawing) {
    int count = 0;
    const std::vector<int> label = LabelAreas(drawing, count);
    std::vector<int> size(static_cast<size_t>(count), 0);
    for (int l : label)
        if (l >= 0)
            ++size[size_t(l)];
    std::vector<int> order(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        order[size_t(i)] = i;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return size[a] > size[b]; });
    const int w = drawing.width(), h = drawing.height();
    QTextStream out(stdout);
    for (int k = 0; k < std::min(count, 2); ++k) {
        // The point of the area farthest from its edges, on a coarse grid.
        auto inside = [&](int px, int py) {
            return px >= 0 && py >= 0 && px < w && py < h &&
                   label[size_t(py) * w + px] == order[size_t(k)];
        };
        int best = -1;
        QPoint bestPoint;
        for (int y = 0; y < h; y += 4) {
            for (int x = 0; x < w; x += 4) {
                if (label[size_t(y) * w + x] != order[size_t(k)])
                    continue;
                // The half-size of the largest square round the point inside the area.
                int r = 0;
                auto squareInside = [&](int half) {
                    for (int i = -half; i <= half; ++i)
                        if (!inside(x + i, y - half) || !inside(x + i, y + half) ||
                            !inside(x - half, y + i) || !inside(x + half, y + i))
                            return false;
                    return true;
                };
                while (r < 60 && squareInside(r + 1))
                    ++r;
                if (r > best) {
                    best = r;
                    bestPoint = {x, y};
                }
            }
        }
        out << bestPoint.x() << ' ' << bestPoint.y() << ' ' << best << '\n';
    }
    return count >= 2 ? 0 : 1;
}

int Check(const QImage& drawing, const QImage& shot, int left, int top, QPoint a, QPoint b) {
    int count = 0;
    const std::vector<int> label = LabelAreas(drawing, count);
    const int w = drawing.width(), h = drawing.height();
    const int areaA = label[size_t(a.y()) * w + a.x()], areaB = label[size_t(b.y()) * w + b.x()];
    int paintedA = 0, paintedB = 0, blackChanged = 0, outside = 0;
    QRect elsewhere;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb seen = shot.pixel(left + x, top + y) & 0xFFFFFF;
            const QRgb drawn = drawing.pixel(x, y) & 0xFFFFFF;
            if (seen == drawn)
                continue;
            const int l = label[size_t(y) * w + x];
            if (drawn != 0xFFFFFF)
                ++blackChanged;
            else if (l == areaA)
                ++paintedA;
            else if (l == areaB)
                ++paintedB;
            else {
                ++outside;
                elsewhere |= QRect(x, y, 1, 1);
            }
        }
    }
    std::printf("painted %d and %d pixels in the two areas; %d black pixels changed; "
                "%d painted pixels elsewhere (within %d,%d %dx%d)\n",
                paintedA, paintedB, blackChanged, outside, elsewhere.x(), elsewhere.y(),
                elsewhere.width(), elsewhere.height());
    return paintedA > 500 && paintedB > 500 && blackChanged == 0 && outside == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("points"))
        return Points(QImage(args[2]).convertToFormat(QImage::Format_RGB32));
    if (args.size() >= 10 && args[1] == QLatin1String("check")) {
        const QImage drawing = QImage(args[2]).convertToFormat(QImage::Format_RGB32);
        const QImage shot = QImage(args[3]).convertToFormat(QImage::Format_RGB32);
        return Check(drawing, shot, args[4].toInt(), args[5].toInt(),
                     QPoint(args[6].toInt(), args[7].toInt()),
                     QPoint(args[8].toInt(), args[9].toInt()));
    }
    std::fprintf(stderr, "usage: canvas_areas points <drawing> | check ...\n");
    return 2;
}
