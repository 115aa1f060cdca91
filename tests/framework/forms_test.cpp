// Forms and their controls as real windows on the virtual display, driven with real
// messages: check box and text box event semantics, unloading, twips, design tables,
// the progress bar and timers.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

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
    {"CheckBox", "chkAll", -1, "fraPage(0)", 150, 1200, 2400, 255, "Check All"},
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
    Log log;
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
    EXPECT_EQ(f.log, (Log{"item1=1", "all>", "item0=1", "item2=1", "all<"}));
    f.log.clear();
    all.SetValue(0);
    EXPECT_EQ(f.log, (Log{"all>", "item0=0", "item1=0", "item2=0", "all<"}));
    items[0].SetValue(2);
    EXPECT_THROW(items[0].SetValue(3), gf::Error);
    EXPECT_EQ(items[0].Value(), 2);
}

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

TEST(TextBox, ChangeOnEveryDifferentTextTypedOrSet) {
    TestForm f;
    f.Show();
    auto& text = f.Get<gf::TextBox>("txtMinutes");
    Log seen;
    text.OnChange = [&] { seen.push_back(text.Text()); };
    text.SetText("1");  // the design text again: nothing
    text.SetText("5");
    char shown[16] = {};
    GetWindowTextA(text.Hwnd(), shown, sizeof shown);
    EXPECT_STREQ(shown, "5");
    SendMessageA(text.Hwnd(), EM_SETSEL, 0, -1);  // typing: one change per keystroke
    SendMessageA(text.Hwnd(), WM_CHAR, '1', 0);
    SendMessageA(text.Hwnd(), WM_CHAR, '5', 0);
    EXPECT_EQ(seen, (Log{"5", "1", "15"}));
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

TEST(Design, RowsBuildNestedControlsAndBadRowsAreRefused) {
    TestForm f;
    auto& item = f.Get<gf::CheckBox>("chkItem", 2);
    ASSERT_NE(item.Parent(), nullptr);
    EXPECT_EQ(item.Parent()->Name() + std::to_string(item.Parent()->Index()), "fraPage0");
    EXPECT_EQ(item.Parent()->Parent()->Name(), "picMain");
    EXPECT_EQ(f.Get<gf::PictureBox>("picMain").Parent(), nullptr);
    EXPECT_EQ(item.Caption(), "Third");
    EXPECT_EQ(item.Tag, "the third item");
    EXPECT_FALSE(f.Get<gf::Frame>("fraPage", 1).Visible());
    EXPECT_FALSE(f.Get<gf::Timer>("tmrTick").HasGeometry());
    EXPECT_EQ(f.Array<gf::CheckBox>("chkItem").UBound(), 2);
    EXPECT_THROW(f.Get<gf::Label>("chkAll"), gf::Error);
    const gf::DesignRow orphan[] = {{"Label", "lblLost", -1, "fraNone", 0, 0, 100, 100}};
    EXPECT_THROW(f.Build(orphan), gf::Error);
    const gf::DesignRow unknown[] = {{"Gadget", "gadOne", -1, "", 0, 0, 100, 100}};
    EXPECT_THROW(f.Build(unknown), gf::Error);

    gf::DesignProperties p("Caption = A;;B ; BackColor=&H00FF8000&; ForeColor=#102030; Visible=False; N=12");
    EXPECT_EQ(p.Get("caption"), "A;B");
    EXPECT_EQ(p.GetColor("BackColor", 0), 0x00FF8000UL);
    EXPECT_EQ(p.GetColor("ForeColor", 0), 0x00302010UL);
    EXPECT_FALSE(p.GetBool("Visible", true));
    EXPECT_EQ(p.GetLong("N", 0) + p.GetLong("Missing", 7), 19);
}

TEST(Twips, WindowsFollowTwipsPerPixel) {
    gf::Screen::OverrideTwipsPerPixel(12, 12);
    TestForm f;
    f.Show();
    RECT client;
    GetClientRect(f.Hwnd(), &client);
    EXPECT_EQ(client.right, 500);  // 6000 / 12
    EXPECT_EQ(client.bottom, 375);
    // A check box at (150, 600) inside a frame: 150 / 12 = 12.5, rounded.
    auto& box = f.Get<gf::CheckBox>("chkItem", 1);
    auto inFrame = [&] {
        RECT rc;
        GetWindowRect(box.Hwnd(), &rc);
        MapWindowPoints(nullptr, f.Get<gf::Frame>("fraPage", 0).Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    EXPECT_EQ(inFrame().left, 13);
    EXPECT_EQ(inFrame().top, 50);
    EXPECT_EQ(inFrame().right - inFrame().left, 200);
    box.Move(1200, 2400, 1200, 240);
    EXPECT_EQ(inFrame().left, 100);
    EXPECT_EQ(inFrame().bottom - inFrame().top, 20);
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
    PBRANGE range{};
    SendMessageA(bar.Hwnd(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iHigh, 1000000);
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETPOS, 0, 0), 654321);
    bar.SetMax(3);
    bar.SetValue(4);  // past the end: held at Max
    EXPECT_DOUBLE_EQ(bar.Value(), 3);
    EXPECT_EQ(SendMessageA(bar.Hwnd(), PBM_GETPOS, 0, 0), 3);
}

TEST(Timer, FiresOnlyWhileEnabledAndLoaded) {
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
    f.Unload();
    EXPECT_FALSE(timer.Running());
    PumpFor(150);
    EXPECT_EQ(ticks, stopped);
}
