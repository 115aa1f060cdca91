// The main window under Xvfb with real windows and messages: loading (its order, what
// it restores and re-saves, the layout at 15 and at 12 twips per pixel), start-up's
// first-run step, pages, tabs and "Check All" with their nested handlers, the option
// handlers and the Run value, the clean run and the status display's exact texts.
// GF_EXCLUSIVE_DISPLAY
// GF_EXCLUSIVE_PROFILE: the shred verb is one machine-wide key.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/AddRun.h"
#include "app/Startup.h"
#include "app/SysTray.h"
#include "app/frmMain.h"
#include "app/frmMainDesign.h"
#include "framework/App.h"
#include "framework/Settings.h"
#include "registry/Reg32.h"
#include "shredder/ShredVerb.h"

using ModCleaning::Group;

namespace {

std::string Stored(const std::string& section, const std::string& key) {
    return gf::GetSetting(gf::App::EXEName(), section, key, "<none>");
}
void Store(const std::string& section, const std::string& key, const std::string& value) {
    gf::SaveSetting(gf::App::EXEName(), section, key, value);
}
bool SectionExists(const std::string& section) {
    return testing_support::KeyExists(HKEY_CURRENT_USER, gf::SettingsKeyPath(gf::App::EXEName(), section));
}
// The Run value's command, or "<none>" when there is no value.
std::string RunValue() {
    if (RegGetValueA(HKEY_LOCAL_MACHINE, AddRun::kRunKey, AddRun::kRunName, RRF_RT_ANY, nullptr, nullptr, nullptr))
        return "<none>";
    return Reg32::GetRegString(HKEY_LOCAL_MACHINE, AddRun::kRunKey, AddRun::kRunName);
}

// One erase the recorder saw: which item, and the run's state when it started.
struct Erase {
    ModCleaning::Group group;
    short index;
    double progress, max;
    std::string status;
    bool barVisible;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::ClearAppSettings();
        AddRun::RemoveRunEntry(AddRun::kRunName);
        gf::Screen::OverrideTwipsPerPixel(15, 15);
    }
    void TearDown() override {
        CloseWindow();
        SetUp();
        gf::Screen::OverrideTwipsPerPixel(0, 0);
    }

    // Makes the window with the recorder in place of the erasing; loads it when asked.
    app::frmMain& OpenWindow(bool load = true) {
        form = std::make_unique<app::frmMain>();
        form->SetItemCleaner([this](ModCleaning::Group g, short i, const ModCleaning::StatusLabel& status,
                                    const std::string& tag) {
            status("Cleaning " + tag);
            erased.push_back({g, i, form->pgbClean.Value(), form->pgbClean.Max(), form->lblCleanStatus.Caption(),
                              form->pgbClean.Visible()});
            if (duringErase) duringErase();
        });
        if (load) {
            form->Load();
            testing_support::PumpFor(50);
        }
        return *form;
    }
    void CloseWindow() {
        if (form && form->Loaded()) form->Unload(gf::vbFormCode);
        form.reset();
    }

    std::unique_ptr<app::frmMain> form;
    std::vector<Erase> erased;
    std::function<void()> duringErase;
};

bool VerbExists() {
    return testing_support::KeyExists(HKEY_CLASSES_ROOT, std::string(shredder::kShredVerbKey) + "\\command");
}

const gf::DesignRow& DesignOf(const std::string& name, int index = -1) {
    for (const auto& row : app::FrmMainDesign())
        if (name == row.name && row.index == index) return row;
    throw std::runtime_error("no design row " + name);
}

const char* const kOptions[] = {"AutoMin", "useShredder", "AutoRun", "AutoCleanBrowse", "AutoCleanTime"};

}  // namespace

