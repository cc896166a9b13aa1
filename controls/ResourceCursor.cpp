#include "ResourceCursor.h"

#include "Resources.h"

#include <QPixmap>

QCursor ResourceCursor(int id) {
    const auto cursor = platform::resources::Cursor(id);
    if (!cursor)
        return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(cursor->image), cursor->hotSpot.x(), cursor->hotSpot.y());
}
