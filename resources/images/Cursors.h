#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

// The hand pointer and the tool cursors, each with its hot spot at the tip.
namespace cursors {

struct Cursor {
    int id;
    QImage image; // carries the hot spot in its text keys "HotSpotX" and "HotSpotY"
};

std::vector<Cursor> All();

} // namespace cursors
