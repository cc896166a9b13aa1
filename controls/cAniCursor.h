#pragma once

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

// Owns one cursor and can make it the cursor of a window, remembering each cursor it
// replaced so that it can put it back. A window's cursor also serves its children that
// have none of their own.
class cAniCursor {
public:
    cAniCursor() = default;
    ~cAniCursor();
    cAniCursor(const cAniCursor&) = delete;
    cAniCursor& operator=(const cAniCursor&) = delete;

    // True: installs this object's cursor on the window, unless it holds it already;
    // False: gives the window back the cursor it had before. Nothing while no cursor is
    // loaded, so the window keeps its pointer.
    void SetAsDefaultCursor(QWidget* lhWnd, bool bState);
    // The loaded cursor, null when none.
    const QCursor* hCursor() const { return cursor_ ? &*cursor_ : nullptr; }
    // Undoes an earlier cursor first, then loads the cursor resource at its own size
    // with its hot spot. False, and empty, when there is no such resource.
    bool LoadFromResource(long lResourceID);
    // The same from a picture file whose text keys "HotSpotX" and "HotSpotY" give the
    // hot spot, as the resources keep it.
    bool LoadFromFile(const QString& sFilename);
    long Frame() const { return frame_; }
    long FrameCount() const { return frameCount_; }
    // Gives every window back its replaced cursor and releases the cursor.
    void Destroy();

    // The number of replacement records, free ones included.
    long RecordCount() const { return long(records_.size()); }

private:
    struct Record {
        QPointer<QWidget> window; // null: a free record
        bool holdsPrevious = false;
        bool previousWasOwn = false; // the window had a cursor of its own
        QCursor previous;
    };
    static void PutBack(Record& record);
    bool Load(const QImage& image, QPoint hotSpot);

    std::optional<QCursor> cursor_;
    long frame_ = 0;
    long frameCount_ = 0;
    std::vector<Record> records_;
};
