#include "PictureBox.h"

#include "ColourValue.h"
#include "PictureFile.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

namespace platform {

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), dc_(&image_, [this](const QRect& area) { dirty_ |= area; }) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(PixelFromColourValue(backColour_));
}

void PictureBox::SetPicture(const QImage& picture) {
    // A picture with transparency is laid over the box's back colour once, here.
    picture_ = OverBackColour(picture, backColour_);
    if (AutoSize && !picture_.isNull())
        resize(picture_.size());
    SyncImageSize();
    Redraw();
    Refresh(); // a box on show shows its new picture at once
}

void PictureBox::SetPictureFromImage() {
    // Shared until either is painted on: QImage copies its pixels on the first write.
    picture_ = image_;
}

void PictureBox::SetBackColor(uint32_t colour) {
    backColour_ = colour & 0xFFFFFFu;
    Cls();
}

void PictureBox::Cls() {
    SyncImageSize();
    Redraw();
    CurrentX = 0;
    CurrentY = 0;
}

void PictureBox::Redraw() {
    image_.fill(PixelFromColourValue(backColour_));
    if (!picture_.isNull()) {
        QPainter painter(&image_);
        painter.drawImage(0, 0, picture_);
    }
    dirty_ = image_.rect();
}

void PictureBox::Refresh() {
    if (dirty_.isEmpty())
        dirty_ = rect();
    update(dirty_);
    dirty_ = QRect();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    SyncImageSize();
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), image_, area);
    // Where the widget is larger than its image, show the back colour.
    const QRegion outside = QRegion(area) - QRegion(image_.rect());
    for (const QRect& r : outside)
        painter.fillRect(r, QColor::fromRgb(PixelFromColourValue(backColour_)));
}

void PictureBox::resizeEvent(QResizeEvent*) {
    SyncImageSize();
}

void PictureBox::SyncImageSize() {
    if (size() == image_.size() || width() <= 0 || height() <= 0)
        return;
    QImage grown(size(), QImage::Format_RGB32);
    grown.fill(PixelFromColourValue(backColour_));
    {
        QPainter painter(&grown);
        if (!picture_.isNull())
            painter.drawImage(0, 0, picture_);
        painter.drawImage(0, 0, image_);
    }
    image_ = grown;
    dirty_ = image_.rect();
}

int MouseButtonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int MouseButtonsCode(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    doubleClicked_ = false;
    const QPointF p = event->position();
    emit MouseDown(MouseButtonCode(event->button()), ShiftCode(event->modifiers()), float(p.x()),
                   float(p.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseMove(MouseButtonsCode(event->buttons()), ShiftCode(event->modifiers()), float(p.x()),
                   float(p.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseUp(MouseButtonCode(event->button()), ShiftCode(event->modifiers()), float(p.x()),
                 float(p.y()));
    // The release that ends a double click is no click of its own.
    const bool second = std::exchange(doubleClicked_, false);
    if (!second && rect().contains(p.toPoint()))
        emit Click();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click with the left button raises DblClick in place
    // of MouseDown; its release then raises MouseUp alone. Other buttons press as usual.
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    doubleClicked_ = true;
    emit DblClick();
}

} // namespace platform
