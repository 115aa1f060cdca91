// The real main window under Xvfb, driven by real messages: texts, loading and layout, pages,
// tabs, options and their work, caption ticks, automatic cleaning, tray, clean run, status;
// the tray record, Help, the interval cleaner and browser watcher tick by tick, real browsers.
// GF_EXCLUSIVE_DISPLAY
// GF_EXCLUSIVE_PROFILE: the shred verb is one machine-wide key.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DialogWatcher.h"
#include "HostWindow.h"
#include "Process.h"
#include "TestSupport.h"
#include "app/AddRun.h"
#include "app/AutoClean.h"
#include "app/CheckProcess.h"
#include "app/SysTray.h"
#include "app/TrayMenu.h"
#include "app/frmMain.h"
#include "app/frmMainDesign.h"
#include "app/modMain.h"
#include "bosskey/CaptionFile.h"
#include "bosskey/HotKeyCombos.h"
#include "controls/KivoXPButton.h"
#include "framework/App.h"
#include "framework/Text.h"
#include "registry/Reg32.h"
#include "shredder/ShredVerb.h"

using namespace testing_support;
using ModCleaning::Group;

namespace {

std::string RunValue() { return Reg32::GetRegString(HKEY_LOCAL_MACHINE, AddRun::kRunKey, AddRun::kRunName); }
bool VerbExists() { return KeyExists(HKEY_CLASSES_ROOT, std::string(shredder::kShredVerbKey) + "\\command"); }
const gf::DesignRow& DesignOf(const std::string& name, int index = -1) {
    for (const auto& row : app::FrmMainDesign())
        if (name == row.name && row.index == index) return row;
    throw std::runtime_error("no design row " + name);
}
std::string Items(const gf::ControlArray<gf::CheckBox>& boxes) {
    std::string s;
    for (auto* b : boxes.Items()) s += std::to_string(b->Value());
    return s;
}

// A control's rectangle in the client pixels of the window, as it is drawn.
RECT DrawnRect(const gf::Form& form, const gf::Control& c) {
    RECT rc{};
    HWND from = c.Hwnd();
    if (from) {
        GetWindowRect(from, &rc);
        from = HWND_DESKTOP;
    } else if (auto* windowless = dynamic_cast<const gf::WindowlessControl*>(&c)) {
        rc = windowless->PixelRect();
        from = c.Host()->SurfaceWindow();
    }
    MapWindowPoints(from, form.Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// Shown, with everything that holds it.
bool OnScreen(const gf::Control& c) {
    for (const gf::Control* p = &c; p; p = p->Parent())
        if (!p->Visible()) return false;
    return c.HasGeometry();
}

// The size of text in a font, in pixels: on one line, or wrapped at width.
SIZE TextSize(HFONT font, const std::string& text, int width = 0) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT rc{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &rc,
              DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX | (width ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {rc.right, rc.bottom};
}

// Where a control's text does not fit it ("" when it does, or when it shows none).
std::string TextOverflow(const gf::Control& c, const RECT& rc) {
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    SIZE need{0, 0};
    if (auto* label = dynamic_cast<const gf::Label*>(&c); label && !label->Caption().empty()) {
        need = TextSize(gf::GetFont(label->Font()), label->Caption(), w);
    } else if (auto* box = dynamic_cast<const gf::CheckBox*>(&c)) {
        need = TextSize(gf::GetFont(box->Font()), box->Caption());
        need.cx += 13 + 4;  // the tick square and the gap before the text
    } else if (auto* button = dynamic_cast<const KivoXPButton*>(&c)) {
        const LOGFONTA lf = button->Font().ToLogFont(gf::Screen::FontPixelsPerInch());
        HFONT font = CreateFontIndirectA(&lf);
        need = TextSize(font, button->Caption());
        DeleteObject(font);
        need.cx += 8;  // clear of the rounded outline
    }
    if (need.cx <= w && need.cy <= h) return "";
    return c.Name() + "(" + std::to_string(c.Index()) + ") needs " + Xy(need.cx, need.cy) + " in " + Xy(w, h);
}

// One erase the recorder saw, "chkSoftware12 3/4 <status line>" (", bar hidden" when
// it was): which item, and the run's state when it started.
using Erase = std::string;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearAppSettings();
        bosskey::BuildHotKeyTables();  // as start-up does before the window loads
        AddRun::RemoveRunEntry(AddRun::kRunName);
        DeleteFileW(bosskey::CaptionFilePath().c_str());
        gf::Screen::OverrideTwipsPerPixel(15, 15);
    }
    void TearDown() override {
        if (form && form->Loaded()) form->Unload(gf::vbFormCode);
        form.reset();
        SetUp();
        gf::Screen::OverrideTwipsPerPixel(0, 0);
    }

    // Makes the window with the recorder in place of the erasing; loads it when asked.
    app::frmMain& OpenWindow(bool load = true) {
        form = std::make_unique<app::frmMain>();
        form->SetItemCleaner([this](Group g, short i, const ModCleaning::StatusLabel& status, const std::string& tag) {
            status("Cleaning " + tag);
            const auto& bar = form->pgbClean;
            erased.push_back(ModCleaning::ArrayName(g) + std::to_string(i) + " " + std::to_string(int(bar.Value())) +
                             "/" + std::to_string(int(bar.Max())) + " " + form->lblCleanStatus.Caption() +
                             (bar.Visible() ? "" : ", bar hidden"));
            if (duringErase) duringErase();
        });
        if (load) form->Load();
        PumpFor(50);
        return *form;
    }

    std::unique_ptr<app::frmMain> form;
    std::vector<Erase> erased;
    std::function<void()> duringErase;
};

}  // namespace

// What the user reads on the window and in its menu, in the program's own words and order.
TEST(MainWindowDesign, Texts) {
    const std::string names = " Label11 Label3 cmdClean InternetTab SoftwareTab WindowTab chkCheckAll chkShredder "
                              "chkRunStart chkAutoMin chkAutoCleanBrowse chkAutoCleanTime minuteCombo lblHotKey "
                              "cmdAddMore cmdRemove mPopupSys mnuClean mnuShow mnuHelp mnuAbout mneusep mnuExit ";
    std::string texts;
    for (const auto& row : app::FrmMainDesign())
        if (names.find(std::string(" ") + row.name + " ") != std::string::npos) texts.append(row.caption).append("|");
    EXPECT_EQ(texts, "Version 1.06|Last Clean:|Auto Clean:|Boss Key:|Clean|Internet|Software|Windows|Check All|"
                     "Enable File Shredder|Run on Start Up|Minimize On Startup|Auto Clean After Browsing Session|"
                     "Auto Clean every|1|Clean when |Hide Windows when|Show Windows when|Add|Remove|"
                     "Systray|&Clean|&Show|&Help|&About|-|&Exit|");
}

// Stored values that no box takes (a word, 9) leave the boxes clear; no box changed and
// the minutes text equals its design text, so nothing was stored again.
TEST_F(MainWindowTest, LoadingWithNothingUsableStoredStoresNothingAndShowsTheSummary) {
    Store("Settings", "chkInternet2", "abc");
    Store("Settings", "chkInternet5", "9");
    Store("ProgramSettings", "AutoMin", "yes");
    auto& f = OpenWindow();
    EXPECT_EQ(Stored("Settings", "chkInternet2") + Stored("ProgramSettings", "AutoRun") + RunValue(), "abc<none>");
    EXPECT_EQ(Items(f.chkInternet) + "|" + Items(f.chkSoftware) + "|" + Items(f.chkWindows),
              std::string(19, '0') + "|" + std::string(13, '0') + "|00000");  // from the catalogue
    EXPECT_FALSE(f.chkInternet(14).Visible());
    for (auto* box : {&f.chkShredder, &f.chkRunStart, &f.chkAutoMin, &f.chkAutoCleanBrowse, &f.chkAutoCleanTime})
        EXPECT_EQ(box->Value(), 0) << box->Name();
    EXPECT_EQ(f.minuteCombo.Text() + " " + f.Caption(), "1 Glimmerfold");
    // The hot-key boxes show the defaults and offer every name, none picked; only the
    // clean key registers, the other two rows repeating its Ctrl+F1.
    for (int i = 0; i < 3; ++i) {
        std::string items = f.cntrlFirst(i).Text() + "+" + f.cntrlSecond(i).Text() + ":";
        for (auto* box : {&f.cntrlFirst(i), &f.cntrlSecond(i)})
            for (int k = 0; k < box->ListCount(); ++k) items.append(" ").append(box->List(k));
        EXPECT_EQ(items, "Ctrl+F1: Ctrl Alt Shift Space F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12");
        EXPECT_EQ(f.cntrlFirst(i).ListIndex() + f.cntrlSecond(i).ListIndex(), -2);
    }
    EXPECT_TRUE(HotKeyHeld(MOD_CONTROL, VK_F1));
    EXPECT_FALSE(UnregisterHotKey(f.Hwnd(), 1) || UnregisterHotKey(f.Hwnd(), 2));
    // The summary page, its button disabled; the Internet tab's frame matches currentTab.
    EXPECT_TRUE(f.fraWindow(0).Visible() && !f.fraWindow(1).Visible() && !f.fraWindow(2).Visible());
    EXPECT_TRUE(!f.ButtonEx1(0).Enabled() && f.ButtonEx1(1).Enabled() && f.currentTab() == "Internet");
    EXPECT_TRUE(f.fraInternet.Visible() && !f.fraSoftware.Visible() && !f.fraWindows.Visible());
    EXPECT_FALSE(f.TCheck.Enabled() || f.Timer1.Enabled() || f.TClosed.Enabled() || !IsWindowVisible(f.Hwnd()));
    EXPECT_EQ(Xy(f.TCheck.Interval(), f.TClosed.Interval()), "900,900");
    // At 15 twips per pixel the design stands.
    const gf::DesignRow& design = DesignOf("cmdClean");
    const gf::Control& clean = f.Get<gf::Control>("cmdClean");
    EXPECT_EQ(Xy(f.ScaleWidth(), f.ScaleHeight()) + " " + Xy(clean.Left(), clean.Top()),
              "9000,7455 " + Xy(design.left, design.top));
}

TEST_F(MainWindowTest, LoadingRestoresEveryStoredOptionAndItsSideEffects) {
    for (auto [key, value] : {std::pair{"AutoMin", "1"}, {"useShredder", "1"}, {"AutoRun", "1"},
                              {"AutoCleanBrowse", "True"}, {"AutoCleanTime", "1"}, {"minuteCombo", "7"},
                              {"cntrlFirst1", "Shift"}, {"cntrlSecond1", "Space"}, {"cntrlSecond2", "F9"}})
        Store("ProgramSettings", key, value);
    for (auto [key, value] : {std::pair{"chkInternet3", "1"}, {"chkInternet14", "1"}, {"chkSoftware12", "1"},
                              {"chkWindows1", "1"}, {"chkWindows0", "0"}, {"chkSoftware1", "2"}})  // 2: greyed
        Store("Settings", key, value);
    shredder::UnregisterShredVerb();

    auto& f = OpenWindow();
    EXPECT_EQ(Items(f.chkInternet) + " " + Items(f.chkSoftware) + " " + Items(f.chkWindows),
              "0001000000000010000 0200000000001 01000");
    EXPECT_EQ(f.getMax(), 4);  // a greyed box is not ticked: the clean run leaves it out
    for (auto* box : {&f.chkShredder, &f.chkRunStart, &f.chkAutoMin, &f.chkAutoCleanBrowse, &f.chkAutoCleanTime})
        EXPECT_EQ(box->Value(), 1) << box->Name();
    EXPECT_EQ(f.minuteCombo.Text() + f.cntrlFirst(1).Text() + f.cntrlSecond(1).Text() + f.cntrlSecond(2).Text(),
              "7ShiftSpaceF9");
    // The intermediate saves ran with some boxes still clear and the minutes still "1";
    // since the stored values were read first, the last save holds all of them. The
    // hot-key boxes were filled before the first option re-saved everything.
    std::string stored;
    for (const char* key : {"AutoMin", "useShredder", "AutoRun", "AutoCleanBrowse", "AutoCleanTime", "minuteCombo",
                            "cntrlFirst0", "cntrlFirst1", "cntrlSecond2"})
        stored += Stored("ProgramSettings", key) + " ";
    EXPECT_EQ(stored, "1 1 1 1 1 7 Ctrl Shift F9 ");
    // The restored options did their work again: hot keys, Run value, verb, timers.
    EXPECT_TRUE(HotKeyHeld(MOD_CONTROL, VK_F1) && HotKeyHeld(MOD_SHIFT, VK_SPACE) && HotKeyHeld(MOD_CONTROL, VK_F9));
    EXPECT_TRUE(RunValue() == gf::Narrow(AddRun::RunCommand()) && VerbExists());
    EXPECT_TRUE(f.TCheck.Running() && f.Timer1.Running() && !f.TClosed.Enabled());  // Timer1 on a page still waiting
    shredder::UnregisterShredVerb();
}

// At 12 twips per pixel (the design's 15 the whole-program test clicks on) the client area
// keeps the skin's 600 x 497 pixels and every control but the skin and the menu moves and
// grows by 0.81, labels, check boxes and the drawn buttons of pages not yet shown too.
// Loading places the pages and page buttons before scaling.
TEST_F(MainWindowTest, LayoutFollowsTheScreensTwipsPerPixel) {
    gf::Screen::OverrideTwipsPerPixel(12, 12);
    auto& f = OpenWindow();
    const float r = 12.0f / 15 + 0.01f;
    RECT client;
    GetClientRect(f.Hwnd(), &client);
    EXPECT_EQ(Xy(client.right, client.bottom), "600,497");
    f.ButtonEx1_Click(2);  // its drawn buttons' windows: Add and Remove
    for (const char* name : {"Frame1", "cmdClean", "List1", "Picture2", "pgbClean", "lblLastClean", "chkShredder",
                             "imgLogo", "Label11", "cmdRemove"}) {
        const auto& row = DesignOf(name);
        auto& c = f.Get<gf::Control>(name);
        EXPECT_NEAR(c.Left(), row.left * r, 0.01) << name;
        EXPECT_NEAR(c.Top(), row.top * r, 0.01) << name;
        // The drawn buttons take their size from their saved extent (HiMetric), to a twip.
        EXPECT_NEAR(c.Width(), row.width * r, 1) << name;
        EXPECT_NEAR(c.Height(), row.height * r, 1) << name;
    }
    // Text keeps its pixels too: 8 points are 11 pixels high, as at 15 twips per pixel.
    LOGFONTA font{};
    GetObjectA(gf::GetFont(f.chkShredder.Font()), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_NEAR(f.fraWindow(1).Left(), 2500 * r, 0.01);
    EXPECT_NEAR(f.ButtonEx1(2).Top(), 3800 * r, 0.01);
    EXPECT_NEAR(f.chkInternet(18).Top(), DesignOf("chkInternet", 18).top * r, 0.01);
    EXPECT_EQ(Xy(f.picMain.Left(), f.picMain.Width()), "0,9000");
}

// At 120 and 144 dots per inch (12 and 10 twips per pixel) every page and tab looks as at 96:
// no two controls of a container overlap, each lies inside its container and the window,
// every text fits its control (the status display with its longest lines), and a click on
// the tick square of a box in the right column ticks that box and no other.
TEST_F(MainWindowTest, EveryPageFitsTheWindowAtLargerScreenScales) {
    PlainWindow other(UniqueName("GfHotKeyHolder"));
    ASSERT_TRUE(RegisterHotKey(other.hwnd, 1, MOD_SHIFT, VK_SPACE));
    std::string status = "Cleaning ";  // the longest status line of a run
    for (const auto& row : app::FrmMainDesign())
        if (std::string(row.tag).size() + 9 > status.size()) status = std::string("Cleaning ") + row.tag;
    for (double twips : {12.0, 10.0}) {
        SCOPED_TRACE(twips);
        ClearAppSettings();
        for (auto [key, value] : {std::pair{"AutoCleanBrowse", "1"}, {"AutoCleanTime", "1"}, {"minuteCombo", "1440"},
                                  {"cntrlFirst2", "Shift"}, {"cntrlSecond2", "Space"}})
            Store("ProgramSettings", key, value);
        Store("SystemInfo", "LastRun", "12/31/2026 11:59:59 PM");
        gf::Screen::OverrideTwipsPerPixel(twips, twips);
        auto& f = OpenWindow();
        f.ZOrder(0);
        f.lblCleanStatus.SetCaption(status);  // the bar and the line as a run shows them
        f.lblCleanStatus.SetVisible(true);
        f.pgbClean.SetVisible(true);
        const std::function<void()> views[] = {
            [&] { f.ButtonEx1_Click(0); }, [&] { f.ButtonEx1_Click(1), f.InternetTab_Click(); },
            [&] { f.SoftwareTab_Click(); }, [&] { f.WindowTab_Click(); }, [&] { f.ButtonEx1_Click(2); }};
        for (const auto& view : views) {
            view();
            RECT client;
            GetClientRect(f.Hwnd(), &client);
            std::vector<const gf::Control*> shown;
            for (const gf::Control* c : f.Controls())
                if (OnScreen(*c) && c->Name() != "picMain") shown.push_back(c);
            for (size_t i = 0; i < shown.size(); ++i) {
                const gf::Control* c = shown[i];
                const RECT rc = DrawnRect(f, *c);
                RECT within = client, in;
                if (c->Parent() != &f.picMain) IntersectRect(&within, &client, &(in = DrawnRect(f, *c->Parent())));
                RECT both;
                UnionRect(&both, &within, &rc);
                EXPECT_TRUE(EqualRect(&both, &within)) << c->Name() << c->Index() << " leaves its container";
                EXPECT_EQ(TextOverflow(*c, rc), "");
                for (const gf::Control* d : std::vector(shown.begin(), shown.begin() + i))
                    if (d->Parent() == c->Parent()) {
                        const RECT other = DrawnRect(f, *d);
                        EXPECT_FALSE(IntersectRect(&in, &rc, &other))
                            << c->Name() << c->Index() << " covers " << d->Name() << d->Index() << " at "
                            << Xy(in.left, in.top) << " " << Xy(in.right, in.bottom);
                    }
            }
        }
        // Opera's "Entered URL's", beside Internet Explorer's, ticked by a click on its square.
        f.ButtonEx1_Click(1);
        f.InternetTab_Click();
        const RECT opera = DrawnRect(f, f.chkInternet(8));
        RealClick(f.Hwnd(), opera.left + 6, (opera.top + opera.bottom) / 2);
        EXPECT_EQ(Stored("Settings", "chkInternet8") + Stored("Settings", "chkInternet0"), "1<none>");
    }
}

// The first start marks itself and turns the shredder on, and the window that loaded
// before it shows the box ticked without storing anything more. A later start skips the
// step, so an option cleared meanwhile stays cleared. A mark that is no number counts as done.
TEST_F(MainWindowTest, FirstStartMarksItselfOnceAndShowsTheShredderOn) {
    shredder::UnregisterShredVerb();
    auto& f = OpenWindow();
    ASSERT_EQ(f.chkShredder.Value(), 0);
    modMain::RunFirstStart(f);
    EXPECT_EQ(Stored("FirstRun", "FirstRun") + Stored("ProgramSettings", "useShredder"), "11");
    EXPECT_EQ(Stored("ProgramSettings", "AutoMin"), "<none>");  // the box's click did not run
    EXPECT_TRUE(f.chkShredder.Value() == 1 && VerbExists());
    Store("ProgramSettings", "useShredder", "0");
    modMain::RunFirstStart(f);
    Store("FirstRun", "FirstRun", "yes");
    modMain::RunFirstStart(f);
    EXPECT_EQ(Stored("FirstRun", "FirstRun") + Stored("ProgramSettings", "useShredder"), "yes0");
    shredder::UnregisterShredVerb();
}

// After the first start the box works both ways: an option touched keeps the shredder on;
// cleared, the verb goes, and a later start neither ticks it nor creates the verb again.
TEST_F(MainWindowTest, AShredderClearedAfterTheFirstStartStaysOffAtTheNextStart) {
    shredder::UnregisterShredVerb();
    auto& first = OpenWindow();
    modMain::RunFirstStart(first);
    first.chkAutoMin.SetValue(1);
    EXPECT_EQ(Stored("ProgramSettings", "useShredder"), "1") << "touching an option turned the shredder off";
    first.chkShredder.SetValue(0);
    EXPECT_FALSE(VerbExists()) << "clearing the box after the first start left the verb";
    first.Unload(gf::vbFormCode);
    auto& next = OpenWindow();
    modMain::RunFirstStart(next);
    EXPECT_FALSE(VerbExists()) << "a later start created the verb again";
    EXPECT_EQ(Stored("ProgramSettings", "useShredder") + std::to_string(next.chkShredder.Value()), "00");
    shredder::UnregisterShredVerb();
}

TEST_F(MainWindowTest, CheckAllAndTabSwitchesNestAsTheyStore) {
    auto& f = OpenWindow();
    f.ButtonEx1_Click(1);
    f.chkSoftware(0).SetValue(1);  // the user ticks two Software boxes one by one
    f.chkSoftware(5).SetValue(1);

    // "Check All" on the Internet tab ticks all 19, the hidden item 14 too, each storing.
    f.chkCheckAll.SetValue(1);
    EXPECT_TRUE(f.allInternet() && Items(f.chkInternet) == std::string(19, '1'));
    for (int i = 0; i <= 18; ++i)
        EXPECT_EQ(Stored("Settings", std::string("chkInternet").append(std::to_string(i))), "1") << i;

    // To Software with allSoftware false: the box shows clear, and that is all: the two
    // Software boxes ticked by hand stay ticked and stored, no other box is stored. The
    // Internet boxes and their flag stay as they were.
    f.SoftwareTab_Click();
    EXPECT_EQ(f.currentTab() + std::to_string(f.chkCheckAll.Value()) + " " + Items(f.chkSoftware),
              "Software0 1000010000000");
    EXPECT_EQ(Stored("Settings", "chkSoftware0") + Stored("Settings", "chkSoftware5") +
              Stored("Settings", "chkSoftware3"), "11<none>");
    EXPECT_TRUE(f.fraSoftware.Visible() && !f.fraInternet.Visible() && !f.allSoftware());
    EXPECT_TRUE(f.allInternet() && Items(f.chkInternet) == std::string(19, '1'));

    // Back to Internet: the box shows ticked again; a box cleared meanwhile stays clear.
    f.chkInternet(7).SetValue(0);
    EXPECT_EQ(Stored("Settings", "chkInternet7"), "0");
    f.InternetTab_Click();
    EXPECT_EQ(f.chkCheckAll.Value() + f.chkInternet(7).Value(), 1);
    EXPECT_EQ(Stored("Settings", "chkInternet7"), "0");

    // The tab already shown: the box keeps its value, nothing else changes. Clearing
    // "Check All" clears the current tab's boxes and its flag.
    f.chkInternet(2).SetValue(0);
    f.InternetTab_Click();
    EXPECT_EQ(f.chkInternet(2).Value(), 0);
    f.chkCheckAll.SetValue(0);
    EXPECT_FALSE(f.allInternet());
    f.WindowTab_Click();
    f.chkCheckAll.SetValue(1);
    EXPECT_EQ(f.currentTab() + Items(f.chkWindows) + Items(f.chkInternet), "Windows11111" + std::string(19, '0'));
}

// A page button shows one page (its windows made when it is first shown), reloads the
// caption list from its file and refreshes the status display.
TEST_F(MainWindowTest, PageButtonsShowOnePageReloadCaptionsAndRefreshTheStatus) {
    auto& f = OpenWindow();
    EXPECT_EQ(f.cntrlFirst(0).Hwnd(), nullptr);
    WriteFileText(bosskey::CaptionFilePath(), "Notepad\r\nWordPad\r\n");
    Store("ProgramSettings", "WordPad", "True");
    Store("SystemInfo", "LastRun", "yesterday");
    f.ButtonEx1_Click(2);
    EXPECT_TRUE(f.fraWindow(2).Visible() && !f.fraWindow(0).Visible() && !f.fraWindow(1).Visible());
    EXPECT_TRUE(!f.ButtonEx1(2).Enabled() && f.ButtonEx1(0).Enabled() && f.ButtonEx1(1).Enabled());
    EXPECT_EQ(f.lblLastClean.Caption(), "yesterday");
    ASSERT_EQ(f.List1.ListCount(), 2);
    EXPECT_TRUE(f.List1.List(1) == "WordPad" && f.List1.Selected(1) && !f.List1.Selected(0));
    // The combo box's window shows the text restored before it existed.
    char text[16] = "";
    GetWindowTextA(f.cntrlFirst(0).Hwnd(), text, sizeof text);
    EXPECT_TRUE(std::string(text) == "Ctrl" && IsWindowVisible(f.cntrlFirst(0).Hwnd()));
}

// Leaving the Settings page enables its button again and shows the page chosen alone.
TEST_F(MainWindowTest, LeavingTheSettingsPageEnablesItsButtonAndShowsTheOtherPage) {
    auto& f = OpenWindow();
    for (int page : {0, 1}) {
        f.ButtonEx1_Click(2);
        f.ButtonEx1_Click(page);
        EXPECT_TRUE(f.fraWindow(page).Visible() && !f.fraWindow(2).Visible() && !f.fraWindow(1 - page).Visible())
            << page;
        EXPECT_TRUE(f.ButtonEx1(2).Enabled() && !f.ButtonEx1(page).Enabled() && f.ButtonEx1(1 - page).Enabled())
            << page;
    }
}

// The real window in the tray at 12 twips per pixel: loading adds the icon, the close box only
// hides the window; of the icon's mouse messages only a left button up or double click shows it
// (normal, in front), only a right button up opens the menu. "&Show" leaves a minimised window
// minimised; only "&Exit" ends the window, a caption dialog left open and the message loop.
TEST_F(MainWindowTest, TrayIconMenuAndCloseBoxActOnTheWindow) {
    gf::App::SetTitle("Glimmerfold");
    gf::Screen::OverrideTwipsPerPixel(12, 12);
    auto& f = OpenWindow();
    const HWND main = f.Hwnd();
    NOTIFYICONDATAA nid = app::TrayIconRecord(main, app::WindowIcon(main));
    auto iconShown = [&] { return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE; };
    MSG quit;
    auto quitPosted = [&] { return PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE; };
    ASSERT_TRUE(iconShown()) << "loading added the icon";
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(f.Loaded() && !f.Visible() && iconShown() && !quitPosted());
    // Explorer restarts while the window waits hidden: its "TaskbarCreated" brings the
    // icon back, the window still hidden.
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));
    SendMessageA(main, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(iconShown() && !f.Visible());

    // The icon's callbacks come as mouse moves with the message in x.
    int menus = 0;
    UINT menuKey = VK_ESCAPE;  // queued as the menu opens
    f.MessageHook = [&](UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg == WM_ENTERMENULOOP && PostMessageA(main, WM_KEYDOWN, menuKey, 0)) ++menus;
        return false;
    };
    auto hideMinimised = [&] { f.SetWindowState(gf::vbMinimized), f.Hide(); };
    for (int m = WM_MOUSEMOVE; m <= WM_MBUTTONDBLCLK; ++m) {
        hideMinimised();
        const int menusBefore = menus;
        SendMessageA(main, WM_MOUSEMOVE, 0, MAKELPARAM(m, 0));
        const bool shows = m == WM_LBUTTONUP || m == WM_LBUTTONDBLCLK;
        EXPECT_EQ(shows ? PumpUntil([&] { return f.Visible() && !IsIconic(main) && GetForegroundWindow() == main; })
                        : f.Visible(),
                  shows) << m;
        EXPECT_EQ(menus - menusBefore, m == WM_RBUTTONUP ? 1 : 0) << m;
    }

