// The start-up's screen checks, settings and layout, and its re-run after saved options.
#include "ColourValue.h"
#include "Fixtures.h"
#include "MainWindowStart.h"
#include "ModalAnswers.h"
#include "ProgramFolder.h"
#include "frmParentalOptions.h"
#include "pButton.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct ScreenCase {
    const char* name;
    platform::ScreenMetrics screen;
    ModalAnswers::Answer answer;
    const char* notice; // the start of the adult's notice, "" for none
    bool ends;
};

void PrintTo(const ScreenCase& c, std::ostream* os) {
    *os << c.name;
}

class ScreenCheckTest : public testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenCheckTest, WarnsOrEndsAsTheScreenNeeds) {
    const ScreenCase& c = GetParam();
    QTemporaryDir folder;
    platform::SetProgramFolder(folder.path());
    FrmMain& main = FrmMain::Instance();
    bool ended = false;
    ModalAnswers answers(c.answer);
    ASSERT_TRUE(StartMainWindow(main, QString(), &ended));
    // The start-up itself is run with the screen of this case.
    main.Unload();
    ended = false;
    main.Initialised = false;
    answers.parentMessages.clear();
    platform::SetScreenForTesting([&c] { return c.screen; });
    main.Load();
    EXPECT_EQ(ended, c.ends);
    if (*c.notice) {
        ASSERT_EQ(answers.parentMessages.size(), 1);
        EXPECT_TRUE(answers.parentMessages[0].startsWith(QString::fromUtf8(c.notice)))
            << answers.parentMessages[0].toStdString();
    } else {
        EXPECT_TRUE(answers.parentMessages.isEmpty());
    }
    EXPECT_EQ(main.Initialised, !c.ends);
    platform::SetProgramFolder(QString());
}

const char* const TooSmall = "This program can not run under the current screen resolution.";
const char* const Recommend = "Although this program is able to run";

INSTANTIATE_TEST_SUITE_P(
    Screens, ScreenCheckTest,
    testing::Values(ScreenCase{"Recommended", {1024, 768, 32}, ModalAnswers::Ok, "", false},
                    ScreenCase{"Narrow", {1023, 768, 24}, ModalAnswers::Ok, Recommend, false},
                    ScreenCase{
                        "NarrowCancelled", {1023, 768, 24}, ModalAnswers::Cancel, Recommend, true},
                    ScreenCase{"Smallest", {800, 600, 16}, ModalAnswers::Ok, Recommend, false},
                    ScreenCase{"TooNarrow", {799, 600, 24}, ModalAnswers::Ok, TooSmall, true},
                    ScreenCase{"TooFewColours", {1024, 768, 15}, ModalAnswers::Ok, TooSmall, true}),
    [](const testing::TestParamInfo<ScreenCase>& info) { return info.param.name; });

class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform::SetProgramFolder(folder.path());
    }
    void TearDown() override { platform::SetProgramFolder(QString()); }

    QTemporaryDir folder;
    FrmMain& main = FrmMain::Instance();
};

TEST_F(StartupTest, LaysOutTheButtonsAndBubblesAndMakesTheColouredPicturesFolder) {
    ASSERT_TRUE(StartMainWindow(main, QString()));
    EXPECT_TRUE(QDir(folder.filePath(QStringLiteral("colored pictures"))).exists());
    // Buttons in a row from the left, the tools after the actions, the palette after them.
    int x = 0;
    for (pButton* button : main.c) {
        EXPECT_EQ(button->x(), x);
        EXPECT_EQ(button->y(), main.pT->ScaleHeight() / 2 - button->height() / 2);
        x += button->width();
    }
    for (pButton* tool : main.pTool) {
        EXPECT_EQ(tool->x(), x);
        EXPECT_FALSE(tool->Enabled());
        x += tool->width();
    }
    EXPECT_TRUE(main.pTool[0]->Pressed());
    EXPECT_EQ(main.Pc->x(), x);
    EXPECT_EQ(main.Pc->width(), main.pT->ScaleWidth() - x);
    EXPECT_FALSE(main.c[1]->Enabled());
    EXPECT_FALSE(main.c[2]->Enabled());
    EXPECT_FALSE(main.c[3]->Enabled());
    // The function buttons in a row from the corner.
    int right = 0;
    for (platform::PictureBox* button : main.pFunc) {
        EXPECT_EQ(button->x(), right);
        right += button->ScaleWidth();
    }
    EXPECT_EQ(main.GetFunctionBarRight(), right);

    // 23 bubbles below the palette, the last one opening the colour picker; each mask is
    // white round its bubble and black inside it.
    const auto& bubbles = main.GetBubbles();
    ASSERT_EQ(bubbles.size(), 23u);
    ASSERT_EQ(main.GetSprites().size(), 46u);
    for (size_t i = 0; i < bubbles.size(); ++i) {
        const BubbleRecord& b = bubbles[i];
        EXPECT_EQ(b.Radius, float(main.pCC[i]->ScaleWidth()) / 2);
        EXPECT_GE(b.Y, main.Pc->ScaleHeight() + b.Radius);
        EXPECT_LT(b.Y, main.Pc->ScaleHeight() + b.Radius + 20);
        EXPECT_LT(b.VY, 0);
        EXPECT_NE(b.Colour, 0);
        const cNDib& sprite = main.GetSprites()[i];
        const cNDib& mask = main.GetSprites()[i + bubbles.size()];
        for (long y = 0; y <= sprite.Height(); y += 3)
            for (long x = 0; x <= sprite.Width(); x += 3)
                EXPECT_EQ(mask.Get_Pixel_Long(x, y) & 0xFFFFFF,
                          sprite.Get_Pixel_Long(x, y) == 0 ? 0xFFFFFFu : 0u);
    }
    EXPECT_EQ(bubbles[22].Colour, -1);
}

