#pragma once

#include "Form.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class Combo;
class FolderEntries;
class HyperLink;
class QLabel;
class QListWidget;

namespace platform {
class PictureBox;
}

// The design that the two picture list windows share: a book list, the thumbnails of the
// chosen book in a list view, and a row of command links. What tells the two apart is a
// Design record; each window runs its own commands in cFunc_Click.
class PictureListWindow : public platform::Form {
public:
    // A command link: its caption, the tag that chooses its command, its tool tip and its
    // place in twips (the link sizes itself to its caption).
    struct Link {
        QString Caption;
        QString Tag;
        QString ToolTip;
        int Left = 0;
        int Top = 0;
    };
    struct Design {
        QString Caption;
        // The folder of the books, and the titles of the books in it.
        std::function<QString()> Root;
        std::function<QStringList()> Titles;
        // The pictures lying directly in a book folder, from its listing.
        std::function<QStringList(const FolderEntries& folder)> Pictures;
        // In the order of the link array.
        std::vector<Link> Links;
        // Places in twips of the "or" labels between links.
        std::vector<QPoint> OrLabels;
    };

    // A thumbnail of the image list, keyed by its picture's file name.
    struct ListImage {
        QString Key;
        QImage Picture;
    };

    // True when every pixel of the box's picture is exactly black or exactly white.
    static bool IsBlackAndWhite(platform::PictureBox& box);

    // The controls, for the windows' commands and for tests that drive them.
    platform::PictureBox* Picture1 = nullptr;
    std::vector<QLabel*> Label1;
    Combo* cBooks = nullptr;
    QListWidget* LV = nullptr;
    std::vector<ListImage> IL;
    std::vector<HyperLink*> cFunc;
    platform::PictureBox* pT = nullptr;

    virtual void cFunc_Click(int Index) = 0;

protected:
    explicit PictureListWindow(Design design);

    void CreateWidgets(QWidget* window) override;
    void Form_Load() override;

    // Fills IL and LV from a book folder (no trailing '/'), read once, making each
    // missing thumbnail. A picture that cannot be read and has no thumbnail is left out.
    void ListBookPictures(const QString& folder);
    void cBooks_Click();

    // When the chosen book's folder has gone: its entry leaves the book list, after the
    // "could not be found" message when `tell`, and the first book left is shown. True
    // when it had gone (or no book is chosen), so that a command on it ends.
    bool ForgetVanishedBook(bool tell = true);
    // Lists a book made under that title, in place of any entry of the same name.
    void ListTitle(const QString& title);

    // The book folder whose pictures LV shows (empty when none): the commands act on the
    // pictures there, which the parent sees.
    const QString& ListedFolder() const { return listed_; }

    // The folder of the books, and the chosen book's title.
    QString RootPath() const;
    QString CurrentTitle() const;

    int SelectedCount() const;
    // The first selected item of LV, or -1.
    int FirstSelected() const;
    // Ends a run of deletions: the list view is enabled again for the next command.
    void DeletionsDone();

    // The parent message window with one text: a notice, or a question whose answer is
    // true for Continue.
    static void ShowMessage(const QString& text);
    static bool Confirm(const QString& text);

private:
    Design design_;
    QString listed_;
    platform::PictureBox* Surface = nullptr;
};