    // The menu's items, picked by their access keys (Help would start a browser).
    auto pick = [&](char key) {
        menuKey = static_cast<UINT>(key);
        SendMessageA(main, WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONUP, 0));
    };
    hideMinimised();
    pick('C');
    EXPECT_TRUE(Stored("SystemInfo", "LastRun") != "<none>" && !f.Visible());
    pick('S');
    EXPECT_TRUE(f.Visible() && f.WindowState() == gf::vbMinimized);
    {
        DialogWatcher box({IDOK});
        pick('A');
        const auto seen = box.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].title + "|" + seen[0].text, "Glimmerfold|Glimmerfold Version 1.06");
        EXPECT_EQ(seen[0].icon, LoadIconA(nullptr, MAKEINTRESOURCEA(32516)));
        EXPECT_EQ(seen[0].buttons, std::vector<int>{IDOK});
    }
    f.cmdAddMore_Click();
    ASSERT_EQ(gf::Form::LoadedCount(), 2);
    EXPECT_FALSE(quitPosted());
    pick('E');
    EXPECT_TRUE(quitPosted()) << "the message loop must end";
    EXPECT_FALSE(f.Loaded() || IsWindow(main) || iconShown());
    EXPECT_EQ(gf::Form::LoadedCount(), 0);
}

