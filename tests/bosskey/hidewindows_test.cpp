// Hiding and showing top-level windows by caption, on real windows of the display.
// GF_EXCLUSIVE_DISPLAY: showing windows moves the activation between windows.
#include <windows.h>

#include <gtest/gtest.h>

#include "BossKeyTesting.h"
#include "TestSupport.h"
#include "bosskey/HideWindows.h"

using namespace testing_support;
using namespace bosskey_testing;

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
