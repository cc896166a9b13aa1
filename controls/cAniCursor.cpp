#include "cAniCursor.h"

#include "Resources.h"

#include <QPixmap>

cAniCursor::~cAniCursor() {
    Destroy();
}

void cAniCursor::SetAsDefaultCursor(QWidget* lhWnd, bool bState) {
    if (!lhWnd)
        return;
    if (!bState) {
        for (Record& record : records_) {
            if (record.window == lhWnd) {
                if (record.holdsPrevious) {
                    PutBack(record);
                    record = Record{};
                }
                return;
            }
        }
        return;
    }
    if (!cursor_)
        return;
    Record* chosen = nullptr;
    Record* lastFree = nullptr;
    for (Record& record : records_) {
        if (record.window == lhWnd) {
            chosen = &record;
            break;
        }
        if (record.window.isNull())
            lastFree = &record;
    }
    if (!chosen)
        chosen = lastFree;
    if (!chosen)
        chosen = &records_.emplace_back();
    if (chosen->holdsPrevious && chosen->window)
        return;
    chosen->window = lhWnd;
    chosen->holdsPrevious = true;
    chosen->previousWasOwn = lhWnd->testAttribute(Qt::WA_SetCursor);
    chosen->previous = lhWnd->cursor();
    lhWnd->setCursor(*cursor_);
}

bool cAniCursor::LoadFromResource(long lResourceID) {
    Destroy();
    const auto resource = platform::resources::Cursor(int(lResourceID));
    return resource && Load(resource->image, resource->hotSpot);
}

bool cAniCursor::LoadFromFile(const QString& sFilename) {
    Destroy();
    const QImage image(sFilename);
    const QPoint hotSpot(image.text(QStringLiteral("HotSpotX")).toInt(),
                         image.text(QStringLiteral("HotSpotY")).toInt());
    return Load(image, hotSpot);
}

bool cAniCursor::Load(const QImage& image, QPoint hotSpot) {
    if (image.isNull())
        return false;
    cursor_ = QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
    return true;
}

void cAniCursor::Destroy() {
    if (!cursor_)
        return;
    for (Record& record : records_) {
        if (record.holdsPrevious)
            PutBack(record);
    }
    records_.clear();
    cursor_.reset();
    frame_ = 0;
    frameCount_ = 0;
}

void cAniCursor::PutBack(Record& record) {
    // A window that has gone needs nothing back.
    if (!record.window)
        return;
    if (record.previousWasOwn)
        record.window->setCursor(record.previous);
    else
        record.window->unsetCursor();
}
