#pragma once

#include "PictureListWindow.h"

// "Manage colored pictures": the child's coloured pictures of one book at a time, which a
// parent may delete.
class frmColoredPictures : public PictureListWindow {
public:
    static frmColoredPictures& Instance() { return platform::FormInstance<frmColoredPictures>(); }

    frmColoredPictures();

    void cFunc_Click(int Index) override;

private:
    void DeletePictures();
};
