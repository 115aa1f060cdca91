// The main window's loading: its order, what it restores and re-saves, and the layout
// at 15 and at 12 twips per pixel; and start-up's first-run step. Real windows under
// Xvfb. GF_EXCLUSIVE_DISPLAY
// GF_EXCLUSIVE_PROFILE: the shred verb is one machine-wide key.
#include "MainWinTesting.h"
#include "app/Startup.h"
#include "app/frmMainDesign.h"
#include "shredder/ShredVerb.h"

using namespace mainwin_testing;

namespace {

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
    EXPECT_EQ(rc.right * 1000 + rc.bottom, 600497);
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
