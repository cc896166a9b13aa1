#pragma once

#include <QString>
#include <QStringList>

class FolderEntries;

// The picture library's folder tree beside the program file, and the naming rules that
// every reader and writer of it shares. A book is a folder of books/, its title the
// folder's name. Names are matched without regard to letter case, so each path returned
// is the one on disk when such a file or folder exists in some case.
namespace PictureFolders {

inline const QString BuiltInBook = QStringLiteral("The Crayvex");
inline const QString OwnPicturesBook = QStringLiteral("own pictures");

QString BooksFolder();
QString BookFolder(const QString& title);
QString ColoredPicturesFolder();
QString ColoredFolder(const QString& title);

// The stored colouring of the drawing `file` of a book: ".jpg" appended to the drawing's
// whole file name (cat.gif gives cat.gif.jpg).
QString ColoredPictureFile(const QString& title, const QString& file);

// The cached thumbnail of a picture, in the same folder: ".qrv" appended to the
// picture's whole file name.
QString ThumbnailFile(const QString& picture);

// Whether a file name is a line drawing: *.gif, *.bmp or *.jpg in any letter case.
bool IsPictureFile(const QString& name);

// Whether a title is one that "Create a new book" takes as it is: not empty, no blank at
// either end (the input is trimmed), no dot first (a hidden folder is no book), and no
// character that RefusedCharacter names.
bool IsBookTitle(const QString& title);

// The first character of a name that a title or a picture's file name may not hold (one
// of \ / : * ? " < > | or a control character such as a tab or a line break), described
// for a message to the adult: "the character \"*\"", "a tab", "a line break", "the control
// character U+0001". Empty when the name holds none.
QString RefusedCharacter(const QString& name);

// The titles of the books, sorted without regard to case. Hidden folders (a name that
// begins with a dot) are not books.
QStringList BookTitles();

// The line drawings lying directly in a book's folder (file names, sorted without
// regard to case); subfolders, other files and hidden files (a name
// that begins with a dot) do not count.
QStringList BookPictures(const QString& title);
// The same for a book folder given by its path, or by its listing.
QStringList BookPicturesIn(const QString& folder);
QStringList BookPicturesIn(const FolderEntries& folder);

// The titles of the books that have a folder of coloured pictures, as BookTitles.
QStringList ColoredTitles();
// The coloured pictures (*.jpg in any letter case) lying directly in a folder, as
// BookPicturesIn.
QStringList ColoredPicturesIn(const QString& folder);
QStringList ColoredPicturesIn(const FolderEntries& folder);

// The path of the next blank page of the own book: own_<n>.bmp with the smallest n from
// 0 up that is not taken.
QString NextOwnPictureFile();

// Gives a file or folder that the program made in its tree the permissions the owner's
// new ones get (the user's umask, but always readable and writable by the owner), so that
// the program can delete it later: a copy keeps its source's mode, read-only from a
// read-only medium, and a temporary folder is private to its maker.
void GiveOrdinaryPermissions(const QString& path);

// Deletes every thumbnail of the folder whose picture no longer exists. A folder that
// does not exist is left alone.
void PurgeOrphanThumbnails(const QString& folder);

} // namespace PictureFolders
