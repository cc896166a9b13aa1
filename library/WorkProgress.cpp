#include "WorkProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {
constexpr int ShownAfterMs = 1000;
}

WorkProgress::WorkProgress(QWidget* parent, QString what, int total)
    : dialog_(std::make_unique<QProgressDialog>(parent)), what_(std::move(what)), total_(total) {
    dialog_->setWindowTitle(what_);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setCancelButton(nullptr);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    dialog_->setRange(0, total);
    dialog_->setMinimumDuration(ShownAfterMs);
    Step(0);
}

WorkProgress::~WorkProgress() {
    dialog_->hide();
    // The place it took is painted again at once.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WorkProgress::Step(int done) {
    dialog_->setLabelText(QStringLiteral("%1: %2 of %3").arg(what_).arg(done).arg(total_));
    // Shows the window once the work has taken long enough.
    dialog_->setValue(done);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
