#pragma once

#include "Form.h"

#include <QString>

class pButton;
class QLabel;
class QLineEdit;

namespace platform {
class PictureBox;
}

// The child-facing confirmation window: a short text for the child, OK and Cancel, an
// explanation for the adult that the toggle unfolds, and, when asked for, the parental
// password, without which OK is not accepted. Result is "Ok" or "Cancel".
class frmMessage : public platform::Form {
public:
    static frmMessage& Instance() { return platform::FormInstance<frmMessage>(); }

    // Inputs; setting one loads the window.
    void SetMessage(const QString& text);
    void SetExtendedInformation(const QString& text);
    void SetShowCancel(bool visible);
    // Kept over loads: every caller sets it before each showing.
    void SetPasswordVisible(bool visible);

    // "Cancel" after every load; "Ok" once OK was accepted.
    QString Result = QStringLiteral("Cancel");

    // The window's height in twips: collapsed, unfolded, unfolded with the password row.
    static constexpr long FoldedHeight = 2400;
    static constexpr long UnfoldedHeight = 3705;
    static constexpr long PasswordHeight = 4170;
    long Height() const;

    // Handlers, public for tests that drive the window.
    void Check1_Click();
    void cOut1_Click();
    void cOut2_Click();
    void Text1_KeyDown(int KeyCode, int Shift);
    void Form_Activate();

    // The controls, for tests that drive the window.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* ll = nullptr;
    QLineEdit* Text1 = nullptr;
    pButton* Check1 = nullptr;
    pButton* cOut1 = nullptr;
    pButton* cOut2 = nullptr;

protected:
    void CreateWidgets(QWidget* window) override;
    void Form_Load() override;

private:
    void SetHeight(long twips);
    void ShowPasswordRow();
    void RedrawEdge();

    bool PasswordVisible = false;
    platform::PictureBox* Surface = nullptr;
};
