// GF_EXCLUSIVE_DISPLAY
// Mouse presses routed to windowless controls and containers, a subclassed form
// window, and the message loop with keyboard navigation.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "framework/Forms.h"

using namespace testing_support;

namespace {

const gf::DesignRow kDesign[] = {
    {"PictureBox", "picMain", -1, "", 0, 0, 6000, 4500},
    {"Image", "imgHelp", -1, "picMain", 300, 300, 600, 600},
    {"Label", "lblPlain", -1, "picMain", 1200, 300, 1500, 300, "No handlers"},
    {"Frame", "fraBox", -1, "picMain", 300, 1500, 3000, 1500, "Box"},
    {"TextBox", "txtFirst", -1, "fraBox", 150, 300, 1500, 300},
    {"CheckBox", "chkSecond", -1, "fraBox", 150, 750, 1500, 255, "Second"},
    {"Timer", "tmrCheck", -1, "", 0, 0, 0, 0, "", "", "Interval=50; Enabled=0"},
};

class InputForm : public gf::Form {
public:
    InputForm() : gf::Form("frmInput", kDesign) { SetClientSize(6000, 4500); }
    std::vector<int> closeModes;

protected:
    void Form_QueryUnload(bool&, int mode) override { closeModes.push_back(mode); }
};

// Picture-box pixels of a point in twips (15 twips per pixel in these tests).
LPARAM At(int xTwips, int yTwips) { return MAKELPARAM(xTwips / 15, yTwips / 15); }

void Press(HWND h, LPARAM at, LPARAM releaseAt = -1) {
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(h, WM_LBUTTONUP, 0, releaseAt == -1 ? at : releaseAt);
}

WNDPROC g_previous = nullptr;
int g_seenBySubclass = 0;
LRESULT CALLBACK CountingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) ++g_seenBySubclass;
    return CallWindowProcA(g_previous, h, msg, wp, lp);
}

class FormsInput : public ::testing::Test {
protected:
    void SetUp() override { gf::Screen::OverrideTwipsPerPixel(15, 15); }
    void TearDown() override { gf::Screen::OverrideTwipsPerPixel(0, 0); }
};

}  // namespace

TEST_F(FormsInput, PressesReachWindowlessControlsOrTheirContainer) {
    InputForm f;
    auto& pic = f.Get<gf::PictureBox>("picMain");
    auto& img = f.Get<gf::Image>("imgHelp");
    std::vector<std::string> log;
    auto where = [](double x, double y) { return std::to_string(int(x)) + "," + std::to_string(int(y)); };
    img.OnClick = [&] { log.push_back("image click"); };
    img.OnMouseDown = [&](int button, int, double x, double y) {
        log.push_back("image down " + std::to_string(button) + " " + where(x, y));
    };
    pic.OnMouseDown = [&](int, int, double x, double y) { log.push_back("pic down " + where(x, y)); };
    pic.OnClick = [&] { log.push_back("pic click"); };
    f.Show();

    Press(pic.Hwnd(), At(450, 600));                   // the image: x and y within it, in twips
    Press(pic.Hwnd(), At(1500, 450));                  // a label without handlers: the container's
    Press(pic.Hwnd(), At(450, 450), At(3000, 450));    // released elsewhere: no click
    img.SetVisible(false);
    Press(pic.Hwnd(), At(450, 450));                   // a hidden image takes nothing
    EXPECT_EQ(log, (std::vector<std::string>{"image down 1 150,300", "image click", "pic down 1500,450",
                                             "pic click", "image down 1 150,150", "pic down 450,450",
                                             "pic click"}));
    // The press captures the mouse until release, as the drag code expects to release it.
    SendMessageA(pic.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(3000, 300));
    EXPECT_EQ(GetCapture(), pic.Hwnd());
    SendMessageA(pic.Hwnd(), WM_LBUTTONUP, 0, At(3000, 300));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FormsInput, SubclassedWindowStillReachesTheForm) {
    InputForm f;
    f.Show();
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(f.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    SendMessageA(f.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(g_seenBySubclass, 1);
    EXPECT_EQ(f.closeModes, std::vector<int>{gf::vbFormControlMenu});
    EXPECT_FALSE(f.Loaded());
}

TEST_F(FormsInput, MessageLoopMovesFocusWithTabAndEndsWithTheLastForm) {
    InputForm f;
    auto& text = f.Get<gf::TextBox>("txtFirst");
    HWND focusAfterTab = nullptr, second = nullptr;
    int tries = 0;
    // Windows of other test programs may take the activation away at any moment: each
    // try gives the text box the focus, posts Tab, and looks at the next tick.
    f.Get<gf::Timer>("tmrCheck").OnTimer = [&] {
        focusAfterTab = GetFocus();
        if ((focusAfterTab == second && tries > 0) || ++tries > 20) return void(f.Unload());
        SetForegroundWindow(f.Hwnd());
        text.SetFocus();
        PostMessageA(text.Hwnd(), WM_KEYDOWN, VK_TAB, 0);
    };
    f.Show();
    second = f.Get<gf::CheckBox>("chkSecond").Hwnd();
    f.Get<gf::Timer>("tmrCheck").SetEnabled(true);
    EXPECT_EQ(gf::RunMessageLoop(), 0);
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(focusAfterTab, second) << tries << " tries";
}
