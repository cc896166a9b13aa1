#include "ColourValue.h"
#include "HyperLink.h"
#include "MainWindowFixture.h"
#include "Printer.h"
#include "WaitLimit.h"
#include "frmMessage.h"
#include "frmParentMessage.h"
#include "frmParentalOptions.h"
#include "frmSplash.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Acts on the windows that come up during a call, as an adult would: each step waits
// until its window shows, then acts once. A watchdog closes whatever a fault left open.
class Adult {
public:
    Adult() {
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [this] { Poll(); });
        poll.start();
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            watchdogFired = true;
            CloseEverything();
        });
        watchdog.start(WaitLimitMs);
    }

    void Then(std::function<bool()> isUp, std::function<void()> act) {
        steps.push_back({std::move(isUp), std::move(act)});
    }
    bool AllDone() const { return done == steps.size() && !watchdogFired; }

    static void CloseEverything() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
                dialog->reject();
        for (platform::Form* form : std::initializer_list<platform::Form*>{
                 &frmMessage::Instance(), &frmParentMessage::Instance(), &frmSplash::Instance(),
                 &frmParentalOptions::Instance()})
            form->Unload();
    }

private:
    struct Step {
        std::function<bool()> isUp;
        std::function<void()> act;
    };
    void Poll() {
        if (done < steps.size() && steps[done].isUp()) {
            const auto act = steps[done++].act;
            act();
        }
    }
    std::vector<Step> steps;
    size_t done = 0;
    QTimer poll;
    QTimer watchdog;
    bool watchdogFired = false;
};

// The mean difference per channel of two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// A JPEG of the coloured canvas: near it, and nearer to it than to the bare drawing.
void ExpectColouring(const QImage& jpeg, const QImage& coloured) {
    ASSERT_EQ(jpeg.size(), coloured.size());
    const double toColouring = MeanDifference(jpeg, coloured);
    EXPECT_LT(toColouring, 4.0);
    EXPECT_LT(toColouring * 3, MeanDifference(jpeg, fixtures::LineDrawing()));
}

bool FormUp(platform::Form& form) {
    return form.IsLoaded() && form.Visible();
}

template <class T> T* DialogUp() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

// What the confirmation showed.
struct Confirmation {
    QString child;
    QString adult;
    bool passwordRow = false;
    bool timerRan = true;
    bool shown = false;
};

// Reads the confirmation (unfolding it as an adult would), then answers it.
void Answer(Adult& adult, FrmMain& main, Confirmation& seen, const QString& result,
            const QString& password = {}) {
    adult.Then([] { return FormUp(frmMessage::Instance()); },
               [&main, &seen, result, password] {
                   frmMessage& message = frmMessage::Instance();
                   seen.shown = true;
                   seen.child = message.Label1->text();
                   seen.adult = message.Label2->text();
                   seen.timerRan = main.Timer1->Enabled();
                   message.Check1_Click();
                   seen.passwordRow = message.Height() == frmMessage::PasswordHeight;
                   message.Text1->setText(password);
                   if (result == QStringLiteral("Ok"))
                       message.cOut1_Click();
                   else
                       message.cOut2_Click();
               });
}

void SaveAs(Adult& adult, const QString& path) {
    adult.Then([] { return DialogUp<QFileDialog>() != nullptr; },
               [path] {
                   QFileDialog* dialog = DialogUp<QFileDialog>();
                   dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
                   auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
                   QPushButton* save = box->button(QDialogButtonBox::Save);
                   EXPECT_TRUE(QTest::qWaitFor([save] { return save->isEnabled(); }, WaitLimitMs));
                   save->click();
               });
}

// Chooses the PDF file in the print dialog, sets the copies and prints.
// `afterwards` runs once the dialog has closed, before printing begins.
void PrintToPdf(Adult& adult, const QString& path, int copies,
                std::function<void()> afterwards = {}) {
    adult.Then([] { return DialogUp<QPrintDialog>() != nullptr; },
               [path, copies, afterwards] {
                   QPrintDialog* dialog = DialogUp<QPrintDialog>();
                   auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                   ASSERT_NE(printers, nullptr);
                   printers->setCurrentIndex(printers->count() - 1); // the PDF file
                   dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(path);
                   dialog->findChild<QSpinBox*>(QStringLiteral("copies"))->setValue(copies);
                   auto* box = dialog->findChild<QDialogButtonBox*>();
                   box->button(QDialogButtonBox::Ok)->click();
                   if (afterwards)
                       afterwards();
               });
}

class FunctionBarTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        main.UsePassword = false;
        main.Password = QStringLiteral("Daisy 4");
        main.Settings.QuitLock = true;
        main.Timer1->SetEnabled(true);
    }

    void TearDown() override {
        Adult::CloseEverything();
        if (!main.IsLoaded()) {
            // Ended: the next test starts the program afresh.
            QApplication::processEvents();
            main.Initialised = false;
        }
        main.UsePassword = false;
        MainWindowTest::TearDown();
    }

    void Colour() {
        main.SetCurrentColour({255, 0, 0});
        SelectTool(0, fixtures::GrainyBrush(40, 35, 114));
        Stroke({QPointF(120, 60), QPointF(180, 60)});
    }

    // Nothing of a parental function is left behind: the window works, the bubbles run.
    void ExpectBackAsBefore() {
        EXPECT_TRUE(main.Timer1->Enabled());
        EXPECT_TRUE(main.Window()->isEnabled());
        EXPECT_FALSE(FormUp(frmMessage::Instance()));
        EXPECT_FALSE(FormUp(frmParentMessage::Instance()));
    }
};

struct Row {
    int index;
    bool quitLock;
    bool usePassword;
    const char* adult;
    const char* child;
    bool passwordRow;
};

// Every button's confirmation, with and without the password option; Cancel stops each.
TEST_F(FunctionBarTest, EachButtonAsksItsConfirmationAndCancelStopsIt) {
    const char* quitLocked = "There was an attempt to quit The Crayvex. If you wish to allow "
                             "this, please press OK to continue.";
    const char* quitLockedChild = "Oh no!, something has happened when you tried to close me. "
                                  "Call someone who can help you!";
    const char* quitFree = "There was an attempt to quit The Crayvex. If you wish to allow this, "
                           "press OK.";
    const char* quitFreeChild = "Are you sure you want to close this coloring book? Why don't you "
                                "stay for a while?";
    const char* save = "There was an attempt to save the current picture. If you wish to allow "
                       "this, please press OK to continue.";
    const char* saveChild = "Oh no!, something happened when you tried to save your picture. "
                            "Call someone who can help you!";
    const char* print = "There was an attempt to print the current picture. If you wish to allow "
                        "this, please press OK to continue.";
    const char* printChild = "Oh no!, something happened when you tried to print your picture. "
                             "Call someone who can help you!";
    const char* about = "There was an attempt to view the About box. If you wish to allow this, "
                        "please press OK.";
    const char* options = "There was an attempt to open the options screen. If you wish to allow "
                          "this, please press OK to continue.";
    const char* other = "Oh no!, something has happened. Call someone who can help you!";
    const Row rows[] = {
        {0, true, false, quitLocked, quitLockedChild, false},
        {0, true, true, quitLocked, quitLockedChild, true},
        {0, false, false, quitFree, quitFreeChild, false},
        // Quitting without the lock never asks for the password.
        {0, false, true, quitFree, quitFreeChild, false},
        {1, true, false, save, saveChild, false},
        {1, true, true, save, saveChild, true},
        {2, true, false, print, printChild, false},
        {2, true, true, print, printChild, true},
        {3, true, false, about, other, false},
        {3, true, true, about, other, true},
        {4, true, false, options, other, false},
        {4, true, true, options, other, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "button " << row.index << " lock " << row.quitLock
                                        << " password " << row.usePassword);
        main.Settings.QuitLock = row.quitLock;
        main.UsePassword = row.usePassword;
        main.Pc->setVisible(false);
        Adult adult;
        Confirmation seen;
        Answer(adult, main, seen, QStringLiteral("Cancel"));
        main.pFunc_Click(row.index);
        EXPECT_TRUE(adult.AllDone());
        EXPECT_EQ(seen.adult, QString::fromUtf8(row.adult));
        EXPECT_EQ(seen.child, QString::fromUtf8(row.child));
        EXPECT_EQ(seen.passwordRow, row.passwordRow);
        EXPECT_FALSE(seen.timerRan) << "the bubbles stop while the confirmation is up";
        ASSERT_TRUE(main.IsLoaded());
        ExpectBackAsBefore();
        // Quit, save and print end at once; About and options end by showing the palette.
        EXPECT_EQ(main.Pc->isVisibleTo(main.Window()), row.index >= 3);
    }
}

