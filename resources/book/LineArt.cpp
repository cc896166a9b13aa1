#include "LineArt.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <queue>
#include <vector>

namespace {
constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;

// Labels the white regions of a pure black-and-white page under 4-way connection:
// -1 for black pixels, 0, 1, 2, ... for the regions; returns the area of each region.
std::vector<int> LabelRegions(const QImage& page, std::vector<int>& labels) {
    const int width = page.width();
    const int height = page.height();
    labels.assign(static_cast<std::size_t>(width) * height, -1);
    std::vector<int> areas;
    std::queue<int> pending;
    for (int start = 0; start < width * height; ++start) {
        if (labels[start] != -1 || page.pixel(start % width, start / width) != White)
            continue;
        const int label = static_cast<int>(areas.size());
        areas.push_back(0);
        labels[start] = label;
        pending.push(start);
        while (!pending.empty()) {
            const int at = pending.front();
            pending.pop();
            ++areas[label];
            const int x = at % width;
            const int y = at / width;
            const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[1] < 0 || n[0] >= width || n[1] >= height)
                    continue;
                const int index = n[1] * width + n[0];
                if (labels[index] == -1 && page.pixel(n[0], n[1]) == White) {
                    labels[index] = label;
                    pending.push(index);
                }
            }
        }
    }
    return areas;
}
} // namespace

QImage LineArt::Render(const QByteArray& svg, QSize size, int minRegionArea) {
    QImage page(size, QImage::Format_RGB32);
    page.fill(White);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    {
        QPainter painter(&page);
        renderer.render(&painter, QRectF(QPointF(0, 0), size));
    }
    // The renderer anti-aliases whatever the painter says: keep what is at least half
    // covered.
    for (int y = 0; y < page.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x)
            line[x] = qGray(line[x]) < 128 ? Black : White;
    }
    std::vector<int> labels;
    const std::vector<int> areas = LabelRegions(page, labels);
    for (int i = 0; i < page.width() * page.height(); ++i) {
        if (labels[i] >= 0 && areas[labels[i]] < minRegionArea)
            page.setPixel(i % page.width(), i / page.width(), Black);
    }
    return page;
}

QList<QPoint> LineArt::RegionSeeds(const QByteArray& svg) {
    QList<QPoint> seeds;
    QXmlStreamReader xml(svg);
    int depthInRegions = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (depthInRegions > 0)
                ++depthInRegions;
            else if (xml.name() == QLatin1String("g") &&
                     xml.attributes().value("id") == QLatin1String("regions"))
                depthInRegions = 1;
            if (depthInRegions > 0 && xml.name() == QLatin1String("circle"))
                seeds.append(QPoint(qRound(xml.attributes().value("cx").toDouble()),
                                    qRound(xml.attributes().value("cy").toDouble())));
        } else if (xml.isEndElement() && depthInRegions > 0) {
            --depthInRegions;
        }
    }
    return seeds;
}

QStringList LineArt::Problems(const QImage& page, const QList<QPoint>& seeds) {
    QStringList problems;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb pixel = page.pixel(x, y);
            if (pixel != Black && pixel != White) {
                problems << QStringLiteral("grey pixel at %1,%2").arg(x).arg(y);
                return problems;
            }
        }
    }
    std::vector<int> labels;
    LabelRegions(page, labels);
    const auto labelAt = [&](QPoint p) {
        return labels[static_cast<std::size_t>(p.y()) * page.width() + p.x()];
    };
    const int outside = labelAt(QPoint(0, 0));
    std::vector<int> owner(labels.size(), -1); // region label -> first seed found in it
    for (int i = 0; i < seeds.size(); ++i) {
        const QPoint seed = seeds[i];
        const QString where =
            QStringLiteral("region mark %1 at %2,%3").arg(i).arg(seed.x()).arg(seed.y());
        if (!QRect(QPoint(0, 0), page.size()).contains(seed)) {
            problems << where + QStringLiteral(" lies off the page");
            continue;
        }
        const int label = labelAt(seed);
        if (label < 0) {
            problems << where + QStringLiteral(" lies on a line");
        } else if (label == outside && outside >= 0) {
            problems << where + QStringLiteral(" leaks into the space round the picture");
        } else if (owner[label] >= 0) {
            problems << where + QStringLiteral(" shares its region with mark %1").arg(owner[label]);
        } else {
            owner[label] = i;
        }
    }
    return problems;
}