// Each option ticked and cleared again: it stores the whole set from the controls as
// they are (and registers the hot keys again from the boxes' texts), and does its work
// both ways. A cleaning box stores only itself; typing into a hot-key box stores nothing.
TEST_F(MainWindowTest, EachOptionStoresTheWholeSetAndUndoesItsWorkWhenCleared) {
    auto& f = OpenWindow();
    f.chkSoftware(12).SetValue(1);
    EXPECT_EQ(Stored("Settings", "chkSoftware12"), "1");
    f.cntrlFirst(1).SetText("Alt");
    f.cntrlSecond(1).SetText("F5");
    EXPECT_EQ(Stored("ProgramSettings", "AutoRun"), "<none>");
    const struct { gf::CheckBox& box; const char* key; std::function<bool()> working; } options[] = {
        {f.chkShredder, "useShredder", VerbExists},
        {f.chkRunStart, "AutoRun", [] { return RunValue() == "\"D:\\tests\\bin\\app_mainwin_test.exe\""; }},
        {f.chkAutoCleanTime, "AutoCleanTime", [&] { return f.Timer1.Enabled(); }},
        {f.chkAutoCleanBrowse, "AutoCleanBrowse", [&] { return f.TCheck.Enabled(); }},
        {f.chkAutoMin, "AutoMin",  // as start-up applies it
         [&] { f.SetWindowState(gf::vbNormal); f.ApplyStartupState(); return IsIconic(f.Hwnd()) != FALSE; }}};
    for (const auto& o : options)
        for (int value : {1, 0}) {
            o.box.SetValue(value);
            EXPECT_EQ(Stored("ProgramSettings", o.key), std::to_string(value)) << o.key;
            EXPECT_EQ(o.working(), value == 1) << o.key << value;
        }
    EXPECT_EQ(Stored("ProgramSettings", "cntrlFirst1") + Stored("ProgramSettings", "cntrlSecond1") +
              Stored("ProgramSettings", "minuteCombo"), "AltF51");
    // A folder with a letter the code page lacks reaches the Run value as it is.
    const std::wstring command = L"\"C:\\\u015Cam\\Glimmerfold.exe\"";
    AddRun::AddRunEntry(AddRun::kRunName, command);
    EXPECT_EQ(Reg32::GetRegStringW(HKEY_LOCAL_MACHINE, Wide(AddRun::kRunKey), Wide(AddRun::kRunName)), command);
    EXPECT_TRUE(HotKeyHeld(MOD_ALT, VK_F5));

    // The minutes box stores at every change of its text to whole minutes ("15" typed
    // stores "1", then "15"); picking a hot-key item stores the set and registers it.
    for (const char* typed : {"1", "15"}) {
        f.minuteCombo.SetText(typed);
        EXPECT_EQ(Stored("ProgramSettings", "minuteCombo"), typed);
    }
    f.cntrlSecond(1).SetListIndex(11);
    EXPECT_EQ(Stored("ProgramSettings", "cntrlSecond1"), "F11");
    EXPECT_TRUE(HotKeyHeld(MOD_ALT, VK_F11) && !HotKeyHeld(MOD_ALT, VK_F5));
}

