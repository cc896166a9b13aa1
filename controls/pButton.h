#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// The four-state picture button: Normal, Down while a mouse button is held on it,
// Pressed while latched, and Disabled (a grey copy of Normal when none is given).
class pButton : public QWidget {
    Q_OBJECT
public:
    explicit pButton(QWidget* parent = nullptr);

    // Null images for the states not given. Returns 0, or an error number.
    long SetPicture(const QImage& pUP, const QImage& pDOWN = {}, const QImage& pPRESSED = {},
                    const QImage& pDISABLED = {});

    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled);
    bool Pressed() const { return pressed_; }
    void SetPressed(bool pressed);
    void SetToolText(const QString& text) { setToolTip(text); }

signals:
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp();
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage normal_, down_, pressedImage_, disabled_;
    bool pressed_ = false;
    bool held_ = false;
};
