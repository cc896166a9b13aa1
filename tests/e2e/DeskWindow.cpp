// Other clients of the desktop for the child-lock tests, in plain Xlib:
//   dock NAME          a panel along the top of the screen, 40 pixels high, magenta, with
//                      the dock window type and a strut, as a desktop's panel has;
//   window NAME LOG    an ordinary 300 x 100 window that writes "ready" to LOG once mapped,
//                      "button N" / "focus" for every button press and focus it gets, and
//                      "name NAME" whenever its name is set (so a test knows it has read
//                      every event sent to it before);
//   grabs              whether another program could take the pointer and the keyboard
//                      now: prints "pointer=free|held keyboard=free|held".
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstring>

namespace {

int Grabs(Display* display) {
    const Window root = DefaultRootWindow(display);
    const int pointer = XGrabPointer(display, root, False, ButtonPressMask, GrabModeAsync,
                                     GrabModeAsync, None, None, CurrentTime);
    const int keyboard =
        XGrabKeyboard(display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    std::printf("pointer=%s keyboard=%s\n", pointer == GrabSuccess ? "free" : "held",
                keyboard == GrabSuccess ? "free" : "held");
    XUngrabPointer(display, CurrentTime);
    XUngrabKeyboard(display, CurrentTime);
    XCloseDisplay(display);
    return 0;
}

void SetAtom(Display* display, Window window, const char* property, const char* value) {
    Atom atom = XInternAtom(display, value, False);
    XChangeProperty(display, window, XInternAtom(display, property, False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&atom), 1);
}

} // namespace

int main(int argc, char* argv[]) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 2;
    if (argc == 2 && std::strcmp(argv[1], "grabs") == 0)
        return Grabs(display);
    const bool dock = argc == 3 && std::strcmp(argv[1], "dock") == 0;
    const bool plain = argc == 4 && std::strcmp(argv[1], "window") == 0;
    if (!dock && !plain) {
        std::fprintf(stderr, "usage: %s dock NAME | window NAME LOG | grabs\n", argv[0]);
        return 2;
    }
    FILE* log = plain ? std::fopen(argv[3], "w") : nullptr;
    if (plain && !log)
        return 2;
    const int screen = DefaultScreen(display);
    const int width = dock ? DisplayWidth(display, screen) : 300;
    const int height = dock ? 40 : 100;
    const unsigned long colour = dock ? 0xFF00FF : 0x3080C0;
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), dock ? 0 : 100, dock ? 0 : 300,
                            unsigned(width), unsigned(height), 0, 0, colour);
    XStoreName(display, window, argv[2]);
    XSelectInput(display, window,
                 ButtonPressMask | FocusChangeMask | StructureNotifyMask | PropertyChangeMask);
    if (dock) {
        SetAtom(display, window, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK");
        long strut[12] = {0, 0, height, 0, 0, 0, 0, 0, 0, width - 1, 0, 0};
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False),
                        XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(strut),
                        12);
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STRUT", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<unsigned char*>(strut), 4);
    }
    XSizeHints hints{};
    hints.flags = USPosition | PPosition;
    hints.x = dock ? 0 : 100;
    hints.y = dock ? 0 : 300;
    XSetWMNormalHints(display, window, &hints);
    XMapWindow(display, window);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (!log)
            continue;
        if (event.type == MapNotify)
            std::fprintf(log, "ready\n");
        else if (event.type == ButtonPress)
            std::fprintf(log, "button %u\n", event.xbutton.button);
        else if (event.type == FocusIn)
            std::fprintf(log, "focus\n");
        else if (event.type == PropertyNotify && event.xproperty.atom == XA_WM_NAME) {
            char* name = nullptr;
            if (XFetchName(display, window, &name) && name) {
                std::fprintf(log, "name %s\n", name);
                XFree(name);
            }
        }
        std::fflush(log);
    }
}
