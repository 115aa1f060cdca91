// The tray icon's record and callback decoding, the Help address, "Auto Clean every N
// minutes" on a clock the test drives, the browser watcher's decisions tick by tick, and
// finding browsers among real processes. (The real window in the tray: mainwin_test.)
// Starts programs under browser names: GF_EXCLUSIVE_DISPLAY
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Process.h"
#include "TestSupport.h"
#include "app/AutoClean.h"
#include "app/CheckProcess.h"
#include "app/SysTray.h"
#include "app/TrayMenu.h"
#include "framework/Timer.h"

using namespace testing_support;

// The shell gets the first-version ANSI record; its callbacks come as the window's mouse
// moves with the message in x, halves of a twips position going to the even neighbour.
TEST(TrayIcon, RecordAndCallbackDecoding) {
    const NOTIFYICONDATAA nid = app::TrayIconRecord(reinterpret_cast<HWND>(0x1234), nullptr);
    EXPECT_EQ(Xy(nid.cbSize, nid.uID) + " " + Xy(nid.uFlags, nid.uCallbackMessage), "88,1 7,512");
    EXPECT_EQ(std::string(nid.szTip, 64), std::string("Glimmerfold") + '\0' + std::string(52, ' '));
    EXPECT_EQ(Xy(app::TrayMessageFromX(514.5 * 15, false, 15), app::TrayMessageFromX(515.5 * 15, false, 15)),
              "514,516");
    EXPECT_EQ(app::TrayMessageFromX(517, true, 15), 517);  // a window scaled in pixels
}

// Help opens the support page; an address keeps its scheme, anything else gets "http://"
// (a name that merely starts with "http" must not run as a program); above 32 is success.
TEST(OpenBrowser, HelpAddressAndTheSchemeRule) {
    std::vector<std::string> opened;
    std::intptr_t answer = 33;
    app::UrlLauncher launch = [&](const std::string& url) {
        opened.push_back(url);
        return answer;
    };
    app::mnuHelp_Click({.launch = launch});
    for (const char* url : {"HTTP://Example.org/Help", "https://example.org", "www.example.org", "httpd.exe"})
        EXPECT_TRUE(app::OpenBrowser(url, launch));
    EXPECT_EQ(opened, (std::vector<std::string>{"https://glimmerfold.example/support", "HTTP://Example.org/Help",
                                                "https://example.org", "http://www.example.org", "http://httpd.exe"}));
    answer = 32;
    EXPECT_FALSE(app::OpenBrowser("a", launch));
}

TEST(IntervalCleaner, MinutesAreWholeNumbersFromOne) {
    EXPECT_EQ(Xy(app::WholeMinutes("1"), app::WholeMinutes(" 15 ")), "1,15");
    for (const char* bad : {"", "0", "-5", "+5", "1.5", "5 min", "abc", "99999999999999999999"})
        EXPECT_EQ(app::WholeMinutes(bad), 0) << '"' << bad << '"';
}

// A clean at the first tick at or after each N minutes from switching on, N read from the
// store at every tick; a machine that slept through periods gets one clean, and the
// rhythm holds; switched on again, the count starts anew.
TEST(IntervalCleaner, CleansOnceEveryNMinutesFromSwitchingOn) {
    constexpr std::uint64_t kMinute = 60000, kOn = 1'000'000;
    gf::Timer timer1("Timer1");
    std::uint64_t now = kOn;
    int cleans = 0;
    app::IntervalCleaner cleaner(timer1, [&] { ++cleans; }, app::StoredMinutesText, {[&] { return now; }, kMinute});
    EXPECT_EQ(timer1.Interval(), 1000u) << "a clean is at most a second late";
    // "on" / "off" switch at that time (cleans: Timer1 on); other rows store the minutes
    // text and tick (cleans: so far).
    const struct { const char* minutes; std::uint64_t at; int cleans; } rows[] = {
        {"on", 0, 1}, {"5", 5 * kMinute - 1, 0}, {"5", 5 * kMinute, 1}, {" 5 ", 10 * kMinute - 1, 1},
        {"5", 10 * kMinute + 36000, 2}, {"5", 15 * kMinute - 1, 2}, {"5", 15 * kMinute, 3},
        {"5", 42 * kMinute, 4}, {"5", 45 * kMinute - 1, 4}, {"5", 45 * kMinute, 5}, {"five", 90 * kMinute, 5},
        {"off", 99 * kMinute, 0}, {"1", 100 * kMinute, 5}, {"on", 100 * kMinute, 1},
        {"1", 100 * kMinute + 36000, 5}, {"1", 101 * kMinute - 1, 5}, {"1", 101 * kMinute, 6}};
    for (const auto& row : rows) {
        now = kOn + row.at;
        const std::string what = row.minutes;
        if (what == "on" || what == "off") {
            cleaner.SetActive(what == "on");
            EXPECT_EQ(timer1.Enabled(), row.cleans == 1) << what << " at " << row.at;
            continue;
        }
        Store("ProgramSettings", "minuteCombo", what);
        cleaner.Timer1_Timer();
        EXPECT_EQ(cleans, row.cleans) << what << " at " << row.at;
    }
    ClearAppSettings();
}

