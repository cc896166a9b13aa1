#include "Cursors.h"

#include "Svg.h"

namespace cursors {

std::vector<Cursor> All() {
    struct Design {
        int id;
        const char* drawing;
        QSize size;
        QPoint hotSpot;
    };
    static const Design designs[] = {
        {101, "hand", {32, 32}, {8, 1}},
        {106, "crayon", {69, 58}, {3, 52}},
        {104, "paintbrush", {67, 73}, {1, 69}},
        {102, "pencil", {65, 56}, {0, 51}},
    };
    std::vector<Cursor> cursors;
    for (const Design& design : designs) {
        QImage image = svg::Render(QString::fromLatin1(design.drawing), design.size);
        image.setText(QStringLiteral("HotSpotX"), QString::number(design.hotSpot.x()));
        image.setText(QStringLiteral("HotSpotY"), QString::number(design.hotSpot.y()));
        cursors.push_back({design.id, image});
    }
    return cursors;
}

} // namespace cursors
