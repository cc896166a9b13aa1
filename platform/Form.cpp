#include "Form.h"

#include "Arithmetic.h"
#include "FullScreenKeeper.h"
#include "OwnedWindows.h"

#include <QCloseEvent>
#include <QEventLoop>

namespace platform {

FormWindow::FormWindow(Form& form) : form_(form) {}

void FormWindow::closeEvent(QCloseEvent* event) {
    // Qt cannot tell a logout's request from the window manager's.
    bool accept = true;
    form_.WindowClosing(accept, Form::FormControlMenu);
    if (accept)
        event->accept();
    else
        event->ignore();
}

void FormWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        form_.WindowHidden();
}

Form::~Form() {
    delete window_;
}

QWidget* Form::Window() {
    Load();
    return window_;
}

void Form::Load() {
    if (window_)
        return;
    OwnedWindows::Install();
    window_ = new FormWindow(*this);
    CreateWidgets(window_);
    Form_Load();
}

bool Form::Unload() {
    if (!window_ || unloading_)
        return true;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel)
        return false;
    unloading_ = true;
    FormWindow* window = window_;
    window_ = nullptr;
    FullScreenKeeper::Release(window);
    window->hide();
    if (modalLoop_)
        modalLoop_->quit();
    // Deleted later: the unload may come from one of the window's own handlers.
    window->deleteLater();
    unloading_ = false;
    return true;
}

void Form::Show(bool modal) {
    Load();
    if (!window_)
        return; // the form unloaded itself while it loaded
    if (!modal) {
        window_->show();
        window_->raise();
        window_->activateWindow();
        return;
    }
    if (modalLoop_)
        return; // already showing modally
    window_->setWindowModality(Qt::ApplicationModal);
    window_->show();
    window_->raise();
    window_->activateWindow();
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    modalLoop_ = nullptr;
    if (window_)
        window_->setWindowModality(Qt::NonModal);
}

void Form::ShowFullScreen() {
    QWidget* window = Window();
    window->setWindowState(window->windowState() | Qt::WindowFullScreen);
    FullScreenKeeper::Keep(window);
}

void Form::Hide() {
    if (window_) {
        FullScreenKeeper::Release(window_);
        window_->hide();
    }
    if (modalLoop_)
        modalLoop_->quit();
}

bool Form::Visible() const {
    return window_ && window_->isVisible();
}

void Form::Move(double left, double top, double width, double height) {
    QWidget* window = Window();
    FullScreenKeeper::Release(window);
    window->setGeometry(
        int(RoundHalfEven(left / TwipsPerPixel)), int(RoundHalfEven(top / TwipsPerPixel)),
        int(RoundHalfEven(width / TwipsPerPixel)), int(RoundHalfEven(height / TwipsPerPixel)));
}

void Form::WindowHidden() {
    if (modalLoop_)
        modalLoop_->quit();
}

void Form::WindowClosing(bool& accept, int UnloadMode) {
    if (unloading_)
        return;
    accept = CloseFromOutside(UnloadMode);
}

bool Form::CloseFromOutside(int UnloadMode) {
    if (!window_ || unloading_)
        return true;
    int cancel = 0;
    Form_QueryUnload(cancel, UnloadMode);
    if (cancel)
        return false;
    return Unload();
}

} // namespace platform