TEST_F(MainWindowTest, LoadingWithNothingStoredStoresNothingAndShowsTheSummary) {
    auto& f = OpenWindow();
    // No box changed, and the minutes text equals its design text: nothing was stored.
    EXPECT_FALSE(SectionExists("Settings") || SectionExists("ProgramSettings"));
    EXPECT_EQ(RunValue(), "<none>");
    for (auto* boxes : {&f.chkInternet, &f.chkWindows, &f.chkSoftware})
        for (auto* box : boxes->Items()) EXPECT_EQ(box->Value(), 0) << box->Name() << box->Index();
    EXPECT_EQ(std::to_string(f.chkInternet.Count()) + " " + std::to_string(f.chkSoftware.Count()) + " " +
                  std::to_string(f.chkWindows.Count()),
              "19 13 5");  // from the catalogue, Internet 14 hidden
    EXPECT_FALSE(f.chkInternet(14).Visible());
    for (auto* box : {&f.chkShredder, &f.chkRunStart, &f.chkAutoMin, &f.chkAutoCleanBrowse, &f.chkAutoCleanTime})
        EXPECT_EQ(box->Value(), 0);
    EXPECT_EQ(f.minuteCombo.Text(), "1");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.cntrlFirst(i).Text() + "+" + f.cntrlSecond(i).Text(), "Ctrl+F1");
    // The summary page, its button disabled; the Internet tab's frame matches currentTab.
    EXPECT_TRUE(f.fraWindow(0).Visible() && !f.fraWindow(1).Visible() && !f.fraWindow(2).Visible());
    EXPECT_TRUE(!f.ButtonEx1(0).Enabled() && f.ButtonEx1(1).Enabled());
    EXPECT_EQ(f.currentTab(), "Internet");
    EXPECT_TRUE(f.fraInternet.Visible() && !f.fraSoftware.Visible() && !f.fraWindows.Visible());
    EXPECT_FALSE(f.TCheck.Enabled() || f.Timer1.Enabled());
    EXPECT_TRUE(IsWindowVisible(f.Hwnd()));
}

TEST_F(MainWindowTest, LoadingRestoresEveryStoredOptionAndItsSideEffects) {
    for (const char* key : kOptions) Store("ProgramSettings", key, "1");
    Store("ProgramSettings", "minuteCombo", "7");
    Store("ProgramSettings", "cntrlFirst1", "Alt");
    Store("ProgramSettings", "cntrlSecond2", "F9");
    for (const char* key : {"chkInternet3", "chkInternet14", "chkSoftware12", "chkWindows1"}) Store("Settings", key, "1");
    Store("Settings", "chkWindows0", "0");
    shredder::UnregisterShredVerb();

    auto& f = OpenWindow();
    EXPECT_EQ(f.chkInternet(3).Value() + f.chkInternet(14).Value() + f.chkSoftware(12).Value() + f.chkWindows(1).Value(),
              4);
    EXPECT_EQ(f.chkInternet(4).Value() + f.chkWindows(0).Value(), 0);
    for (auto* box : {&f.chkShredder, &f.chkRunStart, &f.chkAutoMin, &f.chkAutoCleanBrowse, &f.chkAutoCleanTime})
        EXPECT_EQ(box->Value(), 1) << box->Name();
    EXPECT_EQ(f.minuteCombo.Text() + f.cntrlFirst(1).Text() + f.cntrlSecond(2).Text(), "7AltF9");
    // The intermediate saves ran with some boxes still clear and the minutes still "1";
    // since the stored values were read first, the last save holds all of them. The
    // hot-key boxes were filled before the first option re-saved everything.
    for (const char* key : kOptions) EXPECT_EQ(Stored("ProgramSettings", key), "1") << key;
    EXPECT_EQ(Stored("ProgramSettings", "minuteCombo"), "7");
    EXPECT_EQ(Stored("ProgramSettings", "cntrlFirst1") + Stored("ProgramSettings", "cntrlFirst0") +
                  Stored("ProgramSettings", "cntrlSecond2"),
              "AltCtrlF9");
    // The restored options did their work again: Run value, verb, timers.
    EXPECT_EQ(RunValue(), AddRun::RunCommand());
    EXPECT_TRUE(VerbExists());
    EXPECT_TRUE(f.TCheck.Enabled() && f.TCheck.Running());
    EXPECT_TRUE(f.Timer1.Enabled() && f.Timer1.Running());  // on the settings page, whose windows wait
    EXPECT_FALSE(f.TClosed.Enabled());
    shredder::UnregisterShredVerb();
}

