// Helper of the real-window bubbles test; it takes and reads screenshots. The sprites are the
// bubble pictures on black, pCC0.png, pCC1.png, ... in one folder.
//   bubbles_probe changed <a.png> <b.png>
//     prints "x0 y0 x1 y1", the smallest rectangle holding every pixel that differs
//     (inclusive), or "none".
//   bubbles_probe track <a> <b> <ms> <sprite folder> <x0> <y0> <x1> <y1>
//     takes two screenshots the milliseconds apart and writes them to the files a and b;
//     prints "taken t", the time of b in milliseconds since 1970, then "i cx cy whole seen
//     vy r g b" for every sprite i whose middle shows exactly inside the rectangle in b:
//     its centre; whole 1 when every pixel of the sprite shows (0 when others cover or
//     the rectangle clips some); seen 1 when its middle shows in a too; vy its rise in
//     pixels a second since a (negative upwards; 0 when unseen); the colour of the
//     sprite's centre pixel. Taking the screenshots here saves the time that starting a
//     screenshot program takes.
//   bubbles_probe watch <reference.png> <x> <y> <w> <h> <since> <ms> <shot.png>
//     takes screenshots one after another until the rectangle shows as in the reference,
//     for at most the milliseconds; writes the first that does to shot.png and prints
//     "without with": the times of the last screenshot that did not and of that one, in
//     milliseconds from since (milliseconds since 1970; the last "without" is 0 when the
//     first screenshot matched). Exit 1, with "without none", when none matched.
//   bubbles_probe deepest <shot.png> <x0> <y0> <x1> <y1>
//     prints "x y depth", the point of the rectangle farthest from any white pixel and
//     from the rectangle's edge: no white lies within depth - 1 pixels of it either way.
//   bubbles_probe pixel <shot.png> <x> <y>
//     prints "r g b".
//   bubbles_probe near <shot.png> <x0> <y0> <x1> <y1> <r> <g> <b> <tolerance>
//     prints how many pixels of the rectangle lie within the tolerance of the colour in
//     every channel.
//   bubbles_probe same <a.png> <b.png> <x> <y> <w> <h>
//     exit 0 when both show the same pixels in the rectangle.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

QImage Load(const QString& path) {
    QImage image(path);
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(2);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QRgb Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// Screenshots leave the unused fourth byte of a pixel as they find it: compare colours.
bool SameArea(const QImage& a, const QImage& b, const QRect& area) {
    const QRect within = area.intersected(a.rect());
    if (within != area.intersected(b.rect()))
        return false;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (Rgb(a, x, y) != Rgb(b, x, y))
                return false;
    return true;
}

int Changed(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (Rgb(a, x, y) != Rgb(b, x, y))
                box |= QRect(x, y, 1, 1);
    if (box.isEmpty())
        std::printf("none\n");
    else
        std::printf("%d %d %d %d\n", box.left(), box.top(), box.right(), box.bottom());
    return 0;
}

// A bubble sprite: its pixels off the black, the middle ones (within a quarter of its
// width of the centre) apart, as those show whenever its centre does.
struct Sprite {
    struct Pixel {
        int x, y;
        QRgb rgb;
    };
    int width = 0, height = 0;
    QRgb centre = 0;
    std::vector<Pixel> middle, all;
};

std::vector<Sprite> LoadSprites(const QString& folder) {
    std::vector<Sprite> sprites;
    for (int i = 0;; ++i) {
        const QString path = QDir(folder).filePath(QStringLiteral("pCC%1.png").arg(i));
        if (!QFileInfo::exists(path))
            break;
        const QImage image = Load(path);
        Sprite s;
        s.width = image.width();
        s.height = image.height();
        const int cx = s.width / 2, cy = s.height / 2, reach = s.width / 4;
        s.centre = Rgb(image, cx, cy);
        for (int y = 0; y < s.height; ++y) {
            for (int x = 0; x < s.width; ++x) {
                const QRgb rgb = Rgb(image, x, y);
                if (rgb == 0)
                    continue;
                s.all.push_back({x, y, rgb});
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= reach * reach)
                    s.middle.push_back({x, y, rgb});
            }
        }
        sprites.push_back(std::move(s));
    }
    if (sprites.empty()) {
        std::fprintf(stderr, "no sprites in %s\n", qPrintable(folder));
        std::exit(2);
    }
    return sprites;
}

struct Found {
    int cx, cy;
    bool whole;
};

bool Shows(const QImage& shot, const QRect& area, const std::vector<Sprite::Pixel>& pixels,
           int left, int top, bool clipped) {
    for (const Sprite::Pixel& p : pixels) {
        const int x = left + p.x, y = top + p.y;
        if (!area.contains(x, y)) {
            if (clipped)
                continue;
            return false;
        }
        if (Rgb(shot, x, y) != p.rgb)
            return false;
    }
    return true;
}

// Where the sprite's middle shows inside the area; a place where the whole sprite shows
// comes first.
std::optional<Found> Locate(const QImage& shot, const Sprite& sprite, const QRect& area) {
    const QRect within = area.intersected(shot.rect());
    const int cx = sprite.width / 2, cy = sprite.height / 2;
    std::optional<Found> found;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            if (!Shows(shot, within, sprite.middle, x - cx, y - cy, false))
                continue;
            const bool whole = Shows(shot, within, sprite.all, x - cx, y - cy, false);
            if (whole)
                return Found{x, y, true};
            if (!found && Shows(shot, within, sprite.all, x - cx, y - cy, true))
                found = Found{x, y, false};
        }
    }
    return found;
}

void PrintColour(QRgb c) {
    std::printf(" %d %d %d\n", qRed(c), qGreen(c), qBlue(c));
}

