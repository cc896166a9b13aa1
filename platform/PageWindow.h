#pragma once

#include "Form.h"

#include <QUrl>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace platform {

// The program's own pages (help, the licence, the home page: HTML files in the program
// folder) shown in a window of the program, in place of a browser. A browser started while
// the child lock holds would open under the full-screen main window, which is kept above
// every other program, and stay there unseen; this window is one of the program's own,
// modal over the window that opened it. Links to other pages on this computer are
// followed; links that lead off it are not. The mouse alone closes it or follows a link.
class PageWindow : public Form {
public:
    static PageWindow& Instance() { return FormInstance<PageWindow>(); }

    // Whether the address names a page this window can show: a readable regular file.
    static bool IsPage(const QUrl& page);
    // Shows the page, at its anchor if the address has one, and waits until the adult
    // closes the window. False, with nothing shown, when it is no page.
    bool ShowPage(const QUrl& page);
    // A link clicked on the page: another local page, or a place on this one, is shown;
    // anything else is left alone.
    void FollowLink(const QUrl& link);

    // The controls, for tests that drive the window.
    QTextBrowser* Browser = nullptr;
    QLabel* Title = nullptr;
    QPushButton* CloseButton = nullptr;

protected:
    void CreateWidgets(QWidget* window) override;
    void Form_Load() override;

private:
    void ShowTitle();
};

} // namespace platform