TEST_F(StartupTest, AutoHideHidesTheFunctionButtons) {
    ASSERT_TRUE(StartMainWindow(main, QString()));
    SettingsFile::OptionValues values;
    values.Check1 = 0;
    values.Check2 = 1; // auto-hide
    values.Check3 = 0;
    ASSERT_TRUE(SettingsFile::Write(values));
    main.Form_Load();
    for (platform::PictureBox* button : main.pFunc)
        EXPECT_TRUE(button->isHidden());
}

TEST_F(StartupTest, TheRerunResetsTheWorkingStateAndKeepsTheBubbles) {
    ASSERT_TRUE(QDir().mkpath(folder.filePath(QStringLiteral("books/Test"))));
    const QString drawing = folder.filePath(QStringLiteral("books/Test/drawing.bmp"));
    ASSERT_TRUE(fixtures::LineDrawing().save(drawing));
    ASSERT_TRUE(StartMainWindow(main, drawing));
    const std::vector<BubbleRecord> bubbles = main.GetBubbles();
    const long hook = main.GetKeyboardHook();
    main.SetCurrentColour({200, 10, 10});
    main.ColourJitter = 120;
    main.pTool_MouseUp(2);
    main.c_MouseDown(3);
    main.c_MouseUp(3);
    int chooserShown = 0;
    main.ChoosePicture = [&chooserShown] {
        ++chooserShown;
        return QString();
    };

    main.Form_Load();
    EXPECT_EQ(chooserShown, 0) << "the chooser opens on the first load only";
    EXPECT_EQ(main.GetKeyboardHook(), hook);
    EXPECT_EQ(main.CurrentColour.R, 0);
    EXPECT_EQ(main.ColourJitter, 10);
    EXPECT_EQ(main.RegionColour, -1);
    EXPECT_FALSE(main.c[3]->Pressed());
    EXPECT_FALSE(main.c[1]->Enabled());
    EXPECT_FALSE(main.pTool[2]->Enabled());
    EXPECT_FALSE(main.Timer1->Enabled());
    EXPECT_EQ(main.GetSprites().size(), 46u);
    ASSERT_EQ(main.GetBubbles().size(), bubbles.size());
    for (size_t i = 0; i < bubbles.size(); ++i) {
        EXPECT_EQ(main.GetBubbles()[i].X, bubbles[i].X);
        EXPECT_EQ(main.GetBubbles()[i].Y, bubbles[i].Y);
        EXPECT_EQ(main.GetBubbles()[i].VY, bubbles[i].VY);
    }
    EXPECT_EQ(main.CurrentPicture, drawing) << "the picture stays open";
}

// A first start on the chooser, closed without a picture: the window as the child first
// meets it.
class FreshStartTest : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        main.CurrentPicture.clear(); // nothing of an earlier test is stored here
        ASSERT_TRUE(StartMainWindow(main, QString()));
        main.Unload();
        main.Initialised = false;
        main.Load();
        ASSERT_TRUE(main.IsLoaded());
        ASSERT_TRUE(QDir().mkpath(folder.filePath(QStringLiteral("books/Test"))));
        drawing = folder.filePath(QStringLiteral("books/Test/drawing.bmp"));
        ASSERT_TRUE(fixtures::LineDrawing().save(drawing));
    }
    // The panel's colour below the canvas, clear of its shadow and of the band on top.
    QRgb Panel() { return main.PB->Image().pixel(2, main.PB->height() - 2) | 0xFF000000u; }
    QRgb Paints() { return qRgb(main.CurrentColour.R, main.CurrentColour.G, main.CurrentColour.B); }
    QString drawing;
};

