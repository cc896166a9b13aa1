#pragma once

#include <QObject>

class QWidget;

namespace platform {

// Keeps the program's secondary windows with their owners, for the whole application:
// each dialog is shown transient for the window that opened it, so that the window
// manager keeps it above that window and treats the two as one; and a window of the
// program that the window manager minimised comes straight back, since a modal
// program must never be left with the one window that answers out of sight.
class OwnedWindows : public QObject {
    Q_OBJECT
public:
    // Once per application; later calls do nothing.
    static void Install();

    // The window a dialog that opens now belongs to: the modal window in front, else the
    // focus window, else the program's largest shown window. Never the dialog itself.
    static QWidget* OwnerFor(const QWidget* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace platform
