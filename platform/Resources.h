#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>
#include <optional>

// The program's resources, compiled in with Qt's resource system and addressed as the
// original program addressed them: bitmaps and cursors by number, sounds by name, and
// the pictures of the windows' designs by a name of ours.
//
//   :/bitmap/<number>.png      BITMAP resources (button pictures)
//   :/cursor/<number>.png      GROUP_CURSOR resources; the hot spot is kept in the PNG's
//                              text keys "HotSpotX" and "HotSpotY"
//   :/wave/<NAME>.wav          WAVE resources
//   :/design/<name>.png        pictures of the window designs (brushes pBr0..2, bubble
//                              sprites pCC0..22, picker bubbles pickerCC0..17, ...)
namespace platform::resources {

// A null image when there is no such resource.
QImage Bitmap(int id);
QImage DesignPicture(const QString& name);

struct CursorResource {
    QImage image;
    QPoint hotSpot;
};
std::optional<CursorResource> Cursor(int id);

// Empty when there is no such resource.
QByteArray Wave(const QString& name);

} // namespace platform::resources
