#include "RuntimeError.h"
#include "cDIBSection.h"
#include "mIntelJPEGLibrary.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Four flat blocks whose edges fall on the encoder's 16-pixel blocks where the picture is
// large enough: the left part is 16 * (width / 32) wide (all of it for narrow pictures),
// the top part 16 rows.
const QRgb TopLeft = qRgb(200, 30, 40), TopRight = qRgb(30, 160, 60);
const QRgb BottomLeft = qRgb(20, 40, 200), BottomRight = qRgb(240, 220, 20);

int LeftWidth(int width) {
    return width >= 32 ? 16 * (width / 32) : width;
}

QImage Blocks(int width, int height = 32) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           y < 16 ? (x < LeftWidth(width) ? TopLeft : TopRight)
                                  : (x < LeftWidth(width) ? BottomLeft : BottomRight));
    return image;
}

void ExpectNear(QRgb actual, QRgb expected, const std::string& where) {
    constexpr int tolerance = 8;
    EXPECT_NEAR(qRed(actual), qRed(expected), tolerance) << where;
    EXPECT_NEAR(qGreen(actual), qGreen(expected), tolerance) << where;
    EXPECT_NEAR(qBlue(actual), qBlue(expected), tolerance) << where;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

struct stat Stat(const QString& path) {
    struct stat s {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &s), 0);
    return s;
}

// The quantisation tables of a JPEG file, in the order of its DQT segments.
QByteArray QuantTables(const QByteArray& jpeg) {
    QByteArray tables;
    for (qsizetype i = 2; i + 4 <= jpeg.size();) {
        if (uchar(jpeg[i]) != 0xFF)
            break;
        const uchar marker = uchar(jpeg[i + 1]);
        const int length = (uchar(jpeg[i + 2]) << 8) | uchar(jpeg[i + 3]);
        if (marker == 0xDB)
            tables += jpeg.mid(i + 4, length - 2);
        if (marker == 0xDA)
            break;
        i += 2 + length;
    }
    return tables;
}

bool HasMarker(const QByteArray& jpeg, uchar marker) {
    return jpeg.contains(QByteArray("\xFF") + char(marker));
}

// Saves and returns the error raised; fails the test when none is.
RuntimeError SaveExpectingError(cDIBSection& dib, const QString& path, int quality = 90) {
    try {
        mIntelJPEGLibrary::SaveJPG(dib, path, quality);
    } catch (const RuntimeError& error) {
        return error;
    }
    ADD_FAILURE() << "no error raised for " << path.toStdString();
    return RuntimeError(0, {}, {});
}

void ExpectWriteError(const RuntimeError& error) {
    EXPECT_EQ(error.Number(), 26001);
    EXPECT_EQ(error.Source(), "test_foundation.mIntelJPEGLibrary");
    EXPECT_TRUE(
        QRegularExpression("^Failed to save to JPG -?\\d+$").match(error.Description()).hasMatch())
        << error.Description().toStdString();
}

class JpegWriter : public testing::Test {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    QStringList Entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QTemporaryDir dir;
};

} // namespace

class JpegWriterWidths : public JpegWriter, public testing::WithParamInterface<int> {};

TEST_P(JpegWriterWidths, TheWrittenPictureIsUprightWithItsColoursAndSize) {
    const int width = GetParam();
    cDIBSection dib;
    dib.CreateFromPicture(Blocks(width));
    const QString path = Path("blocks.jpg");
    EXPECT_TRUE(mIntelJPEGLibrary::SaveJPG(dib, path, 90));

    QImage written(path, "JPEG");
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.size(), QSize(width, 32));
    const int left = LeftWidth(width);
    const int right = width - left;
    for (int y : {4, 27}) {
        const std::string at = "width " + std::to_string(width) + " row " + std::to_string(y);
        ExpectNear(written.pixel(left / 2, y), y < 16 ? TopLeft : BottomLeft, at + " left");
        if (right >= 16)
            ExpectNear(written.pixel(left + right / 2, y), y < 16 ? TopRight : BottomRight,
                       at + " right");
    }
}

TEST_P(JpegWriterWidths, ASectionFreshFromItsPictureGivesTheSameFileAsItsFilledMemory) {
    // Noise, so that every pixel and every colour channel counts.
    QImage picture(GetParam(), 37, QImage::Format_RGB32);
    uint32_t seed = 7;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, (seed = seed * 1664525u + 1013904223u) >> 8);
    cDIBSection fresh, filled;
    fresh.CreateFromPicture(picture);
    filled.CreateFromPicture(picture);
    ASSERT_NE(fresh.PendingSurface(), nullptr);
    ASSERT_NE(filled.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(filled.PendingSurface(), nullptr);
    ASSERT_TRUE(mIntelJPEGLibrary::SaveJPG(fresh, Path("fresh.jpg"), 90));
    ASSERT_TRUE(mIntelJPEGLibrary::SaveJPG(filled, Path("filled.jpg"), 90));
    EXPECT_EQ(Contents(Path("fresh.jpg")), Contents(Path("filled.jpg")));
}

INSTANTIATE_TEST_SUITE_P(Widths, JpegWriterWidths, testing::Values(1, 2, 3, 4, 5, 101, 160));

