// The help pages that the About box opens lie beside the program.
#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QByteArray Page(const char* name) {
    QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/help/") +
               QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TEST(HelpPages, LieInTheProgramFolder) {
    const QByteArray help = Page("help.htm");
    EXPECT_TRUE(help.contains("The Crayvex"));
    EXPECT_TRUE(help.contains("license_agreement.htm"));
    const QByteArray licence = Page("license_agreement.htm");
    EXPECT_TRUE(licence.contains("MIT License"));
    EXPECT_TRUE(licence.contains("The Crayvex developers"));
    const QByteArray home = Page("home.htm");
    EXPECT_TRUE(home.contains("The Crayvex"));
    EXPECT_TRUE(home.contains("help.htm"));
}
