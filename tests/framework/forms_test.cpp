// GF_EXCLUSIVE_DISPLAY
// Forms and their controls as real windows on the virtual display, driven with real
// messages; values set in code with their handlers nesting are the main window's tests.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "HostWindow.h"
#include "TestSupport.h"
#include "framework/Forms.h"

using namespace testing_support;
using Log = std::vector<std::string>;

namespace {

const gf::DesignRow kDesign[] = {
    {"PictureBox", "picMain", -1, "", 0, 0, 6000, 4500},
    {"Frame", "fraPage", 0, "picMain", 300, 300, 4500, 3600, "Page"},
    {"CheckBox", "chkItem", 0, "fraPage(0)", 150, 300, 2400, 255, "First"},
    {"CheckBox", "chkItem", 1, "fraPage(0)", 150, 600, 2400, 255, "Second"},
    {"TextBox", "txtMinutes", -1, "fraPage(0)", 150, 1600, 900, 285, "1"},
    {"ProgressBar", "pgbWork", -1, "fraPage(0)", 150, 2400, 3000, 255},
    {"ListBox", "List1", -1, "", 120, 300, 3000, 1500},
    {"ComboBox", "cntrlFirst", 0, "", 120, 2100, 1200, 315},
    {"OptionButton", "optWhen", 0, "fraPage(0)", 150, 900, 2400, 255, "Daily"},
    {"OptionButton", "optWhen", 1, "fraPage(0)", 150, 1200, 2400, 255, "Weekly", "", "Value=1"},
    {"OptionButton", "optView", -1, "picMain", 4900, 300, 1000, 255, "List"},
    {"CommandButton", "cmdApply", -1, "picMain", 4900, 700, 1000, 375, "Apply"},
};

class TestForm : public gf::Form {
public:
    explicit TestForm(bool show = true) : gf::Form("frmTest") {
        SetCaption("Forms test");
        SetClientSize(6000, 4500);
        Build(kDesign);
        if (show) Show();
    }
    bool cancelQuery = false, cancelUnload = false;
    std::vector<int> unloadModes;
    int loads = 0;

protected:
    void Form_Load() override { ++loads; }
    void Form_QueryUnload(bool& cancel, int mode) override {
        unloadModes.push_back(mode);
        cancel = cancelQuery;
    }
    void Form_Unload(bool& cancel) override { cancel = cancelUnload; }
};

}  // namespace

// Clicks and changes are raised for every change, by the user or in code, and only then. A
// combo box's pick (the down-arrow key on the closed box) raises Click with the new text, to
// the handler of the array's row; typing raises Change per keystroke.
TEST(CheckTextAndComboBoxes, RaiseTheirEventOncePerChange) {
    TestForm f;
    auto& box = f.Get<gf::CheckBox>("chkItem", 0);
    auto& text = f.Get<gf::TextBox>("txtMinutes");
    auto firsts = f.Array<gf::ComboBox>("cntrlFirst");
    auto& combo = firsts[0];
    Log log;
    box.OnClick = [&] { log.push_back("click " + std::to_string(box.Value())); };
    text.OnChange = [&] { log.push_back("change " + text.Text()); };
    firsts.Handle(&gf::ComboBox::OnClick, [&](int row) { log.push_back("click" + std::to_string(row) + " " + combo.Text()); });
    combo.OnChange = [&] { log.push_back("change " + combo.Text()); };
    // Mouse messages, a double click included: every press toggles.
    for (UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        SendMessageA(box.Hwnd(), press, MK_LBUTTON, MAKELPARAM(5, 8));
        SendMessageA(box.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 8));
    }
    box.SetValue(0), box.SetValue(2);  // no change, then greyed
    SendMessageA(box.Hwnd(), BM_CLICK, 0, 0);  // a greyed box becomes ticked
    box.SetEnabled(false);                     // a disabled box takes no click, not even one sent to it
    SendMessageA(box.Hwnd(), BM_CLICK, 0, 0);
    text.SetText("1"), text.SetText("15");  // its design text: no change
    SendMessageA(text.Hwnd(), EM_SETSEL, 2, 2), SendMessageA(text.Hwnd(), WM_CHAR, '0', 0);
    for (const char* s : {"Ctrl", "Alt", "Shift"}) combo.AddItem(s);
    HWND edit = FindWindowExA(combo.Hwnd(), nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_GE(combo.ListIndex(), 0);
    const std::string picked = combo.List(combo.ListIndex());
    SendMessageA(edit, EM_SETSEL, 0, -1), SendMessageA(edit, WM_CHAR, 'Q', 0);
    EXPECT_EQ(log, (Log{"click 1", "click 0", "click 2", "click 1", "change 15", "change 150", "click0 " + picked,
                        "change Q"}));
    EXPECT_EQ(combo.ListIndex(), -1);  // the pick is forgotten
}

