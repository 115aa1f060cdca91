// Pages, tabs and "Check All" of the main window, with their nested handlers and the
// stores they make. Real windows under Xvfb. GF_EXCLUSIVE_DISPLAY
#include "MainWinTesting.h"

using namespace mainwin_testing;

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
    for (int i = 0; i <= 18; ++i) EXPECT_EQ(Stored("Settings", "chkInternet" + std::to_string(i)), "1") << i;

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
