#include "PictureListWindow.h"

#include "CaseInsensitivePath.h"
#include "Combo.h"
#include "FolderEntries.h"
#include "HyperLink.h"
#include "MessageWindowDesign.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "PictureFolders.h"
#include "ProgramFolder.h"
#include "Thumbnail.h"
#include "WorkProgress.h"
#include "cNDib.h"
#include "frmParentMessage.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

namespace design = MessageWindowDesign;

namespace {
constexpr uint32_t PanelColour = 0x0F0F99; // dark red
constexpr uint32_t TextColour = 0x80C0FF;  // light orange
constexpr uint32_t White = 0xFFFFFF;
const QString ThumbnailExtension = QStringLiteral(".qrv");
// Thumbnails are made on up to this many threads, this many to a batch.
constexpr int MakingThreads = 4;
constexpr qsizetype Batch = 64;

// The design's places, in twips.
const QRect WindowSize(0, 0, 9600, 7200);
const QRect ListPlace(240, 690, 9120, 5370);
const QRect BookLabelPlace(240, 255, 1470, 255);
constexpr int BooksLeft = 1740;
constexpr int BooksTop = 225;
constexpr int BooksWidth = 3000;

QString ColourName(uint32_t colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF)).name();
}
} // namespace

PictureListWindow::PictureListWindow(Design design) : design_(std::move(design)) {}

bool PictureListWindow::IsBlackAndWhite(platform::PictureBox& box) {
    cNDib dib;
    if (!dib.Make_From_Picture(box))
        return false;
    for (long y = 0; y <= dib.Height(); ++y) {
        for (long x = 0; x <= dib.Width(); ++x) {
            const long colour = dib.Get_Pixel_Long(x, y);
            if (colour != 0xFFFFFF && colour != 0)
                return false;
        }
    }
    return true;
}

void PictureListWindow::CreateWidgets(QWidget* window) {
    window->setWindowTitle(design_.Caption);
    window->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window->resize(design::FromTwips(0, 0, WindowSize.width(), WindowSize.height()).size());
    Surface = design::NewSurface(window, PanelColour);
    // The controls of an earlier load went with its window.
    Label1.clear();
    cFunc.clear();
    IL.clear();

    const QRect panel = window->rect().adjusted(2, 2, -2, -2);
    Picture1 = new platform::PictureBox(window);
    Picture1->SetBackColor(PanelColour);
    Picture1->setGeometry(panel);
    Picture1->Cls();
    // The panel's children keep the window's twips places.
    const QPoint offset = -panel.topLeft();
    const auto place = [&](QWidget* widget) { widget->move(widget->pos() + offset); };

    const QFont font = design::AdultFont(8.25);
    Label1.push_back(design::NewLabel(Picture1, BookLabelPlace, font, TextColour,
                                      QStringLiteral("Select a book:"), PanelColour));
    place(Label1.back());
    for (const QPoint& at : design_.OrLabels) {
        Label1.push_back(design::NewLabel(Picture1, QRect(at.x(), at.y(), 240, 255), font,
                                          TextColour, QStringLiteral("or"), PanelColour));
        place(Label1.back());
    }

    cBooks = new Combo(Picture1);
    cBooks->setGeometry(design::FromTwips(BooksLeft, BooksTop, BooksWidth, 315));
    place(cBooks);
    QObject::connect(cBooks, &Combo::Click, window, [this] { cBooks_Click(); });

    LV = new QListWidget(Picture1);
    LV->setGeometry(
        design::FromTwips(ListPlace.x(), ListPlace.y(), ListPlace.width(), ListPlace.height()));
    place(LV);
    LV->setViewMode(QListView::IconMode);
    LV->setIconSize(QSize(Thumbnail::Size, Thumbnail::Size));
    LV->setGridSize(QSize(Thumbnail::Size + 42, Thumbnail::Size + 40));
    LV->setMovement(QListView::Static);
    LV->setResizeMode(QListView::Adjust);
    LV->setWordWrap(true);
    LV->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LV->setFont(font);
    LV->setFrameShape(QFrame::NoFrame);
    LV->setStyleSheet(QStringLiteral("QListWidget { background: %1; color: black; padding: 4px; }")
                          .arg(ColourName(White)));

    for (size_t i = 0; i < design_.Links.size(); ++i) {
        const Link& link = design_.Links[i];
        auto* control = new HyperLink(Picture1);
        control->setGeometry(design::FromTwips(link.Left, link.Top, 1500, 255));
        place(control);
        control->ReadProperties(HyperLink::StandardDesign(link.Caption));
        control->setProperty("Tag", link.Tag);
        if (!link.ToolTip.isEmpty())
            control->setToolTip(link.ToolTip);
        QObject::connect(control, &HyperLink::Click, window,
                         [this, index = int(i)] { cFunc_Click(index); });
        cFunc.push_back(control);
    }

    pT = new platform::PictureBox(window);
    pT->AutoSize = true;
    pT->hide();
}

