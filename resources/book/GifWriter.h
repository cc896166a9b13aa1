#pragma once

#include <QImage>
#include <QString>

// Writes a pure black-and-white page as a two-colour GIF (Qt reads GIF but cannot
// write it).
class GifWriter {
public:
    static bool Write(const QImage& page, const QString& path);
};
