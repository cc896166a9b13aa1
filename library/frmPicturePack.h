#pragma once

#include "Form.h"

// The picture pack builder.
class frmPicturePack : public platform::Form {
public:
    static frmPicturePack& Instance() { return platform::FormInstance<frmPicturePack>(); }

protected:
    void CreateWidgets(QWidget* window) override;
};