// A click on an entry's check mark saves the options: every entry's tick under its
// caption, between the hot-key keys (which a caption of that name overwrites) and the
// options (which overwrite one); an empty entry has no key. The hide and show hot keys
// then act on the ticked entries only.
TEST_F(MainWindowTest, ACaptionTickClickedInTheListIsStoredAndSteersTheHotKeys) {
    auto& f = OpenWindow();
    f.ButtonEx1_Click(2);
    const std::string ticked = UniqueName("GfTicked"), unticked = UniqueName("GfUnticked");
    for (const std::string& caption : {ticked, unticked, std::string("AutoRun"), std::string("cntrlFirst2"),
                                       std::string()})
        f.List1.AddItem(caption);
    f.List1.SetSelected(2, true);
    f.List1.SetSelected(3, true);
    RECT item;
    SendMessageA(f.List1.Hwnd(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    SendClick(f.List1.Hwnd(), item.left + 6, (item.top + item.bottom) / 2);
    ASSERT_TRUE(f.List1.Selected(0));
    const std::pair<std::string, const char*> stored[] = {
        {ticked, "True"}, {unticked, "False"}, {"AutoRun", "0"}, {"cntrlFirst2", "True"}, {"", "<none>"}};
    for (const auto& [key, value] : stored) EXPECT_EQ(Stored("ProgramSettings", key), value) << key;

    PlainWindow shown(ticked + " - Editor", true, 500, 400), kept(unticked, true, 500, 400);
    // Started twice, the replaced procedure still passes other messages on (rather than to
    // itself) with their results; a hot key counts by the low 8 bits of its id, and any id
    // but 0 and 1 shows.
    bosskey::StartHotKeys(f.Hwnd(), f.cntrlFirst, f.cntrlSecond, f);
    EXPECT_EQ(SendMessageA(f.Hwnd(), WM_GETTEXTLENGTH, 0, 0), 11);
    EXPECT_EQ(SendMessageA(f.Hwnd(), WM_HOTKEY, 0x101, 0), 1);
    EXPECT_TRUE(!IsWindowVisible(shown.hwnd) && IsWindowVisible(kept.hwnd));
    SendMessageA(f.Hwnd(), WM_HOTKEY, 7, 0);
    EXPECT_TRUE(IsWindowVisible(shown.hwnd));
}

// Hot key 0, the clean key, runs the clean on the ticked items.
TEST_F(MainWindowTest, TheCleanHotKeyRunsTheClean) {
    auto& f = OpenWindow();
    f.chkWindows(4).SetValue(1);
    SendMessageA(f.Hwnd(), WM_HOTKEY, 0, 0);
    EXPECT_EQ(erased, std::vector<Erase>{"chkWindows4 1/1 Cleaning Windows Recycle Bin"});
    EXPECT_NE(Stored("SystemInfo", "LastRun"), "<none>");
}

// A caption added in the dialog is stored ticked at once: loaded again, the window has it
// ticked before any page is chosen, and the hide key hides its window and no other.
TEST_F(MainWindowTest, ACaptionAddedInTheDialogStaysTicked) {
    const std::string added = UniqueName("GfAdded"), unticked = UniqueName("GfUnticked");
    WriteFileText(bosskey::CaptionFilePath(), unticked + "\r\n");
    PlainWindow addedWindow(added + " - Editor", true, 500, 400), untickedWindow(unticked, true, 500, 400);
    auto& f = OpenWindow();
    f.cmdAddMore_Click();
    HWND dialog = nullptr;  // the other window titled so, in front of the main window
    do dialog = FindWindowExA(nullptr, dialog, nullptr, "Glimmerfold");
    while (dialog == f.Hwnd());
    ASSERT_TRUE(dialog);
    SetWindowTextA(FindWindowExA(dialog, nullptr, "Edit", nullptr), added.c_str());
    SendClick(FindWindowExA(dialog, nullptr, nullptr, "cmdAdd"), 20, 10);
    EXPECT_EQ(Stored("ProgramSettings", added), "True");
    f.Unload(gf::vbFormCode);
    auto& again = OpenWindow();
    ASSERT_EQ(again.List1.ListCount(), 2);
    EXPECT_TRUE(again.List1.List(1) == added && again.List1.Selected(1));
    SendMessageA(again.Hwnd(), WM_HOTKEY, 1, 0);
    EXPECT_TRUE(!IsWindowVisible(addedWindow.hwnd) && IsWindowVisible(untickedWindow.hwnd));
}

// The window's own timers: TCheck's tick sees a browser start and hands over to
// TClosed, whose tick after the browser ends runs the clean and hands back; Timer1's
// tick runs the clean once its minute (shortened here) has passed.
TEST_F(MainWindowTest, AutomaticCleaningRunsOnTheWindowsOwnTimers) {
    auto& f = OpenWindow();
    f.chkInternet(2).SetValue(1);
    f.chkAutoCleanBrowse.SetValue(1);
    ScratchDir dir;
    const std::string ie = dir / "IEXPLORE.EXE";
    ASSERT_TRUE(CopyFileA((ExeFolder() + "\\browser_standin.exe").c_str(), ie.c_str(), FALSE));
    {
        ChildProcess browser("\"" + ie + "\"");
        ASSERT_TRUE(PumpUntil([&] { return f.TClosed.Enabled() && !f.TCheck.Enabled(); }, 15000));
        EXPECT_TRUE(erased.empty()) << "no clean while it runs";
    }
    ASSERT_TRUE(PumpUntil([&] { return f.TCheck.Enabled() && !f.TClosed.Enabled(); }, 15000));
    EXPECT_EQ(erased, std::vector<Erase>{"chkInternet2 1/1 Cleaning Internet Explorer Cookies"});
    f.SetIntervalTimeBase({{}, 50});
    f.chkAutoCleanTime.SetValue(1);
    EXPECT_EQ(f.Timer1.Interval(), app::IntervalCleaner::kTickMs);
    EXPECT_TRUE(PumpUntil([&] { return erased.size() == 2; }, 15000)) << "Timer1 cleaned nothing";
}

// Ticked items in order, the bar ahead of each; then the bar and the line hidden, the time stored
// and shown. A request during a run (the hot key or a timer while the loop runs) is ignored; an
// item that fails, with a numbered error or anything else, ends only itself; the next run runs.
TEST_F(MainWindowTest, CleanRunsTickedItemsInOrderOneRunAtATime) {
    auto& f = OpenWindow();
    f.clean();  // nothing ticked: nothing erased, the time stored and shown all the same
    EXPECT_TRUE(erased.empty() && Stored("SystemInfo", "LastRun") != "<none>");
    EXPECT_EQ(f.lblLastClean.Caption(), Stored("SystemInfo", "LastRun"));

    for (auto* box : {&f.chkInternet(0), &f.chkInternet(18), &f.chkSoftware(12), &f.chkWindows(4)}) box->SetValue(1);
    f.chkSoftware(3).SetValue(2);  // greyed: not ticked
    EXPECT_EQ(f.getMax(), 4);
    Store("SystemInfo", "LastRun", "before");
    duringErase = [&] {
        EXPECT_TRUE(f.pgbClean.Visible() && f.lblCleanStatus.Visible()) << "the bar or the status line is hidden";
        if (erased.size() <= 4) f.clean();  // bounded, should the request run
    };
    f.clean();
    EXPECT_EQ(erased, (std::vector<Erase>{"chkInternet0 1/4 Cleaning Internet Explorer Entered URL's",
                                          "chkInternet18 2/4 Cleaning Yahoo Entered Search Words",
                                          "chkSoftware12 3/4 Cleaning Word Pad Recent Files",
                                          "chkWindows4 4/4 Cleaning Windows Recycle Bin"}));
    EXPECT_FALSE(f.pgbClean.Visible() || f.lblCleanStatus.Visible() || Stored("SystemInfo", "LastRun") == "before");
    EXPECT_EQ(f.lblLastClean.Caption(), Stored("SystemInfo", "LastRun"));

    erased.clear();
    f.SetItemCleaner([&](Group, short i, const ModCleaning::StatusLabel&, const std::string&) {
        erased.push_back(std::to_string(i));
        if (i == 0) throw gf::Error(11006, "clsRegistry", "DeleteKey");
        if (i == 18) throw 18;
    });
    f.clean();
    EXPECT_FALSE(f.CleanRunning() || f.pgbClean.Visible());
    f.clean();
    EXPECT_EQ(erased, (std::vector<Erase>{"0", "18", "12", "4", "0", "18", "12", "4"}));
}

// "&Exit" picked in the tray menu during a run: the run ends after the item in hand and stores
// no time; a request meanwhile or afterwards starts nothing. The window stays until the run has
// returned, and ends, with the message loop, at the next turn of the loop.
TEST_F(MainWindowTest, ExitDuringARunEndsTheWindowOnceTheRunHasReturned) {
    auto& f = OpenWindow();
    const HWND main = f.Hwnd();
    for (auto* box : {&f.chkInternet(0), &f.chkSoftware(12), &f.chkWindows(4)}) box->SetValue(1);
    f.MessageHook = [&](UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg == WM_ENTERMENULOOP) PostMessageA(main, WM_KEYDOWN, 'E', 0);
        return false;
    };
    duringErase = [&] {
        SendMessageA(main, WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONUP, 0));
        f.clean();
    };
    f.clean();
    EXPECT_EQ(erased.size(), 1u);
    EXPECT_TRUE(f.Loaded() && IsWindow(main));
    EXPECT_EQ(Stored("SystemInfo", "LastRun"), "<none>");
    f.clean();
    EXPECT_EQ(erased.size(), 1u);
    MSG msg;
    auto quitTaken = [&] {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return true;
            DispatchMessageA(&msg);
        }
        return false;
    };
    bool quit = false;
    for (DWORD start = GetTickCount(); !quit && GetTickCount() - start < 5000; Sleep(5)) quit = quitTaken();
    EXPECT_TRUE(quit) << "the message loop must end";
    EXPECT_FALSE(f.Loaded() || IsWindow(main));
}

