#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdint>

class QWidget;

namespace platform {

// Flags of the file dialogs' record.
constexpr int32_t OFN_READONLY = 0x1;
constexpr int32_t OFN_OVERWRITEPROMPT = 0x2;
constexpr int32_t OFN_HIDEREADONLY = 0x4;
constexpr int32_t OFN_ENABLEHOOK = 0x20;
constexpr int32_t OFN_ENABLETEMPLATE = 0x40;
constexpr int32_t OFN_ALLOWMULTISELECT = 0x200;
constexpr int32_t OFN_FILEMUSTEXIST = 0x1000;
constexpr int32_t OFN_EXPLORER = 0x80000;

// Extended errors of a failed dialog.
constexpr int32_t CDERR_STRUCTSIZE = 0x0001;
constexpr int32_t FNERR_BUFFERTOOSMALL = 0x3003;

// The size a caller puts in lStructSize.
constexpr int32_t OpenFileNameSize = 76;

// The record of the open and save dialogs. The text buffers hold NUL characters where
// the system's do: the filter is description, NUL, pattern, NUL, ... ending in two NULs;
// lpstrFile and lpstrFileTitle are buffers of nMaxFile and nMaxFileTitle characters.
// Paths use '/'.
struct OPENFILENAME {
    int32_t lStructSize = 0;
    // The owner window; no owner when null.
    QWidget* hwndOwner = nullptr;
    QString lpstrFilter;
    // 1-based index of the filter shown first; on return the one chosen.
    int32_t nFilterIndex = 0;
    QString lpstrFile;
    int32_t nMaxFile = 0;
    QString lpstrFileTitle;
    int32_t nMaxFileTitle = 0;
    QString lpstrInitialDir;
    QString lpstrTitle;
    int32_t Flags = 0;
    // On return: where the (first) file name and its extension start in lpstrFile.
    uint16_t nFileOffset = 0;
    uint16_t nFileExtension = 0;
    QString lpstrDefExt;
};

// The size of a name buffer for `text` with its closing NUL: `usual`, or more for a
// longer text, so that no name is too long to hand in.
inline int32_t BufferFor(const QString& text, int32_t usual) {
    return std::max(usual, int32_t(text.size()) + 1);
}

// Qt's own file dialog (never the desktop's, so that tests can drive it) in place of the
// system's. 1 when the user chose, 0 when cancelled or failed; CommDlgExtendedError then
// tells which: 0 for a cancel. On success lpstrFile holds the full path followed by NULs,
// or with OFN_ALLOWMULTISELECT and several files the folder, NUL, each name and NUL, then
// a further NUL. A result longer than nMaxFile is given whole, with nMaxFile raised to its
// length; a name handed in that is longer than nMaxFile fails with FNERR_BUFFERTOOSMALL.
int32_t GetOpenFileNameA(OPENFILENAME& ofn);
int32_t GetSaveFileNameA(OPENFILENAME& ofn);
int32_t CommDlgExtendedError();

// The names typed into the last open dialog of several files that it did not give back,
// as typed: Qt's dialog gives only the typed names that it lists when it lists some, so a
// hidden file or one its filter does not show is left out. Empty after any other dialog.
QStringList TypedNamesLeftOut();

// The NUL-separated filter list as Qt name filters: "Pictures|*.bmp;*.gif" becomes
// "Pictures (*.bmp *.gif)". The list ends at its first empty field; "*.*" matches every
// file, as it does on the system whose filters these are.
QStringList NameFilters(const QString& lpstrFilter);

} // namespace platform
