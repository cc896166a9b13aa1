#pragma once

#include "DeviceContext.h"

#include <QImage>
#include <QWidget>
#include <cstdint>

namespace platform {

// A picture box with a persistent image: drawing goes into Image(), and Refresh() shows
// what changed. Picture() is the stored picture that Cls() brings back on the back
// colour. Sizes and mouse positions are pixels. Mouse events carry the button
// (1 left, 2 right, 4 middle; while moving, the buttons held), the shift state
// (1 Shift, 2 Ctrl, 4 Alt) and the position as Singles. A double click raises MouseDown,
// MouseUp, Click, DblClick, MouseUp: its second press is no MouseDown and no Click.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    QImage& Image() {
        SyncImageSize();
        return image_;
    }
    const QImage& Picture() const { return picture_; }
    // Stores the picture (a null image empties it), redraws the image from it and shows
    // it; with AutoSize the box takes the picture's size first.
    void SetPicture(const QImage& picture);
    // Makes the current image the stored picture.
    void SetPictureFromImage();

    void Cls();
    void Refresh();

    int ScaleWidth() const { return width(); }
    int ScaleHeight() const { return height(); }
    double CurrentX = 0;
    double CurrentY = 0;

    uint32_t BackColor() const { return backColour_; }
    void SetBackColor(uint32_t colour);
    uint32_t FillColor() const { return dc_.BrushColour; }
    void SetFillColor(uint32_t colour) { dc_.BrushColour = colour; }

    bool AutoSize = false;

    // The device context of the persistent image.
    HDC hDC() {
        SyncImageSize();
        return &dc_;
    }

signals:
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void Click();
    void DblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Redraw();
    // The image follows the box's size at once, also while the box is hidden (Qt
    // delivers a hidden widget's resize only when it is shown).
    void SyncImageSize();

    QImage image_;
    QImage picture_;
    uint32_t backColour_ = 0xFFFFFF;
    DeviceContext dc_;
    QRect dirty_;
    bool doubleClicked_ = false;
};

int MouseButtonCode(Qt::MouseButton button);
int MouseButtonsCode(Qt::MouseButtons buttons);
int ShiftCode(Qt::KeyboardModifiers modifiers);

} // namespace platform
