#include "frmOpen.h"

#include "Arithmetic.h"
#include "ChooserScroll.h"
#include "ColourValue.h"
#include "FolderEntries.h"
#include "FrmMain.h"
#include "MessageWindowDesign.h"
#include "OleColour.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "PictureFolders.h"
#include "Random.h"
#include "ResourceCursor.h"
#include "SheetPlacer.h"
#include "Sound.h"
#include "Thumbnail.h"
#include "cNDib.h"
#include "frmMessage.h"
#include "frmParentMessage.h"
#include "frmSplash.h"
#include "mMain_Files.h"
#include "pButton.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

namespace design = MessageWindowDesign;
namespace sound = platform::sound;
using platform::RoundHalfEven;

std::function<void()> frmOpen::ShowManagePictures;

struct frmOpen::Book {
    long k = 0; // position in the list of book folders; 0 for the own book
    QString Folder;
    bool Own = false;
    QStringList Pictures;
};

namespace {
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t FrameColour = platform::RGB(240, 240, 240);
constexpr uint32_t ShadowColour = platform::RGB(225, 225, 225);
constexpr uint32_t WindowBackground = 0x80000005; // the system's window background
const QString ThumbnailExtension = QStringLiteral(".qrv");
// Threads making thumbnails at once: each keeps the last picture it loaded for the next
// one, so their number bounds the memory a first opening takes.
constexpr int MakingThreads = 4;
// Pictures whose thumbnails are made together, so that a large book holds a batch of
// thumbnails at a time rather than all of them.
constexpr qsizetype Batch = 64;

// Runs the window's activation handler each time the window is shown.
class ShowWatcher : public QObject {
public:
    ShowWatcher(QWidget* window, std::function<void()> shown)
        : QObject(window), shown_(std::move(shown)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            shown_();
        return false;
    }

private:
    std::function<void()> shown_;
};

// The thumbnail of `picture` in `folder`: read when it is there, made from the picture
// when it is not. A cached file that is no picture is only a spoilt copy of what its
// picture shows, so it is made anew rather than taken for a damaged book.
QImage LoadOrMake(const FolderEntries& folder, const QString& picture) {
    const QString name = picture + ThumbnailExtension;
    const QString thumbnail = folder.PathOf(name);
    if (folder.Contains(name)) {
        const QImage cached = platform::LoadPicture(thumbnail);
        if (!cached.isNull())
            return cached;
    }
    return Thumbnail::Create(folder.PathOf(picture), thumbnail);
}

// A drawing with a coloured picture shows the coloured one's thumbnail; the drawing's
// own thumbnail is then neither read nor made. A coloured picture that cannot be read
// gives way to the drawing, as it does on the canvas. Null when neither can be read.
QImage CellThumbnail(const FolderEntries& book, const FolderEntries& coloured,
                     const QString& file) {
    const QString colouredPicture = file + QStringLiteral(".jpg");
    if (coloured.Contains(colouredPicture)) {
        const QImage thumbnail = LoadOrMake(coloured, colouredPicture);
        if (!thumbnail.isNull())
            return thumbnail;
    }
    return LoadOrMake(book, file);
}

void Message(const QString& forAdult, const QString& forChild, bool cancel, bool password) {
    frmMessage& message = frmMessage::Instance();
    message.SetExtendedInformation(forAdult);
    message.SetMessage(forChild);
    message.SetShowCancel(cancel);
    message.SetPasswordVisible(password);
    message.Show(true);
}
} // namespace