// The status display reads the store, never the boxes; it shows the minutes the timer runs
// (none stored: 1) and no interval that does not run. A hot key stored but not registered
// from those names (changed behind the window's back) is shown as not in use.
TEST_F(MainWindowTest, StatusDisplayTexts) {
    auto& f = OpenWindow();
    const struct { const char *key, *value, *shown; } steps[] = {
        {"", "", "Off"}, {"AutoCleanTime", "1", "Clean every 1 Minute(s)"}, {"minuteCombo", "0", "Off"},
        {"minuteCombo", "5", "Clean every 5 Minute(s)"},
        {"AutoCleanBrowse", "True", "Clean After Browsing, Clean every 5 Minute(s)"},
        {"AutoCleanTime", "0", "Clean After Browsing"}};
    for (const auto& step : steps) {
        if (*step.key) Store("ProgramSettings", step.key, step.value);
        f.UpdateInfo();
        EXPECT_EQ(f.lblAutoClean.Caption(), step.shown) << step.key;
    }
    EXPECT_EQ(f.lblLastClean.Caption(), "Never");
    for (auto [key, value] :
         {std::pair{"cntrlFirst1", "Alt"}, {"cntrlSecond1", "F5"}, {"cntrlFirst2", "Shift"}, {"cntrlSecond2", "Space"}})
        Store("ProgramSettings", key, value);
    Store("SystemInfo", "LastRun", "12/06/2026 10:00:00 AM");
    f.UpdateInfo();
    EXPECT_EQ(f.cntrlFirst(1).Text(), "Ctrl");
    EXPECT_EQ(f.lblLastClean.Caption() + "|" + f.lblBossKey.Caption(),
              "12/06/2026 10:00:00 AM|Clean:                   Ctrl+F1\r\nHide Windows:     Alt+F5 (not in use)\r\n"
              "Show Windows:    Shift+Space (not in use)");
}

