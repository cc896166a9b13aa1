#include "StrokeArea.h"

#include "FloodFill.h"

#include <algorithm>
#include <vector>

namespace StrokeArea {
namespace {

using platform::ColourDistance;
constexpr uint32_t Rgb = 0xFFFFFFu;

uint32_t At(const QImage& image, int x, int y) {
    return reinterpret_cast<const uint32_t*>(image.constScanLine(y))[x];
}

bool Ink(uint32_t pixel) {
    return qRed(pixel) <= InkLevel && qGreen(pixel) <= InkLevel && qBlue(pixel) <= InkLevel;
}

// By how much `other` is lighter than `pixel` on the channel where it gains most.
int Lift(uint32_t pixel, uint32_t other) {
    return std::max(
        {qRed(other) - qRed(pixel), qGreen(other) - qGreen(pixel), qBlue(other) - qBlue(pixel)});
}

// The pixel within `r` of (x, y), or the pixel itself, that is lightest against it, and by
// how much.
QPoint LightestNear(const QImage& image, int x, int y, int r, int& lift) {
    const uint32_t pixel = At(image, x, y);
    QPoint best(x, y);
    lift = 0;
    for (int ny = std::max(y - r, 0); ny <= std::min(y + r, image.height() - 1); ++ny) {
        for (int nx = std::max(x - r, 0); nx <= std::min(x + r, image.width() - 1); ++nx) {
            const int l = Lift(pixel, At(image, nx, ny));
            if (l > lift) {
                lift = l;
                best = QPoint(nx, ny);
            }
        }
    }
    return best;
}

// The area's colour: the mean of the pixels round the start that are close to it, so
// that one grain of noise under the pointer does not set the area's colour.
uint32_t AreaColour(const QImage& image, int x, int y) {
    const uint32_t start = At(image, x, y);
    int red = 0, green = 0, blue = 0, n = 0;
    for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, image.height() - 1); ++ny) {
        for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, image.width() - 1); ++nx) {
            const uint32_t pixel = At(image, nx, ny);
            if (ColourDistance(pixel, start) > Tolerance)
                continue;
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
            ++n;
        }
    }
    return qRgb((red + n / 2) / n, (green + n / 2) / n, (blue + n / 2) / n);
}

// The pixels round the flooded area, read and marked through the image's rows directly:
// the seam and speck rules visit each of them many times.
class Marker {
public:
    Marker(QImage& image, uint32_t key, uint32_t area, QRect& changed)
        : bits_(reinterpret_cast<uint32_t*>(image.bits())), stride_(int(image.bytesPerLine() / 4)),
          width_(image.width()), height_(image.height()), key_(key & Rgb), area_(area),
          changed_(changed) {}

    uint32_t Pixel(int x, int y) const { return bits_[y * stride_ + x]; }
    bool Marked(int x, int y) const { return (Pixel(x, y) & Rgb) == key_; }
    // How far the pixel lies from the area's colour; marked pixels belong to the area.
    int Distance(int x, int y) const {
        const uint32_t pixel = Pixel(x, y);
        return (pixel & Rgb) == key_ ? 0 : ColourDistance(pixel, area_);
    }
    void Mark(int x, int y) {
        bits_[y * stride_ + x] = 0xFF000000u | key_;
        changed_ |= QRect(x, y, 1, 1);
    }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // The distance of the pixel within two of (x, y) that lies furthest from the area: the
    // colour of the line nearby.
    int Furthest(int x, int y) const {
        int furthest = 0;
        for (int ny = std::max(y - 2, 0); ny <= std::min(y + 2, height_ - 1); ++ny)
            for (int nx = std::max(x - 2, 0); nx <= std::min(x + 2, width_ - 1); ++nx)
                furthest = std::max(furthest, Distance(nx, ny));
        return furthest;
    }

private:
    uint32_t* bits_;
    int stride_, width_, height_;
    uint32_t key_;
    uint32_t area_;
    QRect& changed_;
};

constexpr QPoint Steps[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};

