#include "pButton.h"

#include <QMouseEvent>
#include <QPainter>

pButton::pButton(QWidget* parent) : QWidget(parent) {}

long pButton::SetPicture(const QImage& pUP, const QImage& pDOWN, const QImage& pPRESSED,
                         const QImage& pDISABLED) {
    if (!pUP.isNull()) {
        normal_ = pUP;
        resize(pUP.size());
    }
    if (!pDOWN.isNull())
        down_ = pDOWN;
    if (!pPRESSED.isNull())
        pressedImage_ = pPRESSED;
    if (!pDISABLED.isNull())
        disabled_ = pDISABLED;
    update();
    return 0;
}

void pButton::SetEnabled(bool enabled) {
    setEnabled(enabled);
    update();
}

void pButton::SetPressed(bool pressed) {
    pressed_ = pressed;
    update();
}

void pButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& face = !isEnabled()               ? (disabled_.isNull() ? normal_ : disabled_)
                         : held_ && !down_.isNull() ? down_
                         : pressed_ && !pressedImage_.isNull() ? pressedImage_
                                                               : normal_;
    if (!face.isNull())
        painter.drawImage(rect(), face);
}

void pButton::mousePressEvent(QMouseEvent* event) {
    held_ = true;
    update();
    emit MouseDown(1, 0, float(event->position().x()), float(event->position().y()));
}

void pButton::mouseReleaseEvent(QMouseEvent* event) {
    held_ = false;
    update();
    emit MouseUp();
    if (rect().contains(event->position().toPoint()))
        emit Click();
}
