// GF_EXCLUSIVE_DISPLAY
// Forms and their controls as real windows on the virtual display, driven with real
// messages: user clicks on check boxes, unloading, twips, the progress
// bar, the list box with check marks and the drop-down combo box, a subclassed form
// window; and a sample form
// over a skin whose controls must show it behind them (saved as screens\forms_sample.bmp
// for a look). Value and text events set in code, with their handlers nesting, are the
// main window's tests.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>
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
    {"Frame", "fraPage", 1, "picMain", 300, 300, 4500, 3600, "", "", "Visible=0; BorderStyle=0"},
    {"CheckBox", "chkItem", 0, "fraPage(0)", 150, 300, 2400, 255, "First"},
    {"CheckBox", "chkItem", 1, "fraPage(0)", 150, 600, 2400, 255, "Second"},
    {"CheckBox", "chkItem", 2, "fraPage(0)", 150, 900, 2400, 255, "Third", "the third item"},
    {"TextBox", "txtMinutes", -1, "fraPage(0)", 150, 1600, 900, 285, "1"},
    {"ProgressBar", "pgbWork", -1, "fraPage(0)", 150, 2400, 3000, 255},
    {"Timer", "tmrTick", -1, "", 0, 0, 0, 0, "", "", "Interval=40; Enabled=0"},
};

class TestForm : public gf::Form {
public:
    TestForm() : gf::Form("frmTest") {
        SetCaption("Forms test");
        SetClientSize(6000, 4500);
        Build(kDesign);
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

TEST(CheckBox, UserClicksToggleAndRaiseClick) {
    TestForm f;
    f.Show();
    auto& box = f.Get<gf::CheckBox>("chkItem", 0);
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    HWND h = box.Hwnd();
    // Mouse messages, a double click included: every press toggles.
    LPARAM at = MAKELPARAM(5, 8);
    for (UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}) {
        SendMessageA(h, press, MK_LBUTTON, at);
        SendMessageA(h, WM_LBUTTONUP, 0, at);
    }
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(box.Value(), 1);
    box.SetValue(2);  // a greyed box becomes ticked on a click
    SendMessageA(h, BM_CLICK, 0, 0);
    EXPECT_EQ(box.Value(), 1);
    box.SetEnabled(false);  // a disabled box takes no click, not even one sent to it
    SendMessageA(h, BM_CLICK, 0, 0);
    EXPECT_EQ(box.Value(), 1);
}

TEST(Form, QueryUnloadModesCancelAndLoadingAgain) {
    TestForm f;
    f.Show();
    HWND h = f.Hwnd();
    f.cancelQuery = true;
    SendMessageA(h, WM_CLOSE, 0, 0);  // the user closing: mode 0
    EXPECT_FALSE(f.Unload());          // code: mode 1
    EXPECT_EQ(SendMessageA(h, WM_QUERYENDSESSION, 0, 0), FALSE);  // Windows ending: mode 2
    EXPECT_EQ(f.unloadModes, (std::vector<int>{gf::vbFormControlMenu, gf::vbFormCode, gf::vbAppWindows}));
    EXPECT_TRUE(f.Loaded() && IsWindow(h));
    f.cancelQuery = false;
    f.cancelUnload = true;  // Form_Unload can cancel too
    SendMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_TRUE(f.Loaded());
    f.cancelUnload = false;
    SendMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(f.Loaded() || IsWindow(h));
    EXPECT_EQ(f.Get<gf::CheckBox>("chkItem", 0).Hwnd(), nullptr);
    // Loaded again: a new window, Form_Load again, properties kept.
    f.Get<gf::CheckBox>("chkItem", 1).SetValue(1);
    f.Show();
    EXPECT_EQ(f.loads, 2);
    EXPECT_NE(f.Get<gf::CheckBox>("chkItem", 1).Hwnd(), nullptr);
    EXPECT_EQ(f.Get<gf::CheckBox>("chkItem", 1).Value(), 1);
}

TEST(Twips, WindowsFollowTwipsPerPixel) {
    gf::Screen::OverrideTwipsPerPixel(12, 12);
    TestForm f;
    f.Show();
    RECT client;
    GetClientRect(f.Hwnd(), &client);
    EXPECT_EQ(Xy(client.right, client.bottom), "500,375");  // 6000 x 4500 twips
    // A check box at (150, 600) inside a frame, 2400 wide: 150 / 12 = 12.5, rounded.
    auto& box = f.Get<gf::CheckBox>("chkItem", 1);
    auto inFrame = [&] {
        RECT rc;
        GetWindowRect(box.Hwnd(), &rc);
        MapWindowPoints(nullptr, f.Get<gf::Frame>("fraPage", 0).Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return Xy(rc.left, rc.top) + " " + Xy(rc.right - rc.left, rc.bottom - rc.top);
    };
    EXPECT_EQ(inFrame(), "13,50 200,21");
    box.Move(1200, 2400, 1200, 240);
    EXPECT_EQ(inFrame(), "100,200 100,20");
    double outer = f.Width();  // the outer width, as a window rescaling itself sets it
    f.SetWidth(outer * 0.8);
    RECT w;
    GetWindowRect(f.Hwnd(), &w);
    EXPECT_EQ(w.right - w.left, static_cast<LONG>(std::lround(outer * 0.8 / 12)));
    gf::Screen::OverrideTwipsPerPixel(0, 0);
}

TEST(ProgressBar, RangesBeyondSixteenBitsReachTheCommonControl) {
    TestForm f;
    f.Show();
    auto& bar = f.Get<gf::ProgressBar>("pgbWork");
    bar.SetMax(1000000);
    bar.SetValue(654321);
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETRANGE, FALSE, 0), 1000000);
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETPOS, 0, 0), 654321);

    // Loaded hidden, the bar has no window until it is shown; what was set meanwhile is
    // there when it comes.
    bar.SetVisible(false);
    f.Unload();
    f.Show();
    EXPECT_EQ(bar.Hwnd(), nullptr);
    bar.SetMax(40);
    bar.SetValue(25);
    bar.SetVisible(true);
    ASSERT_NE(bar.Hwnd(), nullptr);
    EXPECT_TRUE(IsWindowVisible(bar.Hwnd()));
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETRANGE, FALSE, 0), 40);
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETPOS, 0, 0), 25);
}