// Indexes outside the bar do nothing but show the palette.
TEST_F(FunctionBarTest, AnIndexOutsideTheBarAsksNothing) {
    for (int index : {-1, 5}) {
        main.Pc->setVisible(false);
        main.pFunc_Click(index);
        EXPECT_FALSE(frmMessage::Instance().IsLoaded() && frmMessage::Instance().Visible());
        EXPECT_TRUE(main.Pc->isVisibleTo(main.Window()));
    }
}

// The answer "Ok" goes on to each function's window; leaving it changes nothing.
TEST_F(FunctionBarTest, OkGoesOnToTheFunctionsWindow) {
    main.UsePassword = true;
    struct Case {
        int index;
        std::function<bool()> isUp;
        std::function<void()> leave;
    };
    const Case cases[] = {
        {1, [] { return DialogUp<QFileDialog>() != nullptr; },
         [] { DialogUp<QFileDialog>()->reject(); }},
        {2, [] { return DialogUp<QPrintDialog>() != nullptr; },
         [] { DialogUp<QPrintDialog>()->reject(); }},
        {3, [] { return FormUp(frmSplash::Instance()) && frmSplash::Instance().Form_style() == 0; },
         [] { frmSplash::Instance().Unload(); }},
        {4, [] { return FormUp(frmParentalOptions::Instance()); },
         [] { frmParentalOptions::Instance().Hide(); }},
    };
    const QImage before = Canvas();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        frmParentalOptions::Instance().Saved = false;
        Adult adult;
        Confirmation seen;
        Answer(adult, main, seen, QStringLiteral("Ok"), main.Password);
        bool disabled = false;
        adult.Then(c.isUp, [&] {
            disabled = !main.Window()->isEnabled();
            c.leave();
        });
        main.pFunc_Click(c.index);
        EXPECT_TRUE(adult.AllDone());
        EXPECT_TRUE(seen.passwordRow);
        EXPECT_EQ(disabled, c.index == 1) << "only the save dialog disables the main window";
        ExpectBackAsBefore();
        EXPECT_EQ(Canvas(), before);
    }
}

// A wrong password keeps the confirmation open; only the right one goes on.
TEST_F(FunctionBarTest, TheWrongPasswordDoesNotGoOn) {
    main.UsePassword = true;
    Adult adult;
    bool stillUp = false;
    adult.Then([] { return FormUp(frmMessage::Instance()); },
               [&] {
                   frmMessage& message = frmMessage::Instance();
                   message.Check1_Click();
                   message.Text1->setText(QStringLiteral("daisy 4"));
                   message.cOut1_Click();
                   stillUp = FormUp(message);
                   message.Text1->setText(main.Password);
                   message.cOut1_Click();
               });
    bool splashShown = false;
    adult.Then([] { return FormUp(frmSplash::Instance()); },
               [&] {
                   splashShown = true;
                   frmSplash::Instance().Unload();
               });
    main.pFunc_Click(3);
    EXPECT_TRUE(adult.AllDone());
    EXPECT_TRUE(stillUp);
    EXPECT_TRUE(splashShown);
}

