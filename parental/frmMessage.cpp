#include "frmMessage.h"

#include "Arithmetic.h"
#include "KeyCodes.h"
#include "KeyTranslation.h"
#include "MessageWindowDesign.h"
#include "PictureBox.h"
#include "Random.h"
#include "ResourceCursor.h"
#include "SettingsRecord.h"
#include "Sound.h"
#include "pButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <functional>

namespace design = MessageWindowDesign;
namespace sound = platform::sound;
using platform::TwipsPerPixel;

namespace {
constexpr uint32_t BackColour = 0xFFFFFF;
constexpr unsigned PlayAsync = sound::SND_RESOURCE | sound::SND_NODEFAULT | sound::SND_ASYNC;
constexpr unsigned PlayToEnd = sound::SND_RESOURCE | sound::SND_NODEFAULT;

// Passes a watched object's events to a handler; true from the handler eats the event.
class EventHandler : public QObject {
public:
    EventHandler(QObject* watched, std::function<bool(QEvent*)> handler)
        : QObject(watched), handler_(std::move(handler)) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override { return handler_(event); }

private:
    std::function<bool(QEvent*)> handler_;
};
} // namespace

void frmMessage::SetMessage(const QString& text) {
    Load();
    design::SetCaption(Label1, text);
}

void frmMessage::SetExtendedInformation(const QString& text) {
    Load();
    design::SetCaption(Label2, text);
    Check1->setVisible(!Label2->text().isEmpty());
}

void frmMessage::SetShowCancel(bool visible) {
    Load();
    cOut2->setVisible(visible);
}

void frmMessage::SetPasswordVisible(bool visible) {
    Load();
    PasswordVisible = visible;
    ShowPasswordRow();
}

long frmMessage::Height() const {
    return IsLoaded() ? long(Surface->window()->height()) * TwipsPerPixel : 0;
}

void frmMessage::CreateWidgets(QWidget* window) {
    window->setWindowTitle(QStringLiteral("Message"));
    window->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window->resize(design::FromTwips(0, 0, 5310, 4170).size());
    Surface = design::NewSurface(window, BackColour);

    Label1 = design::NewLabel(window, QRect(120, 120, 5040, 1545), design::ChildFont(11.25, true),
                              0x000000, QStringLiteral("[Message for the kids]"));
    Check1 = new pButton(window);
    Check1->move(design::FromTwips(120, 1980, 0, 0).topLeft());
    cOut1 = new pButton(window);
    cOut1->move(design::FromTwips(4440, 1800, 0, 0).topLeft());
    cOut2 = new pButton(window);
    cOut2->move(design::FromTwips(1440, 1800, 0, 0).topLeft());
    Label2 = design::NewLabel(window, QRect(120, 2520, 5040, 1065), design::AdultFont(8.25),
                              0x000000, QStringLiteral("[Message for the parents]"));
    ll = design::NewLabel(window, QRect(120, 3750, 2910, 195), design::AdultFont(8.25), 0x000000,
                          QStringLiteral("Please enter your password here:"));
    Text1 = new QLineEdit(window);
    Text1->setGeometry(design::FromTwips(3480, 3720, 1500, 315));
    Text1->setEchoMode(QLineEdit::Password);
    Text1->setFont(design::AdultFont(9.75));

    QObject::connect(Check1, &pButton::Click, window, [this] { Check1_Click(); });
    QObject::connect(cOut1, &pButton::Click, window, [this] { cOut1_Click(); });
    QObject::connect(cOut2, &pButton::Click, window, [this] { cOut2_Click(); });
    new EventHandler(Text1, [this](QEvent* event) {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const int keyCode = int(platform::user32::VirtualKeyFromQtKey(key->key()));
        // Only the shown password box answers Enter.
        if (keyCode != int(platform::user32::VK_RETURN) || !Text1->isVisible())
            return false;
        Text1_KeyDown(keyCode, platform::ShiftCode(key->modifiers()));
        return true;
    });
    new EventHandler(window, [this](QEvent* event) {
        if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
            Form_Activate();
        return false;
    });
}

