#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <initializer_list>

class HyperLink;
class QLabel;
class QWidget;

namespace platform {
class PictureBox;
}

// Pieces that the message windows build their designs from.
namespace MessageWindowDesign {

// DejaVu Sans, in the place of the adults' Verdana.
QFont AdultFont(double points);
// Comic Neue, the child's playful font.
QFont ChildFont(double points, bool bold);

// A design rectangle in twips as pixels.
QRect FromTwips(int left, int top, int width, int height);

// A label at a design place in twips, its text wrapped at words, colours as colour
// values (0x00BBGGRR); no back colour leaves the window's drawing visible behind it.
QLabel* NewLabel(QWidget* parent, const QRect& twips, const QFont& font, uint32_t foreColour,
                 const QString& text, int64_t backColour = -1);
// A link of the standard design with the caption, at a design place in twips.
HyperLink* NewLink(QWidget* parent, const QString& caption, int left, int top, int width,
                   int height);
// Links answered with the mouse only: a link with the focus would take Enter or Space as
// a click, and a key pressed by chance must answer or open nothing.
void AnswerMouseOnly(std::initializer_list<HyperLink*> links);
// Sets a label's caption; a CR LF or a lone CR breaks the line.
void SetCaption(QLabel* label, const QString& caption);

// A button picture from the BITMAP resources; while a resource is missing, a plain
// face of our own with the button's caption, so that the window can still be answered.
QImage ButtonBitmap(int id);

// Places the window in the middle of the screen.
void CentreOnScreen(QWidget* window);

// The window's own drawing: a picture box under every other control, filling the window.
platform::PictureBox* NewSurface(QWidget* window, uint32_t backColour);
// Fits the drawing to the window, clears it to its back colour, draws the raised edge
// round the window and shows it.
void RedrawEdge(QWidget* window, platform::PictureBox* surface);
// Fits the drawing to the window, clears it and stretches the picture over all of it.
void StretchPicture(QWidget* window, platform::PictureBox* surface, platform::PictureBox& picture);

} // namespace MessageWindowDesign