TEST(Form, DeferredContainersGetTheirWindowsWhenFirstAsked) {
    TestForm f;
    auto& page = f.Get<gf::Frame>("fraPage", 1);
    auto& later = f.Add<gf::CheckBox>("chkLater", -1, &page);
    f.Defer(page);
    f.Show();
    EXPECT_EQ(page.Hwnd(), nullptr);
    EXPECT_EQ(later.Hwnd(), nullptr);
    later.SetValue(1);  // a deferred control keeps working without its window
    EXPECT_EQ(later.Value(), 1);
    f.CreateDeferred(page);
    ASSERT_NE(page.Hwnd(), nullptr);
    ASSERT_NE(later.Hwnd(), nullptr);
    EXPECT_EQ(GetParent(later.Hwnd()), page.Hwnd());
    EXPECT_EQ(later.Value(), 1);
}

namespace {

const gf::DesignRow kListsDesign[] = {
    {"ListBox", "List1", -1, "", 120, 300, 3000, 1500},
    {"ComboBox", "cntrlFirst", 0, "", 120, 2100, 1200, 315},
};

class ListForm : public gf::Form {
public:
    ListForm() : gf::Form("frmLists", kListsDesign) {
        SetClientSize(6000, 4800);
        list.OnClick = [this] { log.push_back("click " + std::to_string(list.ListIndex())); };
        list.OnItemCheck = [this](int i) { log.push_back("check " + std::to_string(i)); };
    }
    gf::ListBox& list = Get<gf::ListBox>("List1");
    Log log;
};

// A press (or a double click) on entry i, x pixels from the list's left edge.
void PressItem(gf::ListBox& list, int i, int x, bool twice = false) {
    RECT rc;
    SendMessageA(list.Hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    LPARAM at = MAKELPARAM(x, (rc.top + rc.bottom) / 2);
    for (UINT press : {UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONDBLCLK)}) {
        SendMessageA(list.Hwnd(), press, MK_LBUTTON, at);
        SendMessageA(list.Hwnd(), WM_LBUTTONUP, 0, at);
        if (!twice) break;
    }
}

}  // namespace

