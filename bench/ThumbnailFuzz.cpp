// libFuzzer target for the thumbnail cache: the bytes as a picture whose thumbnail is made
// and stored, and as a stored thumbnail (".qrv") that the chooser reads back. A thumbnail
// is made whole or not at all: a 100 x 100 square that reads back pixel for pixel, or
// nothing written and no part file left. Built and run by bench/fuzz.sh.
#include "FuzzCheck.h"
#include "PictureFile.h"
#include "Thumbnail.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    static const QString picture = folder.filePath(QStringLiteral("drawing.gif"));
    static const QString thumbnail = picture + QStringLiteral(".qrv");
    const char* bytes = reinterpret_cast<const char*>(data);

    QFile::remove(thumbnail);
    FuzzWrite(picture, bytes, size);
    const QImage made = Thumbnail::Create(picture, thumbnail);
    FuzzCheck(QDir(folder.path()).entryList(QDir::Files).size() == (made.isNull() ? 1 : 2),
              "a thumbnail file left where none was made, or a part file left over");
    if (!made.isNull()) {
        FuzzCheck(made.size() == QSize(Thumbnail::Size, Thumbnail::Size), "not a square");
        const QImage stored = platform::LoadPicture(thumbnail);
        FuzzCheck(stored.size() == made.size(), "the stored thumbnail has another size");
        for (int y = 0; y < made.height(); ++y) {
            for (int x = 0; x < made.width(); ++x)
                FuzzCheck(((stored.pixel(x, y) ^ made.pixel(x, y)) & 0x00FFFFFF) == 0,
                          "the stored thumbnail shows other pixels");
        }
    }

    // The same bytes as a stored thumbnail, read as the chooser reads its cache.
    FuzzWrite(thumbnail, bytes, size);
    const QImage cached = platform::LoadPicture(thumbnail);
    FuzzCheck(cached.isNull() || cached.format() == QImage::Format_RGB32, "not RGB32");
    return 0;
}
