// The watcher's state machine against browsers that the test switches on and off, on
// real timers: switching the option, and ticks that arrive while a handler still runs
// (the clean run and the process walk let the message loop run).
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "TestSupport.h"
#include "app/AutoClean.h"
#include "watcher_support.h"

using namespace testing_support;
using watcher_support::LoopTimer;

namespace {

struct FakeWatch {
    LoopTimer tCheck{"TCheck", 20};
    LoopTimer tClosed{"TClosed", 20};
    std::map<std::string, bool> running;
    int cleans = 0;
    int probeDepth = 0, maxProbeDepth = 0;
    std::function<void()> duringClean;
    std::function<void()> duringProbe;
    app::BrowserWatcher watcher{tCheck, tClosed,
                                [this] {
                                    ++cleans;
                                    if (duringClean) duringClean();
                                },
                                [this] {
                                    ++probeDepth;
                                    maxProbeDepth = std::max(maxProbeDepth, probeDepth);
                                    if (duringProbe) duringProbe();
                                    --probeDepth;
                                    return app::BrowsersRunning{running["IEXPLORE.EXE"], running["FIREFOX.EXE"]};
                                }};
    FakeWatch() {
        tCheck.onTick = [this] { watcher.TCheck_Timer(); };
        tClosed.onTick = [this] { watcher.TClosed_Timer(); };
    }
    bool Closed() { return PumpUntil([this] { return tClosed.Enabled(); }, 3000); }
};

}  // namespace

TEST(BrowserWatcherState, ClearingTheOptionStopsBothStatesAndTickingAgainWaitsAfresh) {
    FakeWatch w;
    w.running["FIREFOX.EXE"] = true;
    w.watcher.SetActive(true);
    ASSERT_TRUE(w.Closed());
    w.watcher.SetActive(false);
    EXPECT_FALSE(w.tCheck.Enabled());
    EXPECT_FALSE(w.tClosed.Enabled());
    w.running["FIREFOX.EXE"] = false;
    PumpFor(200);
    EXPECT_EQ(w.cleans, 0) << "a cleared option never cleans";

    w.watcher.SetActive(true);
    EXPECT_TRUE(w.tCheck.Enabled());
    EXPECT_FALSE(w.tClosed.Enabled());
    // Ticking it while a seen browser is awaited keeps waiting for that browser.
    w.running["IEXPLORE.EXE"] = true;
    ASSERT_TRUE(w.Closed());
    w.watcher.SetActive(true);
    EXPECT_TRUE(w.tClosed.Enabled());
    EXPECT_FALSE(w.tCheck.Enabled());
}

TEST(BrowserWatcherState, ABrowserStartedWhileWaitingForACloseIsNotRemembered) {
    FakeWatch w;
    w.running["IEXPLORE.EXE"] = true;
    w.watcher.SetActive(true);
    ASSERT_TRUE(w.Closed());
    w.running["FIREFOX.EXE"] = true;
    PumpFor(100);
    EXPECT_FALSE(w.watcher.firefoxOpen());
    w.running["FIREFOX.EXE"] = false;
    PumpFor(100);
    EXPECT_EQ(w.cleans, 0);
    EXPECT_TRUE(w.tClosed.Enabled());
}

TEST(BrowserWatcherState, TicksArrivingWhileAHandlerRunsAreDropped) {
    FakeWatch w;
    // The clean lets the loop run long enough for several TClosed ticks.
    w.duringClean = [] { PumpFor(150); };
    w.running["IEXPLORE.EXE"] = true;
    w.watcher.SetActive(true);
    ASSERT_TRUE(w.Closed());
    w.running["IEXPLORE.EXE"] = false;
    ASSERT_TRUE(PumpUntil([&] { return w.tCheck.Enabled(); }, 3000));
    PumpFor(100);
    EXPECT_EQ(w.cleans, 1);

    // A walk of the process list that lets the loop run is not entered again.
    w.duringProbe = [] { PumpFor(60); };
    PumpFor(300);
    EXPECT_EQ(w.maxProbeDepth, 1);
}

TEST(BrowserWatcherState, OptionClearedDuringTheCleanLeavesEveryTimerOff) {
    FakeWatch w;
    w.duringClean = [&] { w.watcher.SetActive(false); };
    w.running["IEXPLORE.EXE"] = true;
    w.running["FIREFOX.EXE"] = true;
    w.watcher.SetActive(true);
    ASSERT_TRUE(w.Closed());
    w.running["IEXPLORE.EXE"] = false;
    w.running["FIREFOX.EXE"] = false;
    PumpUntil([&] { return w.cleans > 0; }, 3000);
    PumpFor(100);
    EXPECT_EQ(w.cleans, 1) << "the second browser's clean belongs to a cleared option";
    EXPECT_FALSE(w.tCheck.Enabled());
    EXPECT_FALSE(w.tClosed.Enabled());
}
