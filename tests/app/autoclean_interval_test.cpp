// "Auto Clean every N minutes": the minutes text, the schedule on a clock the test
// drives, and the real Timer1 ticking with a shortened minute and the stored text.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "app/AutoClean.h"
#include "framework/App.h"
#include "framework/Settings.h"
#include "watcher_support.h"

using namespace testing_support;
using watcher_support::LoopTimer;

TEST(WholeMinutes, AcceptsOnlyWholeNumbersFromOne) {
    EXPECT_EQ(app::WholeMinutes("1"), 1);
    EXPECT_EQ(app::WholeMinutes("5"), 5);
    EXPECT_EQ(app::WholeMinutes(" 15 "), 15);
    EXPECT_EQ(app::WholeMinutes("007"), 7);
    for (const char* bad : {"", "  ", "0", "-5", "+5", "1.5", "5 min", "abc", "1e3", "99999999999999999999"})
        EXPECT_EQ(app::WholeMinutes(bad), 0) << '"' << bad << '"';
}

namespace {

constexpr std::uint64_t kMinute = 60000;

struct Schedule {
    LoopTimer timer1{"Timer1", 1000};
    std::uint64_t now = 1'000'000;
    std::string minutes = "5";
    std::vector<std::uint64_t> cleans;
    app::IntervalCleaner cleaner{timer1, [this] { cleans.push_back(now); }, [this] { return minutes; },
                                 app::IntervalTimeBase{[this] { return now; }, kMinute}};
    void TickAt(std::uint64_t t) {
        now = t;
        cleaner.Timer1_Timer();
    }
};

}  // namespace

TEST(IntervalCleaner, CleansOnceEveryNMinutesFromSwitchingOn) {
    Schedule s;
    const std::uint64_t on = s.now;
    s.cleaner.SetActive(true);
    EXPECT_TRUE(s.timer1.Enabled());
    for (std::uint64_t t = on; t <= on + 16 * kMinute; t += 36000) s.TickAt(t);
    // Ticks every 36 s: due at 5, 10 and 15 minutes, each at the first tick after.
    ASSERT_EQ(s.cleans.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_GE(s.cleans[i], on + (i + 1) * 5 * kMinute);
        EXPECT_LT(s.cleans[i], on + (i + 1) * 5 * kMinute + 36000);
    }
}

TEST(IntervalCleaner, OneMinuteIsAMinuteNotThirtySixSeconds) {
    Schedule s;
    s.minutes = "1";
    const std::uint64_t on = s.now;
    s.cleaner.SetActive(true);
    s.TickAt(on + 36000);
    EXPECT_TRUE(s.cleans.empty());
    s.TickAt(on + kMinute - 1);
    EXPECT_TRUE(s.cleans.empty());
    s.TickAt(on + kMinute);
    EXPECT_EQ(s.cleans.size(), 1u);
}

TEST(IntervalCleaner, MissedPeriodsGiveOneCleanAndKeepTheRhythm) {
    Schedule s;
    const std::uint64_t on = s.now;
    s.cleaner.SetActive(true);
    s.TickAt(on + 27 * kMinute);  // a machine that slept through five periods
    s.TickAt(on + 27 * kMinute + 1000);
    EXPECT_EQ(s.cleans.size(), 1u);
    s.TickAt(on + 30 * kMinute - 1);
    EXPECT_EQ(s.cleans.size(), 1u);
    s.TickAt(on + 30 * kMinute);
    EXPECT_EQ(s.cleans.size(), 2u);
}

TEST(IntervalCleaner, NoCleanForTextThatIsNoWholeNumberOrWhenSwitchedOff) {
    Schedule s;
    const std::uint64_t on = s.now;
    s.minutes = "five";
    s.cleaner.SetActive(true);
    s.TickAt(on + 60 * kMinute);
    s.minutes = "0";
    s.TickAt(on + 120 * kMinute);
    EXPECT_TRUE(s.cleans.empty());

    // Switched off: no cleans, timer stopped; switched on again: counted from then.
    s.minutes = "5";
    s.cleaner.SetActive(false);
    EXPECT_FALSE(s.timer1.Enabled());
    s.TickAt(on + 200 * kMinute);
    EXPECT_TRUE(s.cleans.empty());
    const std::uint64_t again = on + 202 * kMinute;
    s.now = again;
    s.cleaner.SetActive(true);
    s.TickAt(again + 5 * kMinute - 1);
    EXPECT_TRUE(s.cleans.empty());
    s.TickAt(again + 5 * kMinute);
    EXPECT_EQ(s.cleans.size(), 1u);
}

TEST(IntervalCleaner, RealTimerWithAShortMinuteAndTheStoredMinutes) {
    // The program's store, under this test program's name.
    struct StoreGuard {
        ~StoreGuard() { gf::DeleteSetting(gf::App::EXEName(), "ProgramSettings", "minuteCombo"); }
    } guard;
    gf::SaveSetting(gf::App::EXEName(), "ProgramSettings", "minuteCombo", "2");
    EXPECT_EQ(app::StoredMinutesText(), "2");

    LoopTimer timer1("Timer1", 10);
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
    cleaner.SetActive(false);
    EXPECT_GE(cleans[0] - on, 2 * kShortMinute);
    for (size_t i = 1; i < cleans.size(); ++i) EXPECT_GE(cleans[i] - on, (i + 1) * 2 * kShortMinute);

    // Not a number in the store: the timer ticks on and nothing cleans.
    gf::SaveSetting(gf::App::EXEName(), "ProgramSettings", "minuteCombo", "two");
    cleans.clear();
    cleaner.SetActive(true);
    PumpUntil([&] { return timer1.ticks > 60; }, 5000);
    EXPECT_TRUE(cleans.empty());
}
