#pragma once

#include <QCursor>

// A cursor resource at its own size with its hot spot; the arrow when there is none.
// 101 is the hand pointer of the buttons and links.
QCursor ResourceCursor(int id);
