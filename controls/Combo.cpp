#include "Combo.h"

#include "Arithmetic.h"
#include "ColourValue.h"
#include "ComboStyle.h"
#include "KeyTranslation.h"
#include "OleColour.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "Registry.h"
#include "Resources.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include <stdexcept>

using platform::PictureBox;
using platform::RoundHalfEven;

namespace {
constexpr int DropWidth = 16;
constexpr int DropHeight = 15;

int Pixels(double value) {
    return int(std::max(0L, RoundHalfEven(value)));
}
} // namespace

Combo::Combo(QWidget* parent) : QWidget(parent) {
    P = new PictureBox(this);
    P->SetBackColor(platform::ColourValueFromPixel(palette().color(QPalette::Window).rgb()));
    cb = new QComboBox(P);
    pD = new PictureBox(this);
    pD->resize(DropWidth, DropHeight);
    // Made after cb, so that it is destroyed after cb as well.
    style_ = new ComboStyle;
    style_->setParent(this);
    cb->setStyle(style_);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.25);
    cb->setFont(font);
    cb->resize(cb->width(), cb->sizeHint().height());
    cb->installEventFilter(this);
    // The list's window, made with the view.
    cb->view()->window()->installEventFilter(this);
    connect(cb, &QComboBox::activated, this, [this] { emit Click(); });

    b[0] = platform::resources::DesignPicture(QStringLiteral("comboUp"));
    b[1] = platform::resources::DesignPicture(QStringLiteral("comboDown"));
    ShowPicture(b[0]);
    connect(pD, &PictureBox::MouseDown, this, [this] { pD_MouseDown(); });
    connect(pD, &PictureBox::MouseUp, this, [this] { pD_MouseUp(); });
    connect(pD, &PictureBox::Click, this, &Combo::pD_Click);
    UserControl_Resize();
}

void Combo::AutoComplete(bool autoComplete) {
    AutoComplete_ = autoComplete;
}

void Combo::SetFont(const QString& Fontname, long FontSize, bool Bold, bool Italic, bool Underline,
                    bool Strikethrough, long /*Color*/) {
    QFont font = cb->font();
    if (FontSize > 0)
        font.setPointSize(int(FontSize));
    font.setBold(Bold);
    font.setItalic(Italic);
    font.setFamily(Fontname);
    font.setUnderline(Underline);
    font.setStrikeOut(Strikethrough);
    cb->setFont(font);
    cb->resize(cb->width(), cb->sizeHint().height());
    UserControl_Resize();
}

void Combo::RemoveItem(int Index) {
    if (Index < 0 || Index >= cb->count())
        return;
    const bool selected = Index == cb->currentIndex();
    cb->removeItem(Index);
    if (selected)
        cb->setCurrentIndex(-1);
}

long Combo::ListCount() const {
    return cb->count();
}

void Combo::Clear() {
    cb->clear();
}

void Combo::AddItem(const QString& Item, int Index) {
    const int selected = cb->currentIndex();
    if (Index < 0 || Index > cb->count())
        Index = cb->count();
    cb->insertItem(Index, Item);
    if (selected < 0)
        cb->setCurrentIndex(-1);
}

QString Combo::List(int I) const {
    return cb->itemText(I);
}

bool Combo::SetPictures(const QString& UP, const QString& DOWN) {
    const QImage up = platform::LoadPicture(UP, pD->BackColor());
    const QImage down = DOWN.isEmpty() ? up : platform::LoadPicture(DOWN, pD->BackColor());
    if (up.isNull() || down.isNull())
        return false;
    b[0] = up;
    b[1] = down;
    ShowPicture(b[0]);
    UserControl_Resize();
    return true;
}

QString Combo::ListIndex() const {
    return QString::number(cb->currentIndex());
}

void Combo::SetListIndex(const QString& vNewValue) {
    bool ok = false;
    const int index = vNewValue.trimmed().toInt(&ok);
    if (!ok)
        throw std::invalid_argument("list index is not a whole number");
    if (index < -1 || index >= cb->count())
        throw std::out_of_range("list index outside the list");
    cb->setCurrentIndex(index);
    emit Click();
}

