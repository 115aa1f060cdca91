// GF_EXCLUSIVE_DISPLAY
// Mouse presses routed to windowless controls and containers, pop-up menus, tool tips,
// a subclassed form window, and the message loop with keyboard navigation.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "framework/Forms.h"

using namespace testing_support;

namespace {

const gf::DesignRow kDesign[] = {
    {"PictureBox", "picMain", -1, "", 0, 0, 6000, 4500},
    {"Image", "imgHelp", -1, "picMain", 300, 300, 600, 600, "", "", "ToolTipText=Hide This Window"},
    {"Label", "lblPlain", -1, "picMain", 1200, 300, 1500, 300, "No handlers"},
    {"Frame", "fraBox", -1, "picMain", 300, 1500, 3000, 1500, "Box"},
    {"TextBox", "txtFirst", -1, "fraBox", 150, 300, 1500, 300},
    {"CheckBox", "chkSecond", -1, "fraBox", 150, 750, 1500, 255, "Second"},
    {"Timer", "tmrCheck", -1, "", 0, 0, 0, 0, "", "", "Interval=50; Enabled=0"},
    {"Menu", "mPopupSys", -1, "", 0, 0, 0, 0, "Systray", "", "Visible=0"},
    {"Menu", "mnuClean", -1, "mPopupSys", 0, 0, 0, 0, "&Clean"},
    {"Menu", "mnuShow", -1, "mPopupSys", 0, 0, 0, 0, "&Show"},
    {"Menu", "mneusep", -1, "mPopupSys", 0, 0, 0, 0, "-"},
    {"Menu", "mnuExit", -1, "mPopupSys", 0, 0, 0, 0, "&Exit"},
};

class InputForm : public gf::Form {
public:
    InputForm() : gf::Form("frmInput", kDesign) {
        SetClientSize(6000, 4500);
        for (const char* m : {"mnuClean", "mnuShow", "mnuExit"}) {
            std::string name = m;
            Get<gf::Menu>(name).OnClick = [this, name] { log.push_back(name); };
        }
    }
    std::vector<std::string> log;
    std::vector<int> closeModes;

protected:
    void Form_QueryUnload(bool&, int mode) override { closeModes.push_back(mode); }
};

// Picture-box pixels of a point in twips (15 twips per pixel in these tests).
LPARAM At(int xTwips, int yTwips) { return MAKELPARAM(xTwips / 15, yTwips / 15); }

void Press(HWND h, LPARAM at) {
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(h, WM_LBUTTONUP, 0, at);
}

WNDPROC g_previous = nullptr;
int g_seenBySubclass = 0;
LRESULT CALLBACK CountingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) ++g_seenBySubclass;
    return CallWindowProcA(g_previous, h, msg, wp, lp);
}

}  // namespace

class FormsInput : public ::testing::Test {
protected:
    void SetUp() override { gf::Screen::OverrideTwipsPerPixel(15, 15); }
    void TearDown() override { gf::Screen::OverrideTwipsPerPixel(0, 0); }
};

