// Finding browsers among real processes, and the watcher following real stand-in
// browsers (a helper program copied as IEXPLORE.EXE / FIREFOX.EXE) through its two
// states on real timers.
// Starts programs under browser names, which must not overlap with other tests that
// do the same: GF_EXCLUSIVE_DISPLAY
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "TestSupport.h"
#include "app/AutoClean.h"
#include "app/CheckProcess.h"
#include "watcher_support.h"

using namespace testing_support;
using watcher_support::LoopTimer;
using watcher_support::StandIn;

TEST(IsProcessRunning, MatchesTheWholeExecutableNameTrimmedInAnyCase) {
    ScratchDir dir;
    EXPECT_FALSE(app::IsProcessRunning("IEXPLORE.EXE"));
    {
        StandIn ie(dir, "IEXPLORE.EXE");
        StandIn ff(dir, "Firefox.exe");
        ASSERT_TRUE(ie.Started() && ff.Started());
        EXPECT_TRUE(app::IsProcessRunning("IEXPLORE.EXE"));
        EXPECT_TRUE(app::IsProcessRunning("  iexplore.exe "));
        EXPECT_TRUE(app::IsProcessRunning("FIREFOX.EXE"));
        EXPECT_FALSE(app::IsProcessRunning("IEXPLORE"));
        EXPECT_FALSE(app::IsProcessRunning("XPLORE.EXE"));
        EXPECT_FALSE(app::IsProcessRunning(""));
        EXPECT_FALSE(app::IsProcessRunning("   "));
        // One walk for several names answers each of them.
        EXPECT_EQ(app::process::FindRunning({"IEXPLORE.EXE", "NOSUCH.EXE", " firefox.exe", ""}),
                  (std::vector<bool>{true, false, true, false}));
    }
    // Gone once they end.
    EXPECT_FALSE(app::IsProcessRunning("IEXPLORE.EXE"));
    EXPECT_FALSE(app::IsProcessRunning("FIREFOX.EXE"));
    // One more letter in front is another program.
    StandIn longer(dir, "XIEXPLORE.EXE");
    ASSERT_TRUE(longer.Started());
    EXPECT_FALSE(app::IsProcessRunning("IEXPLORE.EXE"));
    EXPECT_TRUE(app::IsProcessRunning("xiexplore.exe"));
}

TEST(IsProcessRunning, SeesEveryProcessWhenTheListOutgrowsItsFirstBuffers) {
    ScratchDir dir;
    std::vector<std::unique_ptr<StandIn>> fillers;
    for (int i = 0; i < 40; ++i) fillers.push_back(std::make_unique<StandIn>(dir, "FILLER.EXE"));
    StandIn last(dir, "LASTSTARTED.EXE");
    ASSERT_TRUE(last.Started());
    auto ids = app::process::ProcessIds();
    EXPECT_GT(ids.size(), 41u);
    for (auto& f : fillers) {
        ASSERT_TRUE(f->Started());
        EXPECT_NE(std::find(ids.begin(), ids.end(), f->Pid()), ids.end());
    }
    EXPECT_NE(std::find(ids.begin(), ids.end(), last.Pid()), ids.end());
    EXPECT_TRUE(app::IsProcessRunning("LastStarted.exe"));
}

namespace {

// The main window's two watcher timers, ticking fast, and the cleans they cause.
struct Watch {
    LoopTimer tCheck{"TCheck", 40};
    LoopTimer tClosed{"TClosed", 40};
    std::vector<int> cleanAtClosedTick;  // TClosed's tick count at each clean
    app::BrowserWatcher watcher{tCheck, tClosed, [this] { cleanAtClosedTick.push_back(tClosed.ticks); }};
    Watch() {
        tCheck.onTick = [this] { watcher.TCheck_Timer(); };
        tClosed.onTick = [this] { watcher.TClosed_Timer(); };
    }
    bool WaitingForClose() { return PumpUntil([this] { return tClosed.Enabled() && !tCheck.Enabled(); }, 10000); }
    bool WaitingForBrowser() { return PumpUntil([this] { return tCheck.Enabled() && !tClosed.Enabled(); }, 10000); }
};

}  // namespace

TEST(BrowserWatcher, OneBrowserSeenThenClosedGivesOneClean) {
    ScratchDir dir;
    Watch w;
    w.watcher.SetActive(true);
    PumpUntil([&] { return w.tCheck.ticks >= 5; });
    EXPECT_TRUE(w.tCheck.Enabled());
    EXPECT_FALSE(w.tClosed.Enabled());
    EXPECT_TRUE(w.cleanAtClosedTick.empty());

    StandIn ie(dir, "IEXPLORE.EXE");
    ASSERT_TRUE(w.WaitingForClose());
    EXPECT_TRUE(w.watcher.ieOpen());
    EXPECT_FALSE(w.watcher.firefoxOpen());
    PumpUntil([&] { return w.tClosed.ticks >= 3; });
    EXPECT_TRUE(w.cleanAtClosedTick.empty()) << "no clean while the browser runs";

    ie.End();
    ASSERT_TRUE(w.WaitingForBrowser());
    EXPECT_EQ(w.cleanAtClosedTick.size(), 1u);
    PumpFor(300);
    EXPECT_EQ(w.cleanAtClosedTick.size(), 1u);
}

TEST(BrowserWatcher, BothClosedBeforeATickGiveTwoCleansInThatTick) {
    ScratchDir dir;
    Watch w;
    auto ie = std::make_unique<StandIn>(dir, "IEXPLORE.EXE");
    auto ff = std::make_unique<StandIn>(dir, "FIREFOX.EXE");
    w.watcher.SetActive(true);
    ASSERT_TRUE(w.WaitingForClose());
    EXPECT_TRUE(w.watcher.ieOpen() && w.watcher.firefoxOpen());
    // No message is handled between the two ends, so no tick falls between them.
    ie.reset();
    ff.reset();
    ASSERT_TRUE(w.WaitingForBrowser());
    ASSERT_EQ(w.cleanAtClosedTick.size(), 2u);
    EXPECT_EQ(w.cleanAtClosedTick[0], w.cleanAtClosedTick[1]);
}

TEST(BrowserWatcher, BrowsersClosingOneAfterTheOtherEachGiveAClean) {
    ScratchDir dir;
    Watch w;
    StandIn ie(dir, "IEXPLORE.EXE");
    StandIn ff(dir, "FIREFOX.EXE");
    w.watcher.SetActive(true);
    ASSERT_TRUE(w.WaitingForClose());
    ie.End();
    ASSERT_TRUE(PumpUntil([&] { return !w.cleanAtClosedTick.empty(); }, 10000));
    // Firefox still runs: the next TCheck tick sees it alone and waits again.
    ASSERT_TRUE(PumpUntil([&] { return w.tClosed.Enabled() && !w.watcher.ieOpen(); }, 10000));
    EXPECT_TRUE(w.watcher.firefoxOpen());
    EXPECT_EQ(w.cleanAtClosedTick.size(), 1u);
    ff.End();
    ASSERT_TRUE(w.WaitingForBrowser());
    EXPECT_EQ(w.cleanAtClosedTick.size(), 2u);
}