// Quitting stores the colouring before the window unloads and ends the program.
TEST_F(FunctionBarTest, QuitStoresTheColouringAndEnds) {
    Colour();
    const QImage coloured = Canvas();
    const QString stored = folder.filePath(QStringLiteral("colored pictures/Test/drawing.bmp.jpg"));
    bool ended = false;
    bool storedWhenEnded = false;
    platform::SetEndProgramForTesting([&] {
        ended = true;
        storedWhenEnded = QFileInfo::exists(stored);
    });
    main.Settings.QuitLock = false;
    main.UsePassword = true; // not asked without the lock
    Adult adult;
    Confirmation seen;
    Answer(adult, main, seen, QStringLiteral("Ok"));
    main.pFunc_Click(0);
    EXPECT_TRUE(adult.AllDone());
    EXPECT_FALSE(seen.passwordRow);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(storedWhenEnded);
    EXPECT_FALSE(main.IsLoaded());
    ExpectColouring(QImage(stored).convertToFormat(QImage::Format_RGB32), coloured);
}

// A close request from the window system, or the termination signal's, stores the
// colouring as quitting does and ends the program.
TEST_F(FunctionBarTest, ClosingFromOutsideStoresTheColouring) {
    const QString stored = folder.filePath(QStringLiteral("colored pictures/Test/drawing.bmp.jpg"));
    for (bool windowSystem : {true, false}) {
        SCOPED_TRACE(windowSystem ? "window system" : "signal");
        if (!main.IsLoaded()) {
            main.Initialised = false;
            ASSERT_TRUE(StartMainWindow(main, drawingPath));
        }
        QFile::remove(stored);
        Colour();
        bool ended = false;
        bool storedWhenEnded = false;
        platform::SetEndProgramForTesting([&] {
            ended = true;
            storedWhenEnded = QFileInfo::exists(stored);
        });
        if (windowSystem)
            main.Window()->close();
        else
            main.CloseFromOutside(platform::Form::AppTaskManager);
        EXPECT_TRUE(ended);
        EXPECT_TRUE(storedWhenEnded);
        EXPECT_FALSE(main.IsLoaded());
        QApplication::processEvents();
    }
}

// The copy's name: ".jpg" is added unless the name ends in ".jpg" or ".jpeg" as written.
TEST_F(FunctionBarTest, SavingACopyWritesAJpegUnderTheRuleForItsName) {
    Colour();
    const QImage coloured = Canvas();
    const std::pair<const char*, const char*> names[] = {
        {"picture", "picture.jpg"},
        {"kept.jpg", "kept.jpg"},
        {"long.jpeg", "long.jpeg"},
        {"upper.JPG", "upper.JPG.jpg"},
    };
    QTemporaryDir target;
    for (const auto& [typed, written] : names) {
        SCOPED_TRACE(typed);
        Adult adult;
        Confirmation seen;
        Answer(adult, main, seen, QStringLiteral("Ok"));
        SaveAs(adult, target.filePath(QString::fromUtf8(typed)));
        main.pFunc_Click(1);
        EXPECT_TRUE(adult.AllDone());
        const QString path = target.filePath(QString::fromUtf8(written));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(3).startsWith("\xFF\xD8\xFF")) << "a JPEG file";
        ExpectColouring(QImage(path, "JPG").convertToFormat(QImage::Format_RGB32), coloured);
        ExpectBackAsBefore();
        EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("temp.bmp"))));
    }
    EXPECT_EQ(QDir(target.path()).entryList(QDir::Files).size(), 4);
    EXPECT_EQ(Canvas(), coloured);
}

// Root writes into read-only folders: the save runs under an ordinary user's rights.
class OrdinaryUser {
public:
    OrdinaryUser() {
        if (::geteuid() == 0)
            dropped = ::seteuid(65534) == 0;
    }
    ~OrdinaryUser() {
        if (dropped) [[maybe_unused]]
            const int back = ::seteuid(0);
    }
    bool dropped = false;
};

