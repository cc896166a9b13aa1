#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

// Our SVG drawings, read from the source folder given to the generator.
namespace svg {

void SetFolder(const QString& folder);

// The drawing `name` (without ".svg") on a transparent picture of the given size.
// Throws std::runtime_error when the drawing is missing or invalid.
QImage Render(const QString& name, QSize size);
// The drawing painted into `target` of an existing painter, keeping its proportions.
void Paint(QPainter& painter, const QString& name, const QRectF& target);

} // namespace svg