// An option's Click sees its group settled: the others of its container cleared, those of
// another container kept. Choosing the chosen one again, or clearing one in code, raises
// nothing. A command button clicks at every press, a fast second one too.
TEST(OptionAndCommandButtons, RaiseClickOncePerChoiceAndPerPress) {
    TestForm f;
    auto when = f.Array<gf::OptionButton>("optWhen");
    auto& view = f.Get<gf::OptionButton>("optView");
    auto& apply = f.Get<gf::CommandButton>("cmdApply");
    auto chosen = [&] {
        return std::to_string(when[0].Value()) + std::to_string(when[1].Value()) + std::to_string(view.Value());
    };
    Log log;
    when.Handle(&gf::OptionButton::OnClick, [&](int i) { log.push_back("when" + std::to_string(i) + " " + chosen()); });
    view.OnClick = [&] { log.push_back("view " + chosen()); };
    apply.OnClick = [&] { log.push_back("apply"); };
    EXPECT_EQ(chosen(), "010");  // the design's choice raised nothing
    view.SetValue(true);
    SendClick(when[0].Hwnd(), 5, 8);
    SendClick(when[0].Hwnd(), 5, 8);
    SendMessageA(when[1].Hwnd(), BM_CLICK, 0, 0);
    when[1].SetValue(false);
    EXPECT_EQ(chosen(), "001");
    when[0].SetValue(true);
    for (UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        SendMessageA(apply.Hwnd(), press, MK_LBUTTON, MAKELPARAM(10, 10));
        SendMessageA(apply.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }
    SendMessageA(apply.Hwnd(), BM_CLICK, 0, 0);
    apply.SetEnabled(false);
    SendMessageA(apply.Hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(log, (Log{"view 011", "when0 101", "when1 011", "when0 101", "apply", "apply", "apply"}));
}

namespace {

WNDPROC g_previous;
int g_closes;

// With the system's calling convention, as every window procedure needs on 32 bits.
LRESULT CALLBACK CountCloses(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    g_closes += msg == WM_CLOSE;
    return CallWindowProcA(g_previous, w, msg, wp, lp);
}

}  // namespace

TEST(Form, QueryUnloadModesCancelAndLoadingAgainThroughASubclass) {
    TestForm f;
    HWND h = f.Hwnd();
    // The window procedure replaced, as the hot keys do: closing still reaches the form.
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountCloses)));
    f.cancelQuery = true;
    SendMessageA(h, WM_CLOSE, 0, 0);                              // the user closing: mode 0
    EXPECT_FALSE(f.Unload());                                      // code: mode 1
    EXPECT_EQ(SendMessageA(h, WM_QUERYENDSESSION, 0, 0), FALSE);  // Windows ending: mode 2
    EXPECT_EQ(f.unloadModes, (std::vector<int>{gf::vbFormControlMenu, gf::vbFormCode, gf::vbAppWindows}));
    EXPECT_TRUE(f.Loaded() && IsWindow(h));
    f.cancelQuery = false, f.cancelUnload = true;  // Form_Unload can cancel too
    SendMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_TRUE(f.Loaded());
    f.cancelUnload = false, SendMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_EQ(g_closes, 3);
    EXPECT_FALSE(f.Loaded() || IsWindow(h) || f.Get<gf::CheckBox>("chkItem", 0).Hwnd());
    // Loaded again: a new window, Form_Load again, properties kept.
    auto& second = f.Get<gf::CheckBox>("chkItem", 1);
    second.SetValue(1), f.Show();
    EXPECT_EQ(f.loads, 2);
    EXPECT_TRUE(second.Hwnd() && second.Value() == 1);
}