void frmMessage::Form_Load() {
    SetHeight(FoldedHeight);
    RedrawEdge();
    design::CentreOnScreen(Window());

    cOut1->SetPicture(design::ButtonBitmap(115), design::ButtonBitmap(116));
    cOut2->SetPicture(design::ButtonBitmap(114), design::ButtonBitmap(113));
    Check1->SetPicture(design::ButtonBitmap(127), design::ButtonBitmap(128),
                       design::ButtonBitmap(129));
    const QCursor hand = ResourceCursor(101);
    for (pButton* button : {cOut1, cOut2, Check1})
        button->SetMouseIcon(hand);

    Check1->hide();
    Result = QStringLiteral("Cancel");

    Text1->move(ll->geometry().right() + 1 + 5, Text1->y());
    Text1->resize(Surface->ScaleWidth() - Text1->x() - 10, Text1->height());

    if (SettingsRecord::Current().PlaySounds) {
        platform::Randomize();
        const long n = platform::Floor(platform::Rnd() * 3);
        sound::PlaySoundA(QStringLiteral("MESSAGE%1").arg(n), PlayAsync);
    }
}

void frmMessage::Form_Activate() {
    const int width = Surface->window()->width();
    cOut1->move(width - cOut1->width() - 7, cOut1->y());
    cOut2->move(cOut1->x() - cOut2->width() - 7, cOut1->y() - 3);
}

void frmMessage::Check1_Click() {
    Check1->SetPressed(!Check1->Pressed());
    if (!Check1->Pressed())
        SetHeight(FoldedHeight);
    else
        SetHeight(PasswordVisible ? PasswordHeight : UnfoldedHeight);
    RedrawEdge();
}

void frmMessage::cOut1_Click() {
    const SettingsRecord& settings = SettingsRecord::Current();
    if (PasswordVisible) {
        // The text as typed against the password as stored: every character, its case
        // and the blanks round it count.
        const bool wrong = Text1->text() != settings.Password;
        if (wrong && Height() != PasswordHeight) {
            // The first OK on a folded window only shows the password row.
            SetHeight(PasswordHeight);
            RedrawEdge();
            Text1->setFocus();
            Check1->SetPressed(true);
            return;
        }
        if (wrong) {
            if (!settings.PasswordHint.isEmpty())
                design::SetCaption(
                    Label2, QStringLiteral("The password you entered is incorrect. Your password "
                                           "hint is: '") +
                                settings.PasswordHint + QStringLiteral("'."));
            else
                design::SetCaption(
                    Label2, QStringLiteral("The password you entered is incorrect. Please enter "
                                           "the password again or press nevermind to close this "
                                           "window."));
            Text1->setFocus();
            return;
        }
    }
    if (settings.PlaySounds)
        sound::PlaySoundA(QStringLiteral("OK"), PlayToEnd);
    Result = QStringLiteral("Ok");
    Unload();
}

void frmMessage::cOut2_Click() {
    Result = QStringLiteral("Cancel");
    if (SettingsRecord::Current().PlaySounds) {
        platform::Randomize();
        const long n = platform::Floor(platform::Rnd() * 4);
        sound::PlaySoundA(QStringLiteral("CANCEL%1").arg(n), PlayAsync);
    }
    Unload();
}

void frmMessage::Text1_KeyDown(int KeyCode, int Shift) {
    (void)Shift;
    if (KeyCode == int(platform::user32::VK_RETURN))
        cOut1_Click();
}

void frmMessage::SetHeight(long twips) {
    QWidget* window = Surface->window();
    window->resize(window->width(), int(twips / TwipsPerPixel));
    Surface->setGeometry(window->rect());
    ShowPasswordRow();
}

// The password row is shown only while it is in view: a box folded out of sight would
// still take the focus, and Enter in it would answer the question.
void frmMessage::ShowPasswordRow() {
    const bool shown = PasswordVisible && Height() == PasswordHeight;
    ll->setVisible(shown);
    Text1->setVisible(shown);
}

void frmMessage::RedrawEdge() {
    design::RedrawEdge(Surface->window(), Surface);
}