void frmOpen::CreateWidgets(QWidget* window) {
    window->setWindowTitle(QStringLiteral("Open"));
    window->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window->resize(design::FromTwips(0, 0, 10410, 7575).size());
    Surface = design::NewSurface(window, White);

    pM = new platform::PictureBox(window);
    pM->setGeometry(8, 8, 677, 489);
    PB = new platform::PictureBox(pM);
    PB->setGeometry(0, 0, 675, 441);
    Pmb = new platform::PictureBox(PB);
    Pmb->setGeometry(0, 0, 644, SheetPlacer::DesignHeight);
    Pmb->hide();
    for (pButton*& button : cScroll)
        button = new pButton(PB);
    sBall = new pButton(PB);
    cClose = new pButton(pM);
    cPicadd = new pButton(pM);
    pMorePics = new pButton(pM);

    pOwn = new platform::PictureBox(window);
    pOwn->hide();
    pOwn->resize(design::FromTwips(0, 0, 11250, 7200).size());
    uint32_t background = White;
    platform::OleTranslateColor(WindowBackground, 0, background);
    pOwn->SetBackColor(background);

    QObject::connect(Pmb, &platform::PictureBox::MouseMove, window,
                     [this](int b, int s, float x, float y) { Pmb_MouseMove(b, s, x, y); });
    QObject::connect(Pmb, &platform::PictureBox::MouseUp, window,
                     [this](int b, int s, float x, float y) { Pmb_MouseUp(b, s, x, y); });
    for (int i = 0; i < 2; ++i)
        QObject::connect(cScroll[size_t(i)], &pButton::Click, window,
                         [this, i] { cScroll_Click(i); });
    QObject::connect(sBall, &pButton::MouseDown, window,
                     [this](int b, int s, float x, float y) { sBall_MouseDown(b, s, x, y); });
    QObject::connect(sBall, &pButton::MouseMove, window,
                     [this](int b, int s, float x, float y) { sBall_MouseMove(b, s, x, y); });
    QObject::connect(cClose, &pButton::Click, window, [this] { cClose_Click(); });
    QObject::connect(cPicadd, &pButton::Click, window, [this] { cPicadd_Click(); });
    QObject::connect(pMorePics, &pButton::Click, window, [this] { pMorePics_Click(); });
    new ShowWatcher(window, [this] { Form_Activate(); });
}

void frmOpen::Form_Load() {
    QWidget* window = Window();
    design::CentreOnScreen(window);
    design::RedrawEdge(window, Surface);

    cScroll[0]->SetPicture(design::ButtonBitmap(138), design::ButtonBitmap(139));
    cScroll[1]->SetPicture(design::ButtonBitmap(136), design::ButtonBitmap(135));
    cClose->SetPicture(design::ButtonBitmap(114), design::ButtonBitmap(113));
    cPicadd->SetPicture(design::ButtonBitmap(148), design::ButtonBitmap(149));
    pMorePics->SetPicture(design::ButtonBitmap(141), design::ButtonBitmap(142));
    sBall->SetPicture(design::ButtonBitmap(137), design::ButtonBitmap(140));
    const QCursor hand = ResourceCursor(101);
    for (pButton* button : {cScroll[0], cScroll[1], sBall, cClose, cPicadd, pMorePics})
        button->SetMouseIcon(hand);

    const int inner = PB->ScaleWidth();
    cScroll[0]->move(inner - cScroll[0]->width(), 0);
    cScroll[1]->move(inner - cScroll[1]->width(), PB->ScaleHeight() - cScroll[1]->height());
    sBall->move(cScroll[1]->x() + 2, cScroll[0]->height());
    PB->SetBackColor(White);
    Pmb->setGeometry(0, 0, cScroll[1]->x(), Pmb->height());

    LastIndex = -1;
    LoadBooks();
}

