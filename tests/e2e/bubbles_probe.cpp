// Helper of the real-window bubbles test; it reads screenshots.
//   bubbles_probe changed <a.png> <b.png>
//     prints "x0 y0 x1 y1", the smallest rectangle holding every pixel that differs
//     (inclusive), or "none".
//   bubbles_probe find <shot.png> <sprite.png> <x0> <y0> <x1> <y1>
//     looks for the sprite (a bubble on black) shown whole inside the rectangle: every
//     pixel of the bubble exactly as in the sprite. Prints "cx cy r g b", the centre
//     and the colour of the sprite's centre pixel, or nothing.
//   bubbles_probe bubble <shot.png> <x0> <y0> <x1> <y1>
//     prints "x y", a point of the rectangle deep inside a bubble on the white panel:
//     no white pixel lies within 12 pixels of it. Nothing when there is none.
//   bubbles_probe pixel <shot.png> <x> <y>
//     prints "r g b".
//   bubbles_probe near <shot.png> <x0> <y0> <x1> <y1> <r> <g> <b> <tolerance>
//     prints how many pixels of the rectangle lie within the tolerance of the colour in
//     every channel.
//   bubbles_probe same <a.png> <b.png> <x> <y> <w> <h>
//     exit 0 when both show the same pixels in the rectangle.
#include <QGuiApplication>
#include <QImage>
#include <QRect>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

QImage Load(const char* path) {
    QImage image(QString::fromLocal8Bit(path));
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", path);
        std::exit(2);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QRgb Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
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

int Find(const QImage& shot, const QImage& sprite, const QRect& area) {
    struct Pixel {
        int x, y;
        QRgb rgb;
    };
    std::vector<Pixel> bubble;
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x)
            if (Rgb(sprite, x, y) != 0)
                bubble.push_back({x, y, Rgb(sprite, x, y)});
    if (bubble.empty())
        return 1;
    const QRect within = area.intersected(shot.rect());
    for (int top = within.top(); top + sprite.height() - 1 <= within.bottom(); ++top) {
        for (int left = within.left(); left + sprite.width() - 1 <= within.right(); ++left) {
            bool match = true;
            for (const Pixel& p : bubble) {
                if (Rgb(shot, left + p.x, top + p.y) != p.rgb) {
                    match = false;
                    break;
                }
            }
            if (!match)
                continue;
            const int cx = sprite.width() / 2, cy = sprite.height() / 2;
            const QRgb c = Rgb(sprite, cx, cy);
            std::printf("%d %d %d %d %d\n", left + cx, top + cy, qRed(c), qGreen(c), qBlue(c));
            return 0;
        }
    }
    return 1;
}

int Bubble(const QImage& shot, const QRect& area) {
    const int reach = 12;
    const QRect within = area.intersected(shot.rect()).adjusted(reach, reach, -reach, -reach);
    for (int y = within.top(); y <= within.bottom(); y += 2) {
        for (int x = within.left(); x <= within.right(); x += 2) {
            bool inside = true;
            for (int dy = -reach; dy <= reach && inside; ++dy)
                for (int dx = -reach; dx <= reach && inside; ++dx)
                    inside = Rgb(shot, x + dx, y + dy) != 0xFFFFFF;
            if (inside) {
                std::printf("%d %d\n", x, y);
                return 0;
            }
        }
    }
    return 1;
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
    if (command == QLatin1String("changed") && argc == 4)
        return Changed(Load(argv[2]), Load(argv[3]));
    if (command == QLatin1String("find") && argc == 8)
        return Find(Load(argv[2]), Load(argv[3]),
                    QRect(QPoint(number(4), number(5)), QPoint(number(6), number(7))));
    if (command == QLatin1String("bubble") && argc == 7)
        return Bubble(Load(argv[2]),
                      QRect(QPoint(number(3), number(4)), QPoint(number(5), number(6))));
    if (command == QLatin1String("pixel") && argc == 5) {
        const QRgb c = Load(argv[2]).pixel(number(3), number(4));
        std::printf("%d %d %d\n", qRed(c), qGreen(c), qBlue(c));
        return 0;
    }
    if (command == QLatin1String("near") && argc == 11)
        return Near(Load(argv[2]),
                    QRect(QPoint(number(3), number(4)), QPoint(number(5), number(6))), number(7),
                    number(8), number(9), number(10));
    if (command == QLatin1String("same") && argc == 8) {
        const QRect area(number(4), number(5), number(6), number(7));
        return Load(argv[2]).copy(area) == Load(argv[3]).copy(area) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: see the head of bubbles_probe.cpp\n");
    return 2;
}