// The seam: from the pixels that stopped the flood, outwards while each pixel lies further
// from the area's colour than the one before and not past two fifths of the way to the
// line's colour (short of the middle, which noise and compression blur). A line's
// middle is never taken, so the seam cannot lead through a line. Returns the pixels of the
// flood's edge that were not taken.
std::vector<QPoint> TakeSeam(Marker& marker, std::vector<QPoint> ring) {
    std::vector<QPoint> left, next;
    for (int step = 0; step < SeamWidth && !ring.empty(); ++step) {
        next.clear();
        for (const QPoint p : ring) {
            if (marker.Marked(p.x(), p.y()))
                continue;
            const int d = marker.Distance(p.x(), p.y());
            // No colour lies further than 255 from the area's, so a pixel two fifths of
            // that away is never seam: the 5x5 search is left out for the line itself.
            if (5 * d >= 2 * 255 || 5 * d >= 2 * marker.Furthest(p.x(), p.y())) {
                if (step == 0)
                    left.push_back(p);
                continue;
            }
            marker.Mark(p.x(), p.y());
            for (const QPoint s : Steps) {
                const QPoint n = p + s;
                if (marker.Contains(n.x(), n.y()) && marker.Distance(n.x(), n.y()) > d)
                    next.push_back(n);
            }
        }
        ring.swap(next);
    }
    return left;
}

// Specks: a few pixels enclosed by the area, not as far from its colour as a line, are
// grains of noise and belong to the area.
void TakeSpecks(Marker& marker, const std::vector<QPoint>& candidates) {
    std::vector<QPoint> speck, stack;
    for (const QPoint start : candidates) {
        speck.clear();
        stack.assign(1, start);
        bool enclosed = true;
        while (!stack.empty() && enclosed) {
            const QPoint p = stack.back();
            stack.pop_back();
            if (marker.Marked(p.x(), p.y()) ||
                std::find(speck.begin(), speck.end(), p) != speck.end())
                continue;
            if (marker.Distance(p.x(), p.y()) > LineContrast || int(speck.size()) == SpeckSize) {
                enclosed = false;
                break;
            }
            speck.push_back(p);
            for (const QPoint s : Steps)
                if (marker.Contains(p.x() + s.x(), p.y() + s.y()))
                    stack.push_back(p + s);
        }
        if (enclosed)
            for (const QPoint p : speck)
                marker.Mark(p.x(), p.y());
    }
}

} // namespace

bool OnLine(const QImage& image, int x, int y) {
    if (!image.rect().contains(x, y) || Ink(At(image, x, y)))
        return true;
    // Within two pixels: the middle of a line three pixels wide sees the paper beside it.
    int lift = 0;
    LightestNear(image, x, y, 2, lift);
    return lift > LineContrast;
}

QRect Flood(QImage& image, int x, int y, uint32_t key) {
    if (OnLine(image, x, y))
        return {};
    // A start on the soft edge of a line moves into the area beside it.
    int lift = 0;
    const QPoint lightest = LightestNear(image, x, y, 1, lift);
    if (lift > Tolerance) {
        x = lightest.x();
        y = lightest.y();
    }
    const uint32_t area = AreaColour(image, x, y);
    std::vector<QPoint> edge;
    QRect changed = platform::FloodFillNear(image, x, y, area, Tolerance, key, &edge);
    Marker marker(image, key, area, changed);
    TakeSpecks(marker, TakeSeam(marker, std::move(edge)));
    return changed;
}

uint32_t KeyFor(const QImage& picture) {
    const QImage drawing = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<uint64_t> held(size_t(1) << 18);
    for (int y = 0; y < drawing.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(drawing.constScanLine(y));
        for (int x = 0; x < drawing.width(); ++x) {
            const uint32_t rgb = row[x] & Rgb;
            held[rgb >> 6] |= uint64_t(1) << (rgb & 63);
        }
    }
    for (uint32_t i = 0; i <= Rgb; ++i) {
        const uint32_t rgb = (0xFF0000u + i) & Rgb;
        if (rgb != 0 && rgb != Rgb && !(held[rgb >> 6] >> (rgb & 63) & 1))
            return 0xFF000000u | rgb;
    }
    return 0xFFFF0000u; // a drawing holds fewer pixels than there are colours
}

} // namespace StrokeArea
