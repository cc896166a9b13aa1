#pragma once

#include "CommonDialogs.h"

#include <QString>
#include <QStringList>
#include <cstdint>

class QWidget;

// The open dialog as an object: set the properties, call ShowOpen, read Filename. With
// OFN_ALLOWMULTISELECT in flags, Filename holds the whole result buffer (the folder, NUL,
// each name and NUL, a further NUL, then NULs to the end), which ParseMultiFileName
// splits. A cancel leaves Filename as it was, and raises a RuntimeError numbered
// CancelErrorNumber when CancelError is set.
class cFileDialog {
public:
    // The number of the error a cancel raises.
    static constexpr int32_t CancelErrorNumber = 32755;

    cFileDialog();

    bool CancelError() const { return CancelError_; }
    void SetCancelError(bool value) { CancelError_ = value; }
    QString Filename() const { return Filename_; }
    void SetFilename(const QString& value) { Filename_ = value; }
    // The initial file-title buffer; the dialogs do not change it.
    QString FileTitle() const { return FileTitle_; }
    void SetFileTitle(const QString& value) { FileTitle_ = value; }
    // Description and pattern pairs separated by "|" or ":".
    QString Filter() const { return Filter_; }
    void SetFilter(const QString& value);
    // 1-based.
    int32_t FilterIndex() const { return ofn_.nFilterIndex; }
    void SetFilterIndex(int32_t value) { ofn_.nFilterIndex = value; }
    QString DefaultExt() const { return DefaultExt_; }
    void SetDefaultExt(const QString& value);
    QString DialogTitle() const { return ofn_.lpstrTitle; }
    void SetDialogTitle(const QString& value) { ofn_.lpstrTitle = value; }
    // The OFN_ flags of the next showing.
    int32_t flags() const { return flags_; }
    void SetFlags(int32_t value) { flags_ = value; }
    // The owner window; null for none.
    QWidget* hWnd() const { return ofn_.hwndOwner; }
    void SetHWnd(QWidget* value) { ofn_.hwndOwner = value; }
    QString InitDir() const { return InitDir_; }
    void SetInitDir(const QString& value);

    void ShowOpen();
    void ShowSave();

    // Splits Filename into its folder and file names. One file: sDir is the folder with
    // its trailing '/', sFiles its one name and lFileCount 1. Several: sDir is the folder
    // without a trailing '/', and each name is added to sFiles, counting on from
    // lFileCount.
    void ParseMultiFileName(QString& sDir, QStringList& sFiles, int32_t& lFileCount) const;

private:
    void Show(bool save, int32_t bufferSize);

    platform::OPENFILENAME ofn_;
    bool CancelError_ = false;
    QString Filename_;
    QString FileTitle_;
    QString Filter_;
    QString DefaultExt_;
    QString InitDir_;
    int32_t flags_ = 0;
};