TEST_F(FormsInput, PressesReachWindowlessControlsOrTheirContainer) {
    InputForm f;
    auto& pic = f.Get<gf::PictureBox>("picMain");
    auto& img = f.Get<gf::Image>("imgHelp");
    std::vector<std::string> log;
    img.OnClick = [&] { log.push_back("image click"); };
    img.OnMouseDown = [&](int button, int, double x, double y) {
        log.push_back("image down " + std::to_string(button) + " " + std::to_string(int(x)) + "," +
                      std::to_string(int(y)));
    };
    pic.OnMouseDown = [&](int button, int, double x, double y) {
        log.push_back("pic down " + std::to_string(int(x)) + "," + std::to_string(int(y)));
    };
    pic.OnClick = [&] { log.push_back("pic click"); };
    f.Show();

    // On the image: its own events, x and y within it, in twips.
    Press(pic.Hwnd(), At(450, 600));
    // On a label without handlers: the picture box gets the press (so the skin drags).
    Press(pic.Hwnd(), At(1500, 450));
    // Pressed on the image, released elsewhere: no click.
    SendMessageA(pic.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(450, 450));
    SendMessageA(pic.Hwnd(), WM_LBUTTONUP, 0, At(3000, 450));
    // A hidden image takes nothing.
    img.SetVisible(false);
    Press(pic.Hwnd(), At(450, 450));
    EXPECT_EQ(log, (std::vector<std::string>{"image down 1 150,300", "image click", "pic down 1500,450",
                                             "pic click", "image down 1 150,150", "pic down 450,450",
                                             "pic click"}));

    // The press captures the mouse until release, as the drag code expects to release it.
    SendMessageA(pic.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(3000, 300));
    EXPECT_EQ(GetCapture(), pic.Hwnd());
    SendMessageA(pic.Hwnd(), WM_LBUTTONUP, 0, At(3000, 300));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FormsInput, PopupMenuRunsTheChosenItem) {
    InputForm f;
    f.Show();
    SetForegroundWindow(f.Hwnd());
    auto& menu = f.Get<gf::Menu>("mPopupSys");

    // Keys waiting in the queue drive the menu's own loop: first item.
    PostMessageA(f.Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(f.Hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    f.PopupMenu(menu);
    // Down three times passes over the separator to "&Exit".
    for (int i = 0; i < 3; ++i) PostMessageA(f.Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(f.Hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    f.PopupMenu(menu);
    // Escape closes it: nothing runs.
    PostMessageA(f.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    f.PopupMenu(menu);
    // A hidden item is left out: "&Show" is now second.
    f.Get<gf::Menu>("mnuClean").SetVisible(false);
    PostMessageA(f.Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(f.Hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    f.PopupMenu(menu);
    EXPECT_EQ(f.log, (std::vector<std::string>{"mnuClean", "mnuExit", "mnuShow"}));
}

TEST_F(FormsInput, ToolTipsForWindowlessControls) {
    InputForm f;
    f.Show();
    HWND tips = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM out) {
            char cls[64] = {};
            GetClassNameA(h, cls, sizeof cls);
            if (lstrcmpA(cls, TOOLTIPS_CLASSA) == 0) *reinterpret_cast<HWND*>(out) = h;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tips));
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(GetWindow(tips, GW_OWNER), f.Hwnd());
    ASSERT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
    char text[80] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.lpszText = text;
    SendMessageA(tips, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Hide This Window");
    EXPECT_EQ(tool.hwnd, f.Get<gf::PictureBox>("picMain").Hwnd());
    EXPECT_EQ(tool.rect.left, 20);
    EXPECT_EQ(tool.rect.right, 60);
}

TEST_F(FormsInput, SubclassedWindowStillReachesTheForm) {
    InputForm f;
    f.Show();
    g_seenBySubclass = 0;
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(f.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    ASSERT_NE(g_previous, nullptr);
    SendMessageA(f.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(g_seenBySubclass, 1);
    EXPECT_EQ(f.closeModes, std::vector<int>{gf::vbFormControlMenu});
    EXPECT_FALSE(f.Loaded());
}

TEST_F(FormsInput, MessageHookSeesMessagesFirst) {
    InputForm f;
    std::vector<UINT> seen;
    f.MessageHook = [&](UINT msg, WPARAM, LPARAM, LRESULT& result) {
        if (msg == WM_APP + 7) {
            seen.push_back(msg);
            result = 42;
            return true;
        }
        return false;
    };
    f.Show();
    EXPECT_EQ(SendMessageA(f.Hwnd(), WM_APP + 7, 0, 0), 42);
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(FormsInput, MessageLoopMovesFocusWithTabAndEndsWithTheLastForm) {
    InputForm f;
    auto& text = f.Get<gf::TextBox>("txtFirst");
    auto& timer = f.Get<gf::Timer>("tmrCheck");
    HWND focusAfterTab = nullptr;
    int tries = 0;
    HWND second = nullptr;
    // Windows of other test programs may take the activation away at any moment: each
    // try gives the text box the focus, posts Tab, and looks at the next tick.
    timer.OnTimer = [&] {
        focusAfterTab = GetFocus();
        if ((focusAfterTab == second && tries > 0) || ++tries > 20) {
            f.Unload();
            return;
        }
        SetForegroundWindow(f.Hwnd());
        text.SetFocus();
        PostMessageA(text.Hwnd(), WM_KEYDOWN, VK_TAB, 0);
    };
    f.Show();
    second = f.Get<gf::CheckBox>("chkSecond").Hwnd();
    timer.SetEnabled(true);
    EXPECT_EQ(gf::RunMessageLoop(), 0);
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(focusAfterTab, second) << tries << " tries";
}