TEST_F(FunctionBarTest, ASaveIntoAReadOnlyFolderShowsTheFailureAndChangesNothing) {
    Colour();
    const QImage coloured = Canvas();
    QTemporaryDir outer;
    ASSERT_EQ(::chmod(QFile::encodeName(outer.path()).constData(), 0755), 0);
    const QString readOnly = outer.filePath(QStringLiteral("read-only"));
    ASSERT_TRUE(QDir().mkdir(readOnly));
    ASSERT_EQ(::chmod(QFile::encodeName(readOnly).constData(), 0555), 0);
    const QStringList programFolder =
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    Adult adult;
    Confirmation seen;
    Answer(adult, main, seen, QStringLiteral("Ok"));
    SaveAs(adult, readOnly + QStringLiteral("/copy"));
    QString notice;
    bool continueOnly = false;
    bool disabledMeanwhile = false;
    adult.Then([] { return FormUp(frmParentMessage::Instance()); },
               [&] {
                   frmParentMessage& message = frmParentMessage::Instance();
                   notice = message.lMessage->text();
                   continueOnly = message.lCancel->isHidden();
                   disabledMeanwhile = !main.Window()->isEnabled();
                   QTest::mouseClick(message.lContinue, Qt::LeftButton);
               });
    {
        OrdinaryUser user;
        if (::geteuid() == 0)
            GTEST_SKIP() << "cannot take an ordinary user's rights";
        main.pFunc_Click(1);
    }
    EXPECT_TRUE(adult.AllDone());
    EXPECT_EQ(notice, QStringLiteral("Unfortunately, because of an unknown error, the picture "
                                     "could not be saved. Please make sure that the disk is not "
                                     "write protected and that you have enough disk space to "
                                     "save the picture."));
    EXPECT_TRUE(continueOnly);
    EXPECT_TRUE(disabledMeanwhile);
    ExpectBackAsBefore();
    EXPECT_TRUE(main.Pc->isVisibleTo(main.Window()));
    EXPECT_TRUE(QDir(readOnly).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              programFolder);
    EXPECT_EQ(Canvas(), coloured);
    EXPECT_EQ(main.P->Picture().size(), coloured.size());
}

TEST(FitRect, TheLargestRectangleOfThePicturesProportionsCentredInTheBox) {
    struct Case {
        const char* what;
        int32_t boxW, boxH, picW, picH;
        int32_t left, top, width, height;
    };
    const Case cases[] = {
        {"a wide picture on a tall page: full width, centred vertically", 1000, 1400, 400, 300, 0,
         325, 1000, 750},
        {"a tall picture on a wide page: full height, centred horizontally", 1400, 1000, 300, 400,
         325, 0, 750, 1000},
        {"a square picture on a tall page", 1000, 1400, 500, 500, 0, 200, 1000, 1000},
        {"a square picture on a wide page", 1400, 1000, 500, 500, 200, 0, 1000, 1000},
        // 100 / 3 * 2 = 66.67 -> 67; 67 / 2 * 3 = 100.5 -> 100; 50 - 33.5 = 16.5 -> 16.
        {"halves go to the even neighbour", 100, 100, 3, 2, 0, 16, 100, 67},
        // Wider than high, but the height would overflow the flat box.
        {"a wide picture on a flatter box", 1000, 300, 400, 300, 300, 0, 400, 300},
    };
    for (const Case& c : cases) {
        int32_t boxW = c.boxW, boxH = c.boxH, picW = c.picW, picH = c.picH;
        int32_t left = -1, top = -1, width = -1, height = -1;
        FrmMain::FitRect(boxW, boxH, picW, picH, left, top, width, height);
        EXPECT_EQ(std::vector<int32_t>({left, top, width, height}),
                  std::vector<int32_t>({c.left, c.top, c.width, c.height}))
            << c.what;
    }
}

// ---- Printing -----------------------------------------------------------------------

QString Tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromUtf8(name));
}