TEST(Twips, WindowsFollowTwipsPerPixel) {
    gf::Screen::OverrideTwipsPerPixel(12, 15);
    TestForm f;
    auto& box = f.Get<gf::CheckBox>("chkItem", 1);
    auto place = [&] {
        RECT rc;
        GetWindowRect(box.Hwnd(), &rc);
        MapWindowPoints(nullptr, f.Get<gf::Frame>("fraPage", 0).Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return Xy(rc.left, rc.top) + " " + Xy(rc.right - rc.left, rc.bottom - rc.top);
    };
    RECT client;
    GetClientRect(f.Hwnd(), &client);
    EXPECT_EQ(Xy(client.right, client.bottom), "500,300");  // 6000 x 4500 twips
    EXPECT_EQ(place(), "13,40 200,17");                     // (150, 600) in its frame: 150 / 12 = 12.5, rounded
    box.Move(1200, 2400, 1200, 240);
    EXPECT_EQ(place(), "100,160 100,16");
    gf::Screen::OverrideTwipsPerPixel(0, 0);
}

TEST(ProgressBar, RangesBeyondSixteenBitsAndValuesSetWhileHiddenReachTheCommonControl) {
    TestForm f(false);
    auto& bar = f.Get<gf::ProgressBar>("pgbWork");
    bar.SetVisible(false);
    f.Show();
    EXPECT_EQ(bar.Hwnd(), nullptr);  // a bar loaded hidden has no window yet
    bar.SetMax(1000000);
    bar.SetValue(654321);
    bar.SetVisible(true);
    ASSERT_TRUE(bar.Hwnd() && IsWindowVisible(bar.Hwnd()));
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETRANGE, FALSE, 0), 1000000);
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETPOS, 0, 0), 654321);
    bar.SetValue(765432);
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETPOS, 0, 0), 765432);
}

TEST(ListBox, TicksAndHighlightAreSeparate) {
    TestForm f(false);
    auto& list = f.Get<gf::ListBox>("List1");
    Log log;
    list.OnClick = [&] { log.push_back("click " + std::to_string(list.ListIndex())); };
    list.OnItemCheck = [&](int i) { log.push_back("check " + std::to_string(i)); };
    // A press (or a double click) on entry i, x pixels from the list's left edge.
    auto press = [&](int i, int x, bool twice = false) {
        RECT rc;
        SendMessageA(list.Hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
        for (UINT msg : {UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONDBLCLK)}) {
            SendMessageA(list.Hwnd(), msg, MK_LBUTTON, MAKELPARAM(x, (rc.top + rc.bottom) / 2));
            SendMessageA(list.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, (rc.top + rc.bottom) / 2));
            if (!twice) break;
        }
    };
    list.AddItem("WordPad");
    list.AddItem("PartyPoker");
    f.Show();
    list.AddItem("Calc", 1);  // inserted before PartyPoker
    EXPECT_EQ(list.List(0) + list.List(1) + list.List(2), "WordPadCalcPartyPoker");
    list.SetSelected(2, true);  // ticks set in code raise nothing and leave the highlight
    EXPECT_TRUE(list.Selected(2) && !list.Selected(0) && list.ListIndex() == -1);
    press(0, 60);  // on an entry's text: highlighted, not ticked
    EXPECT_FALSE(list.Selected(0));
    press(1, 6);  // on the check mark: ticked and highlighted
    EXPECT_TRUE(list.Selected(1));
    SendMessageA(list.Hwnd(), WM_CHAR, ' ', 0);  // Space on the highlighted entry clears it
    EXPECT_FALSE(list.Selected(1));
    press(2, 60, true);  // a double click on text toggles the tick
    EXPECT_FALSE(list.Selected(2));
    EXPECT_EQ(log, (Log{"click 0", "check 1", "click 1", "check 1", "click 1", "click 2", "check 2", "click 2"}));
    list.RemoveItem(2);  // removing the highlighted entry clears the highlight
    EXPECT_EQ(Xy(list.ListIndex(), SendMessageA(list.Hwnd(), LB_GETCOUNT, 0, 0)), "-1,2");
}

