// libFuzzer target for loading pictures: the bytes as a picture file, loaded as the canvas
// and the chooser load pictures (BMP through Qt with our size checks, JPEG through libjpeg,
// GIF through giflib). Whatever the file holds, the result is null or an RGB32 picture within the
// program's limits, and loading into an image already in use gives the same pixels as
// loading into a new one. A JPEG it accepts, Qt's reader shows pixel for pixel alike.
// Built and run by bench/fuzz.sh.
#include "FuzzCheck.h"
#include "JpegReader.h"
#include "PictureFile.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <cstdint>

namespace {
constexpr uint32_t Back = 0x00C08040; // a back colour unlike white and black
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    static const QString path = folder.filePath(QStringLiteral("picture"));
    FuzzWrite(path, reinterpret_cast<const char*>(data), size);

    const QImage fresh = platform::LoadPicture(path, Back);
    if (!fresh.isNull()) {
        FuzzCheck(fresh.format() == QImage::Format_RGB32, "not RGB32");
        FuzzCheck(fresh.width() <= platform::MaxPictureSide &&
                      fresh.height() <= platform::MaxPictureSide &&
                      qint64(fresh.width()) * fresh.height() <= platform::MaxPicturePixels,
                  "a picture over the limits");
    }

    if (!fresh.isNull() && platform::IsJpeg(QByteArrayView(data, qsizetype(size)))) {
        QImageReader reader(path, "jpeg");
        const QImage qt = reader.read().convertToFormat(QImage::Format_RGB32);
        FuzzCheck(!qt.isNull(), "accepted a JPEG that Qt refuses");
        FuzzCheck(qt == fresh, "pixels differ from Qt's");
    }

    // Into an image of the picture's size holding other pixels, as the chooser loads one
    // picture after another into one buffer.
    QImage used(fresh.isNull() ? QSize(7, 5) : fresh.size(), QImage::Format_RGB32);
    used.fill(0xFF123456u);
    const bool loaded = platform::LoadPicture(path, Back, used);
    FuzzCheck(loaded == !fresh.isNull(), "a second loading disagrees");
    if (loaded) {
        FuzzCheck(used.size() == fresh.size(), "the size differs");
        for (int y = 0; y < fresh.height(); ++y) {
            const QRgb* a = reinterpret_cast<const QRgb*>(fresh.constScanLine(y));
            const QRgb* b = reinterpret_cast<const QRgb*>(used.constScanLine(y));
            for (int x = 0; x < fresh.width(); ++x)
                FuzzCheck(((a[x] ^ b[x]) & 0x00FFFFFF) == 0,
                          "loading into a used image changed the pixels");
        }
    }
    return 0;
}