TEST_F(JpegWriter, WritesABaselineJpegAtTheGivenQuality) {
    const QImage picture = Blocks(64, 48);
    cDIBSection dib;
    dib.CreateFromPicture(picture);
    for (int quality : {90, 50}) {
        const QString path = Path(QString("q%1.jpg").arg(quality));
        ASSERT_TRUE(mIntelJPEGLibrary::SaveJPG(dib, path, quality));
        const QByteArray ours = Contents(path);
        EXPECT_TRUE(HasMarker(ours, 0xC0)) << "baseline frame";
        EXPECT_FALSE(HasMarker(ours, 0xC2)) << "no progressive frame";

        // Qt's own writer uses the standard tables scaled for the quality.
        QByteArray reference;
        QBuffer buffer(&reference);
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
        ASSERT_TRUE(picture.save(&buffer, "JPEG", quality));
        EXPECT_FALSE(QuantTables(ours).isEmpty());
        EXPECT_EQ(QuantTables(ours), QuantTables(reference)) << "quality " << quality;
    }
    EXPECT_NE(QuantTables(Contents(Path("q90.jpg"))), QuantTables(Contents(Path("q50.jpg"))));
}

TEST_F(JpegWriter, ReplacingAFileKeepsItsTimesAndPermissionBits) {
    const QString path = Path("kept.jpg");
    const QByteArray oldContents = "an old colouring";
    for (mode_t mode : {mode_t(0640), mode_t(0600), mode_t(0755)}) {
        WriteFile(path, oldContents);
        const QByteArray p = QFile::encodeName(path);
        ASSERT_EQ(::chmod(p.constData(), mode), 0);
        const timespec times[2] = {{1000000000, 123456789}, {1100000000, 987654321}};
        ASSERT_EQ(::utimensat(AT_FDCWD, p.constData(), times, 0), 0);

        cDIBSection dib;
        dib.CreateFromPicture(Blocks(40));
        ASSERT_TRUE(mIntelJPEGLibrary::SaveJPG(dib, path, 90));

        const struct stat after = Stat(path);
        EXPECT_EQ(after.st_mode & 07777, mode);
        EXPECT_EQ(after.st_atim.tv_sec, times[0].tv_sec);
        EXPECT_EQ(after.st_atim.tv_nsec, times[0].tv_nsec);
        EXPECT_EQ(after.st_mtim.tv_sec, times[1].tv_sec);
        EXPECT_EQ(after.st_mtim.tv_nsec, times[1].tv_nsec);
        EXPECT_EQ(QImage(path, "JPEG").size(), QSize(40, 32));
        EXPECT_EQ(Entries(), QStringList{"kept.jpg"}) << "no temporary file left";
    }
}

TEST_F(JpegWriter, ANewFileHasTheTimeOfItsWriting) {
    const std::time_t before = std::time(nullptr);
    cDIBSection dib;
    dib.CreateFromPicture(Blocks(8));
    ASSERT_TRUE(mIntelJPEGLibrary::SaveJPG(dib, Path("new.jpg"), 90));
    const struct stat s = Stat(Path("new.jpg"));
    EXPECT_GE(s.st_mtim.tv_sec, before - 1);
    EXPECT_TRUE(S_ISREG(s.st_mode));
}

TEST_F(JpegWriter, AFailedWriteRaisesAndLeavesTheOldFileAsItWas) {
    const QString path = Path("old.jpg");
    const QByteArray oldContents(5000, 'x');
    WriteFile(path, oldContents);
    cDIBSection dib;
    dib.CreateFromPicture(Blocks(320, 240));

    // Files may not grow past 100 bytes: the new file cannot be written, even by root.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const RuntimeError error = SaveExpectingError(dib, path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    ExpectWriteError(error);
    EXPECT_EQ(Contents(path), oldContents);
    EXPECT_EQ(Entries(), QStringList{"old.jpg"}) << "no temporary file left";

    // A quality the encoder refuses fails before anything is written.
    ExpectWriteError(SaveExpectingError(dib, path, 101));
    EXPECT_EQ(Contents(path), oldContents);
}

TEST_F(JpegWriter, TargetsThatCannotBeWrittenRaise26001) {
    cDIBSection dib;
    dib.CreateFromPicture(Blocks(16));

    ExpectWriteError(SaveExpectingError(dib, Path("missing folder/picture.jpg")));
    EXPECT_FALSE(QFileInfo::exists(Path("missing folder")));

    ASSERT_TRUE(QDir(dir.path()).mkdir("picture.jpg"));
    ExpectWriteError(SaveExpectingError(dib, Path("picture.jpg")));
    EXPECT_TRUE(QFileInfo(Path("picture.jpg")).isDir());
    EXPECT_TRUE(QDir(Path("picture.jpg")).isEmpty());
    EXPECT_EQ(Entries(), QStringList{"picture.jpg"});
}

TEST_F(JpegWriter, ASectionWithoutPixelsRaises26001) {
    cDIBSection never;
    ExpectWriteError(SaveExpectingError(never, Path("none.jpg")));
    cDIBSection failed;
    failed.CreateFromPicture(QImage());
    ExpectWriteError(SaveExpectingError(failed, Path("none.jpg")));
    EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(JpegWriter, AReadOnlyFileIsNotReplaced) {
    const QString path = Path("locked.jpg");
    WriteFile(path, "kept as it is");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    cDIBSection dib;
    dib.CreateFromPicture(Blocks(16));
    const RuntimeError error = SaveExpectingError(dib, path);
    EXPECT_EQ(error.Number(), 75);
    EXPECT_EQ(error.Source(), "test_foundation");
    EXPECT_EQ(error.Description(), "Path/File access error");
    EXPECT_EQ(Contents(path), "kept as it is");
}
