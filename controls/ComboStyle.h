#pragma once

#include <QProxyStyle>

// The look of the combo box inside a Combo: a flat field in the box's base colour with
// its text, inside a 2-pixel border, and its own drop arrow exactly the scroll-bar extent
// wide at the right, as the layout that clips the border and the arrow away expects.
// While the box has the focus its text is highlighted. The list drops below the box
// instead of opening over it.
class ComboStyle : public QProxyStyle {
public:
    // Over a fresh instance of the application's style.
    ComboStyle();

    // The width of the box's own drop arrow, in pixels.
    int ArrowWidth() const;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};