void PictureListWindow::Form_Load() {
    cBooks->Clear();
    const QStringList titles = design_.Titles();
    for (const QString& title : titles) {
        if (!title.isEmpty())
            cBooks->AddItem(title);
    }
    if (cBooks->ListCount() >= 1)
        cBooks->SetListIndex(QStringLiteral("0"));
    design::CentreOnScreen(Window());
    Surface->SetBackColor(White);
    design::RedrawEdge(Window(), Surface);
}

void PictureListWindow::cBooks_Click() {
    const int index = cBooks->ListIndex().toInt();
    if (index < 0)
        return;
    if (ForgetVanishedBook())
        return;
    ListBookPictures(platform::ResolvePath(RootPath() + QLatin1Char('/') + cBooks->List(index)));
}

bool PictureListWindow::ForgetVanishedBook(bool tell) {
    const int index = cBooks->ListIndex().toInt();
    if (index < 0)
        return true;
    const QString folder = RootPath() + QLatin1Char('/') + cBooks->List(index);
    if (QFileInfo(platform::ResolvePath(folder)).isDir())
        return false;
    // The list shows the chosen book, which has no pictures to show: never another's.
    LV->clear();
    IL.clear();
    listed_.clear();
    if (tell)
        ShowMessage(QStringLiteral("'") + folder +
                    QStringLiteral("' could not be found. Please make sure that the directory "
                                   "exists and that it is not write protected."));
    cBooks->RemoveItem(index);
    if (cBooks->ListCount() >= 1)
        cBooks->SetListIndex(QStringLiteral("0"));
    return true;
}

void PictureListWindow::ListTitle(const QString& title) {
    const int current = cBooks->ListIndex().toInt();
    bool replacedCurrent = false;
    for (int i = int(cBooks->ListCount()) - 1; i >= 0; --i) {
        if (cBooks->List(i).compare(title, Qt::CaseInsensitive) == 0) {
            replacedCurrent = replacedCurrent || i == current;
            cBooks->RemoveItem(i);
        }
    }
    cBooks->AddItem(title);
    if (replacedCurrent)
        cBooks->SetListIndex(QString::number(cBooks->ListCount() - 1));
}

void PictureListWindow::ListBookPictures(const QString& folder) {
    LV->clear();
    IL.clear();
    listed_ = folder;
    const FolderEntries entries(folder);
    const QStringList files = design_.Pictures(entries);
    if (files.isEmpty())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    // A readable cached thumbnail is used as it is; otherwise it is made again, and shown
    // from memory where the cache cannot be written. A picture that cannot be read gets none.
    const auto thumbnail = [&entries](const QString& file) {
        const QString name = file + ThumbnailExtension;
        QImage image;
        if (entries.Contains(name))
            image = platform::LoadPicture(entries.PathOf(name), White);
        if (image.isNull())
            image = Thumbnail::Create(entries.PathOf(file), entries.PathOf(name));
        return image;
    };
    // Made on a few threads, a batch at a time, and listed in the folder's order.
    QThreadPool makers;
    makers.setMaxThreadCount(std::min(QThread::idealThreadCount(), MakingThreads));
    WorkProgress progress(Window(), QStringLiteral("Listing the pictures"), int(files.size()));
    IL.reserve(size_t(files.size()));
    for (qsizetype first = 0; first < files.size(); first += Batch) {
        const QStringList batch = files.mid(first, Batch);
        const QList<QImage> images = QtConcurrent::blockingMapped(&makers, batch, thumbnail);
        for (qsizetype i = 0; i < batch.size(); ++i) {
            if (!images[i].isNull())
                IL.push_back({batch[i], images[i]});
        }
        progress.Step(int(first + batch.size()));
    }
    for (const ListImage& image : IL)
        LV->addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(image.Picture)), image.Key));
}

QString PictureListWindow::RootPath() const {
    return design_.Root();
}

QString PictureListWindow::CurrentTitle() const {
    return cBooks->List(cBooks->ListIndex().toInt());
}

int PictureListWindow::SelectedCount() const {
    int count = 0;
    for (int i = 0; i < LV->count(); ++i)
        count += LV->item(i)->isSelected() ? 1 : 0;
    return count;
}

int PictureListWindow::FirstSelected() const {
    for (int i = 0; i < LV->count(); ++i) {
        if (LV->item(i)->isSelected())
            return i;
    }
    return -1;
}

void PictureListWindow::DeletionsDone() {
    LV->setEnabled(true);
}

void PictureListWindow::ShowMessage(const QString& text) {
    frmParentMessage& message = frmParentMessage::Instance();
    // Loading the window shows its Cancel link, which closes a notice as Continue does.
    message.SetMessage(text);
    message.Show(true);
}

bool PictureListWindow::Confirm(const QString& text) {
    frmParentMessage& message = frmParentMessage::Instance();
    message.SetMessage(text);
    message.SetCancelVisible(true);
    message.Show(true);
    return !message.Cancelled;
}