TEST(ListBox, TicksAndHighlightAreSeparate) {
    ListForm f;
    auto& list = f.list;
    list.AddItem("WordPad");
    list.AddItem("PartyPoker");
    f.Show();
    list.AddItem("Calc", 1);  // inserted before PartyPoker
    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.List(1) + list.List(2) + list.List(3), "CalcPartyPoker");
    list.SetSelected(2, true);  // ticks set in code raise nothing and leave the highlight
    EXPECT_TRUE(list.Selected(2) && !list.Selected(0));
    EXPECT_EQ(list.ListIndex(), -1);
    PressItem(list, 0, 60);  // on an entry's text: highlighted, not ticked
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_FALSE(list.Selected(0));
    PressItem(list, 1, 6);  // on the check mark: ticked and highlighted
    EXPECT_TRUE(list.Selected(1));
    SendMessageA(list.Hwnd(), WM_CHAR, ' ', 0);  // Space on the highlighted entry clears it
    EXPECT_FALSE(list.Selected(1));
    PressItem(list, 2, 60, true);  // a double click on text toggles the tick
    EXPECT_FALSE(list.Selected(2));
    EXPECT_EQ(f.log, (Log{"click 0", "check 1", "click 1", "check 1", "click 1", "click 2", "check 2", "click 2"}));
    list.RemoveItem(2);  // removing the highlighted entry clears the highlight
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(SendMessageA(list.Hwnd(), LB_GETCOUNT, 0, 0), 2);
}

// The user picks from the list (the down-arrow key on the closed box): Click with the
// new text, to the handler of the array's row; typing: Change per keystroke.
TEST(ComboBox, PickingAndTypingRaiseTheirEvents) {
    ListForm f;
    auto firsts = f.Array<gf::ComboBox>("cntrlFirst");
    auto& combo = firsts[0];
    Log log;
    firsts.Handle(&gf::ComboBox::OnClick, [&](int row) { log.push_back("click" + std::to_string(row) + " " + combo.Text()); });
    combo.OnChange = [&] { log.push_back("change " + combo.Text()); };
    f.Show();
    for (const char* s : {"Ctrl", "Alt", "Shift"}) combo.AddItem(s);
    HWND edit = FindWindowExA(combo.Hwnd(), nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_GE(combo.ListIndex(), 0);
    const std::string picked = combo.List(combo.ListIndex());
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, 'Q', 0);
    EXPECT_EQ(log, (Log{"click0 " + picked, "change Q"}));
    EXPECT_EQ(combo.ListIndex(), -1);  // the pick is forgotten
}

namespace {

WNDPROC g_previous = nullptr;
int g_seenBySubclass = 0;
LRESULT CALLBACK CountingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) ++g_seenBySubclass;
    return CallWindowProcA(g_previous, h, msg, wp, lp);
}

}  // namespace

