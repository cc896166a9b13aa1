#include "WorkProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <limits>

namespace {
constexpr int ShownAfterMs = 1000;
constexpr int Width = 320;
} // namespace

WorkProgress::WorkProgress(QWidget* parent, QString what, int total)
    : dialog_(std::make_unique<QProgressDialog>(parent)), what_(std::move(what)), total_(total) {
    dialog_->setWindowTitle(what_);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setCancelButton(nullptr);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    dialog_->setMinimumWidth(Width);
    // Shown by the steps alone: its own timer would bring it up over a message.
    dialog_->setMinimumDuration(std::numeric_limits<int>::max());
    dialog_->setRange(0, total);
    dialog_->hide();
    clock_.start();
}

WorkProgress::~WorkProgress() {
    if (!dialog_->isVisible())
        return;
    dialog_->hide();
    // The place it took is painted again at once.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WorkProgress::Step(int done) {
    dialog_->setLabelText(QStringLiteral("%1: %2 of %3").arg(what_).arg(done).arg(total_));
    dialog_->setValue(done);
    if (!dialog_->isVisible() && clock_.elapsed() >= ShownAfterMs)
        dialog_->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WorkProgress::Hide() {
    dialog_->hide();
}
