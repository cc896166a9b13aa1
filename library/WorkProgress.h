#pragma once

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

// The count of a long piece of work in a small window over its parent, shown once the
// work has taken about a second; between steps the program's windows repaint. The
// window goes when the object does.
class WorkProgress {
public:
    WorkProgress(QWidget* parent, QString what, int total);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // `done` of the total are done.
    void Step(int done);
    // Out of the way of a message about the work; the next step shows it again.
    void Hide();

private:
    std::unique_ptr<QProgressDialog> dialog_;
    QString what_;
    int total_;
    QElapsedTimer clock_;
};