TEST_F(MainWindowTest, HiddenPagesGetTheirWindowsWhenFirstShown) {
    Store("Settings", "chkWindows3", "1");
    auto& f = OpenWindow();
    EXPECT_NE(f.Get<gf::Control>("cmdClean").Hwnd(), nullptr);
    EXPECT_EQ(f.chkWindows(3).Hwnd(), nullptr);
    f.ButtonEx1_Click(1);
    ASSERT_NE(f.chkWindows(3).Hwnd(), nullptr);
    EXPECT_EQ(f.chkWindows(3).Value(), 1);
    EXPECT_EQ(f.cntrlFirst(0).Hwnd(), nullptr);
    f.ButtonEx1_Click(2);
    ASSERT_NE(f.cntrlFirst(0).Hwnd(), nullptr);
    // The combo box's window shows the text restored before it existed.
    char text[16] = "";
    GetWindowTextA(f.cntrlFirst(0).Hwnd(), text, sizeof text);
    EXPECT_STREQ(text, "Ctrl");
    EXPECT_TRUE(IsWindowVisible(f.cntrlFirst(0).Hwnd()));
}

TEST_F(MainWindowTest, StoredValuesThatAreNotNumbersLeaveBoxesClear) {
    Store("Settings", "chkInternet2", "abc");
    Store("Settings", "chkInternet5", "9");
    Store("Settings", "chkSoftware1", "2");  // the greyed state is a value the box takes
    Store("ProgramSettings", "AutoMin", "yes");
    Store("ProgramSettings", "AutoCleanBrowse", "True");
    auto& f = OpenWindow();
    EXPECT_EQ(f.chkInternet(2).Value() + f.chkInternet(5).Value() + f.chkAutoMin.Value(), 0);
    EXPECT_EQ(f.chkSoftware(1).Value(), 2);
    EXPECT_EQ(f.chkAutoCleanBrowse.Value(), 1);
    EXPECT_EQ(f.getMax(), 0);  // a greyed box is not ticked: the clean run leaves it out
}

TEST_F(MainWindowTest, LayoutAtFifteenTwipsPerPixelIsTheDesign) {
    auto& f = OpenWindow();
    for (const char* name : {"lblLastClean", "cmdClean", "Picture2", "List1", "imgLogo", "Label11"}) {
        const auto& row = DesignOf(name);
        auto& c = f.Get<gf::Control>(name);
        EXPECT_DOUBLE_EQ(c.Left(), row.left) << name;
        EXPECT_DOUBLE_EQ(c.Top(), row.top) << name;
        // The drawn buttons take their size from their saved extent (HiMetric).
        EXPECT_NEAR(c.Width(), row.width, 1) << name;
        EXPECT_NEAR(c.Height(), row.height, 1) << name;
    }
    EXPECT_DOUBLE_EQ(f.ButtonEx1(1).Top(), 2500);
    EXPECT_DOUBLE_EQ(f.fraWindow(2).Left(), 2500);
    RECT rc;
    GetClientRect(f.Hwnd(), &rc);
    EXPECT_EQ(testing_support::Xy(rc.right, rc.bottom), "600,497");
}

