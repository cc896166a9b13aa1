#include "ComboStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionComboBox>

namespace {
constexpr int Border = 2;
}

ComboStyle::ComboStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

int ComboStyle::ArrowWidth() const {
    return pixelMetric(PM_ScrollBarExtent);
}

QRect ComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                 SubControl sub, const QWidget* widget) const {
    if (control != CC_ComboBox)
        return QProxyStyle::subControlRect(control, option, sub, widget);
    const QRect inside = option->rect.adjusted(Border, Border, -Border, -Border);
    const int arrow = ArrowWidth();
    switch (sub) {
    case SC_ComboBoxFrame:
        return option->rect;
    case SC_ComboBoxArrow:
        return QRect(inside.right() + 1 - arrow, inside.top(), arrow, inside.height());
    case SC_ComboBoxEditField:
        return inside.adjusted(0, 0, -arrow, 0);
    default:
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }
}

void ComboStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                    QPainter* painter, const QWidget* widget) const {
    if (control != CC_ComboBox) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // The border and the arrow lie outside the Combo's viewport; they are drawn plainly
    // so that nothing odd shows should a container look past it.
    const QPalette& palette = option->palette;
    painter->fillRect(option->rect, palette.color(QPalette::Mid));
    painter->fillRect(option->rect.adjusted(Border, Border, -Border, -Border),
                      palette.color(QPalette::Base));
    painter->fillRect(subControlRect(control, option, SC_ComboBoxArrow, widget),
                      palette.color(QPalette::Button));
}

int ComboStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                          QStyleHintReturn* returnData) const {
    if (hint == SH_ComboBox_Popup)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void ComboStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (element != CE_ComboBoxLabel || box == nullptr) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect field = subControlRect(CC_ComboBox, box, SC_ComboBoxEditField, widget);
    const QPalette& palette = box->palette;
    const bool focused = box->state.testFlag(State_HasFocus);
    QColor text = palette.color(QPalette::Text);
    if (!box->state.testFlag(State_Enabled))
        text = palette.color(QPalette::Disabled, QPalette::Text);
    painter->save();
    painter->setClipRect(field);
    const QRect textArea = field.adjusted(2, 0, -1, 0);
    if (focused && !box->currentText.isEmpty()) {
        // Behind the text only, a pixel clear of the field's top and bottom.
        const int advance = box->fontMetrics.horizontalAdvance(box->currentText);
        const QRect behind(field.left() + 1, field.top() + 1, advance + 3, field.height() - 2);
        painter->fillRect(behind & field, palette.color(QPalette::Highlight));
        text = palette.color(QPalette::HighlightedText);
    }
    painter->setPen(text);
    painter->drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, box->currentText);
    painter->restore();
}
