#include "GifWriter.h"

#include <QSaveFile>
#include <gif_lib.h>
#include <vector>

namespace {
// giflib writes through this into memory; the file itself is written with Qt, so that it
// gets the usual permissions.
int Append(GifFileType* gif, const GifByteType* bytes, int count) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), count);
    return count;
}
} // namespace

bool GifWriter::Write(const QImage& page, const QString& path) {
    QByteArray data;
    int error = 0;
    GifFileType* gif = EGifOpen(&data, Append, &error);
    if (!gif)
        return false;
    GifColorType colours[2] = {{255, 255, 255}, {0, 0, 0}}; // 0 white, 1 black
    ColorMapObject* map = GifMakeMapObject(2, colours);
    bool ok = map && EGifPutScreenDesc(gif, page.width(), page.height(), 1, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, page.width(), page.height(), false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(static_cast<std::size_t>(page.width()));
    for (int y = 0; ok && y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            line[x] = qGray(page.pixel(x, y)) < 128 ? 1 : 0;
        ok = EGifPutLine(gif, line.data(), page.width()) == GIF_OK;
    }
    GifFreeMapObject(map);
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    if (!ok)
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}