QString Combo::Text() const {
    return cb->currentText();
}

void Combo::SetText(const QString& value) {
    cb->setCurrentText(value);
}

uint32_t Combo::BackColor() const {
    return platform::ColourValueFromPixel(cb->palette().color(QPalette::Base).rgb());
}

void Combo::SetBackColor(uint32_t value) {
    uint32_t rgb = 0;
    if (!platform::OleTranslateColor(value, 0, rgb))
        return;
    QPalette palette = cb->palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(platform::PixelFromColourValue(rgb)));
    cb->setPalette(palette);
}

double Combo::HiddenArrowWidth(const QString& scrollHeight) {
    bool ok = false;
    const double twips = scrollHeight.trimmed().toDouble(&ok);
    if (ok && std::isfinite(twips) && twips < 0)
        return -twips / platform::TwipsPerPixel;
    ComboStyle style;
    return style.ArrowWidth();
}

Combo::Geometry Combo::Arrange(double innerWidth, double cbHeight, double pDWidth, double pDHeight,
                               double arrowWidth) {
    Geometry g;
    g.pWidth = innerWidth - pDWidth;
    g.pHeight = cbHeight - 4;
    g.pDX = g.pWidth;
    g.pDY = g.pHeight / 2 - pDHeight / 2 - 0.5;
    g.cbX = -2;
    g.cbY = -2;
    g.cbWidth = innerWidth - pDWidth + arrowWidth + 4;
    g.height = g.pHeight;
    return g;
}

void Combo::UserControl_Resize() {
    const QString scrollHeight = platform::registry::ReadString(
        platform::registry::Hive::CurrentUser,
        QStringLiteral("Control Panel\\Desktop\\WindowMetrics"), QStringLiteral("ScrollHeight"));
    const Geometry g =
        Arrange(width(), cb->height(), pD->width(), pD->height(), HiddenArrowWidth(scrollHeight));
    // Sizes that come out negative are taken as empty.
    P->setGeometry(0, 0, Pixels(g.pWidth), Pixels(g.pHeight));
    pD->move(int(RoundHalfEven(g.pDX)), int(RoundHalfEven(g.pDY)));
    cb->setGeometry(int(g.cbX), int(g.cbY), Pixels(g.cbWidth), cb->height());
    if (height() != P->height())
        resize(width(), P->height());
}

void Combo::resizeEvent(QResizeEvent*) {
    UserControl_Resize();
}

bool Combo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cb->view()->window() && event->type() == QEvent::Show)
        AlignList(*cb->view()->window());
    if (watched == cb && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        emit KeyDown(int(platform::user32::VirtualKeyFromQtKey(key->key())),
                     platform::ShiftCode(key->modifiers()));
    }
    return QWidget::eventFilter(watched, event);
}

void Combo::AlignList(QWidget& list) const {
    // The box places its list against its own edges, which lie outside the face: line it
    // up with the face instead, keeping the side the box chose and any extra width the
    // items need.
    const QRect face(mapToGlobal(QPoint(0, 0)), size());
    QRect placed = list.geometry();
    const bool below = placed.top() >= face.top();
    placed.moveLeft(face.left());
    if (placed.width() <= cb->width())
        placed.setWidth(face.width());
    if (below)
        placed.moveTop(face.bottom() + 1);
    else
        placed.moveBottom(face.top() - 1);
    list.setGeometry(placed);
}

void Combo::pD_MouseDown() {
    ShowPicture(b[1]);
}

void Combo::pD_MouseUp() {
    ShowPicture(b[0]);
}

void Combo::pD_Click() {
    if (cb->count() >= 1)
        cb->showPopup();
}

void Combo::ShowPicture(const QImage& picture) {
    pD->SetPicture(picture);
    pD->Refresh();
}
