// The watcher against browsers the test switches on and off, on real timers: the
// option switched off and on, and ticks arriving while a handler still runs (the
// clean run and the process walk let the message loop run).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/AutoClean.h"
#include "watcher_support.h"

using namespace testing_support;
using watcher_support::LoopTimer;

namespace {

struct FakeWatch {
    LoopTimer tCheck{"TCheck", 20}, tClosed{"TClosed", 20};
    app::BrowsersRunning running;
    int cleans = 0, depth = 0, maxDepth = 0;
    std::function<void()> duringClean, duringLook;
    app::BrowserWatcher watcher{tCheck, tClosed,
                                [this] {
                                    ++cleans;
                                    if (duringClean) duringClean();
                                },
                                [this] {
                                    maxDepth = std::max(maxDepth, ++depth);
                                    if (duringLook) duringLook();
                                    --depth;
                                    return running;
                                }};
    FakeWatch() {
        tCheck.onTick = [this] { watcher.TCheck_Timer(); };
        tClosed.onTick = [this] { watcher.TClosed_Timer(); };
    }
    bool Closed() { return PumpUntil([this] { return tClosed.Enabled(); }, 3000); }
};

}  // namespace

TEST(BrowserWatcherState, ClearingTheOptionStopsBothStates) {
    FakeWatch w;
    w.running.firefox = true;
    w.watcher.SetActive(true);
    ASSERT_TRUE(w.Closed());
    w.watcher.SetActive(false);
    EXPECT_FALSE(w.tCheck.Enabled() || w.tClosed.Enabled());
    w.running.firefox = false;
    PumpFor(150);
    EXPECT_EQ(w.cleans, 0) << "a cleared option never cleans";
    w.watcher.SetActive(true);
    EXPECT_TRUE(w.tCheck.Enabled() && !w.tClosed.Enabled());
    // Ticking it again while a seen browser is awaited keeps waiting for that one.
    w.running.ie = true;
    ASSERT_TRUE(w.Closed());
    w.watcher.SetActive(true);
    EXPECT_TRUE(w.tClosed.Enabled() && !w.tCheck.Enabled());
}

TEST(BrowserWatcherState, TicksArrivingWhileAHandlerRunsAreDropped) {
    FakeWatch w;
    w.duringClean = [] { PumpFor(150); };  // long enough for several TClosed ticks
    w.running.ie = true;
    w.watcher.SetActive(true);
    ASSERT_TRUE(w.Closed());
    w.running.ie = false;
    ASSERT_TRUE(PumpUntil([&] { return w.tCheck.Enabled(); }, 3000));
    PumpFor(100);
    EXPECT_EQ(w.cleans, 1);
    w.duringLook = [] { PumpFor(60); };  // a process walk that lets the loop run
    PumpFor(300);
    EXPECT_EQ(w.maxDepth, 1);
}

TEST(BrowserWatcherState, OptionClearedDuringTheCleanLeavesEveryTimerOff) {
    FakeWatch w;
    w.duringClean = [&] { w.watcher.SetActive(false); };
    w.running = {true, true};
    w.watcher.SetActive(true);
    ASSERT_TRUE(w.Closed());
    w.running = {false, false};
    PumpUntil([&] { return w.cleans > 0; }, 3000);
    PumpFor(100);
    EXPECT_EQ(w.cleans, 1) << "the second browser's clean belongs to a cleared option";
    EXPECT_FALSE(w.tCheck.Enabled() || w.tClosed.Enabled());
}
