#include "SheetPlacer.h"

void SheetPlacer::OpenBook() {
    if (Height_ < R + 40)
        Height_ = R + 40;
    R += 40;
    c = -1;
}

SheetPlacer::Point SheetPlacer::PlaceCell() {
    // A row takes another cell while the cell and a 5-pixel gap fit into the width.
    if (c * Pitch + 216 <= W) {
        ++c;
    } else {
        c = 0;
        R += Pitch;
    }
    const Point corner{c * Pitch + 6, R};
    if (Height_ < corner.Y + CellSize)
        Height_ = corner.Y + Pitch;
    return corner;
}
