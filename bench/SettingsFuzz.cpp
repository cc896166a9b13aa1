// libFuzzer target for Settings.ini: the bytes as the file in a scratch program folder,
// read as the start-up reads it and as the options window reads it. Whatever the file
// holds, the values stay in their ranges, and settings read whole come back the same when
// written and read again. Built and run by bench/fuzz.sh.
#include "FuzzCheck.h"
#include "ProgramFolder.h"
#include "SettingsFile.h"

#include <QTemporaryDir>
#include <cmath>
#include <cstdint>

namespace {

bool InRange(int checkBox) {
    return checkBox >= 0 && checkBox <= 2;
}

bool Same(const SettingsFile::OptionValues& a, const SettingsFile::OptionValues& b) {
    return a.Check1 == b.Check1 && a.O2 == b.O2 && a.Check2 == b.Check2 && a.Check3 == b.Check3 &&
           a.Option1 == b.Option1 && a.Text1 == b.Text1 && a.Text2 == b.Text2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    platform::SetProgramFolder(folder.path());
    FuzzWrite(SettingsFile::Path(), reinterpret_cast<const char*>(data), size);

    const std::optional<QStringList> lines = SettingsFile::ReadLines();
    FuzzCheck(lines && lines->size() <= SettingsFile::LineCount, "too many lines");
    for (const QString& line : *lines)
        FuzzCheck(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')),
                  "a line holds a line end");

    const SettingsFile::StartupValues start = SettingsFile::ReadAtStartup();
    FuzzCheck(start.count >= 0 && start.count <= lines->size(), "the start-up read past the lines");
    for (int i = 0; i < std::min(start.count, 5); ++i) {
        const double number = start.numbers[size_t(i)];
        FuzzCheck(std::isfinite(number) && number == std::floor(number), "not a whole number");
    }

    SettingsFile::OptionValues values;
    const bool whole = SettingsFile::ReadIntoOptions(values);
    FuzzCheck(!whole || start.count == SettingsFile::LineCount,
              "the options read whole what the start-up could not");
    FuzzCheck(InRange(values.Check1) && InRange(values.O2) && InRange(values.Check2) &&
                  InRange(values.Check3),
              "a check box value out of range");
    FuzzCheck(values.Option1 >= -1 && values.Option1 < int(SettingsFile::OptionSpeeds.size()),
              "no such speed button");
    if (!whole)
        return 0;

    // What the options window would write back reads as the same settings.
    const QByteArray written = SettingsFile::Format(values);
    FuzzWrite(SettingsFile::Path(), written.constData(), size_t(written.size()));
    SettingsFile::OptionValues again;
    again.Option1 = -1;
    FuzzCheck(SettingsFile::ReadIntoOptions(again), "its own file does not read whole");
    FuzzCheck(Same(values, again), "the settings changed on the way round");
    FuzzCheck(SettingsFile::ReadAtStartup().count == SettingsFile::LineCount,
              "the start-up cannot read its own file");
    return 0;
}
