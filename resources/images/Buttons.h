#pragma once

#include <QImage>
#include <vector>

// The bitmaps of the picture buttons, by resource number.
namespace buttons {

struct Bitmap {
    int id;
    QImage image;
};

std::vector<Bitmap> All();

} // namespace buttons
