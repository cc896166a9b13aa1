// The stroke path on a 1024 x 768 line drawing: the start of a stroke (beside the same
// steps with a flood of pure white only, as strokes began before areas were judged by
// colour), one paintbrush stamp, a 200-pixel paintbrush drag segment and a 200-pixel
// pencil segment.
#include "Arithmetic.h"
#include "Fixtures.h"
#include "FrmMain.h"
#include "Gdi.h"
#include "MainWindowStart.h"
#include "ProgramFolder.h"
#include "Random.h"
#include "StrokeMath.h"
#include "mMain_Brush.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A grid of closed boxes, the kind of areas a child fills; the middle box is large.
QImage LargeDrawing() {
    QImage image(1024, 768, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (int x = 0; x <= 1024; x += 128)
        painter.drawRect(std::min(x, 1020), 0, 4, 768);
    for (int y = 0; y <= 768; y += 128)
        painter.drawRect(0, std::min(y, 764), 1024, 4);
    painter.setBrush(Qt::white);
    painter.drawRect(260, 260, 500, 250); // one large area in the middle
    return image;
}

struct Window {
    Window() {
        platform::SetProgramFolder(folder.path());
        QDir().mkpath(folder.filePath(QStringLiteral("books/Bench")));
        const QString path = folder.filePath(QStringLiteral("books/Bench/large.bmp"));
        LargeDrawing().save(path);
        StartMainWindow(main, path);
        main.pBr[0]->SetPicture(fixtures::GrainyBrush(40, 35, 114));
        main.pBr[1]->SetPicture(fixtures::GrainyBrush(112, 106, 126));
        main.pBr[2]->SetPicture(fixtures::GrainyBrush(8, 8, 165));
    }
    QTemporaryDir folder;
    FrmMain& main = FrmMain::Instance();
};

Window& TheWindow() {
    static Window window;
    return window;
}

void BM_StrokeStart(benchmark::State& state) {
    FrmMain& main = TheWindow().main;
    main.pTool_MouseUp(1);
    for (auto _ : state) {
        main.P_MouseDown(1, 0, 500, 400);
        state.PauseTiming();
        main.P_MouseUp(1, 0, 500, 400);
        main.c_Click(2);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StrokeStart)->Unit(benchmark::kMillisecond);

// The stroke start's steps with the flood of the start's pure white: the outline layer
// cleared, the undo snapshots, the flood, the region copy and the first stamp.
void BM_StrokeStartExactWhite(benchmark::State& state) {
    namespace gdi = platform::gdi;
    FrmMain& main = TheWindow().main;
    main.pTool_MouseUp(1);
    cNDib canvas, region, brush, undoCanvas, undoOutline;
    canvas.Make_From_Picture(*main.P);
    brush.Make_From_Picture(*main.pBr[1]);
    for (auto _ : state) {
        main.Timer1->SetEnabled(false);
        main.tP->Cls();
        undoCanvas.Make_From_Picture(*main.P);
        undoOutline.Make_From_Picture(*main.tP);
        main.tP->SetFillColor(255);
        gdi::ExtFloodFill(main.tP->hDC(), 500, 400, 0xFFFFFF, gdi::FLOODFILLSURFACE);
        region.Make_From_Picture(*main.tP);
        const long key = region.Get_Pixel_Long(500, 400);
        main.P->CurrentX = 500;
        main.P->CurrentY = 400;
        const RGBTriple c = main.CurrentColour;
        const long colour =
            long(platform::RGB(StrokeMath::JitterChannel(c.R, main.ColourJitter, platform::Rnd()),
                               StrokeMath::JitterChannel(c.G, main.ColourJitter, platform::Rnd()),
                               StrokeMath::JitterChannel(c.B, main.ColourJitter, platform::Rnd())));
        mMain::StampBrush(canvas, region, brush, 500, 400, key, colour, main.P->hDC());
        main.P->Refresh();
        state.PauseTiming();
        main.Timer1->SetEnabled(true);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StrokeStartExactWhite)->Unit(benchmark::kMillisecond);

void BM_PaintbrushStamp(benchmark::State& state) {
    cNDib canvas = fixtures::SolidDib(1024, 768, 0xFFFFFF);
    const cNDib region = fixtures::SolidDib(1024, 768, 0x0000FF);
    cNDib brush;
    brush.Make_From_Image(fixtures::GrainyBrush(112, 106, 126));
    QImage screen(1024, 768, QImage::Format_RGB32);
    platform::DeviceContext dc(&screen);
    for (auto _ : state)
        mMain::StampBrush(canvas, region, brush, 500, 400, 0x0000FF, 0x3366CC, &dc);
}
BENCHMARK(BM_PaintbrushStamp)->Unit(benchmark::kMicrosecond);

void Segment(benchmark::State& state, int tool) {
    FrmMain& main = TheWindow().main;
    main.pTool_MouseUp(tool);
    main.P_MouseDown(1, 0, 400, 400);
    for (auto _ : state) {
        main.P->CurrentX = 400;
        main.P->CurrentY = 400;
        main.P_MouseMove(1, 0, 600, 400);
    }
    main.P_MouseUp(1, 0, 600, 400);
    main.c_Click(2);
}

void BM_PaintbrushSegment200(benchmark::State& state) {
    Segment(state, 1);
}
BENCHMARK(BM_PaintbrushSegment200)->Unit(benchmark::kMillisecond);

void BM_PencilSegment200(benchmark::State& state) {
    Segment(state, 2);
}
BENCHMARK(BM_PencilSegment200)->Unit(benchmark::kMicrosecond);

} // namespace
