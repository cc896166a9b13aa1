#include "mIntelJPEGLibrary.h"

#include "CaseInsensitivePath.h"
#include "WholeFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <turbojpeg.h>

namespace mIntelJPEGLibrary {
namespace {

constexpr int32_t ErrorNumber = 26001;
constexpr int32_t FileAccessError = 75;

// Result codes given in the error descriptions.
enum Result : int {
    InitFailed = -1,
    NoPixels = -2,
    EncodeFailed = -3,
    WriteFailed = -5,
};

QString ProgramName() {
    if (QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QCoreApplication::applicationName();
}

[[noreturn]] void Raise(const char* description, Result code) {
    throw RuntimeError(ErrorNumber, ProgramName() + ".mIntelJPEGLibrary",
                       QString::fromLatin1(description) + QString::number(code));
}

struct Compressor {
    tjhandle Handle = tjInitCompress();
    ~Compressor() {
        if (Handle)
            tjDestroy(Handle);
    }
};

struct JpegBuffer {
    unsigned char* Data = nullptr;
    unsigned long Size = 0;
    ~JpegBuffer() { tjFree(Data); }
};

} // namespace

bool SaveJPG(cDIBSection& section, const QString& name, int quality) {
    // An existing file whose name differs only in letter case is the one replaced.
    const QString fileName = platform::ResolvePath(name);
    Compressor compressor;
    if (!compressor.Handle)
        Raise("Failed to initialise the IJL library: ", InitFailed);

    // An existing file keeps its place until the new one is complete; a read-only one
    // is not replaced at all (the permission bits are checked here since root would
    // write over them).
    const QByteArray path = QFile::encodeName(fileName);
    struct stat old {};
    const bool existed = ::stat(path.constData(), &old) == 0 && S_ISREG(old.st_mode);
    if (existed && !(old.st_mode & S_IWUSR))
        throw RuntimeError(FileAccessError, ProgramName(), "Path/File access error");

    // The section's rows run bottom-up with their pad bytes: the pitch is the scan line.
    // A section whose memory is still to be filled from its surface is compressed from
    // the surface: the same pixels give the same file, without the copy.
    const QImage* surface = section.PendingSurface();
    const uint8_t* bits = surface ? surface->constBits() : section.DIBSectionBitsPtr();
    if (!bits || section.Width() <= 0 || section.Height() <= 0)
        Raise("Failed to save to JPG ", NoPixels);
    const int pitch = surface ? int(surface->bytesPerLine()) : int(section.BytesPerScanLine());
    JpegBuffer jpeg;
    if (tjCompress2(compressor.Handle, bits, int(section.Width()), pitch, int(section.Height()),
                    surface ? TJPF_BGRX : TJPF_BGR, &jpeg.Data, &jpeg.Size, TJSAMP_420, quality,
                    surface ? 0 : TJFLAG_BOTTOMUP) != 0)
        Raise("Failed to save to JPG ", EncodeFailed);

    // Written whole to a file of its own in the same folder, on the disk, then renamed
    // over the target.
    if (!platform::WriteWholeFile(
            fileName,
            QByteArray::fromRawData(reinterpret_cast<const char*>(jpeg.Data), qsizetype(jpeg.Size)),
            platform::Durability::Synced))
        Raise("Failed to save to JPG ", WriteFailed);

    if (existed) {
        ::chmod(path.constData(), old.st_mode & 07777);
        const timespec times[2] = {old.st_atim, old.st_mtim};
        ::utimensat(AT_FDCWD, path.constData(), times, 0);
    }
    return true;
}

} // namespace mIntelJPEGLibrary
