#include "PackReader.h"

#include "PicturePackFile.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr qint64 Chunk = qint64(1) << 20;
} // namespace

PackReader::PackReader(const QString& path, qint64 longest)
    : file_(path), longest_(longest), separator_(PicturePackFile::PackSeparator()) {}

bool PackReader::Open() {
    return file_.open(QIODevice::ReadOnly);
}

bool PackReader::ReadMore() {
    // What was handed out is dropped first, so the buffer never holds more than a piece,
    // a separator and one read.
    pending_.remove(0, start_);
    start_ = 0;
    const qsizetype had = pending_.size();
    pending_.resize(had + Chunk);
    const qint64 got = file_.read(pending_.data() + had, Chunk);
    pending_.resize(had + std::max<qint64>(got, 0));
    if (got == 0)
        atEnd_ = true;
    return got >= 0;
}

PackReader::Next PackReader::Read(QByteArray& piece) {
    if (done_)
        return Next::End;
    const qsizetype overlap = separator_.size() - 1;
    // How many bytes after `start_` are known to hold no separator's beginning.
    qsizetype clear = 0;
    for (;;) {
        const qsizetype from = start_ + clear;
        const void* found = ::memmem(pending_.constData() + from, size_t(pending_.size() - from),
                                     separator_.constData(), size_t(separator_.size()));
        if (found) {
            const qsizetype length =
                static_cast<const char*>(found) - pending_.constData() - start_;
            if (length > longest_)
                return Next::TooLong;
            piece = pending_.sliced(start_, length);
            start_ += length + separator_.size();
            followed_ = true;
            return Next::Piece;
        }
        const qsizetype unread = pending_.size() - start_;
        if (atEnd_) {
            if (unread > longest_)
                return Next::TooLong;
            piece = pending_.sliced(start_);
            pending_.clear();
            start_ = 0;
            done_ = true;
            followed_ = false;
            return Next::Piece;
        }
        // A separator found later would begin past the longest piece.
        if (unread - overlap > longest_)
            return Next::TooLong;
        clear = std::max<qsizetype>(0, unread - overlap);
        if (!ReadMore())
            return Next::Failed;
    }
}
