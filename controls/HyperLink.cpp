#include "HyperLink.h"

#include "Arithmetic.h"
#include "ColourValue.h"
#include "PictureBox.h"
#include "ResourceCursor.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using platform::TwipsPerPixel;

namespace {
constexpr int MarginWidthTwips = 120;
constexpr int MarginHeightTwips = 60;

QColor ColourOf(uint32_t colour) {
    return QColor::fromRgb(platform::PixelFromColourValue(colour));
}

uint32_t ColourValueOf(const QColor& colour) {
    return platform::ColourValueFromPixel(colour.rgb());
}

// The key's value in the bag, its case ignored; the default when missing.
QVariant Read(const QVariantMap& bag, const QString& key, const QVariant& fallback) {
    for (auto it = bag.cbegin(); it != bag.cend(); ++it) {
        if (it.key().compare(key, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return fallback;
}
} // namespace

HyperLink::HyperLink(QWidget* parent) : QWidget(parent) {
    setCursor(ResourceCursor(101));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // The container's ambient properties.
    const QWidget* container = parentWidget();
    Caption_ = objectName().isEmpty() ? QStringLiteral("HyperLink") : objectName();
    Font_ = container ? container->font() : font();
    const QPalette palette = container ? container->palette() : this->palette();
    BackColor_ = ColourValueOf(palette.color(QPalette::Window));
    ForeColor_ = ColourValueOf(palette.color(QPalette::WindowText));
}

void HyperLink::SetCaption(const QString& value) {
    Caption_ = value;
    Refresh();
}

void HyperLink::SetTarget(const QString& value) {
    Target_ = value;
}

void HyperLink::SetAutoSize(bool value) {
    AutoSize_ = value;
    Refresh();
}

void HyperLink::SetLinkAvailable(bool value) {
    LinkAvailable_ = value;
    Refresh();
}

void HyperLink::SetFont(const QFont& value) {
    Font_ = value;
    Refresh();
}

void HyperLink::SetBackColor(uint32_t value) {
    BackColor_ = value & 0xFFFFFFu;
    Refresh();
}

void HyperLink::SetForeColor(uint32_t value) {
    ForeColor_ = value & 0xFFFFFFu;
    Refresh();
}

void HyperLink::SetHoverForeColor(uint32_t value) {
    HoverForeColor_ = value & 0xFFFFFFu;
}

void HyperLink::SetUseHoverForeColor(bool value) {
    UseHoverForeColor_ = value;
}

void HyperLink::SetUnderlineOnHover(bool value) {
    UnderlineOnHover_ = value;
}

void HyperLink::Refresh() {
    QFont drawingFont = Font_;
    const bool hoverColour = hovering_ && UseHoverForeColor_;
    if (UnderlineOnHover_)
        drawingFont.setUnderline(Font_.underline() || hovering_);
    const QFontMetrics metrics(drawingFont);
    const int textWidth = metrics.horizontalAdvance(Caption_);
    const int textHeight = metrics.height();
    if (AutoSize_) {
        noRefresh_ = true;
        resize(textWidth + MarginWidthTwips / TwipsPerPixel,
               textHeight + MarginHeightTwips / TwipsPerPixel);
        noRefresh_ = false;
    }
    if (image_.size() != size())
        image_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(ColourOf(BackColor_));
    QPainter painter(&image_);
    painter.setFont(drawingFont);
    painter.setPen(ColourOf(hoverColour ? HoverForeColor_ : ForeColor_));
    const double x = (width() - textWidth) / 2.0;
    const double y = (height() - textHeight) / 2.0;
    painter.drawText(QPointF(double(platform::RoundHalfEven(x)),
                             double(platform::RoundHalfEven(y) + metrics.ascent())),
                     Caption_);
    update();
}

void HyperLink::ReadProperties(const QVariantMap& bag) {
    noRefresh_ = true;
    Caption_ = Read(bag, QStringLiteral("Caption"), Caption_).toString();
    Target_ = Read(bag, QStringLiteral("Target"), QString()).toString();
    AutoSize_ = Read(bag, QStringLiteral("AutoSize"), true).toBool();
    LinkAvailable_ = Read(bag, QStringLiteral("LinkAvailable"), true).toBool();
    Font_ = Read(bag, QStringLiteral("Font"), Font_).value<QFont>();
    BackColor_ = Read(bag, QStringLiteral("BackColor"), BackColor_).toUInt() & 0xFFFFFFu;
    ForeColor_ = Read(bag, QStringLiteral("ForeColor"), ForeColor_).toUInt() & 0xFFFFFFu;
    UseHoverForeColor_ = Read(bag, QStringLiteral("UseHoverForeColor"), true).toBool();
    HoverForeColor_ = Read(bag, QStringLiteral("HoverForeColor"), 0xFF0000u).toUInt() & 0xFFFFFFu;
    UnderlineOnHover_ = Read(bag, QStringLiteral("UnderlineOnHover"), true).toBool();
    noRefresh_ = false;
    Refresh();
}

QVariantMap HyperLink::WriteProperties() const {
    return {
        {QStringLiteral("Caption"), Caption_},
        {QStringLiteral("Target"), Target_},
        {QStringLiteral("AutoSize"), AutoSize_},
        {QStringLiteral("LinkAvailable"), LinkAvailable_},
        {QStringLiteral("Font"), Font_},
        {QStringLiteral("BackColor"), BackColor_},
        {QStringLiteral("ForeColor"), ForeColor_},
        {QStringLiteral("HoverForeColor"), HoverForeColor_},
        {QStringLiteral("UseHoverForeColor"), UseHoverForeColor_},
        {QStringLiteral("UnderlineOnHover"), UnderlineOnHover_},
    };
}

QVariantMap HyperLink::StandardDesign(const QString& caption) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.25);
    return {
        {QStringLiteral("caption"), caption},
        {QStringLiteral("target"), QString()},
        {QStringLiteral("autosize"), true},
        {QStringLiteral("linkavailable"), true},
        {QStringLiteral("font"), font},
        {QStringLiteral("backcolor"), 0x000F0F99u},
        {QStringLiteral("forecolor"), 0x000080FFu},
        {QStringLiteral("hoverforecolor"), 0x0080C0FFu},
        {QStringLiteral("usehoverforecolor"), true},
        {QStringLiteral("underlineonhover"), true},
    };
}

void HyperLink::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ColourOf(BackColor_));
    painter.drawImage(0, 0, image_);
}

