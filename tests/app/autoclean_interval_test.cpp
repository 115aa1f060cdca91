// "Auto Clean every N minutes": the minutes text, the schedule on a clock the test
// drives, and the real Timer1 with a shortened minute and the stored text.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/AutoClean.h"
#include "framework/App.h"
#include "framework/Settings.h"
#include "watcher_support.h"

using namespace testing_support;
using watcher_support::LoopTimer;

TEST(WholeMinutes, AcceptsOnlyWholeNumbersFromOne) {
    EXPECT_EQ(app::WholeMinutes("1"), 1);
    EXPECT_EQ(app::WholeMinutes(" 15 "), 15);
    for (const char* bad : {"", "0", "-5", "+5", "1.5", "5 min", "abc", "99999999999999999999"})
        EXPECT_EQ(app::WholeMinutes(bad), 0) << '"' << bad << '"';
}

TEST(IntervalCleaner, CleansOnceEveryNMinutesFromSwitchingOn) {
    constexpr std::uint64_t kMinute = 60000;
    LoopTimer timer1("Timer1", 1000);
    std::uint64_t now = 1'000'000;
    std::string minutes = "5";
    std::vector<std::uint64_t> cleans;
    app::IntervalCleaner cleaner(timer1, [&] { cleans.push_back(now); }, [&] { return minutes; },
                                 app::IntervalTimeBase{[&] { return now; }, kMinute});
    auto tickAt = [&](std::uint64_t t) {
        now = t;
        cleaner.Timer1_Timer();
    };
    const std::uint64_t on = now;
    cleaner.SetActive(true);
    EXPECT_TRUE(timer1.Enabled());
    // Ticks every 36 s: due at 5, 10 and 15 minutes, each at the first tick after.
    for (std::uint64_t t = on; t <= on + 16 * kMinute; t += 36000) tickAt(t);
    EXPECT_EQ(cleans, (std::vector<std::uint64_t>{on + 324000, on + 612000, on + 900000}));
    // A machine that slept through periods: one clean, and the rhythm holds.
    tickAt(on + 42 * kMinute);
    tickAt(on + 45 * kMinute - 1);
    EXPECT_EQ(cleans.size(), 4u);
    tickAt(on + 45 * kMinute);
    EXPECT_EQ(cleans.size(), 5u);
    // Text that is no whole number: nothing.
    minutes = "five";
    tickAt(on + 90 * kMinute);
    EXPECT_EQ(cleans.size(), 5u);
    // Off: nothing; on again: counted from then, one minute being a minute.
    minutes = "1";
    cleaner.SetActive(false);
    EXPECT_FALSE(timer1.Enabled());
    tickAt(on + 100 * kMinute);
    EXPECT_EQ(cleans.size(), 5u);
    cleaner.SetActive(true);
    tickAt(on + 100 * kMinute + 36000);
    tickAt(on + 101 * kMinute - 1);
    EXPECT_EQ(cleans.size(), 5u);
    tickAt(on + 101 * kMinute);
    EXPECT_EQ(cleans.size(), 6u);
}

TEST(IntervalCleaner, RealTimerWithAShortMinuteAndTheStoredMinutes) {
    struct StoreGuard {
        ~StoreGuard() { gf::DeleteSetting(gf::App::EXEName(), "ProgramSettings", "minuteCombo"); }
    } guard;
    gf::SaveSetting(gf::App::EXEName(), "ProgramSettings", "minuteCombo", "2");
    LoopTimer timer1("Timer1", 36000);
    constexpr std::uint64_t kShortMinute = 40;
    std::vector<ULONGLONG> cleans;
    app::IntervalCleaner cleaner(timer1, [&] { cleans.push_back(GetTickCount64()); }, app::StoredMinutesText,
                                 app::IntervalTimeBase{{}, kShortMinute});
    EXPECT_EQ(timer1.Interval(), app::IntervalCleaner::kTickMs);
    timer1.SetInterval(10);
    timer1.onTick = [&] { cleaner.Timer1_Timer(); };
    const ULONGLONG on = GetTickCount64();
    cleaner.SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return cleans.size() >= 3; }, 10000));
    for (size_t i = 0; i < 3; ++i) EXPECT_GE(cleans[i] - on, (i + 1) * 2 * kShortMinute);
}
