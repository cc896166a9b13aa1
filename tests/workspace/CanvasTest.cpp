#include "ColourValue.h"
#include "MainWindowFixture.h"
#include "StrokeMath.h"
#include "frmMessage.h"

#include <QFile>
#include <QPainter>
#include <QTimer>
#include <random>
#include <set>

namespace {
constexpr QRgb White = 0xFFFFFFFF;

// A crayon-sized brush that paints its centre pixel only, so each stamp shows as a dot.
QImage DotBrush(int width, int height) {
    QImage brush(width, height, QImage::Format_RGB32);
    brush.fill(Qt::white);
    brush.setPixel((width - 1) / 2, (height - 1) / 2, qRgb(0, 0, 0));
    return brush;
}

// The columns of a row where the canvas differs from the line drawing.
std::set<int> PaintedColumns(const QImage& image, int row) {
    const QImage drawing = fixtures::LineDrawing();
    std::set<int> columns;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, row) != drawing.pixel(x, row))
            columns.insert(x);
    return columns;
}
} // namespace

TEST(StrokeMath, JitterStaysWithinItsRangeAndClamps) {
    struct Case {
        uint8_t channel;
        long jitter;
        int low, high;
    };
    const Case cases[] = {{250, 10, 240, 255}, {5, 10, 0, 14}, {128, 120, 8, 247}};
    for (const Case& c : cases) {
        EXPECT_EQ(StrokeMath::JitterChannel(c.channel, c.jitter, 0.0f), c.low);
        EXPECT_EQ(StrokeMath::JitterChannel(c.channel, c.jitter, 0.99999994f), c.high);
        std::mt19937 random(3);
        for (int i = 0; i < 1000; ++i) {
            const int v = StrokeMath::JitterChannel(c.channel, c.jitter,
                                                    std::generate_canonical<float, 24>(random));
            EXPECT_GE(v, c.low);
            EXPECT_LE(v, c.high);
        }
    }
}

TEST(StrokeMath, StepsFollowTheLongerAxisAndRoundHalfToEven) {
    EXPECT_EQ(StrokeMath::StampSteps(20, 0, 9, 8), 2);  // 2.22
    EXPECT_EQ(StrokeMath::StampSteps(0, 20, 9, 8), 2);  // 2.5 goes to 2
    EXPECT_EQ(StrokeMath::StampSteps(-28, 0, 8, 8), 4); // 3.5 goes to 4
    EXPECT_EQ(StrokeMath::StampSteps(10, 10, 9, 5), 2); // a tie takes the vertical spacing
    EXPECT_EQ(StrokeMath::StampSteps(0, 0, 9, 8), 0);
}

TEST_F(MainWindowTest, ClickBoundsAreInclusiveOfTheScaleEdge) {
    const int w = main.P->ScaleWidth();
    main.P_MouseDown(1, 0, -0.5f, 10);
    EXPECT_EQ(main.UndoTop, -1);
    main.P_MouseDown(1, 0, float(w), 10);
    main.P_MouseUp(1, 0, float(w), 10);
    EXPECT_EQ(main.UndoTop, 0);
    // The edge click floods the area under the edge pixel, not every white area.
    EXPECT_EQ(main.Region().Get_Pixel_Long(w - 1, 10), 0) << "the frame line";
    EXPECT_EQ(main.Region().Get_Pixel_Long(150, 60), 0xFFFFFF) << "another area stays white";
}

TEST_F(MainWindowTest, CrayonMoveStampsAtEvenSteps) {
    SelectTool(0, DotBrush(40, 35)); // spacing 39 \ 4 = 9
    main.P_MouseDown(1, 0, 120, 60);
    EXPECT_EQ(PaintedColumns(Canvas(), 60), (std::set<int>{120}));
    main.P_MouseMove(1, 0, 140, 60);
    main.P_MouseUp(1, 0, 140, 60);
    EXPECT_EQ(PaintedColumns(Canvas(), 60), (std::set<int>{120, 130, 140}));
    EXPECT_EQ(main.Canvas().ToImage(), main.P->Image()) << "the canvas copy follows the screen";
}