TEST_F(FreshStartTest, SaveAndPrintAnswerOnlyOnceAPictureIsOpen) {
    ModalAnswers answers(ModalAnswers::Cancel);
    for (int index : {1, 2}) {
        QTest::mouseClick(main.pFunc[size_t(index)], Qt::LeftButton);
        EXPECT_FALSE(main.pFunc[size_t(index)]->isEnabled()) << index;
    }
    EXPECT_TRUE(answers.childMessages.isEmpty()) << "no confirmation before a picture is open";

    ASSERT_TRUE(StartMainWindow(main, drawing));
    for (int index : {1, 2}) {
        QTest::mouseClick(main.pFunc[size_t(index)], Qt::LeftButton);
        EXPECT_TRUE(main.pFunc[size_t(index)]->isEnabled()) << index;
    }
    EXPECT_EQ(answers.childMessages.size(), 2) << "each asks once a picture is open";
}

TEST_F(FreshStartTest, TheBarIsOnePiece) {
    // The disabled keys stand on the bar's own sky blue, and the adults' buttons in the
    // corner cover none of them.
    const QRgb bar = platform::PixelFromColourValue(main.pT->BackColor());
    std::vector<pButton*> buttons(main.c.begin(), main.c.end());
    buttons.insert(buttons.end(), main.pTool.begin(), main.pTool.end());
    for (pButton* button : buttons) {
        const QImage& face = button->Face().Image();
        if (!button->Enabled()) {
            EXPECT_EQ(face.pixel(0, 0), bar);
            EXPECT_EQ(face.pixel(face.width() - 2, face.height() - 2), bar);
        }
        for (platform::PictureBox* function : main.pFunc)
            EXPECT_FALSE(function->geometry().intersects(button->geometry()));
    }
    EXPECT_FALSE(main.c[2]->Enabled());
}

TEST_F(FreshStartTest, ThePanelAlwaysShowsTheColourThatPaints) {
    EXPECT_EQ(Panel(), Paints()) << "at the first start";
    ASSERT_TRUE(StartMainWindow(main, drawing));
    EXPECT_EQ(Panel(), Paints()) << "with the picture open";
    const long red = 0x0000FF;
    main.SetColor(red);
    EXPECT_EQ(Panel(), qRgb(255, 0, 0));
    // The re-run after saved options starts the colour again at black, and shows it.
    main.Form_Load();
    EXPECT_EQ(Paints(), qRgb(0, 0, 0));
    EXPECT_EQ(Panel(), Paints()) << "after the options";
}

// The first start: no Settings.ini. The adult is told, the options window opens with its
// design's values, and what the adult does there decides whether the program goes on.
class FirstStartTest : public StartupTest {
protected:
    void Start(bool save) {
        platform::SetScreenForTesting([] { return platform::ScreenMetrics{1024, 768, 32}; });
        platform::SetEndProgramForTesting([this] { ended = true; });
        main.ChoosePicture = [] { return QString(); };
        QTimer options;
        QObject::connect(&options, &QTimer::timeout, [save] {
            frmParentalOptions& form = frmParentalOptions::Instance();
            if (!form.IsLoaded() || !form.Visible() || frmParentMessage::Instance().Visible())
                return;
            if (save) {
                form.Check3->setChecked(false);
                form.Check3_Click();
            }
            form.cFunc_Click(save ? 1 : 0);
        });
        options.start(20);
        main.Load();
    }
    ModalAnswers answers{ModalAnswers::Ok};
    bool ended = false;
};

TEST_F(FirstStartTest, SavedOptionsAreReadAndTheStartGoesOn) {
    Start(true);
    EXPECT_FALSE(ended);
    EXPECT_TRUE(main.Initialised);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("Settings.ini"))));
    EXPECT_FALSE(main.UsePassword);
    EXPECT_TRUE(main.PlaySounds) << "the design's values";
    ASSERT_FALSE(answers.parentMessages.isEmpty()) << "the first-run notice";
}

TEST_F(FirstStartTest, CancelledOptionsEndTheProgram) {
    Start(false);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(main.Initialised);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("Settings.ini"))));
}

} // namespace