// Home shows the hot keys that work as they are, and each one that does not as not in use,
// with why: with the defaults Hide and Show repeat Clean's Ctrl+F1; a key that another
// program holds; a modifier typed as a code that holds no Ctrl, Alt or Shift; a key typed
// that is none.
TEST_F(MainWindowTest, StatusDisplayMarksHotKeysThatDoNothing) {
    PlainWindow other(UniqueName("GfHotKeyHolder"));
    ASSERT_TRUE(RegisterHotKey(other.hwnd, 1, MOD_ALT, VK_F7));
    auto& f = OpenWindow();
    auto rows = [&] {
        f.ButtonEx1_Click(0);
        return f.lblBossKey.Caption();
    };
    EXPECT_EQ(rows(), "Clean:                   Ctrl+F1\r\nHide Windows:     not in use: Clean has Ctrl+F1\r\n"
                      "Show Windows:    not in use: Clean has Ctrl+F1");
    f.ButtonEx1_Click(2);
    f.cntrlFirst(1).SetListIndex(1);   // Alt
    f.cntrlSecond(1).SetListIndex(7);  // F7
    f.cntrlFirst(2).SetListIndex(2);   // Shift
    f.cntrlSecond(2).SetListIndex(3);  // F3
    EXPECT_EQ(rows(), "Clean:                   Ctrl+F1\r\nHide Windows:     not in use: Alt+F7 is taken\r\n"
                      "Show Windows:    Shift+F3");
    EXPECT_TRUE(HotKeyHeld(MOD_SHIFT, VK_F3));
    f.cntrlFirst(0).SetText("0");
    f.cntrlSecond(0).SetListIndex(5);  // F4
    f.cntrlSecond(2).SetText("F13");
    f.cntrlFirst(2).SetListIndex(0);  // Ctrl
    EXPECT_EQ(rows(), "Clean:                   not in use: no Ctrl, Alt or Shift\r\nHide Windows:     not in use: "
                      "Alt+F7 is taken\r\nShow Windows:    not in use: Ctrl+F13 is no key");
}

