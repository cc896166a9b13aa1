// Choosing a tool: its brush, its button latched, and its cursor on the canvas.
#include "MainWindowFixture.h"
#include "Resources.h"

#include <QCursor>

namespace {
class ToolTest : public MainWindowTest {};
} // namespace

TEST_F(ToolTest, ToolButtonSwitchesBrushPressedStatesAndCanvasCursor) {
    const long cursorIds[] = {106, 104, 102};
    for (int tool : {1, 2, 0, 2}) {
        SCOPED_TRACE(tool);
        main.pTool_MouseUp(tool);
        EXPECT_EQ(main.CurrentTool, tool);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(main.pTool[size_t(i)]->Pressed(), i == tool);
        // The brush is a copy of the tool's brush picture.
        const QImage& brush = main.pBr[size_t(tool)]->Image();
        EXPECT_EQ(main.Brush().Width(), brush.width() - 1);
        EXPECT_EQ(main.Brush().Height(), brush.height() - 1);
        EXPECT_EQ(main.Brush().ToImage(), brush.convertToFormat(QImage::Format_RGB32));
        EXPECT_TRUE(main.Pc->isVisibleTo(main.Window()));
        EXPECT_TRUE(main.c[3]->Enabled());

        const auto artwork = platform::resources::Cursor(int(cursorIds[tool]));
        if (artwork) {
            ASSERT_TRUE(main.P->testAttribute(Qt::WA_SetCursor));
            EXPECT_EQ(main.P->cursor().shape(), Qt::BitmapCursor);
            EXPECT_EQ(main.P->cursor().pixmap().size(), artwork->image.size());
            EXPECT_EQ(main.P->cursor().hotSpot(), artwork->hotSpot);
        } else {
            // Without the artwork the canvas keeps its normal pointer.
            EXPECT_FALSE(main.P->testAttribute(Qt::WA_SetCursor));
        }
    }
}
