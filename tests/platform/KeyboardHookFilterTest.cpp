#include "KeyboardHookFilter.h"

#include "Hooks.h"
#include "KeyCodes.h"
#include "KeyState.h"
#include "WaitLimit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

using namespace platform::user32;

namespace {

struct Seen {
    uintptr_t message;
    uint32_t vk;
    uint32_t flags;
    bool ctrlState;
};
std::vector<Seen> seen;

// Swallows 'B', the Menu key, and everything while Ctrl is held.
intptr_t TestHook(int32_t nCode, uintptr_t wParam, intptr_t lParam) {
    const auto& info = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const bool ctrl = GetKeyState(VK_CONTROL) & 0x8000;
    seen.push_back({wParam, info.vkCode, info.flags, ctrl});
    if (info.vkCode == 'B' || info.vkCode == VK_APPS || ctrl)
        return -1;
    return CallNextHookEx(0, nCode, wParam, lParam);
}

// A window with a line edit in focus, and a Ctrl+Q shortcut.
class KeyboardHookFilterTest : public testing::Test {
protected:
    void SetUp() override {
        seen.clear();
        auto* layout = new QVBoxLayout(&window);
        edit = new QLineEdit(&window);
        layout->addWidget(edit);
        auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Q")), &window);
        QObject::connect(shortcut, &QShortcut::activated, [this] { ++shortcuts; });
        window.show();
        QApplication::setActiveWindow(&window);
        edit->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, WaitLimitMs));
    }
    void TearDown() override { SetKeyState(VK_CONTROL, false); }

    void Type(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(window.windowHandle(), key, modifiers);
    }

    QWidget window;
    QLineEdit* edit = nullptr;
    int shortcuts = 0;
};

} // namespace

TEST_F(KeyboardHookFilterTest, PassedKeysArriveSwallowedKeysDoNot) {
    KeyboardHookFilter filter(TestHook);
    qApp->installEventFilter(&filter);
    Type(Qt::Key_A);
    Type(Qt::Key_B);
    Type(Qt::Key_C);
    EXPECT_EQ(edit->text(), QStringLiteral("ac"));

    // Both the press and the release went through the hook, as key messages.
    bool press = false, release = false;
    for (const Seen& s : seen)
        if (s.vk == 'B') {
            press |= s.message == WM_KEYDOWN && !(s.flags & LLKHF_UP);
            release |= s.message == WM_KEYUP && (s.flags & LLKHF_UP);
        }
    EXPECT_TRUE(press);
    EXPECT_TRUE(release);
}

TEST_F(KeyboardHookFilterTest, SwallowedKeyTriggersNoShortcut) {
    // Without the hook, Ctrl+Q is the shortcut.
    Type(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(shortcuts, 1);

    KeyboardHookFilter filter(TestHook);
    qApp->installEventFilter(&filter);
    Type(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(shortcuts, 1);
    EXPECT_EQ(edit->text(), QString());
    // The hook saw Ctrl held in the key state for the Q.
    bool ctrlQ = false;
    for (const Seen& s : seen)
        ctrlQ |= s.vk == 'Q' && s.ctrlState;
    EXPECT_TRUE(ctrlQ);

    // Ctrl is released: typing works again, and the key state follows.
    seen.clear();
    Type(Qt::Key_Q);
    EXPECT_EQ(edit->text(), QStringLiteral("q"));
    ASSERT_FALSE(seen.empty());
    EXPECT_FALSE(seen.back().ctrlState);
}

TEST_F(KeyboardHookFilterTest, RemovedFilterSwallowsNothing) {
    {
        KeyboardHookFilter filter(TestHook);
        qApp->installEventFilter(&filter);
        Type(Qt::Key_B);
    }
    Type(Qt::Key_B);
    EXPECT_EQ(edit->text(), QStringLiteral("b"));
}

// The Menu key's context menu comes to the window as an event of its own; in a line edit
// it is the edit's menu.
TEST_F(KeyboardHookFilterTest, TheMenuKeyOpensNoContextMenuWhenSwallowed) {
    auto menuKey = [this] {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                window.mapToGlobal(QPoint(1, 1)));
        QCoreApplication::sendEvent(window.windowHandle(), &event);
        QWidget* popup = QApplication::activePopupWidget();
        if (popup)
            popup->close();
        return popup != nullptr;
    };
    EXPECT_TRUE(menuKey());

    KeyboardHookFilter filter(TestHook);
    qApp->installEventFilter(&filter);
    EXPECT_FALSE(menuKey());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].vk, VK_APPS);
    EXPECT_EQ(seen[0].message, WM_KEYDOWN);
    // A context menu asked for with the mouse is no key: it is not judged.
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(1, 1),
                            window.mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(window.windowHandle(), &mouse);
    EXPECT_EQ(seen.size(), 1u);
}

TEST(SetWindowsHookExA, OffscreenCannotGrabSoTheHandleIsZero) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    EXPECT_EQ(SetWindowsHookExA(WH_KEYBOARD_LL, TestHook, nullptr, 0), 0);
    EXPECT_EQ(SetWindowsHookExA(2 /* WH_KEYBOARD */, TestHook, nullptr, 0), 0);
    EXPECT_FALSE(UnhookWindowsHookEx(0));
    EXPECT_EQ(CallNextHookEx(0, HC_ACTION, WM_KEYDOWN, 0), 0);
}
