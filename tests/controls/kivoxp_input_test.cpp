// KivoXPButton driven by real messages on the virtual display: mouse buttons, double
// clicks, Space and the arrow keys, access keys, the latch, hover with its leave poll,
// and the captured background of the transparent type.
// GF_EXCLUSIVE_DISPLAY (moves the focus and the mouse pointer, reads the screen)
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/KivoXPButton.h"

using namespace testing_support;

namespace {

constexpr COLORREF kHostFill = RGB(30, 120, 60);
using Log = std::vector<std::string>;

class Input : public ::testing::Test {
protected:
    HostWindow host{60, 60, 400, 300, kHostFill};
    Log log;

    std::unique_ptr<KivoXPButton> Make(const std::string& name, int x = 10, int y = 10, int w = 75, int h = 23) {
        auto b = std::make_unique<KivoXPButton>(name);
        b->Move(gf::PixelsToTwipsX(x), gf::PixelsToTwipsY(y), gf::PixelsToTwipsX(w), gf::PixelsToTwipsY(h));
        b->Load(host.Hwnd());
        KivoXPButton* p = b.get();
        auto mouse = [this, name](const char* what) {
            return [this, name, what](short& button, short&, float& x, float& y) {
                log.push_back(name + " " + what + " " + std::to_string(button) + " " +
                              std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
            };
        };
        b->MouseDown = mouse("MouseDown");
        b->MouseUp = mouse("MouseUp");
        b->Click = [this, name, p] {
            // The released look is painted before the host hears of the click.
            log.push_back(name + " Click " + std::to_string(p->Look().LastState));
        };
        b->KeyDown = [this, name](short& key, short&) { log.push_back(name + " KeyDown " + std::to_string(key)); };
        b->KeyUp = [this, name](short& key, short&) { log.push_back(name + " KeyUp " + std::to_string(key)); };
        b->MouseOver = [this, name] { log.push_back(name + " MouseOver"); };
        b->MOUSEOUT = [this, name] { log.push_back(name + " MOUSEOUT"); };
        return b;
    }
    Log Take() { return std::exchange(log, {}); }
    // Moves the pointer and waits until the system reports it there (the display may
    // still deliver an older position first).
    static bool PointerAt(POINT p) {
        return PumpUntil(
            [p] {
                POINT now{};
                GetCursorPos(&now);
                if (now.x == p.x && now.y == p.y) return true;
                SetCursorPos(p.x, p.y);
                return false;
            },
            3000);
    }
    static void Key(HWND h, UINT msg, WPARAM key) { SendMessageA(h, msg, key, msg == WM_KEYUP ? 0xC0000001 : 1); }
};

}  // namespace

TEST_F(Input, MouseButtonsPressAndClick) {
    auto b = Make("A");
    HWND h = b->Hwnd();
    SendMouse(h, WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    SendMouse(h, WM_LBUTTONUP, 5, 6);
    EXPECT_EQ(b->Look().LastState, 0);
    EXPECT_EQ(Take(), (Log{"A MouseDown 1 5,6", "A MouseUp 1 5,6", "A Click 0"}));

    // Right: the events, no pressed look, no click.
    SendMouse(h, WM_RBUTTONDOWN, 3, 3, MK_RBUTTON);
    EXPECT_EQ(b->Look().LastState, 0);
    SendMouse(h, WM_RBUTTONUP, 3, 3);
    EXPECT_EQ(Take(), (Log{"A MouseDown 2 3,3", "A MouseUp 2 3,3"}));

    // Middle: pressed look, no click.
    SendMouse(h, WM_MBUTTONDOWN, 3, 3, MK_MBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    SendMouse(h, WM_MBUTTONUP, 3, 3);
    EXPECT_EQ(b->Look().LastState, 0);
    EXPECT_EQ(Take(), (Log{"A MouseDown 4 3,3", "A MouseUp 4 3,3"}));

    // A double click presses again (reported at 0, 0) and clicks only once.
    SendClick(h, 7, 7);
    SendMouse(h, WM_LBUTTONDBLCLK, 7, 7, MK_LBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    EXPECT_EQ(GetCapture(), h);
    SendMouse(h, WM_LBUTTONUP, 7, 7);
    EXPECT_EQ(b->Look().LastState, 0);
    EXPECT_EQ(Take(), (Log{"A MouseDown 1 7,7", "A MouseUp 1 7,7", "A Click 0", "A MouseDown 1 0,0",
                           "A MouseUp 1 7,7"}));

    // Disabled: a click raises nothing.
    b->SetEnabled(false);
    SendClick(h, 7, 7);
    for (const auto& line : Take()) EXPECT_EQ(line.find("Click"), std::string::npos);
}

TEST_F(Input, SpaceClicksOnReleaseAndArrowsMoveTheFocus) {
    auto a = Make("A", 10, 10);
    auto b = Make("B", 10, 50);
    SetForegroundWindow(host.Hwnd());
    SetFocus(a->Hwnd());
    ASSERT_EQ(GetFocus(), a->Hwnd());
    EXPECT_TRUE(a->Look().HasFocus);
    Take();

    Key(a->Hwnd(), WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(a->Look().LastState, 2);
    Key(a->Hwnd(), WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Take(), (Log{"A KeyDown 32", "A KeyUp 32", "A Click 0"}));
    // The last key down stays Space: a lone Space release clicks again.
    Key(a->Hwnd(), WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Take(), (Log{"A KeyUp 32", "A Click 0"}));
    // A Space release after another key: nothing.
    Key(a->Hwnd(), WM_KEYDOWN, 'X');
    Key(a->Hwnd(), WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Take(), (Log{"A KeyDown 88", "A KeyUp 32"}));

    Key(a->Hwnd(), WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(GetFocus(), b->Hwnd());
    EXPECT_FALSE(a->Look().HasFocus);
    Key(b->Hwnd(), WM_KEYDOWN, VK_UP);
    EXPECT_EQ(GetFocus(), a->Hwnd());
    Key(a->Hwnd(), WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(GetFocus(), b->Hwnd());
    Key(b->Hwnd(), WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(GetFocus(), a->Hwnd());
    for (const auto& line : Take()) EXPECT_EQ(line.find("Click"), std::string::npos) << line;
}

TEST_F(Input, AccessKeysClickEnabledButtons) {
    auto b = Make("A");
    b->SetCaption("Fish && &Chips");
    EXPECT_EQ(b->AccessKeys(), "c");
    EXPECT_TRUE(gf::UserControl::DeliverAccessKey(host.Hwnd(), 'C'));
    EXPECT_EQ(Take(), (Log{"A Click 0"}));
    // A right press before it does not stop the access key from clicking.
    SendMouse(b->Hwnd(), WM_RBUTTONDOWN, 3, 3, MK_RBUTTON);
    SendMouse(b->Hwnd(), WM_RBUTTONUP, 3, 3);
    Take();
    PostMessageA(host.Hwnd(), WM_SYSCHAR, 'c', 0x20000001);
    PumpFor(50);
    EXPECT_EQ(Take(), (Log{"A Click 0"}));
    b->SetEnabled(false);  // a disabled button does not take its key
    EXPECT_FALSE(gf::UserControl::DeliverAccessKey(host.Hwnd(), 'c'));
    b->SetEnabled(true);
    b->SetCaption("Plain");
    EXPECT_EQ(b->AccessKeys(), "");
}

TEST_F(Input, LatchToggleLooksPressedWhileOn) {
    auto b = Make("A");
    b->SetCheckBoxBehaviour(true);
    SendClick(b->Hwnd(), 5, 5);
    EXPECT_TRUE(b->value());
    EXPECT_EQ(b->Look().LastState, 2);
    EXPECT_EQ(Take().back(), "A Click 2");
    b->SetShowFocusRect(false);  // any repaint of state 0 stays pressed
    EXPECT_EQ(b->Look().LastState, 2);
    Key(b->Hwnd(), WM_KEYDOWN, VK_SPACE);
    Key(b->Hwnd(), WM_KEYUP, VK_SPACE);
    EXPECT_FALSE(b->value());
    EXPECT_EQ(b->Look().LastState, 0);
    b->SetValue(true);
    EXPECT_EQ(b->Look().LastState, 2);
}

TEST_F(Input, HoverStartsOnEntryAndEndsWhenThePointerLeaves) {
    auto b = Make("A", 40, 40);
    SetForegroundWindow(host.Hwnd());
    POINT inside = HostWindow::ScreenPoint(b->Hwnd(), 20, 10);
    ASSERT_TRUE(PointerAt(inside));
    ASSERT_EQ(WindowFromPoint(inside), b->Hwnd());
    // The display may send its own move on the way in: one entry either way.
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 20, 10);
    EXPECT_TRUE(b->Look().IsOver);
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 21, 10);  // still inside: no second entry
    EXPECT_EQ(Take(), (Log{"A MouseOver"}));
    // The hover look of type 3 is painted.
    EXPECT_EQ(GetPixel(b->Surface().hDC(), 40, 21), 0x0096E7u);

    // Dragging with the left button shows the pressed look.
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 22, 10, MK_LBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    EXPECT_FALSE(b->Look().IsOver);
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 22, 10);  // counts as an entry again
    EXPECT_EQ(Take(), (Log{"A MouseOver"}));

    POINT outside = HostWindow::ScreenPoint(host.Hwnd(), 300, 250);
    ASSERT_TRUE(PointerAt(outside));
    EXPECT_TRUE(PumpUntil([&] { return !b->Look().IsOver; }, 3000));
    EXPECT_EQ(Take(), (Log{"A MOUSEOUT"}));
    EXPECT_NE(GetPixel(b->Surface().hDC(), 40, 21), 0x0096E7u);
    PumpFor(50);
    EXPECT_TRUE(Take().empty());  // the poll has stopped
}

TEST_F(Input, TransparentTypeShowsTheParentBehindIt) {
    gf::PropertyBag bag;
    bag.WriteProperty("_ExtentX", 2117L);  // 80 x 30 pixels
    bag.WriteProperty("_ExtentY", 794L);
    bag.WriteProperty("BTYPE", 11L);
    bag.WriteProperty("TX", "");
    auto b = std::make_unique<KivoXPButton>("Glass");
    b->Move(gf::PixelsToTwipsX(30), gf::PixelsToTwipsY(30), 0, 0);
    b->Load(host.Hwnd(), &bag);
    PumpFor(50);
    ASSERT_NE(b->Look().BackgroundDC, nullptr);
    EXPECT_EQ(GetPixel(b->Surface().hDC(), 20, 15), kHostFill);
    RECT client;
    GetClientRect(b->Hwnd(), &client);
    EXPECT_EQ(client.bottom, 30);  // the height is back after the capture
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(b->Hwnd(), 20, 15) == kHostFill; }, 2000));
}
