#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Reads a picture pack's pieces one at a time, the header first and then each picture, so
// that no more than one piece and one read are ever held, however large the file.
class PackReader {
public:
    enum class Next {
        // `piece` holds the next piece.
        Piece,
        // Every piece has been read.
        End,
        // The next piece is longer than the reader takes: the file is damaged.
        TooLong,
        // The file could not be read; Error() tells why.
        Failed,
    };

    // Reads the file at `path`, taking no piece longer than `longest` bytes.
    PackReader(const QString& path, qint64 longest);

    bool Open();
    Next Read(QByteArray& piece);

    // Whether the piece read last was followed by a separator.
    bool Followed() const { return followed_; }
    QString Error() const { return file_.errorString(); }

private:
    bool ReadMore();

    QFile file_;
    const qint64 longest_;
    const QByteArray separator_;
    // Bytes read but not yet handed out, from `start_` on.
    QByteArray pending_;
    qsizetype start_ = 0;
    bool atEnd_ = false;
    bool done_ = false;
    bool followed_ = false;
};
