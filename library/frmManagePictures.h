#pragma once

#include "PictureListWindow.h"

// "Manage pictures": the line drawings of one book at a time, with the commands that
// remove and create books, delete and add pictures, and build and install picture packs.
class frmManagePictures : public PictureListWindow {
public:
    static frmManagePictures& Instance() { return platform::FormInstance<frmManagePictures>(); }

    frmManagePictures();

    void cFunc_Click(int Index) override;

private:
    void ImportPicturePack();
    void RemoveBook();
    void DeletePictures();
    void AddBook();
    void AddPictures();
};