// The minutes box keeps whole minutes from 1 to 1440: anything else typed is not stored, so
// the timer keeps its minutes, and the box shows the stored ones again when the user
// leaves it. Loading shows stored minutes that no timer runs as the design's 1.
TEST_F(MainWindowTest, MinutesBoxKeepsOnlyMinutesTheTimerRuns) {
    auto& f = OpenWindow();
    std::uint64_t now = 0;
    int cleans = 0;
    f.SetItemCleaner([&](Group, short, const ModCleaning::StatusLabel&, const std::string&) { ++cleans; });
    f.chkInternet(2).SetValue(1);
    f.SetIntervalTimeBase({[&] { return now; }, 1000});  // a minute is a second of this clock
    f.ButtonEx1_Click(2);
    f.minuteCombo.SetText("7");
    f.chkAutoCleanTime.SetValue(1);
    for (const char* typed : {"0", "abc", "1.5", "-3", "1441", "99999999999999999999", ""}) {
        f.minuteCombo.SetText(typed);
        EXPECT_EQ(Stored("ProgramSettings", "minuteCombo"), "7") << typed;
    }
    now = 6999;
    f.Timer1.OnTimer();
    EXPECT_EQ(cleans, 0);
    now = 7000;
    f.Timer1.OnTimer();
    EXPECT_EQ(cleans, 1);
    f.minuteCombo.SetFocus();
    f.chkAutoCleanTime.SetFocus();  // the box loses the focus
    EXPECT_EQ(f.minuteCombo.Text(), "7");
    f.minuteCombo.SetText("0030");
    f.minuteCombo.SetFocus();
    f.chkAutoCleanTime.SetFocus();
    EXPECT_EQ(f.minuteCombo.Text() + " " + Stored("ProgramSettings", "minuteCombo"), "30 30");
    f.ButtonEx1_Click(0);
    EXPECT_EQ(f.lblAutoClean.Caption(), "Clean every 30 Minute(s)");

    Store("ProgramSettings", "minuteCombo", "0");
    auto& again = OpenWindow();
    EXPECT_EQ(again.minuteCombo.Text(), "1");
}

// A page button's click disables that button, which takes the focus from it: the focus goes
// to the first control of the page shown, and Tab moves it on from there.
TEST_F(MainWindowTest, PageButtonClickLeavesTheFocusOnThePage) {
    auto& f = OpenWindow();
    f.ZOrder(0);
    const char* first[] = {"cmdClean", "InternetTab", "chkShredder"};
    for (int page : {1, 2, 0}) {
        SCOPED_TRACE(page);
        RealClick(f.ButtonEx1(page).Hwnd(), 80, 40);
        ASSERT_TRUE(f.fraWindow(page).Visible());
        const HWND expected = f.Get<gf::Control>(first[page]).Hwnd();
        EXPECT_TRUE(expected && GetFocus() == expected);
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0};
        EXPECT_TRUE(IsDialogMessageA(f.Hwnd(), &tab));
        EXPECT_TRUE(GetFocus() != expected && IsChild(f.Hwnd(), GetFocus()));
    }
}

// The file to shred is everything after the program's name, quotes, spaces and letters outside
// the code page kept; a line with nothing after the name (blanks alone) starts the main window.
TEST(CommandLine, IsEverythingAfterTheProgramsName) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"Glimmerfold.exe", L""}, {L"\"C:\\My Apps\\Glimmerfold.exe\"", L""}, {L"", L""},
        {L"\"C:\\My Apps\\Glimmerfold.exe\" \t ", L""}, {L"\"C:\\unterminated D:\\x.txt", L""},
        {L"Glimmerfold.exe D:\\my files\\plans.txt", L"D:\\my files\\plans.txt"},
        {L"\"C:\\My Apps\\Glimmerfold.exe\" \"D:\\a b.txt\" more", L"\"D:\\a b.txt\" more"},
        {L"C:\\Apps\\Glimmerfold.exe\tD:\\\u0141ukasz\\\uff52eport.txt", L"D:\\\u0141ukasz\\\uff52eport.txt"},
        {L"Glimmerfold.exe  D:\\plain2.txt ", L"D:\\plain2.txt "}, {L"\"Glimmerfold.exe\"D:\\x.txt", L"D:\\x.txt"}};
    for (auto [line, args] : cases)
        EXPECT_EQ(modMain::CommandLineArguments(line), args) << testing::PrintToString(line);
}

// The shell gets the first-version ANSI record; its callbacks come as the window's mouse
// moves with the message in x, halves of a twips position going to the even neighbour.
TEST(TrayIcon, RecordAndCallbackDecoding) {
    const NOTIFYICONDATAA nid = app::TrayIconRecord(reinterpret_cast<HWND>(0x1234), nullptr);
    EXPECT_EQ(Xy(nid.cbSize, nid.uID) + " " + Xy(nid.uFlags, nid.uCallbackMessage), "88,1 7,512");
    EXPECT_EQ(std::string(nid.szTip, 64), std::string("Glimmerfold") + '\0' + std::string(52, ' '));
    EXPECT_EQ(Xy(app::TrayMessageFromX(514.5 * 15, false, 15), app::TrayMessageFromX(515.5 * 15, false, 15)),
              "514,516");
    EXPECT_EQ(app::TrayMessageFromX(517, true, 15), 517);  // a window scaled in pixels
}

// Help opens the support page; an address keeps its scheme, anything else gets "http://"
// (a name that merely starts with "http" must not run as a program); above 32 is success.
TEST(OpenBrowser, HelpAddressAndTheSchemeRule) {
    std::vector<std::string> opened;
    std::intptr_t answer = 33;
    app::UrlLauncher launch = [&](const std::string& url) { return opened.push_back(url), answer; };
    app::mnuHelp_Click({.launch = launch});
    for (const char* url : {"HTTP://Example.org/Help", "https://example.org", "www.example.org", "httpd.exe"})
        EXPECT_TRUE(app::OpenBrowser(url, launch));
    EXPECT_EQ(opened, (std::vector<std::string>{"https://glimmerfold.example/support", "HTTP://Example.org/Help",
                                                "https://example.org", "http://www.example.org", "http://httpd.exe"}));
    answer = 32;
    EXPECT_FALSE(app::OpenBrowser("a", launch));
}

// Minutes are whole numbers from one. A clean at the first tick at or after each N minutes
// from switching on, N read from the store at every tick; a machine that slept through
// periods gets one clean, and the rhythm holds; switched on again, the count starts anew.
TEST(IntervalCleaner, CleansOnceEveryNMinutesFromSwitchingOn) {
    EXPECT_EQ(Xy(app::WholeMinutes("1"), app::WholeMinutes(" 15 ")), "1,15");
    for (const char* bad : {"", "0", "-5", "+5", "1.5", "5 min", "abc", "99999999999999999999"})
        EXPECT_EQ(app::WholeMinutes(bad), 0) << '"' << bad << '"';
    constexpr std::uint64_t kMinute = 60000, kOn = 1'000'000;
    gf::Timer timer1("Timer1");
    std::uint64_t now = kOn;
    int cleans = 0;
    app::IntervalCleaner cleaner(timer1, [&] { ++cleans; }, app::StoredMinutesText, {[&] { return now; }, kMinute});
    EXPECT_EQ(timer1.Interval(), 1000u) << "a clean is at most a second late";
    // "on" / "off" switch at that time (cleans: Timer1 on); other rows store the minutes
    // text and tick (cleans: so far).
    const struct { const char* minutes; std::uint64_t at; int cleans; } rows[] = {
        {"on", 0, 1}, {"5", 5 * kMinute - 1, 0}, {"5", 5 * kMinute, 1}, {" 5 ", 10 * kMinute - 1, 1},
        {"5", 10 * kMinute + 36000, 2}, {"5", 15 * kMinute - 1, 2}, {"5", 15 * kMinute, 3},
        {"5", 42 * kMinute, 4}, {"5", 45 * kMinute - 1, 4}, {"5", 45 * kMinute, 5}, {"five", 90 * kMinute, 5},
        {"off", 99 * kMinute, 0}, {"1", 100 * kMinute, 5}, {"on", 100 * kMinute, 1},
        {"1", 100 * kMinute + 36000, 5}, {"1", 101 * kMinute - 1, 5}, {"1", 101 * kMinute, 6}};
    for (const auto& row : rows) {
        now = kOn + row.at;
        const std::string what = row.minutes;
        if (what == "on" || what == "off") {
            cleaner.SetActive(what == "on");
            EXPECT_EQ(timer1.Enabled(), row.cleans == 1) << what << " at " << row.at;
            continue;
        }
        Store("ProgramSettings", "minuteCombo", what);
        cleaner.Timer1_Timer();
        EXPECT_EQ(cleans, row.cleans) << what << " at " << row.at;
    }
    ClearAppSettings();
}