void frmOpen::LoadBooks() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frmSplash& splash = frmSplash::Instance();
    splash.SetForm_style(1);
    splash.Show(false);
    Thumbs.assign(1, ThumbCell{});

    try {
        const QString books = PictureFolders::BooksFolder();
        const QStringList titles =
            QFileInfo(books).isDir() ? PictureFolders::BookTitles() : QStringList();
        if (titles.isEmpty())
            return LoadingFailure();

        // The own book first; then every book in the list, the own one skipped by its
        // exact name.
        std::vector<Book> list;
        const QString own = PictureFolders::BookFolder(PictureFolders::OwnPicturesBook);
        if (QFileInfo(own).isDir())
            list.push_back({0, own, true, PictureFolders::BookPictures(mMain::GetFileName(own))});
        const QString ownExactly = books + QLatin1Char('/') + PictureFolders::OwnPicturesBook;
        for (qsizetype k = 0; k < titles.size(); ++k) {
            const QString folder = books + QLatin1Char('/') + titles[k];
            if (folder != ownExactly)
                list.push_back({long(k), folder, false, PictureFolders::BookPictures(titles[k])});
        }

        // The sheet takes room for every picture first, so that it is not grown cell by
        // cell; pictures that cannot be read take no cell, and the sheet ends below the
        // last cell placed.
        const long designHeight = Pmb->ScaleHeight();
        SheetPlacer room(Pmb->ScaleWidth(), designHeight);
        for (const Book& book : list) {
            if (book.Pictures.isEmpty())
                continue;
            room.OpenBook();
            for (qsizetype i = 0; i < book.Pictures.size(); ++i)
                room.PlaceCell();
            room.CloseBook();
        }
        Pmb->resize(Pmb->width(), int(room.Height()));
        if (Pmb->Image().size() != Pmb->size())
            return LoadingFailure(); // no memory for the sheet

        SheetPlacer placer(Pmb->ScaleWidth(), designHeight);
        cNDib dib; // carries every cell's thumbnail
        // Reading the pictures is most of a first opening, so their thumbnails are made on
        // several cores. The threads end with the loading, and with them the pictures
        // they keep for the next one.
        QThreadPool makers;
        makers.setMaxThreadCount(std::min(QThread::idealThreadCount(), MakingThreads));
        for (const Book& book : list)
            LoadBook(book, titles.size(), dib, placer, makers);
        Pmb->resize(Pmb->width(), int(placer.Height()));

        Pmb->Refresh();
        const bool scrolls = Pmb->ScaleHeight() > PB->ScaleHeight();
        for (pButton* button : {cScroll[0], cScroll[1], sBall})
            button->SetEnabled(scrolls);
        if (Thumbs.size() == 1)
            return LoadingFailure();
        Pmb->show();
        splash.Unload();
        QApplication::restoreOverrideCursor();
    } catch (const std::exception&) {
        LoadingFailure();
    }
}

void frmOpen::LoadBook(const Book& book, long count, cNDib& dib, SheetPlacer& placer,
                       QThreadPool& makers) {
    const QString name = mMain::GetFileName(book.Folder);
    frmSplash::Instance().SetProgressText(frmSplash::ProgressLine(int(book.k), int(count), name));
    // Lets the loading window repaint; clicks wait until the chooser is up.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    const QString colouredFolder = PictureFolders::ColoredFolder(frmSplash::ProperCase(name));
    PictureFolders::PurgeOrphanThumbnails(book.Folder);
    PictureFolders::PurgeOrphanThumbnails(colouredFolder);
    if (book.Pictures.isEmpty())
        return;

    const FolderEntries bookFiles(book.Folder);
    const FolderEntries colouredFiles(colouredFolder);
    // The cells are placed in the book's order, whatever order the thumbnails are made in.
    const auto thumbnail = [&](const QString& file) {
        return CellThumbnail(bookFiles, colouredFiles, file);
    };
    bool opened = false;
    for (qsizetype first = 0; first < book.Pictures.size(); first += Batch) {
        const QStringList batch = book.Pictures.mid(first, Batch);
        const QList<QImage> thumbnails = QtConcurrent::blockingMapped(&makers, batch, thumbnail);
        for (qsizetype i = 0; i < batch.size(); ++i) {
            // A picture that cannot be read takes no cell: the rest of the library stays
            // open.
            if (!dib.Make_From_Image(thumbnails[i]))
                continue;
            if (!opened)
                placer.OpenBook();
            opened = true;
            const SheetPlacer::Point corner = placer.PlaceCell();
            Thumbs.push_back({corner.X, corner.Y, batch[i], book.Folder});
            DrawCell(dib, Thumbs.back(), book.Own);
        }
    }
    if (opened)
        placer.CloseBook();
}