TEST_F(MainWindowTest, LayoutAtTwelveTwipsPerPixelScalesByPointEightOne) {
    gf::Screen::OverrideTwipsPerPixel(12, 12);
    auto& f = OpenWindow(false);
    double designWidth = f.Width(), designHeight = f.Height();
    f.Load();
    const float r = 12.0f / 15 + 0.01f;
    // The window itself by 0.8 exactly (within the pixel it is rounded to).
    EXPECT_NEAR(f.Width(), designWidth * 0.8, 12);
    EXPECT_NEAR(f.Height(), designHeight * 0.8, 12);
    // Containers and buttons moved and resized; labels, check boxes and the logo only moved.
    for (const char* name : {"Frame1", "cmdClean", "List1", "Picture2", "pgbClean", "lblLastClean", "chkShredder",
                             "imgLogo"}) {
        const auto& row = DesignOf(name);
        auto& c = f.Get<gf::Control>(name);
        bool resized = std::string("lblLastClean chkShredder imgLogo").find(name) == std::string::npos;
        EXPECT_NEAR(c.Left(), row.left * r, 0.01) << name;
        EXPECT_NEAR(c.Top(), row.top * r, 0.01) << name;
        EXPECT_NEAR(c.Width(), row.width * (resized ? r : 1), resized ? 1 : 0) << name;
        EXPECT_NEAR(c.Height(), row.height * (resized ? r : 1), resized ? 1 : 0) << name;
    }
    // Loading placed the pages and page buttons before scaling them; the skin keeps its
    // size and place.
    EXPECT_NEAR(f.fraWindow(1).Left(), 2500 * r, 0.01);
    EXPECT_NEAR(f.ButtonEx1(2).Top(), 3800 * r, 0.01);
    EXPECT_NEAR(f.chkInternet(18).Top(), DesignOf("chkInternet", 18).top * r, 0.01);
    EXPECT_DOUBLE_EQ(f.picMain.Width(), 9000);
    EXPECT_DOUBLE_EQ(f.picMain.Left(), 0);
}

TEST_F(MainWindowTest, FirstStartMarksItselfOnceAndTurnsTheShredderOn) {
    app::RunFirstStart();
    EXPECT_EQ(Stored("FirstRun", "FirstRun"), "1");
    EXPECT_EQ(Stored("ProgramSettings", "useShredder"), "1");
    // The next start skips the step: an option cleared meanwhile stays cleared.
    Store("ProgramSettings", "useShredder", "0");
    app::RunFirstStart();
    EXPECT_EQ(Stored("ProgramSettings", "useShredder"), "0");
    shredder::UnregisterShredVerb();
    // A mark that is no number counts as done.
    testing_support::ClearAppSettings();
    Store("FirstRun", "FirstRun", "yes");
    app::RunFirstStart();
    EXPECT_EQ(Stored("FirstRun", "FirstRun"), "yes");
    EXPECT_EQ(Stored("ProgramSettings", "useShredder"), "<none>");
}

namespace {

std::string Items(const gf::ControlArray<gf::CheckBox>& boxes) {
    std::string s;
    for (auto* b : boxes.Items()) s += std::to_string(b->Value());
    return s;
}

}  // namespace

TEST_F(MainWindowTest, CheckAllAndTabSwitchesNestAsTheyStore) {
    auto& f = OpenWindow();
    f.ButtonEx1_Click(1);
    // The user ticks two Software boxes one by one.
    f.chkSoftware(0).SetValue(1);
    f.chkSoftware(5).SetValue(1);
    EXPECT_EQ(Stored("Settings", "chkSoftware5"), "1");

    // "Check All" on the Internet tab ticks all 19, the hidden item 14 too, each storing.
    f.chkCheckAll.SetValue(1);
    EXPECT_TRUE(f.allInternet());
    EXPECT_EQ(Items(f.chkInternet), std::string(19, '1'));
    for (int i = 0; i <= 18; ++i) EXPECT_EQ(Stored("Settings", std::string("chkInternet").append(std::to_string(i))), "1") << i;

    // To Software with allSoftware false: the box clears inside the tab switch, and its
    // handler clears every Software box, also the two ticked by hand.
    f.SoftwareTab_Click();
    EXPECT_EQ(f.currentTab(), "Software");
    EXPECT_EQ(f.chkCheckAll.Value(), 0);
    EXPECT_FALSE(f.allSoftware());
    EXPECT_EQ(Items(f.chkSoftware), std::string(13, '0'));
    // Boxes that did not change were not stored.
    EXPECT_EQ(Stored("Settings", "chkSoftware0") + Stored("Settings", "chkSoftware5") +
                  Stored("Settings", "chkSoftware3"),
              "00<none>");
    EXPECT_TRUE(f.fraSoftware.Visible() && !f.fraInternet.Visible());
    // The Internet boxes and their flag stay as they were.
    EXPECT_TRUE(f.allInternet());
    EXPECT_EQ(Items(f.chkInternet), std::string(19, '1'));

    // Back to Internet: the box is ticked again and re-ticks a box cleared meanwhile.
    f.chkInternet(7).SetValue(0);
    EXPECT_EQ(Stored("Settings", "chkInternet7"), "0");
    f.InternetTab_Click();
    EXPECT_EQ(f.chkCheckAll.Value(), 1);
    EXPECT_EQ(f.chkInternet(7).Value(), 1);
    EXPECT_EQ(Stored("Settings", "chkInternet7"), "1");

    // The tab already shown: the box keeps its value, nothing else changes.
    f.chkInternet(2).SetValue(0);
    f.InternetTab_Click();
    EXPECT_EQ(f.chkInternet(2).Value(), 0);
    EXPECT_TRUE(f.fraInternet.Visible());

    // Clearing "Check All" clears the current tab's boxes and its flag.
    f.chkCheckAll.SetValue(0);
    EXPECT_FALSE(f.allInternet());
    EXPECT_EQ(Items(f.chkInternet), std::string(19, '0'));
    f.WindowTab_Click();
    EXPECT_EQ(f.currentTab(), "Windows");
    f.chkCheckAll.SetValue(1);
    EXPECT_EQ(Items(f.chkWindows), "11111");
    EXPECT_EQ(Items(f.chkInternet), std::string(19, '0'));
}

