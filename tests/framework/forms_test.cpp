// Forms and their controls as real windows on the virtual display, driven with real
// messages: check box and text box event semantics, clicks, unloading, the mouse-move
// scaling that the notification-area callback relies on, twips, design tables, the
// progress bar and timers.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "framework/Forms.h"

using namespace testing_support;

namespace {

// Restores the real twips per pixel when a test that overrides them ends.
struct TwipsOverride {
    TwipsOverride(double x, double y) { gf::Screen::OverrideTwipsPerPixel(x, y); }
    ~TwipsOverride() { gf::Screen::OverrideTwipsPerPixel(0, 0); }
};

const gf::DesignRow kDesign[] = {
    {"PictureBox", "picMain", -1, "", 0, 0, 6000, 4500},
    {"Frame", "fraPage", 0, "picMain", 300, 300, 4500, 3600, "Page"},
    {"Frame", "fraPage", 1, "picMain", 300, 300, 4500, 3600, "", "", "Visible=0; BorderStyle=0"},
    {"CheckBox", "chkItem", 0, "fraPage(0)", 150, 300, 2400, 255, "First", "the first item"},
    {"CheckBox", "chkItem", 1, "fraPage(0)", 150, 600, 2400, 255, "Second", "the second item"},
    {"CheckBox", "chkItem", 2, "fraPage(0)", 150, 900, 2400, 255, "Third", "the third item"},
    {"CheckBox", "chkAll", -1, "fraPage(0)", 150, 1200, 2400, 255, "Check All"},
    {"TextBox", "txtMinutes", -1, "fraPage(0)", 150, 1600, 900, 285, "1"},
    {"Label", "lblStatus", -1, "fraPage(0)", 150, 2000, 3000, 255, "Ready"},
    {"ProgressBar", "pgbWork", -1, "fraPage(0)", 150, 2400, 3000, 255},
    {"Label", "lblVersion", -1, "picMain", 4950, 4200, 1000, 255, "Version 1.06"},
    {"Timer", "tmrTick", -1, "", 0, 0, 0, 0, "", "", "Interval=40; Enabled=0"},
    {"Menu", "mPopup", -1, "", 0, 0, 0, 0, "Popup", "", "Visible=0"},
    {"Menu", "mnuFirst", -1, "mPopup", 0, 0, 0, 0, "&First"},
    {"Menu", "mnuSep", -1, "mPopup", 0, 0, 0, 0, "-"},
    {"Menu", "mnuLast", -1, "mPopup", 0, 0, 0, 0, "&Last"},
};

class TestForm : public gf::Form {
public:
    TestForm() : gf::Form("frmTest") {
        SetCaption("Forms test");
        SetClientSize(6000, 4500);
        Build(kDesign);
    }

    std::vector<std::string> log;
    bool cancelQuery = false;
    bool cancelUnload = false;
    std::vector<int> unloadModes;
    std::vector<double> moveX;
    int loads = 0;

protected:
    void Form_Load() override { ++loads; }
    void Form_QueryUnload(bool& cancel, int mode) override {
        unloadModes.push_back(mode);
        cancel = cancelQuery;
    }
    void Form_Unload(bool& cancel) override {
        log.push_back("unload");
        cancel = cancelUnload;
    }
    void Form_MouseMove(int, int, double x, double) override { moveX.push_back(x); }
};

// The check box's own window, where a user's click lands.
HWND BoxWindow(TestForm& f, int i) { return f.Get<gf::CheckBox>("chkItem", i).Hwnd(); }

}  // namespace

TEST(CheckBox, CodeAssignmentRaisesClickOnlyOnChangeAndHandlersNest) {
    TestForm f;
    f.Load();
    auto items = f.Array<gf::CheckBox>("chkItem");
    auto& all = f.Get<gf::CheckBox>("chkAll");
    items.Handle(&gf::CheckBox::OnClick, [&](int i) {
        f.log.push_back("item" + std::to_string(i) + "=" + std::to_string(items[i].Value()));
    });
    all.OnClick = [&] {
        f.log.push_back("all>");
        for (auto* box : items.Items()) box->SetValue(all.Value() == 1 ? 1 : 0);
        f.log.push_back("all<");
    };

    items[1].SetValue(1);  // a change: its handler runs
    items[1].SetValue(1);  // the same value: nothing
    all.SetValue(1);       // nests the boxes' handlers, skipping the one already ticked
    all.SetValue(1);
    EXPECT_EQ(f.log, (std::vector<std::string>{"item1=1", "all>", "item0=1", "item2=1", "all<"}));

    f.log.clear();
    all.SetValue(0);
    EXPECT_EQ(f.log, (std::vector<std::string>{"all>", "item0=0", "item1=0", "item2=0", "all<"}));

    items[0].SetValue(2);
    EXPECT_EQ(items[0].Value(), 2);
    EXPECT_THROW(items[0].SetValue(3), gf::Error);
    EXPECT_EQ(items[0].Value(), 2);
}

