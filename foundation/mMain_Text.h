#pragma once

#include <QString>

namespace mMain {

// The program's keyless text transformation. Each character's code in the Windows-1252
// code page is written as its digit count followed by its decimal digits ("abc" gives
// "297298299"). With scramble, every digit d of that becomes the character whose
// Windows-1252 code is 147 + d, so the result written in that code page is made only of
// the bytes 0x93 to 0x9C. A character the code page lacks counts as '?'.
QString EncodeString(const QString& text, bool scramble);

// The character's code in the Windows-1252 code page; '?' (63) when it has none.
int AnsiCode(QChar c);

// The character of a Windows-1252 code (0 to 255).
QChar AnsiChar(int code);

} // namespace mMain
