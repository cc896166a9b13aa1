#include "GCommonDialog.h"

#include "CommonDialogs.h"
#include "FileFilter.h"

using namespace platform;

namespace {

// The size of the name buffers, grown for a longer name handed in (the dialog grows them
// for a longer result).
constexpr int32_t BufferSize = 260;
constexpr int32_t NoHookOrTemplate = ~(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE);

QString UpToNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString PaddedWithNuls(const QString& text, int32_t size) {
    return text + QString(std::max<qsizetype>(0, size - text.size()), QChar(0));
}

// The pair at a 1-based index of a NUL-separated filter list: description, NUL, pattern.
// Empty when the list has no such pair.
QString FilterPair(const QString& list, int32_t index) {
    if (index < 1)
        return {};
    qsizetype start = 0;
    for (int32_t field = 0; field < 2 * (index - 1); ++field) {
        const qsizetype nul = list.indexOf(QChar(0), start);
        if (nul < 0)
            return {};
        start = nul + 1;
    }
    const qsizetype first = list.indexOf(QChar(0), start);
    if (first <= start)
        return {};
    const qsizetype second = list.indexOf(QChar(0), first + 1);
    if (second <= first + 1)
        return {};
    return list.mid(start, second - start);
}

} // namespace

bool GCommonDialog::VBGetOpenFileName(QString& Filename, QString& FileTitle, bool FileMustExist,
                                      bool MultiSelect, bool& ReadOnly, bool HideReadOnly,
                                      QString& Filter, int32_t& FilterIndex, const QString& InitDir,
                                      const QString& DlgTitle, const QString& DefaultExt,
                                      QWidget* Owner, int32_t& flags) {
    const int32_t dialogFlags = (FileMustExist ? OFN_FILEMUSTEXIST : 0) |
                                (MultiSelect ? OFN_ALLOWMULTISELECT : 0) |
                                (ReadOnly ? OFN_READONLY : 0) |
                                (HideReadOnly ? OFN_HIDEREADONLY : 0) | (flags & NoHookOrTemplate);
    const bool chosen = Run(false, dialogFlags, Filename, FileTitle, Filter, FilterIndex, InitDir,
                            DlgTitle, DefaultExt, Owner, flags);
    if (chosen)
        ReadOnly = (flags & OFN_READONLY) != 0;
    else
        FilterIndex = -1;
    return chosen;
}

bool GCommonDialog::VBGetSaveFileName(QString& Filename, QString& FileTitle, bool OverWritePrompt,
                                      QString& Filter, int32_t& FilterIndex, const QString& InitDir,
                                      const QString& DlgTitle, const QString& DefaultExt,
                                      QWidget* Owner, int32_t& flags) {
    const int32_t dialogFlags =
        (OverWritePrompt ? OFN_OVERWRITEPROMPT : 0) | OFN_HIDEREADONLY | (flags & NoHookOrTemplate);
    const bool chosen = Run(true, dialogFlags, Filename, FileTitle, Filter, FilterIndex, InitDir,
                            DlgTitle, DefaultExt, Owner, flags);
    if (!chosen)
        FilterIndex = 0;
    return chosen;
}

bool GCommonDialog::Run(bool save, int32_t dialogFlags, QString& Filename, QString& FileTitle,
                        QString& Filter, int32_t& FilterIndex, const QString& InitDir,
                        const QString& DlgTitle, const QString& DefaultExt, QWidget* Owner,
                        int32_t& flags) {
    APIReturn_ = 0;
    ExtendedError_ = 0;
    OPENFILENAME ofn;
    ofn.lStructSize = OpenFileNameSize;
    ofn.Flags = dialogFlags;
    ofn.hwndOwner = Owner;
    ofn.lpstrInitialDir = InitDir;
    ofn.lpstrDefExt = DefaultExt;
    ofn.lpstrTitle = DlgTitle;
    ofn.lpstrFilter = FileFilter::ToNulList(Filter);
    ofn.nFilterIndex = FilterIndex;
    ofn.nMaxFile = BufferFor(Filename, BufferSize);
    ofn.lpstrFile = PaddedWithNuls(Filename, ofn.nMaxFile);
    ofn.nMaxFileTitle = BufferFor(FileTitle, BufferSize);
    ofn.lpstrFileTitle = PaddedWithNuls(FileTitle, ofn.nMaxFileTitle);

    APIReturn_ = save ? GetSaveFileNameA(ofn) : GetOpenFileNameA(ofn);
    if (APIReturn_ == 1) {
        Filename = UpToNul(ofn.lpstrFile);
        FileTitle = UpToNul(ofn.lpstrFileTitle);
        flags = ofn.Flags;
        FilterIndex = ofn.nFilterIndex;
        Filter = FilterPair(ofn.lpstrFilter, ofn.nFilterIndex);
        return true;
    }
    // Recorded for a failure as for any other result; a cancel leaves 0.
    ExtendedError_ = CommDlgExtendedError();
    Filename.clear();
    FileTitle.clear();
    Filter.clear();
    flags = 0;
    return false;
}
