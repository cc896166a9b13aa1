#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// A picture pack (".zvp"): one file carrying a whole book of drawings. It is the plain
// concatenation of a header, the book name followed by "|" and the bare file name of
// each picture, and then, for each picture in the header's order, the separator and the
// picture's bytes unchanged. There is no length, count or end marker: the header ends at
// the first separator and each picture at the next one. Texts are Windows-1252 bytes.
namespace PicturePackFile {

// The bytes that stand before every picture: the scrambled encoding of "<v6>".
QByteArray PackSeparator();

// The save name of a pack: ".zvp" appended unless the name already ends in exactly
// ".zvp" (so "pack.ZVP" becomes "pack.ZVP.zvp").
QString WithPackExtension(const QString& name);

// The header of a pack of the given book and picture file names.
QByteArray Header(const QString& bookName, const QStringList& names);

// The header's names: the book name first, then the pictures' names by position.
QStringList HeaderNames(QByteArrayView header);

// Why a pack of this book name and these picture file names would not read back as the
// same names, judging each name composed (see Composed): a name that holds "|" or a
// character outside Windows-1252, or whose bytes would be read as the separator; a book
// name that "Create a new book" would not take; a picture name holding a character a title
// may not hold, or that is no line drawing or is hidden; two names that differ only in
// letter case. The message for the adult, naming the name and the character refused;
// empty when the pack can carry them.
QString NameRefusal(const QString& bookName, const QStringList& names);

enum class WriteOutcome { Written, Refused, Failed };

// Writes a pack of the pictures at the given paths (named in the header by their file
// names, composed), streaming each picture from its file. An existing file at `path` is replaced
// only once the new pack is complete; otherwise it is left as it was and `error` tells
// why. Refused: a name (see NameRefusal) or a picture's bytes could not be carried
// unchanged, and `error` is the message for the adult. Failed: a file could not be read
// or written, and `error` is the system's reason.
WriteOutcome Write(const QString& path, const QString& bookName, const QStringList& pictures,
                   QString& error);

// Where the pieces of a pack lie, as views into the pack's bytes.
struct PackLayout {
    // Piece 0: the bytes before the first separator (the whole pack when it has none).
    QByteArrayView Header;
    // Pieces 1 and on: the pictures.
    QList<QByteArrayView> Pictures;
    // The split stopped at the limit while more pictures followed.
    bool MorePictures = false;
};

// Splits the pack at every occurrence of the separator, from the left. At most `limit`
// pictures are taken when `limit` is not negative.
PackLayout Split(QByteArrayView pack, qsizetype limit = -1);

// Whether a name taken from a pack may become a file or folder name inside the folder
// it is meant for: not empty, not "." or "..", no '/', '\\' or NUL, and no drive prefix
// such as "C:".
bool IsSafeName(const QString& name);

// Whether a pack's book name may become a book: a safe name that "Create a new book"
// would take.
bool IsBookName(const QString& name);

// Whether a pack's picture name may become a picture of a book: a safe name of a line
// drawing (*.bmp, *.gif, *.jpg) that is not hidden (no dot first) and holds no character
// that a book's title may not hold.
bool IsPictureName(const QString& name);

// The name with its accented letters composed (Unicode form C), as a pack's Windows-1252
// header holds them: a folder of another system may name "Crème" as "Cre" followed by a
// combining accent.
QString Composed(const QString& name);

} // namespace PicturePackFile