void HyperLink::resizeEvent(QResizeEvent*) {
    if (!noRefresh_)
        Refresh();
}

void HyperLink::showEvent(QShowEvent*) {
    noRefresh_ = false;
    Refresh();
}

void HyperLink::focusOutEvent(QFocusEvent*) {
    Refresh();
}

void HyperLink::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (!hovering_) {
        // A move while a press holds the pointer elsewhere does not reach the link.
        if (!rect().contains(p.toPoint()))
            return;
        hovering_ = true;
        captured_ = true;
        if (UseHoverForeColor_ || UnderlineOnHover_)
            Refresh();
        emit MouseHover();
        return;
    }
    if (!captured_ && !rect().contains(p.toPoint()))
        return; // without the capture, moves outside never arrive
    // Twips, the edge on the right and at the bottom counting as inside.
    const double x = p.x() * TwipsPerPixel;
    const double y = p.y() * TwipsPerPixel;
    if (x < 0 || y < 0 || x > width() * TwipsPerPixel || y > height() * TwipsPerPixel) {
        hovering_ = false;
        captured_ = false;
        if (UseHoverForeColor_ || UnderlineOnHover_)
            Refresh();
        emit MouseLeave();
    }
}

void HyperLink::leaveEvent(QEvent*) {
    // With the capture held, leaving the link is a move outside it.
    if (hovering_ && captured_) {
        hovering_ = false;
        captured_ = false;
        if (UseHoverForeColor_ || UnderlineOnHover_)
            Refresh();
        emit MouseLeave();
    }
}

void HyperLink::mousePressEvent(QMouseEvent* event) {
    captured_ = false;
    if (event->button() == Qt::RightButton) {
        hovering_ = false;
        emit RightClick(platform::ShiftCode(event->modifiers()));
        return;
    }
    pressed_ = true;
}

void HyperLink::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click with the left button is no press: the link
    // acts once, on the first release.
    if (event->button() != Qt::LeftButton)
        mousePressEvent(event);
}

void HyperLink::mouseReleaseEvent(QMouseEvent* event) {
    // The press gave up the capture: a release away from the link never reaches it.
    if (!rect().contains(event->position().toPoint()))
        return;
    if (!pressed_)
        return;
    pressed_ = false;
    hovering_ = false;
    emit Click();
}

void HyperLink::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        emit Click();
    if (!event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
}
