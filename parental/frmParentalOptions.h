#pragma once

#include "Form.h"

// Stand-in until the options window lands.
class frmParentalOptions : public platform::Form {
public:
    static frmParentalOptions& Instance() { return platform::FormInstance<frmParentalOptions>(); }
    bool Saved = false;

protected:
    void CreateWidgets(QWidget*) override {}
};