TEST(CheckBox, UserClicksToggleAndRaiseClick) {
    TestForm f;
    f.Show();
    auto& box = f.Get<gf::CheckBox>("chkItem", 0);
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };

    SendMessageA(BoxWindow(f, 0), BM_CLICK, 0, 0);
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(clicks, 1);

    // Real mouse messages, a double click included: every press toggles.
    HWND h = BoxWindow(f, 0);
    LPARAM at = MAKELPARAM(5, 8);
    PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(h, WM_LBUTTONUP, 0, at);
    PostMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(h, WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 3; }, 3000));
    EXPECT_EQ(box.Value(), 1);

    // A greyed box becomes ticked on a click.
    box.SetValue(2);
    SendMessageA(h, BM_CLICK, 0, 0);
    EXPECT_EQ(box.Value(), 1);

    // A disabled box takes no click, not even one sent to its window.
    box.SetEnabled(false);
    SendMessageA(h, BM_CLICK, 0, 0);
    EXPECT_EQ(box.Value(), 1);
}

TEST(TextBox, ChangeOnEveryDifferentTextTypedOrSet) {
    TestForm f;
    f.Show();
    auto& text = f.Get<gf::TextBox>("txtMinutes");
    std::vector<std::string> seen;
    text.OnChange = [&] { seen.push_back(text.Text()); };
    EXPECT_EQ(text.Text(), "1");  // the design text raised nothing

    text.SetText("1");
    EXPECT_TRUE(seen.empty());
    text.SetText("5");
    EXPECT_EQ(seen, std::vector<std::string>{"5"});
    char window[16] = {};
    GetWindowTextA(text.Hwnd(), window, sizeof window);
    EXPECT_STREQ(window, "5");

    // Typing: select all, then "1", "5": one change per keystroke.
    seen.clear();
    SendMessageA(text.Hwnd(), EM_SETSEL, 0, -1);
    SendMessageA(text.Hwnd(), WM_CHAR, '1', 0);
    SendMessageA(text.Hwnd(), WM_CHAR, '5', 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "15"}));
    EXPECT_EQ(text.Text(), "15");
}

