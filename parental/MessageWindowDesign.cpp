#include "MessageWindowDesign.h"

#include "Arithmetic.h"
#include "ColourValue.h"
#include "Edge.h"
#include "HyperLink.h"
#include "PictureBox.h"
#include "Resources.h"
#include "cNDib.h"
#include "mWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace MessageWindowDesign {

QFont AdultFont(double points) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    return font;
}

QFont ChildFont(double points, bool bold) {
    QFont font(QStringLiteral("Comic Neue"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QRect FromTwips(int left, int top, int width, int height) {
    const auto pixels = [](int twips) {
        return int(platform::RoundHalfEven(double(twips) / platform::TwipsPerPixel));
    };
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

QLabel* NewLabel(QWidget* parent, const QRect& twips, const QFont& font, uint32_t foreColour,
                 const QString& text, int64_t backColour) {
    auto* label = new QLabel(parent);
    label->setGeometry(FromTwips(twips.x(), twips.y(), twips.width(), twips.height()));
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setContentsMargins(0, 0, 0, 0);
    label->setIndent(0);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     QColor::fromRgb(platform::PixelFromColourValue(foreColour)));
    if (backColour >= 0) {
        palette.setColor(QPalette::Window,
                         QColor::fromRgb(platform::PixelFromColourValue(uint32_t(backColour))));
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
    SetCaption(label, text);
    return label;
}

HyperLink* NewLink(QWidget* parent, const QString& caption, int left, int top, int width,
                   int height) {
    auto* link = new HyperLink(parent);
    link->setGeometry(FromTwips(left, top, width, height));
    link->ReadProperties(HyperLink::StandardDesign(caption));
    return link;
}

void AnswerMouseOnly(std::initializer_list<HyperLink*> links) {
    for (HyperLink* link : links)
        link->setFocusPolicy(Qt::NoFocus);
}

void SetCaption(QLabel* label, const QString& caption) {
    QString text = caption;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    label->setText(text);
}

QImage ButtonBitmap(int id) {
    QImage bitmap = platform::resources::Bitmap(id);
    if (!bitmap.isNull())
        return bitmap;
    struct StandIn {
        int id;
        const char* caption;
        QSize size;
        QColor colour;
    };
    static const StandIn standIns[] = {
        {115, "OK", {80, 34}, QColor(60, 170, 60)},
        {116, "OK", {80, 34}, QColor(40, 120, 40)},
        {114, "Cancel", {80, 34}, QColor(210, 70, 60)},
        {113, "Cancel", {80, 34}, QColor(150, 50, 40)},
        {127, "?", {26, 26}, QColor(70, 120, 210)},
        {128, "?", {26, 26}, QColor(50, 80, 150)},
        {129, "?", {26, 26}, QColor(240, 160, 40)},
    };
    for (const StandIn& standIn : standIns) {
        if (standIn.id != id)
            continue;
        QImage face(standIn.size, QImage::Format_RGB32);
        face.fill(Qt::white);
        QPainter painter(&face);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(standIn.colour);
        painter.drawRoundedRect(QRectF(face.rect()).adjusted(1, 1, -1, -1), 8, 8);
        painter.setPen(Qt::white);
        painter.setFont(ChildFont(11.25, true));
        painter.drawText(face.rect(), Qt::AlignCenter, QString::fromLatin1(standIn.caption));
        return face;
    }
    return bitmap;
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

platform::PictureBox* NewSurface(QWidget* window, uint32_t backColour) {
    auto* surface = new platform::PictureBox(window);
    surface->SetBackColor(backColour);
    surface->setGeometry(window->rect());
    surface->lower();
    return surface;
}

void RedrawEdge(QWidget* window, platform::PictureBox* surface) {
    surface->setGeometry(window->rect());
    surface->Cls();
    mWindow::DrawWindowEdge(window, surface->hDC(), platform::user32::EDGE_RAISED,
                            platform::user32::BF_RECT);
    surface->Refresh();
}

void StretchPicture(QWidget* window, platform::PictureBox* surface, platform::PictureBox& picture) {
    surface->setGeometry(window->rect());
    surface->Cls();
    cNDib dib;
    if (dib.Make_From_Picture(picture))
        dib.Stretch_dib_area(0, 0, 0, 0, dib.Width() + 1, dib.Height() + 1, surface->width(),
                             surface->height(), surface->hDC());
    surface->Refresh();
}

} // namespace MessageWindowDesign
