#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// In place of the shell's ShellExecuteA with the "open" operation.
namespace platform::shell {

constexpr int SW_SHOWMAXIMIZED = 3;

// Opens `file`: when it names a program on the PATH, that program is started detached
// with `parameters` as its one argument; otherwise, when `file` is an address with a
// scheme or an existing file, it is handed to the desktop's default handler. As the shell does, a
// result of 32 or less is a failure (2: the file was not found or could not be started).
// `directory` and `showCmd` are accepted for the callers' sake; a started program chooses its own
// window.
int ShellExecuteA(QWidget* owner, const QString& operation, const QString& file,
                  const QString& parameters, const QString& directory, int showCmd);

// Replaces the desktop's default handler of addresses (tests); an empty function brings
// back QDesktopServices::openUrl.
void SetUrlOpener(std::function<bool(const QUrl&)> opener);

} // namespace platform::shell
