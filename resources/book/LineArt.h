#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QStringList>

// Turns an SVG line drawing into a colouring-book page: pure black lines on pure white,
// and checks that the regions meant to be coloured are closed.
class LineArt {
public:
    // Renders the drawing and thresholds the anti-aliased result, so that every pixel is
    // exactly black or exactly white (Format_RGB32). White specks smaller than
    // minRegionArea pixels, left where lines meet at sharp angles, become black.
    static QImage Render(const QByteArray& svg, QSize size, int minRegionArea);

    // The points that the drawing marks as lying in separate regions: the circles of its
    // hidden group "regions".
    static QList<QPoint> RegionSeeds(const QByteArray& svg);

    // What is wrong with the page: a pixel that is neither black nor white, a seed on a
    // line, two seeds in one region under 4-way connection (an outline with a gap), or a
    // seed in the region round the picture. Empty when the page is sound.
    static QStringList Problems(const QImage& page, const QList<QPoint>& seeds);
};