void frmOpen::DrawCell(const cNDib& dib, const ThumbCell& cell, bool framed) {
    const int X = int(cell.X);
    const int Y = int(cell.Y);
    dib.Set_dib_Fit(Pmb->hDC(), X + 1, Y + 1, 99, 99);
    if (!framed)
        return;
    QPainter painter(&Pmb->Image());
    painter.setPen(QColor::fromRgb(platform::PixelFromColourValue(FrameColour)));
    painter.drawRect(X, Y, 100, 100);
    painter.setPen(QColor::fromRgb(platform::PixelFromColourValue(ShadowColour)));
    painter.drawLine(X + 100, Y + 2, X + 100, Y + 98);
    painter.drawLine(X + 2, Y + 100, X + 98, Y + 100);
}

void frmOpen::LoadingFailure() {
    frmSplash::Instance().Unload();
    QApplication::restoreOverrideCursor();
    FrmMain& main = FrmMain::Instance();
    if (main.IsLoaded() && main.Timer1)
        main.Timer1->SetEnabled(false);
    Message(QStringLiteral("There was a problem loading the pictures. Make sure that none of them "
                           "are damaged. If you do not know what the problem is, please reinstall "
                           "The Crayvex. Press OK to exit the program."),
            QStringLiteral("Oh no! something strange has happened! Call someone who can help you!"),
            false, false);
    // The main window's unload ends the program; the chooser goes with it.
    main.Unload();
    Unload();
}

void frmOpen::Form_Activate() {
    RefreshLastThumb();
    cClose->move(pM->ScaleWidth() - cClose->width(), pM->ScaleHeight() - cClose->height() - 3);
    pMorePics->move(0, pM->ScaleHeight() - pMorePics->height() - 5);
    cPicadd->move(cClose->x() - cPicadd->width() - 13, cClose->y() - 6);
}

void frmOpen::RefreshLastThumb() {
    if (LastIndex < 1 || size_t(LastIndex) >= Thumbs.size())
        return;
    const ThumbCell& cell = Thumbs[size_t(LastIndex)];
    const QString coloured =
        PictureFolders::ColoredPictureFile(mMain::GetFileName(cell.Folder), cell.File);
    if (!QFileInfo(coloured).isFile())
        return;
    const QString thumbnail = PictureFolders::ThumbnailFile(coloured);
    if (QFileInfo::exists(thumbnail))
        mMain::DeleteFile(thumbnail);
    // A colouring that cannot be read leaves the cell as it was.
    cNDib dib;
    if (!dib.Make_From_Image(Thumbnail::Create(coloured, thumbnail)))
        return;
    dib.Set_dib_Fit(Pmb->hDC(), cell.X + 1, cell.Y + 1, 99, 99);
    Pmb->Refresh();
}

void frmOpen::Pmb_MouseMove(int, int, float X, float Y) {
    if (ChooserScroll::HitTestThumb(Thumbs, RoundHalfEven(X), RoundHalfEven(Y)) != -1)
        Pmb->setCursor(ResourceCursor(101));
    else
        Pmb->unsetCursor();
}

void frmOpen::Pmb_MouseUp(int, int, float X, float Y) {
    const long x = RoundHalfEven(X);
    const long y = RoundHalfEven(Y);
    const long i = ChooserScroll::HitTestThumb(Thumbs, x, y);
    if (i == -1)
        return;
    // A release dragged out of the viewport would otherwise choose a picture that is
    // scrolled out of sight.
    if (!PB->rect().contains(Pmb->mapTo(PB, QPoint(int(x), int(y)))))
        return;
    const ThumbCell& cell = Thumbs[size_t(i)];
    FileName = cell.Folder + QLatin1Char('/') + cell.File;
    LastIndex = i;
    EnableMainWindow();
    Hide();
}

void frmOpen::cScroll_Click(int Index) {
    const long H = PB->ScaleHeight();
    const long S = Pmb->ScaleHeight();
    if (S <= H)
        return;
    const ChooserScroll::Run run =
        Index == 0 ? ChooserScroll::ScrollUp(Pmb->y()) : ChooserScroll::ScrollDown(Pmb->y(), H, S);
    if (run.First == run.Last)
        return;
    const long step = run.Last > run.First ? 1 : -1;
    for (long top = run.First;; top += step) {
        ScrollTo(top);
        if (top == run.Last)
            break;
    }
}

