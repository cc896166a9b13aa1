#pragma once

#include "Form.h"

#include <QString>

class HyperLink;
class QLabel;

namespace platform {
class PictureBox;
}

// One window with two faces: the loading window that the picture chooser updates while
// it builds its thumbnails (Form_style 1), and the About box with the version, the
// licence link and the links Help, Visit Website and Close (Form_style 0). While it is
// loaded, the main window's animation timer is paused.
class frmSplash : public platform::Form {
public:
    static frmSplash& Instance() { return platform::FormInstance<frmSplash>(); }

    // 1 = loading window, 0 = About box. Setting it loads the window and arranges it.
    int Form_style() const { return Style; }
    void SetForm_style(int value);
    // The caption of lProgress.
    void SetProgressText(const QString& text);

    // "Loading(p%)... Title." for the book at position k of `count` books: p is the whole
    // percentage rounded down, the title the folder name in proper case.
    static QString ProgressLine(int k, int count, const QString& folderName);
    // "Version <major>.<minor>".
    static QString VersionLine(int major, int minor);
    // A book folder's name for display: every letter a to z that begins the text or
    // follows any other character is a capital, all others small.
    static QString ProperCase(const QString& text);

    // The program's home page: a page shipped beside the help pages until the program has
    // a public address.
    static QString HomePage();
    static QString HelpPage();
    static QString LicensePage();

    // The controls, for tests that drive the window.
    platform::PictureBox* P = nullptr;
    QLabel* lTitle = nullptr;
    QLabel* lLicense = nullptr;
    QLabel* lProgress = nullptr;
    HyperLink* HyperLink1 = nullptr;
    HyperLink* Command1 = nullptr;
    HyperLink* Command2 = nullptr;
    HyperLink* Command3 = nullptr;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void HyperLink1_Click();

protected:
    void CreateWidgets(QWidget* window) override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    void Arrange();
    void PaintBackground();

    int Style = 0;
    bool TimerWasEnabled = false;
    platform::PictureBox* Surface = nullptr;
};