// Without a clock handed in, the cleaner counts the machine's real time (minutes shortened).
TEST(IntervalCleaner, CountsRealTime) {
    constexpr std::uint64_t kShortMinute = 40;
    gf::Timer timer1("Timer1");
    std::vector<ULONGLONG> cleans;
    app::IntervalCleaner cleaner(timer1, [&] { cleans.push_back(GetTickCount64()); }, [] { return "2"; },
                                 {{}, kShortMinute});
    const ULONGLONG on = GetTickCount64();
    cleaner.SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return cleaner.Timer1_Timer(), cleans.size() >= 2; }, 10000));
    for (size_t i = 0; i < 2; ++i) EXPECT_GE(cleans[i] - on, (i + 1) * 2 * kShortMinute) << i;
}

namespace {

// The watcher driven one tick at a time against browsers the test switches on and off.
// A step is "on", "off", "check" (TCheck's tick) or "closed" (TClosed's), with a hook
// after ':': "nestlook" ticks both timers again inside the process walk, "nestclean"
// inside the clean, "clear" clears the option inside the clean.
struct Watch {
    gf::Timer tCheck{"TCheck"}, tClosed{"TClosed"};
    app::BrowsersRunning running;
    std::string hook;
    int cleans = 0, depth = 0, maxDepth = 0;
    app::BrowserWatcher watcher{tCheck, tClosed,
                                [this] {
                                    ++cleans;
                                    if (hook == "clear") watcher.SetActive(false);
                                    if (hook == "nestclean") NestedTicks();
                                },
                                [this] {
                                    maxDepth = std::max(maxDepth, ++depth);
                                    if (hook == "nestlook") NestedTicks();
                                    --depth;
                                    return running;
                                }};
    Watch() { tCheck.SetEnabled(false), tClosed.SetEnabled(false); }
    void NestedTicks() {
        hook.clear();
        watcher.TCheck_Timer();
        watcher.TClosed_Timer();
    }
    // Cleans so far, the timers on, the browsers TCheck last saw.
    std::string Step(const std::string& step, app::BrowsersRunning r) {
        running = r;
        const auto colon = step.find(':');
        hook = colon == std::string::npos ? "" : step.substr(colon + 1);
        const std::string action = step.substr(0, colon);
        if (action == "on" || action == "off") watcher.SetActive(action == "on");
        if (action == "check") watcher.TCheck_Timer();
        if (action == "closed") watcher.TClosed_Timer();
        return std::to_string(cleans) + (tCheck.Enabled() ? " check" : "") + (tClosed.Enabled() ? " closed" : "") +
               (watcher.ieOpen() ? " ie" : "") + (watcher.firefoxOpen() ? " ff" : "") + (maxDepth > 1 ? " nested" : "");
    }
};

}  // namespace

TEST(BrowserWatcher, DecisionsTickByTick) {
    struct Row { const char* step; app::BrowsersRunning running; const char* after; };
    const std::vector<std::vector<Row>> scenarios = {
        // Both seen, both closed before TClosed's tick: two cleans in that tick.
        {{"on", {}, "0 check"}, {"check", {}, "0 check"}, {"check", {1, 1}, "0 closed ie ff"},
         {"closed", {1, 1}, "0 closed ie ff"}, {"closed", {}, "2 check ie ff"}},
        // Internet Explorer closes first: one clean; TCheck sees Firefox and waits again.
        {{"on", {}, "0 check"}, {"check", {1, 1}, "0 closed ie ff"}, {"closed", {0, 1}, "1 check ie ff"},
         {"check", {0, 1}, "1 closed ff"}, {"closed", {}, "2 check ff"}},
        // Only what TCheck saw counts: a browser started while TClosed waits is no reason to clean.
        {{"on", {}, "0 check"}, {"check", {1, 0}, "0 closed ie"}, {"closed", {1, 1}, "0 closed ie"},
         {"closed", {1, 0}, "0 closed ie"}, {"closed", {}, "1 check ie"}},
        // Clearing stops both timers and a tick already queued does nothing; ticked again,
        // it waits for a browser, or keeps waiting for the one it saw.
        {{"on", {}, "0 check"}, {"check", {1, 1}, "0 closed ie ff"}, {"off", {1, 1}, "0 ie ff"},
         {"closed", {}, "0 ie ff"}, {"check", {1, 0}, "0 ie"}, {"on", {1, 0}, "0 check ie"},
         {"check", {1, 0}, "0 closed ie"}, {"on", {1, 0}, "0 closed ie"}},
        // Ticks arriving while a walk or a clean lets the message loop run are dropped.
        {{"on", {}, "0 check"}, {"check:nestlook", {1, 1}, "0 closed ie ff"},
         {"closed:nestclean", {}, "2 check ie ff"}},
        // The option cleared during the clean: no second clean, every timer off.
        {{"on", {}, "0 check"}, {"check", {1, 1}, "0 closed ie ff"}, {"closed:clear", {}, "1 ie ff"}}};
    for (size_t s = 0; s < scenarios.size(); ++s) {
        Watch w;
        for (const Row& row : scenarios[s])
            EXPECT_EQ(w.Step(row.step, row.running), row.after) << "scenario " << s << ", " << row.step;
    }
}

// Real processes of either bitness, among more than the process list's first buffer
// holds: the whole executable name counts, trimmed, in any case; a process that ended
// is gone although a handle to it is still held. The watcher looks for both browsers
// in one walk and tells them apart.
TEST(IsProcessRunning, FindsTheWholeExecutableNameAmongRealProcesses) {
    ScratchDir dir;
    std::vector<std::unique_ptr<ChildProcess>> started;
    auto start = [&](const std::string& exeName, bool is64Bit = false) {
        const std::string path = dir / exeName;
        CopyFileA((ExeFolder() + (is64Bit ? "\\browser_standin64.exe" : "\\browser_standin.exe")).c_str(),
                  path.c_str(), FALSE);
        started.push_back(std::make_unique<ChildProcess>("\"" + path + "\""));
        return started.back().get();
    };
    for (int i = 0; i < 40; ++i) start("FILLER.EXE");
    ChildProcess* ie = start("IEXPLORE.EXE", true);
    start("Firefox.exe");
    start("XOPERA.EXE");
    for (auto& p : started) ASSERT_TRUE(p->Started());
    const auto listed = app::process::RunningProcesses();
    EXPECT_EQ(std::count_if(listed.begin(), listed.end(), [](const auto& p) { return p.exeName == "FILLER.EXE"; }), 40);

    const std::pair<const char*, bool> looks[] = {
        {"  iexplore.exe ", true}, {"FIREFOX.EXE", true}, {"firefox.exe", true}, {"XOPERA.EXE", true},
        {"IEXPLORE", false}, {"IEXPLORE.EX", false}, {"XPLORE.EXE", false}, {"IEXPLORE.EXEX", false},
        {"OPERA.EXE", false}, {"XXOPERA.EXE", false}, {"", false}, {"  ", false}};
    for (const auto& [name, running] : looks) EXPECT_EQ(app::IsProcessRunning(name), running) << '"' << name << '"';
    EXPECT_EQ(app::process::FindRunning({"IEXPLORE.EXE", "NOSUCH.EXE", " firefox.exe"}),
              (std::vector<bool>{true, false, true}));

    TerminateProcess(ie->Handle(), 1);
    ASSERT_EQ(WaitForSingleObject(ie->Handle(), 10000), WAIT_OBJECT_0);
    EXPECT_FALSE(app::IsProcessRunning("IEXPLORE.EXE"));
    gf::Timer tCheck("TCheck"), tClosed("TClosed");
    app::BrowserWatcher watcher(tCheck, tClosed, [] {});
    watcher.SetActive(true);
    watcher.TCheck_Timer();
    EXPECT_TRUE(!watcher.ieOpen() && watcher.firefoxOpen() && tClosed.Enabled());
}
