#include "SystemParameters.h"
#include "mMain_FontSmoothing.h"

#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

namespace {
// Start and normal quit as the main window does them.
void StartUp() {
    mMain::FontSmoothingWasOn = mMain::IsFontSmoothingOn();
    long type = 2;
    mMain::EnableFontSmoothing(type);
}
void Quit() {
    if (!mMain::FontSmoothingWasOn)
        mMain::DisableFontSmoothing();
}
QFont::StyleStrategy Strategy() {
    return QApplication::font().styleStrategy();
}

class FontSmoothingTest : public testing::Test {
protected:
    void TearDown() override { QApplication::setFont(saved); }
    const QFont saved = QApplication::font();
};
} // namespace

TEST_F(FontSmoothingTest, OffAtStartIsClearTypeWhileRunningAndOffAfterQuit) {
    mMain::DisableFontSmoothing();
    EXPECT_FALSE(mMain::IsFontSmoothingOn());
    EXPECT_TRUE(Strategy() & QFont::NoAntialias);

    StartUp();
    EXPECT_FALSE(mMain::FontSmoothingWasOn);
    EXPECT_TRUE(mMain::IsFontSmoothingOn());
    EXPECT_TRUE(Strategy() & QFont::PreferAntialias);
    EXPECT_FALSE(Strategy() & (QFont::NoAntialias | QFont::NoSubpixelAntialias));

    Quit();
    EXPECT_FALSE(mMain::IsFontSmoothingOn());
    EXPECT_TRUE(Strategy() & QFont::NoAntialias);
}

TEST_F(FontSmoothingTest, OnAtStartStaysOnWithClearTypeAfterQuit) {
    using namespace platform::user32;
    // Standard (greyscale) smoothing to begin with.
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETFONTSMOOTHING, 1, nullptr, 0));
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETFONTSMOOTHINGTYPE, 0,
                                      reinterpret_cast<void*>(uintptr_t(1)), 0));
    EXPECT_TRUE(Strategy() & QFont::NoSubpixelAntialias);

    StartUp();
    Quit();
    EXPECT_TRUE(mMain::FontSmoothingWasOn);
    EXPECT_TRUE(mMain::IsFontSmoothingOn());
    EXPECT_FALSE(Strategy() & (QFont::NoAntialias | QFont::NoSubpixelAntialias));
}

TEST_F(FontSmoothingTest, OnlyTheProgramsFontChangesItsFamilyStays) {
    QFont font(QStringLiteral("DejaVu Sans"), 13);
    QApplication::setFont(font);
    mMain::DisableFontSmoothing();
    EXPECT_EQ(QApplication::font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(QApplication::font().pointSize(), 13);
    int32_t value = -5;
    ASSERT_TRUE(platform::user32::SystemParametersInfoA(platform::user32::SPI_GETFONTSMOOTHING, 0,
                                                        &value, 0));
    EXPECT_EQ(value, 0);
}