TEST(Form, QueryUnloadModesAndCancel) {
    TestForm f;
    f.Show();
    ASSERT_TRUE(f.Loaded());
    HWND h = f.Hwnd();

    // The user closing: mode 0; cancelled, the window stays loaded and visible.
    f.cancelQuery = true;
    SendMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_TRUE(f.Loaded());
    EXPECT_TRUE(IsWindow(h));

    // Unload from code: mode 1, also cancellable.
    EXPECT_FALSE(f.Unload());
    EXPECT_TRUE(f.Loaded());

    // Windows ending the session: mode 2; a cancel answers FALSE.
    EXPECT_EQ(SendMessageA(h, WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(f.unloadModes, (std::vector<int>{gf::vbFormControlMenu, gf::vbFormCode, gf::vbAppWindows}));

    // Form_Unload can cancel too.
    f.cancelQuery = false;
    f.cancelUnload = true;
    SendMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_TRUE(f.Loaded());

    f.cancelUnload = false;
    SendMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(f.Loaded());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(f.Get<gf::CheckBox>("chkItem", 0).Hwnd(), nullptr);

    // Loaded again: a new window, Form_Load again, properties kept.
    f.Get<gf::CheckBox>("chkItem", 1).SetValue(1);
    f.Show();
    EXPECT_EQ(f.loads, 2);
    EXPECT_NE(f.Get<gf::CheckBox>("chkItem", 1).Hwnd(), nullptr);
    EXPECT_EQ(f.Get<gf::CheckBox>("chkItem", 1).Value(), 1);
}

TEST(Form, MouseMoveXIsTheMessagesXInTwips) {
    // The notification-area icon reports its mouse message (514 = left button up) in x.
    {
        TwipsOverride tpp(15, 15);
        TestForm f;
        f.Show();
        SendMessageA(f.Hwnd(), WM_MOUSEMOVE, 1, WM_LBUTTONUP);
        SendMessageA(f.Hwnd(), WM_MOUSEMOVE, 1, WM_RBUTTONUP);
        EXPECT_EQ(f.moveX, (std::vector<double>{514 * 15.0, 517 * 15.0}));
    }
    {
        TwipsOverride tpp(12, 12);
        TestForm f;
        f.Show();
        SendMessageA(f.Hwnd(), WM_MOUSEMOVE, 1, WM_LBUTTONDBLCLK);
        EXPECT_EQ(f.moveX, std::vector<double>{515 * 12.0});
    }
}

TEST(Form, WindowStateVisibilityAndZOrder) {
    TestForm f;
    f.SetMinButton(true);
    f.Show();
    EXPECT_TRUE(f.Visible());
    f.SetWindowState(gf::vbMinimized);
    EXPECT_TRUE(IsIconic(f.Hwnd()));
    EXPECT_EQ(f.WindowState(), gf::vbMinimized);
    f.Hide();
    EXPECT_FALSE(f.Visible());
    // Set while hidden: taken when shown.
    f.SetWindowState(gf::vbNormal);
    f.Show();
    EXPECT_FALSE(IsIconic(f.Hwnd()));
    EXPECT_EQ(f.WindowState(), gf::vbNormal);
    EXPECT_THROW(f.SetWindowState(7), gf::Error);
}

TEST(Design, EnumeratesNestedControlsWithTheirContainers) {
    TestForm f;
    std::vector<std::string> seen;
    for (gf::Control* c : f.Controls()) {
        std::string where = c->Parent() ? c->Parent()->Name() : "form";
        if (c->Parent() && c->Parent()->Index() >= 0) where += "(" + std::to_string(c->Parent()->Index()) + ")";
        seen.push_back(std::string(c->TypeName()) + " " + c->Name() + " in " + where);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "PictureBox picMain in form", "Frame fraPage in picMain", "Frame fraPage in picMain",
                        "CheckBox chkItem in fraPage(0)", "CheckBox chkItem in fraPage(0)",
                        "CheckBox chkItem in fraPage(0)", "CheckBox chkAll in fraPage(0)",
                        "TextBox txtMinutes in fraPage(0)", "Label lblStatus in fraPage(0)",
                        "ProgressBar pgbWork in fraPage(0)", "Label lblVersion in picMain", "Timer tmrTick in form",
                        "Menu mPopup in form", "Menu mnuFirst in mPopup", "Menu mnuSep in mPopup",
                        "Menu mnuLast in mPopup"}));

    auto& item = f.Get<gf::CheckBox>("chkItem", 2);
    EXPECT_EQ(item.Caption(), "Third");
    EXPECT_EQ(item.Tag, "the third item");
    EXPECT_FALSE(f.Get<gf::Frame>("fraPage", 1).Visible());
    EXPECT_FALSE(f.Get<gf::Timer>("tmrTick").HasGeometry());
    EXPECT_EQ(f.Array<gf::CheckBox>("chkItem").UBound(), 2);
    EXPECT_EQ(f.Get<gf::Menu>("mPopup").Items().size(), 3u);
    EXPECT_THROW(f.Get<gf::Label>("chkAll"), gf::Error);

    const gf::DesignRow orphan[] = {{"Label", "lblLost", -1, "fraNone", 0, 0, 100, 100}};
    EXPECT_THROW(f.Build(orphan), gf::Error);
    const gf::DesignRow unknown[] = {{"Gadget", "gadOne", -1, "", 0, 0, 100, 100}};
    EXPECT_THROW(f.Build(unknown), gf::Error);
}

TEST(Design, PropertiesParseColoursAndEscapes) {
    gf::DesignProperties p("Caption = A;;B ; BackColor=&H00FF8000&; ForeColor=#102030; Visible=False; N=12");
    EXPECT_EQ(p.Get("caption"), "A;B");
    EXPECT_EQ(p.GetColor("BackColor", 0), 0x00FF8000UL);
    EXPECT_EQ(p.GetColor("ForeColor", 0), 0x00302010UL);
    EXPECT_FALSE(p.GetBool("Visible", true));
    EXPECT_EQ(p.GetLong("N", 0), 12);
    EXPECT_EQ(p.GetLong("Missing", 7), 7);
}

TEST(Twips, ChildWindowsAndFormSizeFollowTwipsPerPixel) {
    TwipsOverride tpp(12, 12);
    TestForm f;
    f.Show();
    RECT client;
    GetClientRect(f.Hwnd(), &client);
    EXPECT_EQ(client.right, 500);  // 6000 / 12
    EXPECT_EQ(client.bottom, 375);
    EXPECT_DOUBLE_EQ(f.ScaleWidth(), 6000);

    // A check box at (150, 600) inside a frame at (300, 300) of the picture box.
    HWND box = BoxWindow(f, 1);
    RECT rc;
    GetWindowRect(box, &rc);
    MapWindowPoints(nullptr, f.Get<gf::Frame>("fraPage", 0).Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 13);  // 150 / 12 = 12.5, rounded
    EXPECT_EQ(rc.top, 50);
    EXPECT_EQ(rc.right - rc.left, 200);

    // Moving in twips moves the window in pixels.
    f.Get<gf::CheckBox>("chkItem", 1).Move(1200, 2400, 1200, 240);
    GetWindowRect(box, &rc);
    MapWindowPoints(nullptr, f.Get<gf::Frame>("fraPage", 0).Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 100);
    EXPECT_EQ(rc.top, 200);
    EXPECT_EQ(rc.bottom - rc.top, 20);

    // The outer width scales too, as a window rescaling itself would set it.
    double outer = f.Width();
    f.SetWidth(outer * 0.8);
    RECT w;
    GetWindowRect(f.Hwnd(), &w);
    EXPECT_EQ(w.right - w.left, static_cast<LONG>(std::lround(outer * 0.8 / 12)));
}

