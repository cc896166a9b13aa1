#pragma once

#include "ThumbCell.h"

#include <vector>

// The chooser's arithmetic apart from its window: hit testing of the cells, the ends of
// an animated scroll and the place of the scroll thumb. Sheet tops are pixels: 0 shows
// the sheet's top, H - S (viewport height less sheet height) its bottom.
namespace ChooserScroll {

// The cell that holds the point, strictly inside its square's border: the last of cells
// 1 .. N that does; -1 when none does. Element 0 is not a cell.
long HitTestThumb(const std::vector<ThumbCell>& cells, long x, long y);

// How far one click moves the sheet.
constexpr long Step = 160;

// The first and last sheet top of an animated scroll, both included; first == last
// when the sheet cannot move that way.
struct Run {
    long First;
    long Last;
};
Run ScrollUp(double top);
Run ScrollDown(double top, long H, long S);

// The scroll thumb's top for a sheet top, between the two scroll buttons.
struct Track {
    long UpHeight;   // height of the up button, which sits at the top
    long DownTop;    // top of the down button
    long BallHeight; // height of the thumb
};
double ThumbTop(const Track& track, double top, long H, long S);

// Dragging: the thumb's new top, kept between the buttons, for a pointer that moved
// `dy` pixels from where it grabbed the thumb; and the sheet top that goes with it.
long DragThumbTop(const Track& track, double ballTop, double dy);
double SheetTopForThumb(const Track& track, long ballTop, long H, long S);

} // namespace ChooserScroll