namespace {

// A smooth two-way gradient of 480 x 360, so every spot has its own colour.
COLORREF SkinAt(int x, int y) { return RGB(30 + x * 110 / 480, 80 + y * 110 / 360, 170 - x * 60 / 480); }

const gf::DesignRow kSample[] = {
    {"PictureBox", "picMain", -1, "", 0, 0, 7200, 5400},
    {"Image", "imgHelp", -1, "picMain", 6600, 120, 360, 360, "", "", "MaskColor=&H00FF00FF&"},
    {"Frame", "fraOptions", -1, "picMain", 240, 600, 3360, 2700, "Options", "", "ForeColor=&H00FFFFFF&"},
    {"CheckBox", "chkItem", 0, "fraOptions", 180, 300, 3000, 255, "Temporary files", "", "ForeColor=&H00FFFFFF&"},
    {"Label", "lblVersion", -1, "picMain", 5700, 5040, 1300, 255, "Version 1.06", "", "Alignment=1"},
};

}  // namespace

TEST(Painting, ControlsShowTheSkinBehindThem) {
    gf::Screen::OverrideTwipsPerPixel(15, 15);
    gf::Form f("frmSample", kSample);
    f.SetClientSize(7200, 5400);
    f.SetStartUpPosition(gf::StartUpPosition::Manual);
    f.Move(600, 600, f.Width(), f.Height());
    f.Get<gf::PictureBox>("picMain").SetPicture(gf::Bitmap(PaintedBitmap(480, 360, SkinAt)));
    // A white disc on magenta, the magenta masked out.
    f.Get<gf::Image>("imgHelp").SetPicture(gf::Bitmap(PaintedBitmap(24, 24, [](int x, int y) {
        return (x - 12) * (x - 12) + (y - 12) * (y - 12) < 100 ? RGB(255, 255, 255) : RGB(255, 0, 255);
    })));
    f.Show();
    HWND h = f.Hwnd();
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    auto skinAt = [&](int x, int y) {
        const COLORREF a = ClientPixel(h, x, y), b = SkinAt(x, y);
        return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
               std::abs(GetBValue(a) - GetBValue(b)) <= 8;
    };
    // Right of a check box's caption: the skin, seen through the box and its frame.
    RECT box;
    GetWindowRect(f.Get<gf::CheckBox>("chkItem", 0).Hwnd(), &box);
    MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_TRUE(PumpUntil([&] { return skinAt(box.right - 4, (box.top + box.bottom) / 2); }, 3000));
    // A transparent label: its empty corner shows the skin, its text does not.
    RECT lbl{380, 336, 466, 353};  // lblVersion in pixels
    EXPECT_TRUE(skinAt(lbl.right - 1, lbl.bottom - 1));
    int ink = 0;
    for (int y = lbl.top; y < lbl.bottom; ++y)
        for (int x = lbl.left; x < lbl.right; ++x) ink += !skinAt(x, y);
    EXPECT_GT(ink, 20);
    // The masked image: the disc is white, its masked corner is skin.
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(h, 452, 20) == RGB(255, 255, 255); }, 3000));
    EXPECT_TRUE(skinAt(441, 9));
    gf::Screen::OverrideTwipsPerPixel(0, 0);
}
