#include "CommonDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>

namespace platform {

namespace {

int32_t lastError = 0;
QStringList lastLeftOut;

QString UpToNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString PaddedWithNuls(const QString& text, int32_t size) {
    return text + QString(std::max<qsizetype>(0, size - text.size()), QChar(0));
}

// The result buffer for the chosen files, before padding: one path, or the folder and
// names relative to it.
QString ResultFor(const QStringList& files, bool multiSelect, OPENFILENAME& ofn) {
    QString result;
    if (files.size() == 1) {
        const QString& path = files.first();
        result = path + QChar(0);
        if (multiSelect)
            result += QChar(0);
        const qsizetype name = path.lastIndexOf(QLatin1Char('/')) + 1;
        const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
        ofn.nFileOffset = static_cast<uint16_t>(name);
        ofn.nFileExtension = static_cast<uint16_t>(dot >= name ? dot + 1 : 0);
        return result;
    }
    const QString folder = QFileInfo(files.first()).absolutePath();
    const QDir dir(folder);
    result = folder + QChar(0);
    for (const QString& file : files)
        result += dir.relativeFilePath(file) + QChar(0);
    result += QChar(0);
    ofn.nFileOffset = static_cast<uint16_t>(folder.size() + 1);
    ofn.nFileExtension = 0;
    return result;
}

// The names typed into the dialog's name box: each between double quotes, or the whole
// text when it has none, as Qt's dialog reads them.
QStringList TypedNames(const QString& text) {
    if (!text.contains(QLatin1Char('"')))
        return text.isEmpty() ? QStringList() : QStringList{text};
    QStringList names;
    const QStringList parts = text.split(QLatin1Char('"'));
    for (qsizetype i = 1; i < parts.size(); i += 2) {
        if (!parts[i].isEmpty())
            names << parts[i];
    }
    return names;
}

// The typed names that are not among the chosen files: when some typed names match files
// the dialog lists, it gives only those, leaving out the hidden ones and those its filter
// does not show.
QStringList LeftOut(const QString& typed, const QDir& folder, const QStringList& files) {
    QStringList chosen;
    for (const QString& file : files)
        chosen << QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    QStringList leftOut;
    for (const QString& name : TypedNames(typed)) {
        if (!chosen.contains(QDir::cleanPath(folder.absoluteFilePath(name))))
            leftOut << name;
    }
    return leftOut;
}

int32_t RunFileDialog(OPENFILENAME& ofn, bool save) {
    lastError = 0;
    lastLeftOut.clear();
    if (ofn.lStructSize != OpenFileNameSize) {
        lastError = CDERR_STRUCTSIZE;
        return 0;
    }
    if (ofn.nMaxFile <= 0 || ofn.lpstrFile.size() > ofn.nMaxFile ||
        ofn.lpstrFileTitle.size() > std::max(ofn.nMaxFileTitle, 0)) {
        lastError = FNERR_BUFFERTOOSMALL;
        return 0;
    }
    const bool multiSelect = !save && (ofn.Flags & OFN_ALLOWMULTISELECT);

    QString title = UpToNul(ofn.lpstrTitle);
    if (title.isEmpty())
        title = save ? QStringLiteral("Save As") : QStringLiteral("Open");
    // The owner may go away while the dialog runs; the pointer tells.
    QPointer<QFileDialog> dialog = new QFileDialog(ofn.hwndOwner, title);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (multiSelect)
        dialog->setFileMode(QFileDialog::ExistingFiles);
    else if (ofn.Flags & OFN_FILEMUSTEXIST)
        dialog->setFileMode(QFileDialog::ExistingFile);
    else
        dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !(ofn.Flags & OFN_OVERWRITEPROMPT));

    const QString initialDir = UpToNul(ofn.lpstrInitialDir);
    if (!initialDir.isEmpty())
        dialog->setDirectory(initialDir);
    const QStringList filters = NameFilters(ofn.lpstrFilter);
    if (!filters.isEmpty()) {
        dialog->setNameFilters(filters);
        const bool inRange = ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= filters.size();
        dialog->selectNameFilter(filters.at(inRange ? ofn.nFilterIndex - 1 : 0));
    }
    const QString defaultExt = UpToNul(ofn.lpstrDefExt);
    if (!defaultExt.isEmpty())
        dialog->setDefaultSuffix(defaultExt);
    // A name with a folder opens in that folder; a folder alone opens it.
    const QString initialFile = UpToNul(ofn.lpstrFile);
    if (!initialFile.isEmpty()) {
        if (QFileInfo(initialFile).isDir())
            dialog->setDirectory(initialFile);
        else
            dialog->selectFile(initialFile);
    }

    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return 0;
    const QStringList files = accepted ? dialog->selectedFiles() : QStringList();
    if (accepted && multiSelect) {
        if (const auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            lastLeftOut = LeftOut(edit->text(), dialog->directory(), files);
    }
    int chosenFilter = -1;
    if (!filters.isEmpty()) {
        // The combo box knows the position even where two descriptions are alike.
        const auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        chosenFilter =
            combo ? combo->currentIndex() : filters.indexOf(dialog->selectedNameFilter());
    }
    delete dialog;
    if (files.isEmpty())
        return 0;

    // The buffers grow to hold whatever was chosen: any path, any number of files.
    const QString result = ResultFor(files, multiSelect, ofn);
    ofn.nMaxFile = std::max<int32_t>(ofn.nMaxFile, int32_t(result.size()));
    ofn.lpstrFile = PaddedWithNuls(result, ofn.nMaxFile);
    if (files.size() == 1 && ofn.nMaxFileTitle > 0) {
        const QString name = QFileInfo(files.first()).fileName() + QChar(0);
        ofn.nMaxFileTitle = std::max<int32_t>(ofn.nMaxFileTitle, int32_t(name.size()));
        ofn.lpstrFileTitle = PaddedWithNuls(name, ofn.nMaxFileTitle);
    }
    if (chosenFilter >= 0)
        ofn.nFilterIndex = chosenFilter + 1;
    return 1;
}

} // namespace

QStringList NameFilters(const QString& lpstrFilter) {
    const QStringList fields = lpstrFilter.split(QChar(0));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const QString& description = fields.at(i);
        if (description.isEmpty() || fields.at(i + 1).isEmpty())
            break;
        QStringList patterns = fields.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

int32_t GetOpenFileNameA(OPENFILENAME& ofn) {
    return RunFileDialog(ofn, false);
}

int32_t GetSaveFileNameA(OPENFILENAME& ofn) {
    return RunFileDialog(ofn, true);
}

int32_t CommDlgExtendedError() {
    return lastError;
}

QStringList TypedNamesLeftOut() {
    return lastLeftOut;
}

} // namespace platform
