#pragma once

#include "Fixtures.h"
#include "FrmMain.h"
#include "MainWindowStart.h"
#include "ProgramFolder.h"
#include "Random.h"
#include "pButton.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The main window with the fixture line drawing on its canvas, crayon selected,
// colour black and normal jitter, in a program folder of its own.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform::SetProgramFolder(folder.path());
        // The drawing of an earlier test in the same process is not stored into this folder.
        main.CurrentPicture.clear();
        ASSERT_TRUE(QDir().mkpath(folder.filePath(QStringLiteral("books/Test"))));
        drawingPath = folder.filePath(QStringLiteral("books/Test/drawing.bmp"));
        ASSERT_TRUE(fixtures::LineDrawing().save(drawingPath));
        ASSERT_TRUE(StartMainWindow(main, drawingPath));
        SelectTool(0);
        main.SetCurrentColour({0, 0, 0});
        main.ColourJitter = 10;
        platform::SeedRandom(1);
    }

    void TearDown() override { platform::SetProgramFolder(QString()); }

    // Uses a brush of our own for the tool, so that stamps are predictable.
    void SelectTool(int tool, const QImage& brush = {}) {
        if (!brush.isNull())
            main.pBr[size_t(tool)]->SetPicture(brush);
        main.pTool_MouseUp(tool);
    }

    void Stroke(std::initializer_list<QPointF> points) {
        auto it = points.begin();
        main.P_MouseDown(1, 0, float(it->x()), float(it->y()));
        for (++it; it != points.end(); ++it)
            main.P_MouseMove(1, 0, float(it->x()), float(it->y()));
        const QPointF last = *(points.end() - 1);
        main.P_MouseUp(1, 0, float(last.x()), float(last.y()));
    }

    QImage Canvas() { return main.P->Image().copy(); }

    QTemporaryDir folder;
    QString drawingPath;
    FrmMain& main = FrmMain::Instance();
};
