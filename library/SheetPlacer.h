#pragma once

// Where the chooser puts its cells: books one after another, each beginning a new row,
// cells 105 pixels apart in both directions and 6 in from the sheet's left edge, a
// 40-pixel gap between books. The sheet grows as cells are placed; it ends 5 pixels
// below its last row, or keeps its first height when the cells need less.
class SheetPlacer {
public:
    static constexpr long CellSize = 100;
    static constexpr long Pitch = 105;
    static constexpr long DesignHeight = 169;

    // `width`: the sheet's inner width in whole pixels.
    explicit SheetPlacer(long width, long height = DesignHeight) : W(width), Height_(height) {}

    // Opens the band of a book that holds pictures.
    void OpenBook();
    struct Point {
        long X;
        long Y;
    };
    // The top-left corner of the book's next cell.
    Point PlaceCell();
    // Ends the band after the book's last picture.
    void CloseBook() { R += CellSize; }

    long Height() const { return Height_; }

private:
    long W;
    long Height_;
    long R = -39; // the current row's top
    long c = -1;  // the current column
};
