#include "Hooks.h"

#include "KeyboardGrab.h"
#include "KeyboardHookFilter.h"

#include <QCoreApplication>
#include <QPointer>
#include <map>

namespace platform::user32 {
namespace {

// Both belong to the application, so that they go with it if the hook is never removed.
struct InstalledHook {
    QPointer<KeyboardHookFilter> filter;
    QPointer<KeyboardGrab> grab;
};

std::map<HHOOK, InstalledHook>& Hooks() {
    static std::map<HHOOK, InstalledHook> hooks;
    return hooks;
}

HHOOK nextHandle = 0x100;

} // namespace

HHOOK SetWindowsHookExA(int idHook, HOOKPROC lpfn, void*, uint32_t) {
    if (idHook != WH_KEYBOARD_LL || !lpfn || !QCoreApplication::instance() ||
        !KeyboardGrab::Supported())
        return 0;
    QCoreApplication* app = QCoreApplication::instance();
    InstalledHook hook{new KeyboardHookFilter(lpfn, app), new KeyboardGrab(app)};
    app->installEventFilter(hook.filter);
    hook.grab->Start();
    const HHOOK handle = nextHandle++;
    Hooks().emplace(handle, hook);
    return handle;
}

bool UnhookWindowsHookEx(HHOOK hhk) {
    auto it = Hooks().find(hhk);
    if (it == Hooks().end())
        return false;
    // The filter leaves the application's filter list when it is destroyed.
    delete it->second.filter.data();
    delete it->second.grab.data();
    Hooks().erase(it);
    return true;
}

intptr_t CallNextHookEx(HHOOK, int32_t, uintptr_t, intptr_t) {
    return 0;
}

} // namespace platform::user32
