#pragma once

#include <QString>
#include <cstdint>

class QWidget;

// The common dialogs as single calls: every option is an argument and the result tells
// whether the user chose a file. Owner is the window the dialog belongs to, or null for
// none. No hook or template is ever installed: those flags are cleared from the caller's.
class GCommonDialog {
public:
    // On True, Filename is the chosen path (with a multiple selection of several files,
    // the folder), FileTitle its name, Filter the chosen description, NUL and pattern,
    // FilterIndex its 1-based index, flags the dialog's flags and ReadOnly their read-only
    // bit. On False they are empty, 0 and -1.
    bool VBGetOpenFileName(QString& Filename, QString& FileTitle, bool FileMustExist,
                           bool MultiSelect, bool& ReadOnly, bool HideReadOnly, QString& Filter,
                           int32_t& FilterIndex, const QString& InitDir, const QString& DlgTitle,
                           const QString& DefaultExt, QWidget* Owner, int32_t& flags);
    // As the open dialog, with the read-only box always hidden; FilterIndex becomes 0 on
    // False.
    bool VBGetSaveFileName(QString& Filename, QString& FileTitle, bool OverWritePrompt,
                           QString& Filter, int32_t& FilterIndex, const QString& InitDir,
                           const QString& DlgTitle, const QString& DefaultExt, QWidget* Owner,
                           int32_t& flags);

    // The last dialog function's result, and the extended error of its failure (0 for
    // a cancel).
    int32_t APIReturn() const { return APIReturn_; }
    int32_t ExtendedError() const { return ExtendedError_; }

private:
    bool Run(bool save, int32_t dialogFlags, QString& Filename, QString& FileTitle, QString& Filter,
             int32_t& FilterIndex, const QString& InitDir, const QString& DlgTitle,
             const QString& DefaultExt, QWidget* Owner, int32_t& flags);

    int32_t APIReturn_ = 0;
    int32_t ExtendedError_ = 0;
};
