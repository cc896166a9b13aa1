#include "mMain_Text.h"

#include <array>

namespace mMain {
namespace {
// Codes 0x80 to 0x9F of Windows-1252; the five codes it leaves unassigned stand for the
// control characters of the same number, as the system's conversion maps them.
constexpr std::array<char16_t, 32> kHighCodes = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
constexpr int kUnknown = '?';
constexpr int kScrambleBase = 147;
} // namespace

int AnsiCode(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (std::size_t i = 0; i < kHighCodes.size(); ++i) {
        if (kHighCodes[i] == u)
            return int(0x80 + i);
    }
    return kUnknown;
}

QChar AnsiChar(int code) {
    if (code >= 0x80 && code < 0xA0)
        return QChar(kHighCodes[code - 0x80]);
    return QChar(char16_t(code & 0xFF));
}

QString EncodeString(const QString& text, bool scramble) {
    QString digits;
    for (const QChar c : text) {
        const QString code = QString::number(AnsiCode(c));
        digits += QString::number(code.size()) + code;
    }
    if (!scramble)
        return digits;
    QString result;
    result.reserve(digits.size());
    for (const QChar d : digits)
        result += AnsiChar(kScrambleBase + d.digitValue());
    return result;
}

} // namespace mMain