TEST_F(MainWindowTest, PageButtonsShowOnePageReloadCaptionsAndRefreshTheStatus) {
    auto& f = OpenWindow();
    Store("SystemInfo", "LastRun", "yesterday");
    f.ButtonEx1_Click(2);
    EXPECT_TRUE(f.fraWindow(2).Visible() && !f.fraWindow(0).Visible() && !f.fraWindow(1).Visible());
    EXPECT_TRUE(!f.ButtonEx1(2).Enabled() && f.ButtonEx1(0).Enabled() && f.ButtonEx1(1).Enabled());
    EXPECT_EQ(f.lblLastClean.Caption(), "yesterday");
}

// Explorer restarts while the window waits hidden in the tray: the shell's icons are
// gone, and its "TaskbarCreated" brings the program's back, the window still hidden.
TEST_F(MainWindowTest, TheIconComesBackWhenTheShellMakesTheTrayAnew) {
    auto& f = OpenWindow();
    NOTIFYICONDATAA nid = app::TrayIconRecord(f.Hwnd(), app::WindowIcon(f.Hwnd()));
    ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &nid)) << "loading added the icon";
    SendMessageA(f.Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));
    ASSERT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &nid));
    SendMessageA(f.Hwnd(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &nid));
    EXPECT_TRUE(f.Loaded() && !f.Visible());
}

TEST_F(MainWindowTest, RunOnStartUpWritesAQuotedCommandAndDeletesIt) {
    auto& f = OpenWindow();
    f.chkRunStart.SetValue(1);
    EXPECT_EQ(Stored("ProgramSettings", "AutoRun"), "1");
    EXPECT_EQ(RunValue(), AddRun::RunCommand());
    EXPECT_EQ(RunValue(), "\"D:\\tests\\bin\\app_mainwin_test\"");
    EXPECT_EQ(RunValue().find(".exe"), std::string::npos);
    f.chkRunStart.SetValue(0);
    EXPECT_EQ(Stored("ProgramSettings", "AutoRun"), "0");
    EXPECT_EQ(RunValue(), "<none>");
    AddRun::RemoveRunEntry(AddRun::kRunName);  // a value that is not there: nothing changes
    EXPECT_EQ(RunValue(), "<none>");
}

