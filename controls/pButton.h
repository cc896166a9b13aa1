#pragma once

#include "cNDib.h"

#include <QCursor>
#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>

namespace platform {
class PictureBox;
}

// The four-state picture button: Normal, Down while a mouse button is held on it,
// Pressed while latched, and Disabled (a grey copy of Normal when none is given).
// It keeps a pixel copy of every state picture and stretches the copy of the current
// state onto its face P. Its own size is in twips; everything inside it is pixels.
class pButton : public QWidget {
    Q_OBJECT
public:
    explicit pButton(QWidget* parent = nullptr);
    ~pButton() override;

    // Null images for the states not given. Sizes the button to the Normal picture and
    // draws the current state. Returns 0, or an error number.
    long SetPicture(const QImage& pUP, const QImage& pDOWN = {}, const QImage& pPRESSED = {},
                    const QImage& pDISABLED = {});

    // A Disabled picture for a button that stands on a coloured background: the grey
    // copy of `picture` in which the background colour (0x00BBGGRR) stays as it is.
    static QImage GreyOn(const QImage& picture, uint32_t background);

    // The button's size in twips.
    long Width() const;
    long Height() const;
    void SetWidth(long twips);
    void SetHeight(long twips);

    // Whether the face takes the mouse; a disabled button raises no mouse events.
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // The pointer shown over the face.
    void SetMouseIcon(const QCursor& cursor);
    // The latched state.
    bool Pressed() const { return Pressed_; }
    void SetPressed(bool pressed);
    QString ToolText() const;
    void SetToolText(const QString& text);
    // Stored only.
    bool AutoSize() const { return AutoSize_; }
    void SetAutoSize(bool value) { AutoSize_ = value; }
    // While set, state changes are drawn into the face's buffer without showing them;
    // clearing it shows the face at once.
    bool LockRefresh() const { return LockRefresh_; }
    void SetLockRefresh(bool value);

    // The face, for containers and tests that look at it.
    platform::PictureBox& Face() const { return *P; }

signals:
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp();
    void MouseMove(int button, int shift, float x, float y);
    void Click();

private:
    void DrawState(const std::unique_ptr<cNDib>& copy);
    void P_MouseDown(int button, int shift, float x, float y);
    void P_MouseUp();

    platform::PictureBox* P = nullptr;
    platform::PictureBox* pT = nullptr;

    std::unique_ptr<cNDib> NormalCopy;
    std::unique_ptr<cNDib> DownCopy;
    std::unique_ptr<cNDib> PressedCopy;
    std::unique_ptr<cNDib> DisabledCopy;
    std::unique_ptr<cNDib> GreyCopy;
    bool AutoSize_ = true;
    bool Pressed_ = false;
    bool LockRefresh_ = false;
};
