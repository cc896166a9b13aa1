#include "FloodFill.h"

#include <vector>

namespace platform {
namespace {

// Fills the spans of pixels for which inside() holds, starting from (x, y), using a stack
// of seed spans. inside() must turn false for a pixel once it has been filled. edge() is
// told of every pixel beside a span that stopped the fill, with its colour (some more than
// once, and possibly pixels filled already).
template <typename Inside, typename Edge>
QRect ScanlineFill(QImage& image, int x, int y, uint32_t fill, Inside inside, Edge edge) {
    const int width = image.width();
    const int height = image.height();
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {};
    auto row = [&](int r) { return reinterpret_cast<uint32_t*>(image.scanLine(r)); };
    if (!inside(row(y)[x]))
        return {};

    const uint32_t value = 0xFF000000u | fill;
    int left = x, right = x, top = y, bottom = y;
    struct Seed {
        int x, y;
    };
    std::vector<Seed> seeds{{x, y}};
    while (!seeds.empty()) {
        const Seed seed = seeds.back();
        seeds.pop_back();
        uint32_t* line = row(seed.y);
        if (!inside(line[seed.x]))
            continue;
        int x0 = seed.x;
        while (x0 > 0 && inside(line[x0 - 1]))
            --x0;
        if (x0 > 0)
            edge(x0 - 1, seed.y, line[x0 - 1]);
        int x1 = seed.x;
        while (x1 + 1 < width && inside(line[x1 + 1]))
            ++x1;
        if (x1 + 1 < width)
            edge(x1 + 1, seed.y, line[x1 + 1]);
        for (int i = x0; i <= x1; ++i)
            line[i] = value;
        left = std::min(left, x0);
        right = std::max(right, x1);
        top = std::min(top, seed.y);
        bottom = std::max(bottom, seed.y);
        // One seed for every run of inside pixels above and below the span.
        for (int ny : {seed.y - 1, seed.y + 1}) {
            if (ny < 0 || ny >= height)
                continue;
            const uint32_t* next = row(ny);
            bool inRun = false;
            for (int i = x0; i <= x1; ++i) {
                const bool in = inside(next[i]);
                if (in && !inRun)
                    seeds.push_back({i, ny});
                if (!in)
                    edge(i, ny, next[i]);
                inRun = in;
            }
        }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

QRect FloodFillSurface(QImage& image, int x, int y, uint32_t surface, uint32_t fill) {
    surface &= 0xFFFFFFu;
    fill &= 0xFFFFFFu;
    if (surface == fill) {
        // Already the fill colour everywhere it would go: nothing changes.
        return {};
    }
    return ScanlineFill(
        image, x, y, fill, [surface](uint32_t pixel) { return (pixel & 0xFFFFFFu) == surface; },
        [](int, int, uint32_t) {});
}

QRect FloodFillBorder(QImage& image, int x, int y, uint32_t border, uint32_t fill) {
    border &= 0xFFFFFFu;
    fill &= 0xFFFFFFu;
    return ScanlineFill(
        image, x, y, fill,
        [border, fill](uint32_t pixel) {
            const uint32_t rgb = pixel & 0xFFFFFFu;
            return rgb != border && rgb != fill;
        },
        [](int, int, uint32_t) {});
}

QRect FloodFillNear(QImage& image, int x, int y, uint32_t reference, int tolerance, uint32_t fill,
                    std::vector<QPoint>* edge) {
    fill &= 0xFFFFFFu;
    reference &= 0xFFFFFFu;
    // Filled pixels are known by the fill colour alone, so the reference must differ from it;
    // one step of blue changes no judgement that matters.
    if (reference == fill)
        reference ^= 1u;
    return ScanlineFill(
        image, x, y, fill,
        [reference, tolerance, fill](uint32_t pixel) {
            // Most pixels of an area hold its colour exactly: only the others are measured.
            const uint32_t rgb = pixel & 0xFFFFFFu;
            return rgb == reference || (rgb != fill && ColourDistance(rgb, reference) <= tolerance);
        },
        [edge, fill](int ex, int ey, uint32_t pixel) {
            if (edge && (pixel & 0xFFFFFFu) != fill)
                edge->push_back({ex, ey});
        });
}

} // namespace platform
