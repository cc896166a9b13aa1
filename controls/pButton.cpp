#include "pButton.h"

#include "Arithmetic.h"
#include "ColourValue.h"
#include "PictureBox.h"

#include <algorithm>
#include <new>
#include <stdexcept>

using platform::PictureBox;

namespace {
// Error numbers of the run-time errors SetPicture can meet.
constexpr long ErrOutOfMemory = 7;
constexpr long ErrInvalidCall = 5;

// Copies the work box's picture into a new pixel copy; nothing when it holds none.
std::unique_ptr<cNDib> CopyOf(PictureBox& box) {
    auto copy = std::make_unique<cNDib>();
    if (!copy->Make_From_Picture(box))
        throw std::runtime_error("picture could not be copied");
    return copy;
}

// White stays white; every other colour becomes its weighted grey.
uint8_t GreyLevel(uint8_t r, uint8_t g, uint8_t b) {
    if (r == 255 && g == 255 && b == 255)
        return 255;
    return uint8_t(std::min(255L, platform::RoundHalfEven(r * 0.255 + g * 0.587 + b * 0.114)));
}

void MakeGrey(cNDib& dib) {
    for (long y = 0; y <= dib.Height(); ++y) {
        for (long x = 0; x <= dib.Width(); ++x) {
            uint8_t r = 0, g = 0, b = 0;
            dib.Get_Pixel(x, y, r, g, b);
            const uint8_t grey = GreyLevel(r, g, b);
            dib.Set_Pixel(x, y, grey, grey, grey);
        }
    }
}
} // namespace

pButton::pButton(QWidget* parent) : QWidget(parent) {
    // A disabled face passes its clicks on to nobody.
    setAttribute(Qt::WA_NoMousePropagation);
    P = new PictureBox(this);
    P->setGeometry(0, 0, 0, 0); // blank until the first picture
    pT = new PictureBox(this);
    pT->AutoSize = true;
    pT->hide();
    connect(P, &PictureBox::MouseDown, this, &pButton::P_MouseDown);
    connect(P, &PictureBox::MouseUp, this, [this](int, int, float, float) { P_MouseUp(); });
    connect(P, &PictureBox::MouseMove, this, &pButton::MouseMove);
    connect(P, &PictureBox::Click, this, &pButton::Click);
}

pButton::~pButton() = default;

long pButton::SetPicture(const QImage& pUP, const QImage& pDOWN, const QImage& pPRESSED,
                         const QImage& pDISABLED) {
    try {
        if (!pUP.isNull()) {
            pT->SetPicture(pUP);
            NormalCopy = CopyOf(*pT);
            if (pDISABLED.isNull()) {
                GreyCopy = CopyOf(*pT);
                MakeGrey(*GreyCopy);
            }
            SetWidth(platform::TwipsPerPixel * NormalCopy->Width());
            SetHeight(platform::TwipsPerPixel * NormalCopy->Height());
            P->setGeometry(0, 0, width() + 1, height() + 1);
        }
        const std::pair<const QImage*, std::unique_ptr<cNDib>*> others[] = {
            {&pDOWN, &DownCopy}, {&pPRESSED, &PressedCopy}, {&pDISABLED, &DisabledCopy}};
        for (const auto& [picture, copy] : others) {
            if (picture->isNull())
                continue;
            pT->SetPicture(*picture);
            *copy = CopyOf(*pT);
        }
        pT->SetPicture(QImage());
        SetEnabled(Enabled());
    } catch (const std::bad_alloc&) {
        return ErrOutOfMemory;
    } catch (const std::exception&) {
        return ErrInvalidCall;
    }
    return 0;
}

QImage pButton::GreyOn(const QImage& picture, uint32_t background) {
    QImage grey = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb keep = platform::PixelFromColourValue(background);
    for (int y = 0; y < grey.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            if ((row[x] | 0xFF000000u) == keep)
                continue;
            const uint8_t level =
                GreyLevel(uint8_t(qRed(row[x])), uint8_t(qGreen(row[x])), uint8_t(qBlue(row[x])));
            row[x] = qRgb(level, level, level);
        }
    }
    return grey;
}

long pButton::Width() const {
    return long(width()) * platform::TwipsPerPixel;
}

long pButton::Height() const {
    return long(height()) * platform::TwipsPerPixel;
}

void pButton::SetWidth(long twips) {
    resize(int(platform::RoundHalfEven(double(twips) / platform::TwipsPerPixel)), height());
}

void pButton::SetHeight(long twips) {
    resize(width(), int(platform::RoundHalfEven(double(twips) / platform::TwipsPerPixel)));
}

bool pButton::Enabled() const {
    return P->isEnabledTo(this);
}

void pButton::SetEnabled(bool enabled) {
    P->setEnabled(enabled);
    if (Enabled())
        DrawState(NormalCopy);
    else
        DrawState(DisabledCopy ? DisabledCopy : GreyCopy);
}

void pButton::SetMouseIcon(const QCursor& cursor) {
    P->setCursor(cursor);
}

void pButton::SetPressed(bool pressed) {
    Pressed_ = pressed;
    DrawState(Pressed_ ? PressedCopy : NormalCopy);
}

QString pButton::ToolText() const {
    return P->toolTip();
}

void pButton::SetToolText(const QString& text) {
    P->setToolTip(text);
}

void pButton::SetLockRefresh(bool value) {
    LockRefresh_ = value;
    if (!LockRefresh_)
        P->Refresh();
}

void pButton::DrawState(const std::unique_ptr<cNDib>& copy) {
    if (!copy || copy->IsEmpty())
        return;
    // The top-left (w - 1) x (h - 1) pixels over the face less its last column and row.
    copy->Stretch_dib_area(0, 0, 0, 0, copy->Width(), copy->Height(), P->ScaleWidth() - 1,
                           P->ScaleHeight() - 1, P->hDC());
    if (!LockRefresh_)
        P->Refresh();
}

void pButton::P_MouseDown(int button, int shift, float x, float y) {
    DrawState(DownCopy);
    emit MouseDown(button, shift, x, y);
}

void pButton::P_MouseUp() {
    DrawState(NormalCopy);
    SetPressed(Pressed_);
    emit MouseUp();
}
