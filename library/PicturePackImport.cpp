#include "PicturePackImport.h"

#include "GCommonDialog.h"
#include "WorkProgress.h"
#include "frmParentMessage.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace PicturePackImport {
namespace {
void Show(const QString& message) {
    frmParentMessage& window = frmParentMessage::Instance();
    window.SetMessage(message);
    window.Show(true);
}
} // namespace

QString Run() {
    // The window that runs the command owns the dialog.
    const QPointer<QWidget> owner = QApplication::activeModalWidget();
    Show(QStringLiteral("Picture Packs are special files that contain several pictures within "
                        "them and they can be downloaded from The Crayvex website. Please press "
                        "continue to select a Picture Pack to install."));
    QString filename;
    QString fileTitle;
    bool readOnly = false;
    QString filter = QStringLiteral("The Crayvex image pack (*.zvp)|*.zvp");
    int32_t filterIndex = 1;
    int32_t flags = 0;
    GCommonDialog dialog;
    if (!dialog.VBGetOpenFileName(filename, fileTitle, true, false, readOnly, false, filter,
                                  filterIndex, QString(), QString(), QString(), owner.data(),
                                  flags))
        return {};
    Result result;
    {
        // The count of a big pack's pictures, made once the header has told their number.
        std::optional<WorkProgress> progress;
        result = Install(filename, [&](int done, int total) {
            if (!progress)
                progress.emplace(owner.data(), QStringLiteral("Installing the pictures"), total);
            progress->Step(done);
        });
    }
    Show(result.Message);
    return result.Title;
}

} // namespace PicturePackImport
