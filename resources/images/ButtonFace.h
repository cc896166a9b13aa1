#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// One picture of a picture button: a chunky toy key with a drawing on it, raised when
// up, pushed in while held down, and sunk with a golden ring while latched on.
struct ButtonLook {
    QSize size;      // of the picture; the button shows all but its last column and row
    QColor face;     // colour of the key
    QColor back;     // colour of the window behind the button
    QString drawing; // the SVG drawing on the key
    int depth = 4;   // how far the key stands out of its slot, in pixels
    int radius = 14; // corner radius of the key
};

enum class ButtonState { Normal, Down, Pressed };

QImage DrawButton(const ButtonLook& look, ButtonState state);