TEST_F(MainWindowTest, EachOptionStoresTheWholeSetAndACleaningBoxOnlyItself) {
    auto& f = OpenWindow();
    f.chkSoftware(12).SetValue(1);
    EXPECT_EQ(Stored("Settings", "chkSoftware12"), "1");
    EXPECT_FALSE(SectionExists("ProgramSettings"));

    f.cntrlFirst(2).SetText("Shift");  // typed, not picked: no save yet
    EXPECT_FALSE(SectionExists("ProgramSettings"));
    f.chkAutoMin.SetValue(1);
    EXPECT_EQ(Stored("ProgramSettings", "AutoMin"), "1");
    EXPECT_EQ(Stored("ProgramSettings", "cntrlFirst2"), "Shift");
    EXPECT_EQ(Stored("ProgramSettings", "cntrlSecond0"), "F1");
    EXPECT_EQ(Stored("ProgramSettings", "minuteCombo"), "1");
    for (const char* key : {"AutoRun", "AutoCleanBrowse", "AutoCleanTime", "useShredder"})
        EXPECT_EQ(Stored("ProgramSettings", key), "0") << key;

    // The minutes box stores at every change of its text.
    f.minuteCombo.SetText("1");
    f.minuteCombo.SetText("15");
    EXPECT_EQ(Stored("ProgramSettings", "minuteCombo"), "15");
    f.minuteCombo.SetText("");
    EXPECT_EQ(Stored("ProgramSettings", "minuteCombo"), "");

    // Picking a hot-key item stores the set.
    f.cntrlSecond(1).SetListIndex(5);
    EXPECT_EQ(Stored("ProgramSettings", "cntrlSecond1"), "F5");
}

TEST_F(MainWindowTest, MinimizeOnStartupMinimizesTheShownWindow) {
    auto& f = OpenWindow();
    f.ApplyStartupState();
    EXPECT_FALSE(IsIconic(f.Hwnd()));
    CloseWindow();
    Store("ProgramSettings", "AutoMin", "1");
    auto& g = OpenWindow();
    g.Show();
    g.ApplyStartupState();
    testing_support::PumpFor(50);
    EXPECT_TRUE(IsIconic(g.Hwnd()));
    EXPECT_EQ(g.WindowState(), gf::vbMinimized);
}

TEST_F(MainWindowTest, CleanRunsTickedItemsInOrderWithTheBarAheadOfEachItem) {
    auto& f = OpenWindow();
    f.chkInternet(0).SetValue(1);
    f.chkInternet(18).SetValue(1);
    f.chkSoftware(12).SetValue(1);
    f.chkWindows(4).SetValue(1);
    f.chkSoftware(3).SetValue(2);  // greyed: not ticked
    EXPECT_EQ(f.getMax(), 4);
    f.clean();
    ASSERT_EQ(erased.size(), 4u);
    const struct {
        Group g;
        short i;
        const char* status;
    } expected[] = {{Group::Internet, 0, "Cleaning Internet Explorer Entered URL's"},
                    {Group::Internet, 18, "Cleaning Yahoo Entered Search Words"},
                    {Group::Software, 12, "Cleaning Word Pad Recent Files"},
                    {Group::Windows, 4, "Cleaning Windows Recycle Bin"}};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(erased[k].group, expected[k].g) << k;
        EXPECT_EQ(erased[k].index, expected[k].i) << k;
        EXPECT_EQ(erased[k].progress, k + 1.0) << k;
        EXPECT_EQ(erased[k].max, 4.0);
        EXPECT_EQ(erased[k].status, expected[k].status);
        EXPECT_TRUE(erased[k].barVisible);
    }
    // Afterwards the bar and the line are hidden, the time is stored and shown.
    EXPECT_FALSE(f.pgbClean.Visible() || f.lblCleanStatus.Visible());
    std::string last = Stored("SystemInfo", "LastRun");
    EXPECT_NE(last, "<none>");
    EXPECT_EQ(f.lblLastClean.Caption(), last);
}

TEST_F(MainWindowTest, CleanWithNothingTickedStillStoresTheTime) {
    auto& f = OpenWindow();
    f.clean();
    EXPECT_TRUE(erased.empty());
    EXPECT_NE(Stored("SystemInfo", "LastRun"), "<none>");
    EXPECT_NE(f.lblLastClean.Caption(), "Never");
}

