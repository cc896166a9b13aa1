#include "frmParentMessage.h"

#include "HyperLink.h"
#include "MessageWindowDesign.h"
#include "PictureBox.h"

#include <QLabel>

namespace design = MessageWindowDesign;

namespace {
constexpr uint32_t BackColour = 0x0F0F99; // dark red
constexpr uint32_t TextColour = 0x80C0FF; // light orange
} // namespace

void frmParentMessage::SetMessage(const QString& text) {
    Load();
    design::SetCaption(lMessage, text);
}

void frmParentMessage::SetCancelVisible(bool visible) {
    Load();
    lCancel->setVisible(visible);
}

void frmParentMessage::CreateWidgets(QWidget* window) {
    window->setWindowTitle(QStringLiteral("Message"));
    window->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window->resize(design::FromTwips(0, 0, 6195, 2760).size());
    Surface = design::NewSurface(window, BackColour);
    lMessage = design::NewLabel(window, QRect(120, 120, 5955, 2325), design::AdultFont(8.25),
                                TextColour, QStringLiteral("[Parental message]"), BackColour);
    lCancel = design::NewLink(window, QStringLiteral("Cancel"), 4320, 2400, 705, 255);
    lContinue = design::NewLink(window, QStringLiteral("Continue"), 5160, 2400, 885, 255);
    design::AnswerMouseOnly({lCancel, lContinue});
    QObject::connect(lContinue, &HyperLink::Click, window, [this] { lContinue_Click(); });
    QObject::connect(lCancel, &HyperLink::Click, window, [this] { lCancel_Click(); });
}

void frmParentMessage::Form_Load() {
    design::CentreOnScreen(Window());
    design::RedrawEdge(Window(), Surface);
    Cancelled = false;
}

void frmParentMessage::lContinue_Click() {
    Unload();
}

void frmParentMessage::lCancel_Click() {
    Cancelled = true;
    Unload();
}
