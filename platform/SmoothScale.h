#pragma once

#include <QImage>
#include <QSize>

namespace platform {

// The picture scaled to `size` by area averaging: exactly the pixels of
// QImage::scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation). An RGB32 picture
// shrunk in both directions is averaged here, on the calling thread and from a table of
// spans and weights made once per call: Qt spreads a large picture over its thread pool,
// which costs more CPU than the averaging itself. Everything else goes to Qt.
QImage SmoothScaled(const QImage& picture, QSize size);

} // namespace platform