// A screenshot of the whole screen, and the time of it (the middle of the taking).
QImage Grab(qint64& at) {
    const qint64 start = QDateTime::currentMSecsSinceEpoch();
    QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    at = (start + QDateTime::currentMSecsSinceEpoch()) / 2;
    if (shot.isNull()) {
        std::fprintf(stderr, "cannot take a screenshot\n");
        std::exit(2);
    }
    return shot.convertToFormat(QImage::Format_RGB32);
}

int Track(const QString& aPath, const QString& bPath, int ms, const std::vector<Sprite>& sprites,
          const QRect& area) {
    qint64 ta = 0, tb = 0;
    const QImage a = Grab(ta);
    QThread::msleep(ulong(std::max(ms, 0)));
    const QImage b = Grab(tb);
    if (!a.save(aPath) || !b.save(bPath)) {
        std::fprintf(stderr, "cannot write the screenshots\n");
        return 2;
    }
    std::printf("taken %lld\n", static_cast<long long>(tb));
    for (size_t i = 0; i < sprites.size(); ++i) {
        const auto after = Locate(b, sprites[i], area);
        if (!after)
            continue;
        const auto before = Locate(a, sprites[i], area);
        const long vy = before ? std::lround(double(after->cy - before->cy) * 1000.0 /
                                             double(std::max<qint64>(tb - ta, 1)))
                               : 0;
        std::printf("%zu %d %d %d %d %ld", i, after->cx, after->cy, after->whole ? 1 : 0,
                    before ? 1 : 0, vy);
        PrintColour(sprites[i].centre);
    }
    return 0;
}

int Watch(const QImage& reference, const QRect& area, qint64 since, int ms, const QString& out) {
    qint64 without = since;
    for (;;) {
        qint64 at = 0;
        const QImage shot = Grab(at);
        if (SameArea(shot, reference, area)) {
            if (!shot.save(out))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
            std::printf("%lld %lld\n", static_cast<long long>(without - since),
                        static_cast<long long>(at - since));
            return 0;
        }
        without = at;
        if (at - since > ms) {
            std::printf("%lld none\n", static_cast<long long>(without - since));
            return 1;
        }
        // A pause between screenshots leaves the X server free to serve the program.
        QThread::msleep(40);
    }
}

// The distance of every point to the nearest white pixel or the area's edge, counted in
// steps of the eight neighbours, by one sweep down and one up.
int Deepest(const QImage& shot, const QRect& area) {
    const QRect within = area.intersected(shot.rect());
    const int w = within.width(), h = within.height();
    std::vector<int> depth(size_t(w) * size_t(h));
    auto at = [&](int x, int y) -> int {
        return x < 0 || y < 0 || x >= w || y >= h ? 0 : depth[size_t(y) * w + x];
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool white = Rgb(shot, within.left() + x, within.top() + y) == 0xFFFFFF;
            depth[size_t(y) * w + x] = white ? 0
                                             : 1 + std::min({at(x - 1, y), at(x - 1, y - 1),
                                                             at(x, y - 1), at(x + 1, y - 1)});
        }
    }
    int best = 0, bx = 0, by = 0;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = w - 1; x >= 0; --x) {
            int& d = depth[size_t(y) * w + x];
            d = std::min({d, 1 + at(x + 1, y), 1 + at(x + 1, y + 1), 1 + at(x, y + 1),
                          1 + at(x - 1, y + 1)});
            if (d > best) {
                best = d;
                bx = x;
                by = y;
            }
        }
    }
    if (best == 0)
        return 1;
    std::printf("%d %d %d\n", within.left() + bx, within.top() + by, best);
    return 0;
}

int Near(const QImage& shot, const QRect& area, int r, int g, int b, int tolerance) {
    int count = 0;
    const QRect within = area.intersected(shot.rect());
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            const QRgb c = shot.pixel(x, y);
            if (std::abs(qRed(c) - r) <= tolerance && std::abs(qGreen(c) - g) <= tolerance &&
                std::abs(qBlue(c) - b) <= tolerance)
                ++count;
        }
    }
    std::printf("%d\n", count);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    auto number = [&](int i) { return std::atoi(argv[i]); };
    auto text = [&](int i) { return QString::fromLocal8Bit(argv[i]); };
    auto corners = [&](int i) {
        return QRect(QPoint(number(i), number(i + 1)), QPoint(number(i + 2), number(i + 3)));
    };
    if (command == QLatin1String("changed") && argc == 4)
        return Changed(Load(text(2)), Load(text(3)));
    if (command == QLatin1String("track") && argc == 10)
        return Track(text(2), text(3), number(4), LoadSprites(text(5)), corners(6));
    if (command == QLatin1String("watch") && argc == 10)
        return Watch(Load(text(2)), QRect(number(3), number(4), number(5), number(6)),
                     std::atoll(argv[7]), number(8), text(9));
    if (command == QLatin1String("deepest") && argc == 7)
        return Deepest(Load(text(2)), corners(3));
    if (command == QLatin1String("pixel") && argc == 5) {
        const QRgb c = Load(text(2)).pixel(number(3), number(4));
        std::printf("%d %d %d\n", qRed(c), qGreen(c), qBlue(c));
        return 0;
    }
    if (command == QLatin1String("near") && argc == 11)
        return Near(Load(text(2)), corners(3), number(7), number(8), number(9), number(10));
    if (command == QLatin1String("same") && argc == 8) {
        const QRect area(number(4), number(5), number(6), number(7));
        return SameArea(Load(text(2)), Load(text(3)), area) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: see the head of bubbles_probe.cpp\n");
    return 2;
}