TEST_F(MainWindowTest, ACleanRequestDuringARunIsIgnored) {
    auto& f = OpenWindow();
    f.chkInternet(1).SetValue(1);
    f.chkWindows(2).SetValue(1);
    int nested = 0;
    duringErase = [&] {
        if (nested++ == 0) f.clean();  // the hot key or a timer, while the loop runs
        EXPECT_TRUE(f.pgbClean.Visible() && f.lblCleanStatus.Visible());
    };
    f.clean();
    ASSERT_EQ(erased.size(), 2u);
    EXPECT_EQ(erased[1].progress, 2.0);
    EXPECT_TRUE(erased[1].barVisible);
    EXPECT_FALSE(f.CleanRunning());
    // Once the run has ended, the next request runs again.
    duringErase = nullptr;
    f.clean();
    EXPECT_EQ(erased.size(), 4u);
}

// Items that fail, with a numbered error or with something that is no standard
// exception at all, end only themselves; the run ends whole and the next one runs.
TEST_F(MainWindowTest, AnItemThatFailsEndsOnlyThatItem) {
    auto& f = OpenWindow();
    for (int i : {8, 11, 12}) f.chkSoftware(i).SetValue(1);
    f.SetItemCleaner([&](Group g, short i, const ModCleaning::StatusLabel& status, const std::string& tag) {
        erased.push_back({g, i, f.pgbClean.Value(), 0, "", true});
        if (i == 8) throw gf::Error(11006, "clsRegistry", "DeleteKey");
        if (i == 11) throw 11;
    });
    f.clean();
    ASSERT_EQ(erased.size(), 3u);
    EXPECT_EQ(erased[2].index, 12);
    EXPECT_NE(Stored("SystemInfo", "LastRun"), "<none>");
    EXPECT_FALSE(f.CleanRunning() || f.pgbClean.Visible());
    f.clean();
    EXPECT_EQ(erased.size(), 6u);
}

TEST_F(MainWindowTest, StatusDisplayTexts) {
    auto& f = OpenWindow();
    const std::string defaults = "Clean:" + std::string(19, ' ') + "Ctrl+F1\r\nHide Windows:" +
                                 std::string(5, ' ') + "Ctrl+F1\r\nShow Windows:" + std::string(4, ' ') + "Ctrl+F1";
    f.UpdateInfo();
    EXPECT_EQ(f.lblLastClean.Caption(), "Never");
    EXPECT_EQ(f.lblAutoClean.Caption(), "Off");
    EXPECT_EQ(f.lblBossKey.Caption(), defaults);

    Store("ProgramSettings", "AutoCleanTime", "1");
    f.UpdateInfo();
    EXPECT_EQ(f.lblAutoClean.Caption(), "Clean every 0 Minute(s)");
    Store("ProgramSettings", "minuteCombo", "5");
    Store("ProgramSettings", "AutoCleanBrowse", "True");
    f.UpdateInfo();
    EXPECT_EQ(f.lblAutoClean.Caption(), "Clean After Browsing, Clean every 5 Minute(s)");
    Store("ProgramSettings", "AutoCleanTime", "0");
    f.UpdateInfo();
    EXPECT_EQ(f.lblAutoClean.Caption(), "Clean After Browsing");

    // Read from the store, never from the boxes.
    Store("ProgramSettings", "cntrlFirst1", "Alt");
    Store("ProgramSettings", "cntrlSecond1", "F5");
    Store("ProgramSettings", "cntrlFirst2", "Shift");
    Store("ProgramSettings", "cntrlSecond2", "Space");
    Store("SystemInfo", "LastRun", "12/06/2026 10:00:00 AM");
    f.UpdateInfo();
    EXPECT_EQ(f.cntrlFirst(1).Text(), "Ctrl");
    EXPECT_EQ(f.lblLastClean.Caption(), "12/06/2026 10:00:00 AM");
    EXPECT_EQ(f.lblBossKey.Caption(), "Clean:                   Ctrl+F1\r\nHide Windows:     Alt+F5\r\n"
                                      "Show Windows:    Shift+Space");
}
