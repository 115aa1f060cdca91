// Finding browsers among real processes, and the watcher following real stand-in
// browsers (a helper copied as IEXPLORE.EXE / FIREFOX.EXE) on real timers.
// Starts programs under browser names, never alongside other such tests: GF_EXCLUSIVE_DISPLAY
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/AutoClean.h"
#include "app/CheckProcess.h"
#include "watcher_support.h"

using namespace testing_support;
using watcher_support::LoopTimer;
using watcher_support::StandIn;

TEST(IsProcessRunning, MatchesTheWholeExecutableNameTrimmedInAnyCase) {
    ScratchDir dir;
    {
        StandIn ie(dir, "IEXPLORE.EXE"), ff(dir, "Firefox.exe");
        ASSERT_TRUE(ie.Started() && ff.Started());
        EXPECT_TRUE(app::IsProcessRunning("  iexplore.exe "));
        EXPECT_TRUE(app::IsProcessRunning("FIREFOX.EXE"));
        for (const char* other : {"IEXPLORE", "XPLORE.EXE", "", "  "}) EXPECT_FALSE(app::IsProcessRunning(other)) << other;
        EXPECT_EQ(app::process::FindRunning({"IEXPLORE.EXE", "NOSUCH.EXE", " firefox.exe"}),
                  (std::vector<bool>{true, false, true}));
    }
    EXPECT_FALSE(app::IsProcessRunning("IEXPLORE.EXE")) << "gone once ended";
    StandIn longer(dir, "XIEXPLORE.EXE");  // one more letter is another program
    ASSERT_TRUE(longer.Started());
    EXPECT_FALSE(app::IsProcessRunning("IEXPLORE.EXE"));
    EXPECT_TRUE(app::IsProcessRunning("xiexplore.exe"));
}

TEST(IsProcessRunning, SeesEveryProcessWhenTheListOutgrowsItsBuffer) {
    ScratchDir dir;
    std::vector<std::unique_ptr<StandIn>> started;
    for (int i = 0; i < 40; ++i) started.push_back(std::make_unique<StandIn>(dir, "FILLER.EXE"));
    started.push_back(std::make_unique<StandIn>(dir, "LASTSTARTED.EXE"));
    auto ids = app::process::ProcessIds();
    for (auto& p : started) {
        ASSERT_TRUE(p->Started());
        EXPECT_NE(std::find(ids.begin(), ids.end(), p->Pid()), ids.end());
    }
    EXPECT_TRUE(app::IsProcessRunning("LastStarted.exe"));
}

namespace {

struct Watch {
    LoopTimer tCheck{"TCheck", 40}, tClosed{"TClosed", 40};
    std::vector<int> cleanAtClosedTick;  // TClosed's tick count at each clean
    app::BrowserWatcher watcher{tCheck, tClosed, [this] { cleanAtClosedTick.push_back(tClosed.ticks); }};
    Watch() {
        tCheck.onTick = [this] { watcher.TCheck_Timer(); };
        tClosed.onTick = [this] { watcher.TClosed_Timer(); };
        watcher.SetActive(true);
    }
    bool WaitingForClose() { return PumpUntil([this] { return tClosed.Enabled() && !tCheck.Enabled(); }, 10000); }
    bool WaitingForBrowser() { return PumpUntil([this] { return tCheck.Enabled() && !tClosed.Enabled(); }, 10000); }
};

}  // namespace

TEST(BrowserWatcher, BothClosedBeforeATickGiveTwoCleansInThatTick) {
    ScratchDir dir;
    Watch w;
    PumpUntil([&] { return w.tCheck.ticks >= 3; });
    EXPECT_TRUE(w.WaitingForBrowser());
    auto ie = std::make_unique<StandIn>(dir, "IEXPLORE.EXE");
    auto ff = std::make_unique<StandIn>(dir, "FIREFOX.EXE");
    ASSERT_TRUE(w.WaitingForClose());
    EXPECT_TRUE(w.watcher.ieOpen() && w.watcher.firefoxOpen());
    PumpUntil([&] { return w.tClosed.ticks >= 3; });
    EXPECT_TRUE(w.cleanAtClosedTick.empty()) << "no clean while they run";
    ie.reset();  // no message is handled between the two ends, so no tick either
    ff.reset();
    ASSERT_TRUE(w.WaitingForBrowser());
    ASSERT_EQ(w.cleanAtClosedTick.size(), 2u);
    EXPECT_EQ(w.cleanAtClosedTick[0], w.cleanAtClosedTick[1]);
}

TEST(BrowserWatcher, BrowsersClosingOneAfterTheOtherEachGiveAClean) {
    ScratchDir dir;
    StandIn ie(dir, "IEXPLORE.EXE"), ff(dir, "FIREFOX.EXE");
    Watch w;
    ASSERT_TRUE(w.WaitingForClose());
    ie.End();
    ASSERT_TRUE(PumpUntil([&] { return !w.cleanAtClosedTick.empty(); }, 10000));
    // Firefox still runs: the next TCheck tick sees it alone and waits again.
    ASSERT_TRUE(PumpUntil([&] { return w.tClosed.Enabled() && !w.watcher.ieOpen(); }, 10000));
    EXPECT_TRUE(w.watcher.firefoxOpen());
    ff.End();
    ASSERT_TRUE(w.WaitingForBrowser());
    EXPECT_EQ(w.cleanAtClosedTick.size(), 2u);
}
