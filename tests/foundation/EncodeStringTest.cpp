#include "mMain_Text.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QByteArray AnsiBytes(const QString& text) {
    QByteArray bytes;
    for (const QChar c : text)
        bytes.append(char(mMain::AnsiCode(c)));
    return bytes;
}

TEST(EncodeString, ExamplesPlainAndScrambled) {
    EXPECT_EQ(mMain::EncodeString(QStringLiteral("abc"), false), QStringLiteral("297298299"));
    const QByteArray scrambled = AnsiBytes(mMain::EncodeString(QStringLiteral("abc"), true));
    EXPECT_EQ(scrambled, QByteArray("\x95\x9c\x9a\x95\x9c\x9b\x95\x9c\x9c"));
    EXPECT_EQ(mMain::EncodeString(QString(), false), QString());
    EXPECT_EQ(mMain::EncodeString(QString(), true), QString());
}

TEST(EncodeString, EachCharacterGivesItsDigitCountThenItsDigits) {
    struct Case {
        QString text;
        const char* expected;
    };
    const Case cases[] = {
        {QStringLiteral("<v6>"), "2603118254262"},
        {QString(QChar(0)), "10"},
        {QString(QChar(9)), "19"},
        {QStringLiteral("\u00e9"), "3233"}, // Latin-1 part of the code page
        {QStringLiteral("\u20ac"), "3128"}, // the euro sign is 0x80 in Windows-1252
        {QStringLiteral("\u4e2d"), "263"},  // not in the code page: '?'
    };
    for (const Case& c : cases)
        EXPECT_EQ(mMain::EncodeString(c.text, false), QLatin1String(c.expected)) << c.expected;
}

TEST(EncodeString, ScrambledSeparatorIsMadeOfBytes93To9C) {
    const QString plain = mMain::EncodeString(QStringLiteral("<v6>"), false);
    const QString scrambled = mMain::EncodeString(QStringLiteral("<v6>"), true);
    ASSERT_EQ(scrambled.size(), plain.size());
    const QByteArray bytes = AnsiBytes(scrambled);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        EXPECT_EQ(uint8_t(bytes[i]), 147 + plain[i].digitValue()) << i;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]*$")).match(plain).hasMatch());
}

TEST(AnsiCode, RoundTripsEveryAssignedCode) {
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(mMain::AnsiCode(mMain::AnsiChar(code)), code) << code;
    }
}

} // namespace