TEST_F(MainWindowTest, MoveWithoutAButtonDoesNothing) {
    SelectTool(0, DotBrush(40, 35));
    const QImage before = Canvas();
    main.P_MouseMove(0, 0, 120, 60);
    EXPECT_EQ(Canvas(), before);
}

TEST_F(MainWindowTest, StrokeFromALineBeginsWhereThePointerLeavesIt) {
    SelectTool(0, DotBrush(40, 35));
    main.P_MouseDown(1, 0, 100, 60); // on the middle bar
    EXPECT_EQ(main.RegionColour, 0);
    EXPECT_EQ(main.UndoTop, 0);
    main.P_MouseMove(1, 0, 100, 61); // still on the line: nothing
    main.P_MouseMove(1, 0, 120, 60); // a new stroke begins here, with its own undo entry
    main.P_MouseUp(1, 0, 120, 60);
    EXPECT_EQ(main.UndoTop, 1);
    EXPECT_EQ(main.RegionColour, 0x0000FF);
    EXPECT_EQ(PaintedColumns(Canvas(), 60), (std::set<int>{120}));
}

TEST_F(MainWindowTest, FourStrokesThenThreeUndos) {
    SelectTool(0, DotBrush(40, 35));
    std::vector<QImage> before;
    for (int i = 0; i < 4; ++i) {
        before.push_back(Canvas());
        Stroke({QPointF(110 + 10 * i, 20), QPointF(110 + 10 * i, 40)});
    }
    EXPECT_EQ(main.UndoTop, 2);
    EXPECT_TRUE(main.c[2]->Enabled());
    for (int undo = 0; undo < 3; ++undo) {
        main.c_Click(2);
        EXPECT_EQ(Canvas(), before[size_t(3 - undo)]) << "undo " << undo + 1;
        EXPECT_EQ(main.Canvas().ToImage(), Canvas());
    }
    EXPECT_EQ(main.UndoTop, -1);
    EXPECT_FALSE(main.c[2]->Enabled());
    EXPECT_NE(Canvas(), before[0]) << "the first stroke's snapshot was dropped";
}

TEST_F(MainWindowTest, PencilLineHasCentrePixelsSoftEdgesAndEndCaps) {
    SelectTool(2);
    main.P_MouseDown(1, 0, 10, 10); // a zero-length line draws nothing; the start point does
    const QImage start = Canvas();
    EXPECT_EQ(PaintedColumns(start, 10), (std::set<int>{10}));
    main.P_MouseMove(1, 0, 20, 10);
    main.P_MouseUp(1, 0, 20, 10);
    const QImage line = Canvas();
    EXPECT_EQ(PaintedColumns(line, 10),
              (std::set<int>{9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}));
    for (int x = 10; x <= 20; ++x)
        EXPECT_LT(qRed(line.pixel(x, 10)), 10) << "centre pixel " << x;
    for (int x : {9, 21})
        EXPECT_NEAR(qRed(line.pixel(x, 10)), 127, 6) << "end cap " << x;
    EXPECT_NE(line.pixel(15, 9), White);
    EXPECT_NE(line.pixel(15, 11), White);
    EXPECT_EQ(line.pixel(15, 7), White);
    EXPECT_EQ(line.pixel(15, 13), White);
    EXPECT_EQ(main.Canvas().ToImage(), line) << "mouse-up takes the pencil's pixels in";
}

TEST_F(MainWindowTest, PencilLineIsConfinedToItsRegion) {
    SelectTool(2);
    Stroke({QPointF(90, 60), QPointF(115, 60)}); // crosses the middle bar at 99..101
    const QImage line = Canvas();
    for (int x = 99; x <= 101; ++x)
        EXPECT_EQ(line.pixel(x, 60) & 0xFFFFFF, 0u);
    for (int x = 102; x <= 116; ++x)
        EXPECT_EQ(line.pixel(x, 60), White) << x;
}