TEST(Form, SubclassedWindowStillReachesTheForm) {
    TestForm f;
    f.Show();
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(f.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    SendMessageA(f.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(g_seenBySubclass, 1);
    EXPECT_EQ(f.unloadModes, std::vector<int>{gf::vbFormControlMenu});
    EXPECT_FALSE(f.Loaded());
}

namespace {

constexpr int kPicW = 480, kPicH = 360;

// A smooth two-way gradient, so every spot has its own colour.
COLORREF SkinAt(int x, int y) { return RGB(30 + x * 110 / kPicW, 80 + y * 110 / kPicH, 170 - x * 60 / kPicW); }

const char* const kWhite = "ForeColor=&H00FFFFFF&";
const gf::DesignRow kSample[] = {
    {"PictureBox", "picMain", -1, "", 0, 0, 7200, 5400},
    {"Label", "lblTitle", -1, "picMain", 240, 120, 4000, 330, "Sample window", "", "FontSize=12; FontBold=1; ForeColor=&H00FFFFFF&"},
    {"Image", "imgHelp", -1, "picMain", 6600, 120, 360, 360, "", "", "MaskColor=&H00FF00FF&"},
    {"Frame", "fraOptions", -1, "picMain", 240, 600, 3360, 2700, "Options", "", kWhite},
    {"CheckBox", "chkItem", 0, "fraOptions", 180, 300, 3000, 255, "Temporary files", "", kWhite},
    {"CheckBox", "chkItem", 1, "fraOptions", 180, 600, 3000, 255, "Recent documents", "", kWhite},
    {"CheckBox", "chkItem", 2, "fraOptions", 180, 900, 3000, 255, "Greyed choice", "", kWhite},
    {"TextBox", "txtMinutes", -1, "fraOptions", 1200, 1260, 600, 300, "15"},
    {"Shape", "shpBand", -1, "picMain", 3840, 2460, 3120, 840, "", "", "BackStyle=1; BackColor=&H00603010&; BorderColor=&H00FFFFFF&; Shape=4"},
    {"Label", "lblBand", -1, "picMain", 3960, 2580, 2880, 600, "Last Clean: Never\r\nAuto Clean: Off", "", "ForeColor=&H0080FFFF&"},
    {"Label", "lblVersion", -1, "picMain", 5700, 5040, 1300, 255, "Version 1.06", "", "Alignment=1"},
};

class SampleForm : public gf::Form {
public:
    SampleForm() : gf::Form("frmSample") {
        SetCaption("Glimmerfold sample");
        SetClientSize(7200, 5400);
        SetStartUpPosition(gf::StartUpPosition::Manual);
        Move(600, 600, Width(), Height());
        Build(kSample);
    }
};

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

}  // namespace

TEST(Painting, ControlsShowTheSkinBehindThem) {
    gf::Screen::OverrideTwipsPerPixel(15, 15);
    SampleForm f;
    f.Get<gf::PictureBox>("picMain").SetPicture(gf::Bitmap(PaintedBitmap(kPicW, kPicH, SkinAt)));
    // A white disc on magenta, the magenta masked out.
    f.Get<gf::Image>("imgHelp").SetPicture(gf::Bitmap(PaintedBitmap(24, 24, [](int x, int y) {
        return (x - 12) * (x - 12) + (y - 12) * (y - 12) < 100 ? RGB(255, 255, 255) : RGB(255, 0, 255);
    })));
    auto items = f.Array<gf::CheckBox>("chkItem");
    items[0].SetValue(1);
    items[2].SetValue(2);
    f.Show();
    HWND h = f.Hwnd();
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpFor(400);

    // Right of a check box's caption: the skin, seen through the box and its frame.
    RECT box;
    GetWindowRect(items[1].Hwnd(), &box);
    MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&box), 2);
    int bx = box.right - 4, by = (box.top + box.bottom) / 2;
    EXPECT_TRUE(PumpUntil([&] { return Near(ClientPixel(h, bx, by), SkinAt(bx, by)); }, 3000))
        << std::hex << ClientPixel(h, bx, by) << " vs " << SkinAt(bx, by);
    // A transparent label: its empty corner shows the skin, its text does not.
    RECT lbl{380, 336, 466, 353};  // lblVersion in pixels at 15 twips per pixel
    EXPECT_TRUE(Near(ClientPixel(h, lbl.right - 1, lbl.bottom - 1), SkinAt(lbl.right - 1, lbl.bottom - 1)));
    int ink = 0;
    for (int y = lbl.top; y < lbl.bottom; ++y)
        for (int x = lbl.left; x < lbl.right; ++x) ink += !Near(ClientPixel(h, x, y), SkinAt(x, y));
    EXPECT_GT(ink, 20);
    // The masked image: the disc is white, its masked corner is skin.
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(h, 452, 20) == RGB(255, 255, 255); }, 3000));
    EXPECT_TRUE(Near(ClientPixel(h, 441, 9), SkinAt(441, 9)));

    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    CreateDirectoryA((BuildDrive() + "screens").c_str(), nullptr);
    SaveScreenBitmap(BuildDrive() + "screens\\forms_sample.bmp", origin.x, origin.y, 480, 360);
    gf::Screen::OverrideTwipsPerPixel(0, 0);
}
