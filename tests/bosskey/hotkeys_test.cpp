// The boss key on real windows of the display: hiding and showing top-level windows by
// caption, hot keys registered from the stored choices, and the replaced window
// procedure. (Real key presses on the display, with another program's window hidden
// and shown, are the whole program's test: tests/e2e/bosskey_test.sh.)
// GF_EXCLUSIVE_DISPLAY: hot keys and the activation are shared.
#include <windows.h>

#include <gtest/gtest.h>

#include "BossKeyTesting.h"
#include "TestSupport.h"
#include "bosskey/HideWindows.h"
#include "bosskey/HotKeys.h"
#include "framework/App.h"

using namespace testing_support;
using namespace bosskey_testing;
using bosskey::HotKeyChoices;

TEST(HideWindows, MatchesPartOfTheTitleInAnyCaseAndNothingElse) {
    const std::string stem = UniqueName("GfHideCase");
    PlainWindow first(stem + " Document - Editor");
    PlainWindow second("Other " + stem, true, 400, 80);
    PlainWindow bystander(UniqueName("GfBystander"), true, 80, 300);

    EXPECT_EQ(bosskey::HideWindowsByCaption(Lower(stem.substr(2))), 2);
    EXPECT_FALSE(IsWindowVisible(first.hwnd()));
    EXPECT_FALSE(IsWindowVisible(second.hwnd()));
    EXPECT_TRUE(IsWindowVisible(bystander.hwnd()));

    // An empty caption names no window (not every titled one).
    EXPECT_EQ(bosskey::HideWindowsByCaption(""), 0);
    EXPECT_EQ(bosskey::ShowWindowsByCaption(""), 0);
    EXPECT_TRUE(IsWindowVisible(bystander.hwnd()));
    EXPECT_FALSE(IsWindowVisible(first.hwnd()));
}

TEST(HideWindows, ShowRestoresNormalStateAndAlsoShowsWindowsNeverShown) {
    const std::string stem = UniqueName("GfShowState");
    PlainWindow maximized(stem + " one");
    ShowWindow(maximized.hwnd(), SW_MAXIMIZE);
    PlainWindow minimized(stem + " two", true, 400, 80);
    ShowWindow(minimized.hwnd(), SW_MINIMIZE);
    PlainWindow neverShown(stem + " three", false);
    PumpFor(50);

    EXPECT_EQ(bosskey::HideWindowsByCaption(stem), 3);
    EXPECT_FALSE(IsWindowVisible(maximized.hwnd()));
    // Each window is acted on once, though showing reorders the stack during the walk.
    EXPECT_EQ(bosskey::ShowWindowsByCaption(stem), 3);
    for (HWND h : {maximized.hwnd(), minimized.hwnd(), neverShown.hwnd()}) {
        EXPECT_TRUE(IsWindowVisible(h));
        EXPECT_FALSE(IsZoomed(h));
        EXPECT_FALSE(IsIconic(h));
    }
}

namespace {

// Whether hot key id of hwnd was registered; it is not afterwards.
bool TakeRegistration(HWND hwnd, int id) { return UnregisterHotKey(hwnd, id) != FALSE; }

class HotKeys : public ::testing::Test {
protected:
    void SetUp() override {
        ClearAppSettings();
        bosskey::BuildHotKeyTables();
    }
    void TearDown() override { ClearAppSettings(); }
};

}  // namespace

TEST_F(HotKeys, DefaultsGiveOnlyTheCleanKeyAndUnknownNamesAreSkipped) {
    // Names match in any case; a plain code typed into a box works too.
    EXPECT_EQ(bosskey::GetModifierCode("shift"), MOD_SHIFT);
    EXPECT_EQ(bosskey::GetKeyCode("f12"), 123);
    EXPECT_EQ(bosskey::GetKeyCode(" 65 "), 65);
    EXPECT_FALSE(bosskey::GetKeyCode("F13"));
    bosskey::BuildHotKeyTables();  // built again at a second start, not doubled
    EXPECT_EQ(bosskey::colKeys().Entries().size(), 13u);

    PlainWindow main(UniqueName("GfHotKeyMain"));
    RecordingHost host;
    bosskey::StartHotKeys(main.hwnd(), bosskey::ReadStoredHotKeys(), host);
    EXPECT_FALSE(ComboIsFree(MOD_CONTROL, VK_F1));
    EXPECT_TRUE(TakeRegistration(main.hwnd(), 0));
    EXPECT_FALSE(TakeRegistration(main.hwnd(), 1)) << "all three default to Ctrl+F1";
    EXPECT_FALSE(TakeRegistration(main.hwnd(), 2));

    // Refreshing unregisters first; a row with an unknown name is left out while the
    // rows after it still register.
    bosskey::RefreshHotKeys(main.hwnd(), {{{"Ctrl", "F2"}, {"Hyper", "F3"}, {"Shift", "F4"}}});
    bosskey::RefreshHotKeys(main.hwnd(), {{{"Ctrl", "F5"}, {"Alt", "F14"}, {"Shift", "F6"}}});
    EXPECT_TRUE(ComboIsFree(MOD_CONTROL, VK_F2));
    EXPECT_FALSE(ComboIsFree(MOD_SHIFT, VK_F6));
    EXPECT_FALSE(TakeRegistration(main.hwnd(), 1));
    EXPECT_TRUE(TakeRegistration(main.hwnd(), 2));
}

TEST_F(HotKeys, ReplacedProcedurePassesOtherMessagesAndDispatchesHotKeys) {
    const std::string mainTitle = UniqueName("GfHotKeyMain");
    PlainWindow main(mainTitle);
    PlainWindow hideMe(UniqueName("GfHideMe"), true, 420, 80);
    RecordingHost host;
    host.captions = {{mainTitle, false}, {"", true}, {Lower(bosskey::WindowTitle(hideMe.hwnd())), true}};
    const HotKeyChoices choices{{{"Ctrl", "F7"}, {"Ctrl", "F8"}, {"Ctrl", "F9"}}};
    bosskey::StartHotKeys(main.hwnd(), choices, host);
    // A second start must not subclass again (that would recurse forever).
    bosskey::StartHotKeys(main.hwnd(), choices, host);

    EXPECT_EQ(SendMessageA(main.hwnd(), WM_APP, 12, 34), 12034);

    EXPECT_EQ(SendMessageA(main.hwnd(), WM_HOTKEY, 0, 0), 1);
    EXPECT_EQ(host.cleans, 1);
    EXPECT_EQ(SendMessageA(main.hwnd(), WM_HOTKEY, 0x100, 0), 1);  // only the low 8 bits count
    EXPECT_EQ(host.cleans, 2);

    SendMessageA(main.hwnd(), WM_HOTKEY, 1, 0);
    EXPECT_FALSE(IsWindowVisible(hideMe.hwnd()));
    EXPECT_TRUE(IsWindowVisible(main.hwnd())) << "unticked and empty entries hide nothing";
    SendMessageA(main.hwnd(), WM_HOTKEY, 7, 0);  // any id but 0 and 1 shows
    EXPECT_TRUE(IsWindowVisible(hideMe.hwnd()));
    EXPECT_EQ(host.cleans, 2);
}
