#include "cFileDialog.h"

#include "FileFilter.h"
#include "RuntimeError.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace platform;

namespace {

constexpr int32_t SingleBuffer = 1024;
constexpr int32_t MultipleBuffer = 8192;

QString WithTwoNuls(const QString& text) {
    return text + QChar(0) + QChar(0);
}

QString PaddedWithNuls(const QString& text, int32_t size) {
    return text + QString(std::max<qsizetype>(0, size - text.size()), QChar(0));
}

} // namespace

cFileDialog::cFileDialog() {
    ofn_.lStructSize = OpenFileNameSize;
    ofn_.nFilterIndex = 1;
}

void cFileDialog::SetFilter(const QString& value) {
    Filter_ = value;
    ofn_.lpstrFilter = FileFilter::ToNulList(value);
}

void cFileDialog::SetDefaultExt(const QString& value) {
    DefaultExt_ = value;
    ofn_.lpstrDefExt = WithTwoNuls(value);
}

void cFileDialog::SetInitDir(const QString& value) {
    InitDir_ = value;
    ofn_.lpstrInitialDir = WithTwoNuls(value);
}

void cFileDialog::ShowOpen() {
    Show(false, (flags_ & OFN_ALLOWMULTISELECT) ? MultipleBuffer : SingleBuffer);
}

void cFileDialog::ShowSave() {
    Show(true, SingleBuffer);
}

void cFileDialog::Show(bool save, int32_t bufferSize) {
    ofn_.Flags = flags_;
    if (!save && (flags_ & OFN_ALLOWMULTISELECT))
        ofn_.Flags |= OFN_EXPLORER;
    ofn_.nMaxFile = BufferFor(Filename_, bufferSize);
    ofn_.lpstrFile = PaddedWithNuls(Filename_, ofn_.nMaxFile);
    ofn_.nMaxFileTitle = BufferFor(FileTitle_, bufferSize);
    ofn_.lpstrFileTitle = PaddedWithNuls(FileTitle_, ofn_.nMaxFileTitle);

    const int32_t result = save ? GetSaveFileNameA(ofn_) : GetOpenFileNameA(ofn_);
    if (result != 0) {
        if (ofn_.Flags & OFN_ALLOWMULTISELECT) {
            Filename_ = ofn_.lpstrFile;
        } else {
            const qsizetype nul = ofn_.lpstrFile.indexOf(QChar(0));
            Filename_ = nul < 0 ? ofn_.lpstrFile : ofn_.lpstrFile.left(nul);
        }
        return;
    }
    if (CancelError_) {
        const QString program =
            QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        throw RuntimeError(CancelErrorNumber, program + QStringLiteral(".cFileDialog"),
                           QStringLiteral("User selected cancel."));
    }
}

void cFileDialog::ParseMultiFileName(QString& sDir, QStringList& sFiles,
                                     int32_t& lFileCount) const {
    const QChar nul(0);
    const qsizetype pair = Filename_.indexOf(QString(2, nul));
    const QString chosen = pair < 0 ? Filename_ : Filename_.left(pair);
    if (!chosen.contains(nul)) {
        lFileCount = 1;
        const qsizetype slash = Filename_.lastIndexOf(QLatin1Char('/'));
        QString name = slash < 0 ? Filename_ : Filename_.mid(slash + 1);
        sDir = slash < 0 ? QString() : Filename_.left(slash + 1);
        const qsizetype end = name.indexOf(nul);
        sFiles = QStringList{end < 0 ? name : name.left(end)};
        return;
    }
    const QStringList fields = chosen.split(nul);
    sDir = fields.first();
    for (qsizetype i = 1; i < fields.size(); ++i) {
        // Without the closing pair, the text may end in a lone NUL.
        if (fields.at(i).isEmpty())
            continue;
        ++lFileCount;
        sFiles.resize(std::max<qsizetype>(lFileCount, 0));
        if (lFileCount > 0)
            sFiles[lFileCount - 1] = fields.at(i);
    }
}
