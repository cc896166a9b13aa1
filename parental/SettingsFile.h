#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// Settings.ini in the program folder: seven lines and nothing else, each ended by CR LF.
// The meaning of a value is its line number:
//   1 play sounds, 2 allow quitting without permission, 3 auto-hide the parental buttons,
//   4 use the parental password (each a check box value: 0, 1, or 2 for greyed),
//   5 bubble speed (2 fast, 4 medium, 10 slow; empty when no speed was chosen),
//   6 the password and 7 its hint, exactly as typed.
// Numbers are written with a blank in front (the sign's place) and one behind: " 1 ".
namespace SettingsFile {

inline constexpr char FileName[] = "Settings.ini";
inline constexpr int LineCount = 7;
// The speed written for each of the options window's speed buttons Fast, Medium, Slow.
inline constexpr std::array<int, 3> OptionSpeeds{2, 4, 10};

inline const QString SaveErrorMessage =
    QStringLiteral("There was an error while trying to save the settings.\r\n\r\n"
                   "Make sure the disk is not write protected and there is enough space.");

// The settings as the options window's controls hold them; the defaults are its design.
struct OptionValues {
    int Check1 = 1;  // Play sounds
    int O2 = 0;      // Allow quitting without permission
    int Check2 = 0;  // Auto-hide parental buttons
    int Check3 = 1;  // Use parental password
    int Option1 = 1; // selected speed button: 0 Fast, 1 Medium, 2 Slow, -1 none
    QString Text1;   // the password
    QString Text2;   // the password hint
};

// What the start-up reads: `count` lines were read and converted before the first one
// that failed (7 when the whole file was read). Lines 1 to 5 are whole numbers.
struct StartupValues {
    int count = 0;
    std::array<double, 5> numbers{};
    QString Password;
    QString PasswordHint;
};

QString Path();

// A whole number as a formatted numeric print writes it: " 1 ", "-3 ".
QString FormatNumber(long value);
// The bytes the writer writes for these values.
QByteArray Format(const OptionValues& values);
// Writes the file through a temporary file in the same folder that then replaces it, so
// a failure leaves the previous file as it was. False on any failure.
bool Write(const OptionValues& values);

// The lines of the file as the readers see them: ended by CR LF, LF or CR; a last line
// without an end counts too. At most `LineCount` lines; nullopt when it cannot be read.
std::optional<QStringList> ReadLines();

// The start-up's conversion of a number line: the number with blanks around it, a decimal
// fraction allowed, cut down to the next lower whole number. nullopt for no number.
std::optional<double> StartupNumber(const QString& line);
// The options window's conversion of a check box line: the number rounded to a whole
// one, halves to the even neighbour. nullopt for no number or one beyond 32 bits.
std::optional<long> RoundedNumber(const QString& line);

StartupValues ReadAtStartup();
// Fills the values in file order and stops at the first failure (a missing file, too few
// lines, no number, a check box value other than 0, 1 or 2), leaving the rest as they
// were. A speed other than 2, 4 and 10 leaves the speed button as it was. True when the
// whole file was read.
bool ReadIntoOptions(OptionValues& values);

} // namespace SettingsFile
