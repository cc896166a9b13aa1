#pragma once

#include <QString>
#include <functional>

// The "import picture pack" command of the picture-management window: asks for a pack,
// installs its pictures as a new book under books/ and reports the outcome to the adult.
namespace PicturePackImport {

// The outcome of installing a pack: the new book's title (empty when nothing was
// installed) and the message for the adult.
struct Result {
    QString Title;
    QString Message;
};

// Shows the notice and the open dialog, installs the chosen pack and shows the outcome
// through the parent message window. Returns the title of the new book, for the book
// list; empty when the dialog was cancelled or the pack could not be installed.
QString Run();

// Installs the pack at `packPath` as a new book of books/, without asking or telling
// anything. The book takes the pack's book name, with "_1", "_2", ... appended when a
// book of that name exists; a picture whose name is taken in the book gets "_1", "_2",
// ... before its extension. Every name comes from the pack and is checked before use: the
// book name must be a title that "Create a new book" takes, each picture name that of a
// line drawing (*.bmp, *.gif, *.jpg) that is not hidden; any other is a damaged pack. The
// pack is read a piece at a time, and a piece longer than the largest picture the program
// shows (17,000,000 bytes) is a damaged pack, so no pack takes more memory than that.
// Every picture must load as one chosen for "Add pictures" does and be whole; a picture
// that does not, or a pack cut inside a separator, is a damaged pack. Names beyond the
// last picture are ignored when every picture is whole. The pictures are gathered in a
// hidden folder of books/ that becomes the book only once all of them are written and
// checked, so a failure (a read error or want of memory too) leaves nothing behind. A
// numbered name is shortened where it would pass 255 bytes. `step`, when given, is told
// after each picture how many of the header's names have been installed.
using Step = std::function<void(int done, int total)>;
Result Install(const QString& packPath, const Step& step = {});

} // namespace PicturePackImport