// The bounding box of the pixels that are not white.
QRect Inked(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST_F(FunctionBarTest, TwoCopiesPrintTwoPagesWithThePictureFittedOnEach) {
    if (Tool("pdfinfo").isEmpty() || Tool("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    Colour();
    const QImage coloured = Canvas();
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("copies.pdf"));
    Adult adult;
    Confirmation seen;
    Answer(adult, main, seen, QStringLiteral("Ok"));
    PrintToPdf(adult, pdf, 2);
    main.pFunc_Click(2);
    EXPECT_TRUE(adult.AllDone());
    ExpectBackAsBefore();
    ASSERT_TRUE(QFileInfo::exists(pdf));

    platform::Printer& printer = platform::Printer::Current();
    EXPECT_EQ(printer.DeviceName(), platform::Printer::PdfDeviceName());
    EXPECT_EQ(printer.Copies, 2);
    QProcess info;
    info.start(Tool("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished());
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression("Pages:\\s+2\\n")));

    // Rendered at 50 dots per inch, each page shows the whole picture at the full width of
    // the printable area, centred in it.
    const int dpi = 50;
    QProcess render;
    render.start(Tool("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf,
                  out.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(render.waitForFinished());
    const QStringList pages =
        QDir(out.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
    ASSERT_EQ(pages.size(), 2);
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    const double scale = double(dpi) / reference.resolution();
    const QRectF area = reference.pageRect(QPrinter::DevicePixel);
    const QRectF paper = reference.paperRect(QPrinter::DevicePixel);
    int32_t boxW = int32_t(area.width()), boxH = int32_t(area.height()), picW = 200, picH = 120;
    int32_t left, top, width, height;
    FrmMain::FitRect(boxW, boxH, picW, picH, left, top, width, height);
    EXPECT_EQ(width, boxW);
    const QRectF expected((area.left() - paper.left() + left) * scale,
                          (area.top() - paper.top() + top) * scale, width * scale, height * scale);
    for (const QString& name : pages) {
        SCOPED_TRACE(name.toStdString());
        const QImage page(out.filePath(name));
        const QRect inked = Inked(page);
        EXPECT_NEAR(inked.left(), expected.left(), 2);
        EXPECT_NEAR(inked.top(), expected.top(), 2);
        EXPECT_NEAR(inked.width(), expected.width(), 3);
        EXPECT_NEAR(inked.height(), expected.height(), 3);
        // The colouring is on the page: the stroke's middle, averaged over a few pixels.
        const QPointF at(expected.left() + expected.width() * 150 / 200,
                         expected.top() + expected.height() * 60 / 120);
        const QImage printed = page.copy(QRect(at.toPoint() - QPoint(2, 2), QSize(5, 5)))
                                   .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage painted = coloured.copy(QRect(149, 59, 3, 3))
                                   .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QColor p = printed.pixelColor(0, 0), q = painted.pixelColor(0, 0);
        EXPECT_NEAR(p.red(), q.red(), 40);
        EXPECT_NEAR(p.green(), q.green(), 40);
        EXPECT_NEAR(p.blue(), q.blue(), 40);
        EXPECT_GT(q.red() - q.green(), 60) << "the canvas holds red there";
    }
}

TEST_F(FunctionBarTest, ACancelledSelectionPrintsNothing) {
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("never.pdf"));
    Adult adult;
    Confirmation seen;
    Answer(adult, main, seen, QStringLiteral("Ok"));
    adult.Then([] { return DialogUp<QPrintDialog>() != nullptr; },
               [pdf] {
                   QPrintDialog* dialog = DialogUp<QPrintDialog>();
                   auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                   printers->setCurrentIndex(printers->count() - 1);
                   dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
                   dialog->reject();
               });
    main.pFunc_Click(2);
    EXPECT_TRUE(adult.AllDone());
    ExpectBackAsBefore();
    EXPECT_TRUE(QDir(out.path()).isEmpty());
    EXPECT_TRUE(main.Pc->isVisibleTo(main.Window()));
}

// A printer that cannot print (here a PDF file in a missing folder) gives the child's
// error box, and nothing is left half-done for the next print.
TEST_F(FunctionBarTest, APrintThatFailsShowsTheChildsErrorBox) {
    QTemporaryDir out;
    Adult adult;
    Confirmation seen;
    Answer(adult, main, seen, QStringLiteral("Ok"));
    // The folder is there while the dialog checks the name and gone when printing starts.
    const QString gone = out.filePath(QStringLiteral("gone"));
    ASSERT_TRUE(QDir().mkdir(gone));
    PrintToPdf(adult, gone + QStringLiteral("/copies.pdf"), 1,
               [gone] { QDir(gone).removeRecursively(); });
    QString error;
    adult.Then([] { return FormUp(frmMessage::Instance()); },
               [&] {
                   error = frmMessage::Instance().Label1->text();
                   frmMessage::Instance().cOut2_Click();
               });
    main.pFunc_Click(2);
    EXPECT_TRUE(adult.AllDone());
    EXPECT_EQ(error,
              QStringLiteral("Oh no! Your picture could not be printed. Call someone for help!"));
    ExpectBackAsBefore();

    const QString pdf = out.filePath(QStringLiteral("after.pdf"));
    Adult again;
    Answer(again, main, seen, QStringLiteral("Ok"));
    PrintToPdf(again, pdf, 1);
    main.pFunc_Click(2);
    EXPECT_TRUE(again.AllDone());
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
}

// ---- Options --------------------------------------------------------------------------

// Saves the options window.
void SaveOptions(Adult& adult) {
    adult.Then([] { return FormUp(frmParentalOptions::Instance()); },
               [] {
                   frmParentalOptions::Instance().Saved = true;
                   frmParentalOptions::Instance().Hide();
               });
}

TEST_F(FunctionBarTest, SavedOptionsReleaseCrazyColoursAndKeepUndoAsItWas) {
    Colour();
    SelectTool(2);
    main.c_MouseDown(3);
    main.c_MouseUp(3);
    ASSERT_TRUE(main.c[3]->Pressed());
    ASSERT_EQ(main.ColourJitter, 120);
    main.UndoEmpty();
    const QString stored = folder.filePath(QStringLiteral("colored pictures/Test/drawing.bmp.jpg"));
    QFile::remove(stored);

    Adult adult;
    Confirmation seen;
    Answer(adult, main, seen, QStringLiteral("Ok"));
    bool storedFirst = false;
    adult.Then([] { return FormUp(frmParentalOptions::Instance()); },
               [&] {
                   storedFirst = QFileInfo::exists(stored);
                   frmParentalOptions::Instance().Saved = true;
                   frmParentalOptions::Instance().Hide();
               });
    main.pFunc_Click(4);
    EXPECT_TRUE(adult.AllDone());
    EXPECT_TRUE(storedFirst) << "the colouring is stored before the options open";
    EXPECT_FALSE(main.c[3]->Pressed());
    EXPECT_EQ(main.ColourJitter, 10);
    EXPECT_FALSE(main.c[2]->Enabled()) << "no snapshot to undo";
    EXPECT_TRUE(main.c[0]->Enabled());
    EXPECT_TRUE(main.c[1]->Enabled());
    EXPECT_TRUE(main.c[3]->Enabled());
    EXPECT_EQ(main.CurrentTool, 0);
    for (size_t i = 0; i < main.pTool.size(); ++i) {
        EXPECT_TRUE(main.pTool[i]->Enabled());
        EXPECT_EQ(main.pTool[i]->Pressed(), i == 0);
    }
    EXPECT_TRUE(main.Window()->updatesEnabled());
    ExpectBackAsBefore();

    // With a snapshot on the stack, undo stays available.
    Colour();
    ASSERT_GE(main.UndoTop, 0);
    const long top = main.UndoTop;
    Adult again;
    Answer(again, main, seen, QStringLiteral("Ok"));
    SaveOptions(again);
    main.pFunc_Click(4);
    EXPECT_TRUE(again.AllDone());
    EXPECT_TRUE(main.c[2]->Enabled());
    EXPECT_EQ(main.UndoTop, top);
}

TEST_F(FunctionBarTest, OptionsClosedWithoutSavingChangeNothing) {
    SelectTool(1);
    main.c_MouseDown(3);
    main.c_MouseUp(3);
    Adult adult;
    Confirmation seen;
    Answer(adult, main, seen, QStringLiteral("Ok"));
    adult.Then([] { return FormUp(frmParentalOptions::Instance()); },
               [] {
                   frmParentalOptions::Instance().Saved = false;
                   frmParentalOptions::Instance().Hide();
               });
    main.pFunc_Click(4);
    EXPECT_TRUE(adult.AllDone());
    EXPECT_TRUE(main.c[3]->Pressed());
    EXPECT_EQ(main.CurrentTool, 1);
    ExpectBackAsBefore();
}

} // namespace
