#pragma once

#include "PictureFiles.h"
#include "PicturePackFile.h"

#include <QByteArray>
#include <QColor>
#include <vector>

// Pictures for packs: small GIF drawings that load, each different, carrying a comment
// with every byte value in it (NULs and the separator's bytes too, one at a time), so that
// a pack's bytes are seen to pass unchanged.
inline QByteArray PackPicture(int seed) {
    std::vector<uint8_t> indices(12);
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = uint8_t((i + size_t(seed)) % 2);
    QByteArray gif = fixtures::GifFile(4, 3, indices, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, -1);
    // A comment extension in blocks of 200 bytes, before the trailer.
    QByteArray comment("\x21\xFE", 2);
    for (int block = 0; block < 3; ++block) {
        comment.append(char(200));
        for (int i = 0; i < 200; ++i)
            comment.append(char(((block * 200 + i) * 7 + seed) & 0xFF));
    }
    comment.append(char(0));
    gif.insert(gif.size() - 1, comment);
    return gif;
}

// A pack of the header and the pieces, each after a separator, as the builder writes one.
inline QByteArray Pack(const QByteArray& header, const std::vector<QByteArray>& pieces) {
    QByteArray pack = header;
    for (const QByteArray& piece : pieces)
        pack += PicturePackFile::PackSeparator() + piece;
    return pack;
}