namespace {

// The watcher driven one tick at a time against browsers the test switches on and off.
// A step is "on", "off", "check" (TCheck's tick) or "closed" (TClosed's), with a hook
// after ':': "nestlook" ticks both timers again inside the process walk, "nestclean"
// inside the clean, "clear" clears the option inside the clean.
struct Watch {
    gf::Timer tCheck{"TCheck"}, tClosed{"TClosed"};
    app::BrowsersRunning running;
    std::string hook;
    int cleans = 0, depth = 0, maxDepth = 0;
    app::BrowserWatcher watcher{tCheck, tClosed,
                                [this] {
                                    ++cleans;
                                    if (hook == "clear") watcher.SetActive(false);
                                    if (hook == "nestclean") NestedTicks();
                                },
                                [this] {
                                    maxDepth = std::max(maxDepth, ++depth);
                                    if (hook == "nestlook") NestedTicks();
                                    --depth;
                                    return running;
                                }};
    Watch() {
        tCheck.SetEnabled(false);
        tClosed.SetEnabled(false);
    }
    void NestedTicks() {
        hook.clear();
        watcher.TCheck_Timer();
        watcher.TClosed_Timer();
    }
    // Cleans so far, the timers on, the browsers TCheck last saw.
    std::string Step(const std::string& step, app::BrowsersRunning r) {
        running = r;
        const auto colon = step.find(':');
        hook = colon == std::string::npos ? "" : step.substr(colon + 1);
        const std::string action = step.substr(0, colon);
        if (action == "on" || action == "off") watcher.SetActive(action == "on");
        if (action == "check") watcher.TCheck_Timer();
        if (action == "closed") watcher.TClosed_Timer();
        return std::to_string(cleans) + (tCheck.Enabled() ? " check" : "") + (tClosed.Enabled() ? " closed" : "") +
               (watcher.ieOpen() ? " ie" : "") + (watcher.firefoxOpen() ? " ff" : "") + (maxDepth > 1 ? " nested" : "");
    }
};

}  // namespace

