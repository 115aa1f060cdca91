// The clean run (order, progress, status line, "LastRun", the ignored second request)
// and the status display's exact texts. Real windows under Xvfb; a recorder stands in
// for the erasing. GF_EXCLUSIVE_DISPLAY
#include "MainWinTesting.h"

using namespace mainwin_testing;
using ModCleaning::Group;

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

TEST_F(MainWindowTest, AnItemThatFailsEndsOnlyThatItem) {
    auto& f = OpenWindow();
    f.chkSoftware(8).SetValue(1);
    f.chkSoftware(11).SetValue(1);
    f.SetItemCleaner([&](Group g, short i, const ModCleaning::StatusLabel& status, const std::string& tag) {
        erased.push_back({g, i, f.pgbClean.Value(), 0, "", true});
        if (i == 8) throw gf::Error(11006, "clsRegistry", "DeleteKey");
    });
    f.clean();
    ASSERT_EQ(erased.size(), 2u);
    EXPECT_EQ(erased[1].index, 11);
    EXPECT_NE(Stored("SystemInfo", "LastRun"), "<none>");
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
