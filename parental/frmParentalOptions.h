#pragma once

#include "Form.h"

#include <QString>
#include <array>
#include <functional>

class HyperLink;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace platform {
class PictureBox;
}

namespace SettingsFile {
struct OptionValues;
}

// The adults' settings window. It reads Settings.ini into its controls when it loads,
// writes them back on Continue once a password and hint are given (when the password is
// used), and links to the two picture managers. When the file cannot be read, the window
// says so first, opens with its design values, and its Cancel then ends the program.
class frmParentalOptions : public platform::Form {
public:
    static frmParentalOptions& Instance() { return platform::FormInstance<frmParentalOptions>(); }

    // False after every load; true once Continue has written the settings file.
    bool Saved = false;

    // Set by the picture library. The two managers, each shown modally; the chooser,
    // unloaded after either manager has closed (so that it rebuilds its thumbnails) and
    // when Cancel ends the program. An unset hook does nothing.
    std::function<void()> ShowColoredPictures;
    std::function<void()> ShowManagePictures;
    std::function<void()> UnloadPictureChooser;

    // Check box values as the settings file holds them: 0 unticked, 1 ticked, 2 greyed.
    static int CheckValue(const QCheckBox* box);
    static void SetCheckValue(QCheckBox* box, int value);

    // Handlers, public for tests that drive the window. cFunc: 0 Cancel, 1 Continue,
    // 2 coloured pictures, 3 pictures and books.
    void Check3_Click();
    void cFunc_Click(int Index);

    // The controls, for tests that drive the window.
    platform::PictureBox* P = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* O2 = nullptr;
    QWidget* Frame1 = nullptr;
    QWidget* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    std::array<QRadioButton*, 3> Option1{};
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    std::array<HyperLink*, 4> cFunc{};

protected:
    void CreateWidgets(QWidget* window) override;
    void Form_Load() override;

private:
    void PaintBackground();
    void ShowValues(const SettingsFile::OptionValues& values);
    SettingsFile::OptionValues Values() const;
    void Continue();
    void EndProgram();
    void ShowManager(const char* folder, const std::function<void()>& show, const QString& missing);

    int AutoHideAtLoad = 0;
    bool QuitOnCancel = false;
    platform::PictureBox* Surface = nullptr;
};
