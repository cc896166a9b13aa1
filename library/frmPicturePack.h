#pragma once

#include "Form.h"

class HyperLink;
class QLabel;

namespace platform {
class PictureBox;
}

// The pack builder: the adult chooses pictures of one folder and a place to save, and
// the pictures become one picture pack named after their folder.
class frmPicturePack : public platform::Form {
public:
    static frmPicturePack& Instance() { return platform::FormInstance<frmPicturePack>(); }

    // The controls, for tests that drive the window.
    QLabel* Label6 = nullptr;
    QLabel* Label2 = nullptr;
    HyperLink* lJoin = nullptr;
    HyperLink* Label1 = nullptr;

    void Label1_Click();
    void lJoin_Click();

protected:
    void CreateWidgets(QWidget* window) override;
    void Form_Load() override;

private:
    platform::PictureBox* Surface = nullptr;
};