void frmOpen::ScrollTo(long top) {
    Pmb->move(0, int(top));
    Pmb->Refresh();
    PlaceThumb();
    PB->repaint();
}

void frmOpen::PlaceThumb() {
    const ChooserScroll::Track track{cScroll[0]->height(), cScroll[1]->y(), sBall->height()};
    const double top =
        ChooserScroll::ThumbTop(track, Pmb->y(), PB->ScaleHeight(), Pmb->ScaleHeight());
    sBall->move(sBall->x(), int(RoundHalfEven(top)));
}

void frmOpen::sBall_MouseDown(int, int, float, float Y) {
    DragY = RoundHalfEven(Y);
}

void frmOpen::sBall_MouseMove(int Button, int, float, float Y) {
    const long H = PB->ScaleHeight();
    const long S = Pmb->ScaleHeight();
    if (Button == 0 || S <= H)
        return;
    const ChooserScroll::Track track{cScroll[0]->height(), cScroll[1]->y(), sBall->height()};
    const long t = ChooserScroll::DragThumbTop(track, sBall->y(), double(Y) - double(DragY));
    sBall->move(sBall->x(), int(t));
    Pmb->move(0, int(RoundHalfEven(ChooserScroll::SheetTopForThumb(track, t, H, S))));
    PB->repaint();
}

void frmOpen::cClose_Click() {
    if (FrmMain::Instance().PlaySounds)
        PlayCancelSound();
    Hide();
}

void frmOpen::cPicadd_Click() {
    const QString folder = PictureFolders::BookFolder(PictureFolders::OwnPicturesBook);
    bool started = QFileInfo(folder).isDir() || QDir().mkdir(folder);
    QString page;
    if (started) {
        pOwn->SetPictureFromImage();
        page = PictureFolders::NextOwnPictureFile();
        QSaveFile file(page);
        started =
            file.open(QIODevice::WriteOnly) && pOwn->Picture().save(&file, "BMP") && file.commit();
    }
    if (!started) {
        Message(QStringLiteral("An unknown error occurred when there was an attempt to start "
                               "drawing a new picture. Please make sure that the disk is not "
                               "write protected and that there is enough disk space."),
                QStringLiteral("Help! A new picture could not be started! Call someone who can "
                               "help you sort it out! Go!"),
                false, false);
        return;
    }
    FileName = page;
    EnableMainWindow();
    Unload();
}

void frmOpen::pMorePics_Click() {
    FrmMain& main = FrmMain::Instance();
    if (main.PlaySounds)
        PlayCancelSound();
    Message(QStringLiteral("You or your child has asked for more pictures to be added to The "
                           "Crayvex. If you wish to allow this, please press OK to continue."),
            QStringLiteral("Would you like more pictures? Call someone who can get them for you!"),
            true, main.UsePassword);
    if (frmMessage::Instance().Result != QLatin1String("Ok"))
        return;
    QCoreApplication::processEvents();
    Unload();
    QCoreApplication::processEvents();
    if (QFileInfo(PictureFolders::BooksFolder()).isDir()) {
        if (ShowManagePictures)
            ShowManagePictures();
        return;
    }
    frmParentMessage& notice = frmParentMessage::Instance();
    notice.SetMessage(
        QStringLiteral("Could not find the books path. Please reinstall The Crayvex!"));
    notice.Show(true);
}

void frmOpen::Form_Unload(int&) {
    EnableMainWindow();
}

void frmOpen::EnableMainWindow() {
    FrmMain& main = FrmMain::Instance();
    if (main.IsLoaded())
        main.Window()->setEnabled(true);
}

void frmOpen::PlayCancelSound() {
    platform::Randomize();
    const long n = platform::Floor(platform::Rnd() * 4);
    sound::PlaySoundA(QStringLiteral("CANCEL%1").arg(n),
                      sound::SND_RESOURCE | sound::SND_NODEFAULT | sound::SND_ASYNC);
}
