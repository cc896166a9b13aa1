#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>

class QComboBox;
class ComboStyle;
namespace platform {
class PictureBox;
}

// A drop-down list with a flat face and a picture drop button. The combo box cb sits
// inside the borderless viewport P, which shows only its text area: cb's border and its
// own drop arrow lie outside P. The drop button pD beside it shows b[0] normally and b[1]
// while pressed. The control, P and pD measure in pixels; the control is always exactly
// as tall as P. Indexes are those of cb's list, from 0.
class Combo : public QWidget {
    Q_OBJECT
public:
    explicit Combo(QWidget* parent = nullptr);

    // Stored only: the list has no type-ahead.
    void AutoComplete(bool autoComplete);
    // A FontSize of 0 or below keeps the current size; Color is not used.
    void SetFont(const QString& Fontname, long FontSize = 0, bool Bold = false, bool Italic = false,
                 bool Underline = false, bool Strikethrough = false, long Color = 0);

    // Removing the selected item leaves nothing selected; an index outside the list
    // removes nothing.
    void RemoveItem(int Index);
    long ListCount() const;
    void Clear();
    // Index -1 appends, as does any index past the end. Adding never changes which item
    // is selected (an empty list's first item is not selected by itself).
    void AddItem(const QString& Item, int Index = -1);
    // Empty for an index outside the list.
    QString List(int I) const;
    // Loads the picture files of the drop button; without DOWN the pressed button shows
    // UP. False (and the pictures as they were) when a file cannot be loaded.
    bool SetPictures(const QString& UP, const QString& DOWN = {});

    // The selected index as decimal text, "-1" when nothing is selected.
    QString ListIndex() const;
    // Selects the item whose index the text gives ("-1" selects nothing) and raises
    // Click. Text that is not a whole number throws std::invalid_argument; an index
    // outside -1 .. ListCount - 1 throws std::out_of_range. Either way nothing changes.
    void SetListIndex(const QString& vNewValue);

    // The text shown. Setting it selects the item with exactly that text, without
    // raising Click; a text that is no item's changes nothing.
    QString Text() const;
    void SetText(const QString& value);

    // cb's back colour as a colour value (0x00BBGGRR); setting also takes system-colour
    // references (0x80000000 | index).
    uint32_t BackColor() const;
    void SetBackColor(uint32_t value);

    // The width of cb's own drop arrow that the layout hides: from the registry's
    // "ScrollHeight" (negative twips); when that is missing or not a negative number,
    // the style's scroll-bar extent.
    static double HiddenArrowWidth(const QString& scrollHeight);

    // Where the layout puts P, pD and cb, before rounding to whole pixels.
    struct Geometry {
        double pWidth = 0;
        double pHeight = 0;
        double pDX = 0;
        double pDY = 0;
        double cbX = 0;
        double cbY = 0;
        double cbWidth = 0;
        double height = 0; // the control's
    };
    static Geometry Arrange(double innerWidth, double cbHeight, double pDWidth, double pDHeight,
                            double arrowWidth);

    // The constituents, for containers and tests that look at them.
    platform::PictureBox& Viewport() const { return *P; }
    QComboBox& Box() const { return *cb; }
    platform::PictureBox& DropButton() const { return *pD; }

signals:
    void KeyDown(int KeyCode, int Shift);
    void Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UserControl_Resize();
    void pD_MouseDown();
    void pD_MouseUp();
    void pD_Click();
    void ShowPicture(const QImage& picture);
    void AlignList(QWidget& list) const;

    platform::PictureBox* P = nullptr;
    QComboBox* cb = nullptr;
    platform::PictureBox* pD = nullptr;
    ComboStyle* style_ = nullptr;
    QImage b[2];
    bool AutoComplete_ = false;
};
