#pragma once

#include <QPointer>
#include <QWidget>

class QEventLoop;

namespace platform {

class Form;

// The top-level window of a form. A close request from the window system (the window
// manager's close, a logout) asks the form and then unloads it.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(Form& form);

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    Form& form_;
};

// A window with one global instance. The form object outlives its window: loading
// builds the widgets and runs Form_Load; unloading runs Form_Unload and destroys the
// widgets, while the form's public variables stay readable. A modal showing runs a
// nested event loop that ends when the window is hidden or unloaded.
class Form {
public:
    Form() = default;
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    bool IsLoaded() const { return window_ != nullptr; }
    // The window, loading the form first when it is not loaded.
    QWidget* Window();
    void Load();
    // Returns false when Form_Unload cancelled the unload.
    bool Unload();
    void Show(bool modal = false);
    // Asks the window manager to show the window full-screen: on top of panels and docks,
    // without a frame, neither movable nor resizable. Without a window manager that does
    // so, the window keeps the place and size it was given. It is kept so, whatever other
    // programs ask of the window manager, until the form moves or hides it.
    void ShowFullScreen();
    void Hide();
    bool Visible() const;

    // Twips, as forms place themselves.
    void Move(double left, double top, double width, double height);

    // Why a form is asked before it unloads: closed by the window manager, by the
    // program's own code, by the ending desktop session, or from outside the session (a
    // termination signal).
    enum UnloadMode { FormControlMenu = 0, FormCode = 1, AppWindows = 2, AppTaskManager = 3 };
    // A close request from outside the program: Form_QueryUnload may cancel it, otherwise
    // the form unloads. False when it stays loaded.
    bool CloseFromOutside(int UnloadMode);

protected:
    // Builds the window's controls (the design).
    virtual void CreateWidgets(QWidget* window) = 0;
    virtual void Form_Load() {}
    virtual void Form_Unload(int& cancel) { (void)cancel; }
    virtual void Form_QueryUnload(int& cancel, int UnloadMode) {
        (void)cancel;
        (void)UnloadMode;
    }

private:
    friend class FormWindow;
    void WindowHidden();
    void WindowClosing(bool& accept, int UnloadMode);

    FormWindow* window_ = nullptr;
    QPointer<QEventLoop> modalLoop_;
    bool unloading_ = false;
};

// The global instance of a form, created on first use and never destroyed, so that its
// variables can be read at any time, also while the program ends.
template <class T> T& FormInstance() {
    static T* instance = new T;
    return *instance;
}

} // namespace platform
