#pragma once

#include "Form.h"

#include <QString>

class HyperLink;
class QLabel;

namespace platform {
class PictureBox;
}

// The adults' message window: a text with Continue and, unless the caller hides it,
// Cancel. Cancelled tells a question's answer after the window has closed.
class frmParentMessage : public platform::Form {
public:
    static frmParentMessage& Instance() { return platform::FormInstance<frmParentMessage>(); }

    // Inputs; setting one loads the window.
    void SetMessage(const QString& text);
    void SetCancelVisible(bool visible);

    // False after every load; true only when Cancel closed the window.
    bool Cancelled = false;

    // The controls, for tests that drive the window.
    QLabel* lMessage = nullptr;
    HyperLink* lCancel = nullptr;
    HyperLink* lContinue = nullptr;

protected:
    void CreateWidgets(QWidget* window) override;
    void Form_Load() override;

private:
    void lContinue_Click();
    void lCancel_Click();

    platform::PictureBox* Surface = nullptr;
};
