#include "Combo.h"
#include "LibraryFixture.h"
#include "TemporaryFiles.h"
#include "Thumbnail.h"
#include "WholeFile.h"
#include "frmColoredPictures.h"
#include "frmManagePictures.h"

#include <QDirIterator>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Kills during storing and during thumbnail making leave their temporary files in the own
// pictures, coloured pictures and book folders; the next listing of each folder removes
// them, and leaves the one a live write owns.
class LeftTemporaries : public LibraryTest {
protected:
    void TearDown() override {
        frmManagePictures::Instance().Unload();
        frmColoredPictures::Instance().Unload();
        LibraryTest::TearDown();
    }

    // Runs the work in a child process that is killed at the given step of its write.
    static void KilledDuring(int step, const std::function<void()>& work) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            platform::SetWholeFileStepForTesting([step](int reached) {
                if (reached == step)
                    ::kill(::getpid(), SIGKILL);
            });
            work();
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }

    QStringList Temporaries() const {
        QStringList found;
        QDirIterator it(folder.path(), {QStringLiteral(".crayvex-*.tmp")},
                        QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next().mid(folder.path().size() + 1);
        found.sort();
        return found;
    }

    static void ListEveryBook(PictureListWindow& window) {
        window.Load();
        for (int i = 0; i < window.cBooks->ListCount(); ++i)
            window.cBooks->SetListIndex(QString::number(i));
        window.Unload();
    }
};

TEST_F(LeftTemporaries, TheNextListingRemovesWhatKilledWritesLeft) {
    Drawing("books/Animals/cat.bmp");
    Drawing("books/own pictures/own_0.bmp");
    Write("colored pictures/Animals/cat.bmp.jpg", fixtures::LineDrawing(), "JPG");
    const QByteArray page(300 * 1024, 'p');
    for (const char* stored :
         {"books/own pictures/own_0.bmp", "colored pictures/Animals/cat.bmp.jpg"})
        for (int step : {1, 2, 3})
            KilledDuring(step, [&] {
                platform::WriteWholeFile(In(stored), page, platform::Durability::Synced);
            });
    for (const char* picture : {"books/Animals/cat.bmp", "books/own pictures/own_0.bmp",
                                "colored pictures/Animals/cat.bmp.jpg"})
        KilledDuring(1, [&] { Thumbnail::Create(In(picture), In(picture) + ".qrv"); });
    ASSERT_EQ(Temporaries().size(), 9);
    // A write of this process in progress: its file is not touched.
    const QString live =
        QString::fromUtf8(platform::NewTemporaryPath(QFile::encodeName(In("books/Animals"))));
    QFile(live).open(QIODevice::WriteOnly);

    ListEveryBook(frmManagePictures::Instance());
    ListEveryBook(frmColoredPictures::Instance());
    EXPECT_EQ(Temporaries(), QStringList{live.mid(folder.path().size() + 1)});
    EXPECT_TRUE(Exists("books/own pictures/own_0.bmp"));
    EXPECT_TRUE(Exists("books/Animals/cat.bmp.qrv"));
    EXPECT_TRUE(Exists("colored pictures/Animals/cat.bmp.jpg.qrv"));
    EXPECT_TRUE(messages.empty());
}

} // namespace
