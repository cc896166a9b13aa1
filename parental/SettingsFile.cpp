#include "SettingsFile.h"

#include "Arithmetic.h"
#include "ProgramFolder.h"
#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <unistd.h>

namespace SettingsFile {
namespace {

// Text of the system's code page: UTF-8, and Latin-1 for a hand-edited file that is not
// valid UTF-8.
QString DecodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

std::optional<double> ParseNumber(const QString& line) {
    QByteArray text = line.trimmed().toLatin1();
    const char* first = text.constData();
    const char* last = first + text.size();
    // from_chars takes a minus sign but no plus sign.
    if (first != last && *first == '+' && ++first != last && *first == '-')
        return std::nullopt;
    double value = 0;
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (first == last || error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

QString Path() {
    return QDir(platform::ProgramFolder()).filePath(QString::fromLatin1(FileName));
}

QString FormatNumber(long value) {
    if (value < 0)
        return QStringLiteral("%1 ").arg(value);
    return QStringLiteral(" %1 ").arg(value);
}

QByteArray Format(const OptionValues& values) {
    QString speed;
    if (values.Option1 >= 0 && values.Option1 < int(OptionSpeeds.size()))
        speed = FormatNumber(OptionSpeeds[size_t(values.Option1)]);
    const QString lines[LineCount] = {FormatNumber(values.Check1),
                                      FormatNumber(values.O2),
                                      FormatNumber(values.Check2),
                                      FormatNumber(values.Check3),
                                      speed,
                                      values.Text1,
                                      values.Text2};
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

bool Write(const OptionValues& values) {
    const QString path = Path();
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return false;
    const QByteArray bytes = Format(values);
    // A short write is not always reported as an error, so the size on disk is checked.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.size() != bytes.size() ||
        ::fsync(file.handle()) != 0)
        return false;
    QFile::Permissions permissions = QFile::permissions(path);
    if (permissions == QFile::Permissions())
        permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                      QFile::ReadGroup | QFile::ReadOther;
    file.setPermissions(permissions);
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

std::optional<QStringList> ReadLines() {
    // Opened as pictures are: a named pipe or a device of that name is unreadable, and
    // never holds the start up.
    QFile file;
    if (!platform::OpenRegularFile(Path(), file))
        return std::nullopt;
    // Seven short lines; a larger file is read only as far as they can reach.
    const QByteArray bytes = file.read(1 << 20);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size() && lines.size() < LineCount) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        lines.append(DecodeText(bytes.mid(start, end - start)));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
            bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

std::optional<double> StartupNumber(const QString& line) {
    const std::optional<double> value = ParseNumber(line);
    if (!value)
        return std::nullopt;
    return std::floor(*value);
}

std::optional<long> RoundedNumber(const QString& line) {
    const std::optional<double> value = ParseNumber(line);
    if (!value)
        return std::nullopt;
    if (std::fabs(*value) > 1e10)
        return std::nullopt;
    const long rounded = platform::RoundHalfEven(*value);
    if (rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return rounded;
}

StartupValues ReadAtStartup() {
    StartupValues values;
    const std::optional<QStringList> lines = ReadLines();
    if (!lines)
        return values;
    for (const QString& line : *lines) {
        if (values.count < 5) {
            const std::optional<double> number = StartupNumber(line);
            if (!number)
                return values;
            values.numbers[size_t(values.count)] = *number;
        } else if (values.count == 5) {
            values.Password = line;
        } else {
            values.PasswordHint = line;
        }
        ++values.count;
    }
    return values;
}

bool ReadIntoOptions(OptionValues& values) {
    const std::optional<QStringList> lines = ReadLines();
    if (!lines)
        return false;
    int* const checkBoxes[] = {&values.Check1, &values.O2, &values.Check2, &values.Check3};
    for (qsizetype i = 0; i < lines->size(); ++i) {
        const QString& line = lines->at(i);
        if (i < 4) {
            const std::optional<long> value = RoundedNumber(line);
            if (!value || *value < 0 || *value > 2)
                return false;
            *checkBoxes[i] = int(*value);
        } else if (i == 4) {
            const std::optional<double> speed = ParseNumber(line);
            if (!speed)
                return false;
            for (size_t option = 0; option < OptionSpeeds.size(); ++option) {
                if (*speed == OptionSpeeds[option]) {
                    values.Option1 = int(option);
                    break;
                }
            }
        } else if (i == 5) {
            values.Text1 = line;
        } else {
            values.Text2 = line;
        }
    }
    return lines->size() == LineCount;
}

} // namespace SettingsFile