// Random strokes of every tool over the drawing never change a black pixel or a pixel
// of a white area other than the one the stroke began in.
TEST_F(MainWindowTest, RandomStrokesNeverCrossTheLines) {
    const QImage outline = fixtures::LineDrawing().convertToFormat(QImage::Format_RGB32);
    std::mt19937 random(42);
    std::uniform_real_distribution<float> px(-5.0f, 205.0f), py(-5.0f, 125.0f);
    const QImage brushes[] = {fixtures::GrainyBrush(40, 35, 114),
                              fixtures::GrainyBrush(112, 106, 126),
                              fixtures::GrainyBrush(8, 8, 165)};
    int changed = 0;
    for (int stroke = 0; stroke < 60; ++stroke) {
        const int tool = int(random() % 3);
        SelectTool(tool, brushes[tool]);
        main.ColourJitter = stroke % 2 ? 120 : 10;
        main.SetCurrentColour({uint8_t(random()), uint8_t(random()), uint8_t(random())});
        const QImage before = Canvas();
        // A press always lands on the canvas; the drag may leave it.
        const QPointF start(std::clamp(px(random), 0.0f, 200.0f),
                            std::clamp(py(random), 0.0f, 120.0f));
        // The area that this stroke may paint: the white area under its start point.
        QImage area = outline;
        platform::DeviceContext dc(&area);
        dc.BrushColour = 0x0000FF;
        const QPoint s(std::clamp(int(std::nearbyint(start.x())), 0, 199),
                       std::clamp(int(std::nearbyint(start.y())), 0, 119));
        const bool onWhite = outline.pixel(s) == White;
        platform::gdi::ExtFloodFill(&dc, s.x(), s.y(), 0xFFFFFF, platform::gdi::FLOODFILLSURFACE);

        main.P_MouseDown(1, 0, float(start.x()), float(start.y()));
        for (int m = 0; m < 5; ++m)
            main.P_MouseMove(1, 0, px(random), py(random));
        main.P_MouseUp(1, 0, 0, 0);
        const QImage after = Canvas();
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                if (after.pixel(x, y) == before.pixel(x, y))
                    continue;
                ++changed;
                // A stroke begun on white paints only its own area; one begun on a line
                // begins where the pointer reaches white, but never paints black.
                ASSERT_NE(outline.pixel(x, y) & 0xFFFFFF, 0u)
                    << "stroke " << stroke << " painted black at " << x << "," << y;
                if (onWhite) {
                    ASSERT_EQ(area.pixel(x, y) & 0xFFFFFF, 0xFF0000u)
                        << "stroke " << stroke << " left its area at " << x << "," << y;
                }
            }
        }
    }
    EXPECT_GT(changed, 20000) << "the strokes painted";
}

TEST_F(MainWindowTest, ADamagedPictureLeavesTheCanvasAsItWas) {
    const QString damaged = folder.filePath(QStringLiteral("damaged.bmp"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM this is not a bitmap");
    file.close();
    const QImage before = Canvas();
    // The child is told, and the box is closed as the child would close it.
    bool errorShown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        frmMessage& message = frmMessage::Instance();
        if (message.IsLoaded() && message.Visible()) {
            errorShown = true;
            message.Unload();
        }
    });
    closer.start(10);
    main.ChoosePicture = [damaged] { return damaged; };
    main.c_Click(0);
    EXPECT_TRUE(errorShown);
    EXPECT_EQ(main.CurrentPicture, drawingPath);
    EXPECT_EQ(main.tP->Picture(), fixtures::LineDrawing());
    // Strokes still keep to the lines of the drawing on the canvas.
    SelectTool(0, fixtures::GrainyBrush(40, 35, 114));
    Stroke({QPointF(150, 60), QPointF(190, 60)});
    EXPECT_EQ(Canvas().pixel(100, 60), before.pixel(100, 60)) << "the middle bar";
    EXPECT_EQ(Canvas().pixel(50, 50), before.pixel(50, 50)) << "the left half";
}
