#pragma once

#include "Form.h"
#include "ThumbCell.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

class QThreadPool;
class cNDib;
class FolderEntries;
class SheetPlacer;
class pButton;

namespace platform {
class PictureBox;
}

// The picture chooser: every book of the folder tree as one tall white sheet of
// thumbnails, the own book first. The caller sets FileName to "", shows the window
// modally and reads FileName afterwards: the chosen picture's full path, or still empty.
// The window stays loaded between showings, so the sheet is built once per loading;
// whatever may change the library unloads it.
class frmOpen : public platform::Form {
public:
    static frmOpen& Instance() { return platform::FormInstance<frmOpen>(); }

    // In: "" from the caller. Out: the chosen picture's path, or "" when none was chosen.
    QString FileName;

    // Shows the picture-book manager modally once an adult has asked for more pictures;
    // the chooser has unloaded itself by then. Null: nothing further happens.
    static std::function<void()> ShowManagePictures;

    // Handlers, public for tests that drive the window.
    void Form_Activate();
    void Pmb_MouseMove(int Button, int Shift, float X, float Y);
    void Pmb_MouseUp(int Button, int Shift, float X, float Y);
    void cScroll_Click(int Index);
    void sBall_MouseDown(int Button, int Shift, float X, float Y);
    void sBall_MouseMove(int Button, int Shift, float X, float Y);
    void cClose_Click();
    void cPicadd_Click();
    void pMorePics_Click();

    // The cells of the sheet in load order from 1; element 0 is no cell.
    const std::vector<ThumbCell>& Cells() const { return Thumbs; }
    long LastChosen() const { return LastIndex; }

    // The controls, for tests that drive the window.
    platform::PictureBox* pM = nullptr;
    platform::PictureBox* PB = nullptr;
    platform::PictureBox* Pmb = nullptr;
    platform::PictureBox* pOwn = nullptr;
    std::array<pButton*, 2> cScroll{};
    pButton* sBall = nullptr;
    pButton* cClose = nullptr;
    pButton* cPicadd = nullptr;
    pButton* pMorePics = nullptr;

protected:
    void CreateWidgets(QWidget* window) override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    struct Book;
    void LoadBooks();
    // Shows the book's progress line and draws a cell for each of its pictures that can be
    // read, placed by `placer`, carried by `dib`; the missing thumbnails are made on the
    // threads of `makers`.
    void LoadBook(const Book& book, long count, cNDib& dib, SheetPlacer& placer,
                  QThreadPool& makers);
    void LoadingFailure();
    void RefreshLastThumb();
    void DrawCell(const cNDib& dib, const ThumbCell& cell, bool framed);
    // Moves the sheet's top, places the thumb and repaints.
    void ScrollTo(long top);
    void PlaceThumb();
    static void EnableMainWindow();
    static void PlayCancelSound();

    std::vector<ThumbCell> Thumbs;
    long LastIndex = -1;
    long DragY = 0;
    platform::PictureBox* Surface = nullptr;
};