TEST(ProgressBar, RangeAndPositionReachTheCommonControl) {
    TestForm f;
    f.Show();
    auto& bar = f.Get<gf::ProgressBar>("pgbWork");
    bar.SetMax(1000000);  // beyond a 16-bit range
    bar.SetValue(654321);
    PBRANGE range{};
    SendMessageA(bar.Hwnd(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 1000000);
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETPOS, 0, 0), 654321);

    // A file longer than the bar's 32-bit range: driven in proportion.
    bar.SetMax(6e9);
    bar.SetValue(3e9);
    EXPECT_DOUBLE_EQ(bar.Max(), 6e9);
    EXPECT_DOUBLE_EQ(bar.Value(), 3e9);
    SendMessageA(bar.Hwnd(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    LRESULT pos = SendMessageA(bar.Hwnd(), PBM_GETPOS, 0, 0);
    EXPECT_NEAR(static_cast<double>(pos) / range.iHigh, 0.5, 1e-6);

    // Past the end: held at Max.
    bar.SetMax(3);
    bar.SetValue(4);
    EXPECT_DOUBLE_EQ(bar.Value(), 3);
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETPOS, 0, 0), 3);

    bar.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(bar.Hwnd()));

    // Loaded hidden, the bar has no window (nor the common controls library) until it is
    // shown; what was set meanwhile is there when it comes.
    f.Unload();
    f.Show();
    EXPECT_EQ(bar.Hwnd(), nullptr);
    bar.SetMax(40);
    bar.SetValue(25);
    bar.SetVisible(true);
    ASSERT_NE(bar.Hwnd(), nullptr);
    EXPECT_TRUE(IsWindowVisible(bar.Hwnd()));
    EXPECT_EQ(GetParent(bar.Hwnd()), f.Get<gf::Frame>("fraPage", 0).Hwnd());
    SendMessageA(bar.Hwnd(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iHigh, 40);
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETPOS, 0, 0), 25);
}

TEST(Form, DeferredContainersGetTheirWindowsWhenFirstAsked) {
    TestForm f;
    auto& page = f.Get<gf::Frame>("fraPage", 1);
    auto& later = f.Add<gf::CheckBox>("chkLater", -1, &page);
    f.Defer(page);
    f.Show();
    // Neither the page nor what it holds has a window; the rest of the form has.
    EXPECT_EQ(page.Hwnd(), nullptr);
    EXPECT_EQ(later.Hwnd(), nullptr);
    EXPECT_NE(BoxWindow(f, 0), nullptr);
    // A control added to it meanwhile waits with it.
    auto& added = f.Add<gf::CheckBox>("chkAdded", -1, &page);
    EXPECT_EQ(added.Hwnd(), nullptr);
    later.SetValue(1);  // a deferred control keeps working without its window
    EXPECT_EQ(later.Value(), 1);

    f.CreateDeferred(page);
    ASSERT_NE(page.Hwnd(), nullptr);
    EXPECT_EQ(GetParent(page.Hwnd()), f.Get<gf::PictureBox>("picMain").Hwnd());
    for (gf::CheckBox* box : {&later, &added}) {
        ASSERT_NE(box->Hwnd(), nullptr);
        EXPECT_EQ(GetParent(box->Hwnd()), page.Hwnd());
    }
    EXPECT_FALSE(IsWindowVisible(page.Hwnd()));  // hidden as designed, until shown
    page.SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(later.Hwnd()));
}

TEST(Timer, FiresWhileEnabledAndLoaded) {
    TestForm f;
    auto& timer = f.Get<gf::Timer>("tmrTick");
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    timer.SetEnabled(true);
    PumpFor(150);
    EXPECT_EQ(ticks, 0);  // not loaded yet
    f.Load();
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));

    timer.SetEnabled(false);
    int stopped = ticks;
    PumpFor(150);
    EXPECT_EQ(ticks, stopped);

    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks > stopped; }, 3000));
    f.Unload();
    EXPECT_FALSE(timer.Running());
    int unloaded = ticks;
    PumpFor(150);
    EXPECT_EQ(ticks, unloaded);
}
