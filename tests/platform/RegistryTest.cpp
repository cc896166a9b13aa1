#include "Registry.h"

#include <QApplication>
#include <QStyle>
#include <gtest/gtest.h>

using platform::registry::Hive;
using platform::registry::ReadString;

TEST(Registry, ScrollHeightIsTheScrollBarExtentInNegativeTwips) {
    const int extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    ASSERT_GT(extent, 0);
    const QString expected = QString::number(-extent * 15);
    EXPECT_EQ(ReadString(Hive::CurrentUser, QStringLiteral("Control Panel\\Desktop\\WindowMetrics"),
                         QStringLiteral("ScrollHeight")),
              expected);
    // Key paths are matched without regard to case, value names exactly.
    EXPECT_EQ(ReadString(Hive::CurrentUser, QStringLiteral("control panel\\DESKTOP\\windowmetrics"),
                         QStringLiteral("ScrollHeight")),
              expected);
    EXPECT_EQ(ReadString(Hive::CurrentUser, QStringLiteral("Control Panel\\Desktop\\WindowMetrics"),
                         QStringLiteral("scrollheight")),
              QString());
}

TEST(Registry, MissingKeysAndValuesGiveEmptyText) {
    EXPECT_EQ(ReadString(Hive::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                         QStringLiteral("ScrollHeight")),
              QString());
    EXPECT_EQ(ReadString(Hive::CurrentUser, QStringLiteral("Control Panel\\Desktop\\WindowMetrics"),
                         QStringLiteral("ScrollWidth")),
              QString());
}
