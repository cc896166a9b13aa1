#include "ChooserScroll.h"

#include "Arithmetic.h"

using platform::RoundHalfEven;

namespace ChooserScroll {

long HitTestThumb(const std::vector<ThumbCell>& cells, long x, long y) {
    long hit = -1;
    for (size_t i = 1; i < cells.size(); ++i) {
        const ThumbCell& cell = cells[i];
        if (x > cell.X && y > cell.Y && x < cell.X + 100 && y < cell.Y + 100)
            hit = long(i);
    }
    return hit;
}

Run ScrollUp(double top) {
    const long from = RoundHalfEven(top);
    if (top >= 0)
        return {from, from};
    return {from, top + Step < 0 ? from + Step : 0};
}

Run ScrollDown(double top, long H, long S) {
    const long from = RoundHalfEven(top);
    if (top + S <= H)
        return {from, from};
    return {from, top + S - Step > H ? from - Step : H - S};
}

double ThumbTop(const Track& track, double top, long H, long S) {
    return track.UpHeight +
           double(track.DownTop - track.BallHeight - track.UpHeight) * top / double(H - S);
}

long DragThumbTop(const Track& track, double ballTop, double dy) {
    long t = RoundHalfEven(ballTop + dy);
    if (t < track.UpHeight)
        t = track.UpHeight;
    if (t + track.BallHeight > track.DownTop)
        t = track.DownTop - track.BallHeight;
    return t;
}

double SheetTopForThumb(const Track& track, long ballTop, long H, long S) {
    return double(ballTop - track.UpHeight) /
           double(track.DownTop - track.BallHeight - track.UpHeight) * double(H - S);
}

} // namespace ChooserScroll
