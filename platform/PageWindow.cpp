#include "PageWindow.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace platform {
namespace {
// The adults' windows: orange on dark red.
const QColor BackColour(0x99, 0x0F, 0x0F);
const QColor TextColour(0xFF, 0x80, 0x00);
// Share of the screen that the window covers, each way.
constexpr double ScreenShare = 0.85;

QFont AdultFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9);
    return font;
}
} // namespace

bool PageWindow::IsPage(const QUrl& page) {
    if (!page.isLocalFile())
        return false;
    // A named pipe or a device under a page's name would hold the program up.
    const QFileInfo file(page.toLocalFile());
    return file.isFile() && file.isReadable();
}

bool PageWindow::ShowPage(const QUrl& page) {
    if (!IsPage(page))
        return false;
    Load();
    Browser->setSource(page);
    ShowTitle();
    Show(true);
    Unload();
    return true;
}

void PageWindow::FollowLink(const QUrl& link) {
    const QUrl target = Browser->source().resolved(link);
    if (!IsPage(target))
        return;
    Browser->setSource(target);
    ShowTitle();
}

void PageWindow::CreateWidgets(QWidget* window) {
    window->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window->setAutoFillBackground(true);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, BackColour);
    palette.setColor(QPalette::WindowText, TextColour);
    window->setPalette(palette);

    Browser = new QTextBrowser(window);
    // Links answer the mouse only; the keys still scroll the page.
    Browser->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
    Browser->setOpenLinks(false);
    Browser->setOpenExternalLinks(false);
    QObject::connect(Browser, &QTextBrowser::anchorClicked, window,
                     [this](const QUrl& link) { FollowLink(link); });

    Title = new QLabel(window);
    Title->setFont(AdultFont());
    CloseButton = new QPushButton(QStringLiteral("Close"), window);
    CloseButton->setFont(AdultFont());
    // A key pressed by chance closes nothing.
    CloseButton->setFocusPolicy(Qt::NoFocus);
    CloseButton->setCursor(Qt::PointingHandCursor);
    CloseButton->setFlat(true);
    CloseButton->setStyleSheet(
        QStringLiteral("QPushButton { color: #ff8000; background: #990f0f; border: none; "
                       "padding: 2px 10px; } QPushButton:hover { color: #ffc080; "
                       "text-decoration: underline; }"));
    QObject::connect(CloseButton, &QPushButton::clicked, window, [this] { Unload(); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(Title, 1);
    bar->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->setSpacing(4);
    layout->addWidget(Browser, 1);
    layout->addLayout(bar);
}

void PageWindow::Form_Load() {
    QWidget* window = Window();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 800, 600);
    window->resize(int(area.width() * ScreenShare), int(area.height() * ScreenShare));
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

void PageWindow::ShowTitle() {
    QString title = Browser->documentTitle();
    if (title.isEmpty())
        title = QFileInfo(Browser->source().toLocalFile()).fileName();
    Title->setText(title);
    Window()->setWindowTitle(title);
}

} // namespace platform