TEST(BrowserWatcher, DecisionsTickByTick) {
    struct Row { const char* step; app::BrowsersRunning running; const char* after; };
    const std::vector<std::vector<Row>> scenarios = {
        // Both seen, both closed before TClosed's tick: two cleans in that tick.
        {{"on", {}, "0 check"}, {"check", {}, "0 check"}, {"check", {1, 1}, "0 closed ie ff"},
         {"closed", {1, 1}, "0 closed ie ff"}, {"closed", {}, "2 check ie ff"}},
        // Internet Explorer closes first: one clean; TCheck sees Firefox and waits again.
        {{"on", {}, "0 check"}, {"check", {1, 1}, "0 closed ie ff"}, {"closed", {0, 1}, "1 check ie ff"},
         {"check", {0, 1}, "1 closed ff"}, {"closed", {}, "2 check ff"}},
        // Only what TCheck saw counts: a browser started while TClosed waits is no reason to clean.
        {{"on", {}, "0 check"}, {"check", {1, 0}, "0 closed ie"}, {"closed", {1, 1}, "0 closed ie"},
         {"closed", {1, 0}, "0 closed ie"}, {"closed", {}, "1 check ie"}},
        // Clearing stops both timers and a tick already queued does nothing; ticked again,
        // it waits for a browser, or keeps waiting for the one it saw.
        {{"on", {}, "0 check"}, {"check", {1, 1}, "0 closed ie ff"}, {"off", {1, 1}, "0 ie ff"}, {"closed", {}, "0 ie ff"},
         {"check", {1, 0}, "0 ie"}, {"on", {1, 0}, "0 check ie"}, {"check", {1, 0}, "0 closed ie"},
         {"on", {1, 0}, "0 closed ie"}},
        // Ticks arriving while a walk or a clean lets the message loop run are dropped.
        {{"on", {}, "0 check"}, {"check:nestlook", {1, 1}, "0 closed ie ff"},
         {"closed:nestclean", {}, "2 check ie ff"}},
        // The option cleared during the clean: no second clean, every timer off.
        {{"on", {}, "0 check"}, {"check", {1, 1}, "0 closed ie ff"}, {"closed:clear", {}, "1 ie ff"}}};
    for (size_t s = 0; s < scenarios.size(); ++s) {
        Watch w;
        for (const Row& row : scenarios[s])
            EXPECT_EQ(w.Step(row.step, row.running), row.after) << "scenario " << s << ", " << row.step;
    }
}

// Real processes of either bitness, among more than the process list's first buffer
// holds: the whole executable name counts, trimmed, in any case; a process that ended
// is gone although a handle to it is still held. The watcher looks for both browsers
// in one walk and tells them apart.
TEST(IsProcessRunning, FindsTheWholeExecutableNameAmongRealProcesses) {
    ScratchDir dir;
    std::vector<std::unique_ptr<ChildProcess>> started;
    auto start = [&](const std::string& exeName, bool is64Bit = false) {
        const std::string path = dir / exeName;
        CopyFileA((ExeFolder() + (is64Bit ? "\\browser_standin64.exe" : "\\browser_standin.exe")).c_str(),
                  path.c_str(), FALSE);
        started.push_back(std::make_unique<ChildProcess>("\"" + path + "\""));
        return started.back().get();
    };
    for (int i = 0; i < 40; ++i) start("FILLER.EXE");
    ChildProcess* ie = start("IEXPLORE.EXE", true);
    start("Firefox.exe");
    start("XOPERA.EXE");
    for (auto& p : started) ASSERT_TRUE(p->Started());
    const auto listed = app::process::RunningProcesses();
    EXPECT_EQ(std::count_if(listed.begin(), listed.end(), [](const auto& p) { return p.exeName == "FILLER.EXE"; }), 40);

    const std::pair<const char*, bool> looks[] = {
        {"  iexplore.exe ", true}, {"FIREFOX.EXE", true}, {"firefox.exe", true}, {"XOPERA.EXE", true},
        {"IEXPLORE", false}, {"IEXPLORE.EX", false}, {"XPLORE.EXE", false}, {"IEXPLORE.EXEX", false},
        {"OPERA.EXE", false}, {"XXOPERA.EXE", false}, {"", false}, {"  ", false}};
    for (const auto& [name, running] : looks) EXPECT_EQ(app::IsProcessRunning(name), running) << '"' << name << '"';
    EXPECT_EQ(app::process::FindRunning({"IEXPLORE.EXE", "NOSUCH.EXE", " firefox.exe"}),
              (std::vector<bool>{true, false, true}));

    TerminateProcess(ie->Handle(), 1);
    ASSERT_EQ(WaitForSingleObject(ie->Handle(), 10000), WAIT_OBJECT_0);
    EXPECT_FALSE(app::IsProcessRunning("IEXPLORE.EXE"));
    gf::Timer tCheck("TCheck"), tClosed("TClosed");
    app::BrowserWatcher watcher(tCheck, tClosed, [] {});
    watcher.SetActive(true);
    watcher.TCheck_Timer();
    EXPECT_TRUE(!watcher.ieOpen() && watcher.firefoxOpen() && tClosed.Enabled());
}
