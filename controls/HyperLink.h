#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QVariantMap>
#include <QWidget>
#include <cstdint>

// The text button of the grown-up windows: one caption centred on its surface, which
// changes colour and underlines itself while the pointer is over it. It raises Click
// when clicked with a mouse button other than the right one, and on Enter or Space.
// Colours are colour values (0x00BBGGRR). It measures in twips.
class HyperLink : public QWidget {
    Q_OBJECT
public:
    explicit HyperLink(QWidget* parent = nullptr);

    QString Caption() const { return Caption_; }
    void SetCaption(const QString& value);
    // Stored only.
    QString Target() const { return Target_; }
    void SetTarget(const QString& value);
    // Sizes the control to its caption on every refresh.
    bool AutoSize() const { return AutoSize_; }
    void SetAutoSize(bool value);
    // Stored only: clicks and keys work whatever its value.
    bool LinkAvailable() const { return LinkAvailable_; }
    void SetLinkAvailable(bool value);
    QFont Font() const { return Font_; }
    void SetFont(const QFont& value);
    uint32_t BackColor() const { return BackColor_; }
    void SetBackColor(uint32_t value);
    uint32_t ForeColor() const { return ForeColor_; }
    void SetForeColor(uint32_t value);
    uint32_t HoverForeColor() const { return HoverForeColor_; }
    void SetHoverForeColor(uint32_t value);
    bool UseHoverForeColor() const { return UseHoverForeColor_; }
    void SetUseHoverForeColor(bool value);
    bool UnderlineOnHover() const { return UnderlineOnHover_; }
    void SetUnderlineOnHover(bool value);

    // Redraws the caption (and sizes the control first when AutoSize is set).
    void Refresh();

    // A saved design: the ten properties by key ("Caption", "HoverForeColor", ...),
    // matched without regard to case; a missing key gives its default.
    void ReadProperties(const QVariantMap& bag);
    QVariantMap WriteProperties() const;
    // The design every window gives its links: DejaVu Sans 8.25 pt, orange on dark red,
    // light orange and underlined while hovered.
    static QVariantMap StandardDesign(const QString& caption);

    // What the surface shows, for tests.
    const QImage& Surface() const { return image_; }
    bool Hovering() const { return hovering_; }

signals:
    void Click();
    void RightClick(int Shift);
    void MouseHover();
    void MouseLeave();
    void KeyPress(int KeyAscii);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString Caption_;
    QString Target_;
    bool AutoSize_ = true;
    bool LinkAvailable_ = true;
    QFont Font_;
    uint32_t BackColor_ = 0;
    uint32_t ForeColor_ = 0;
    uint32_t HoverForeColor_ = 0xFF0000;
    bool UseHoverForeColor_ = true;
    bool UnderlineOnHover_ = true;

    bool hovering_ = false;
    bool captured_ = false;
    bool pressed_ = false;
    bool noRefresh_ = true;
    QImage image_;
};
