// Storing a coloured 1024 x 768 canvas, beside a bare JPEG compression of the same pixels
// at the same quality: what storing costs beyond the encoder.
#include "FrmMain.h"
#include "MainWindowStart.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

namespace {

QImage ColouredPicture() {
    QImage image(1024, 768, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < 768; y += 64)
        for (int x = 0; x < 1024; x += 64)
            painter.fillRect(x, y, 64, 64, QColor::fromHsv((x + y) % 360, 200, 230));
    painter.setPen(QPen(Qt::black, 4));
    for (int x = 0; x <= 1024; x += 128)
        painter.drawLine(x, 0, x, 768);
    return image;
}

struct Window {
    Window() {
        platform::SetProgramFolder(folder.path());
        QDir().mkpath(folder.filePath(QStringLiteral("books/Bench")));
        const QString path = folder.filePath(QStringLiteral("books/Bench/coloured.bmp"));
        ColouredPicture().save(path);
        StartMainWindow(main, path);
    }
    QTemporaryDir folder;
    FrmMain& main = FrmMain::Instance();
};

void BM_StoreColouring(benchmark::State& state) {
    static Window window;
    for (auto _ : state)
        window.main.SaveColoredPicture();
}
BENCHMARK(BM_StoreColouring)->Unit(benchmark::kMillisecond);

void BM_BareCompress(benchmark::State& state) {
    const QImage image = ColouredPicture().convertToFormat(QImage::Format_RGB888);
    tjhandle handle = tjInitCompress();
    for (auto _ : state) {
        unsigned char* jpeg = nullptr;
        unsigned long size = 0;
        tjCompress2(handle, image.constBits(), image.width(), int(image.bytesPerLine()),
                    image.height(), TJPF_RGB, &jpeg, &size, TJSAMP_420, 90, 0);
        benchmark::DoNotOptimize(size);
        tjFree(jpeg);
    }
    tjDestroy(handle);
}
BENCHMARK(BM_BareCompress)->Unit(benchmark::kMillisecond);

} // namespace
