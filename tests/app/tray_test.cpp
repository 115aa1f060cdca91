// The notification-area icon and automatic cleaning (Glimmerfold's life in the tray).
// The icon and its menu on a window wired as the main window is: the icon's record and
// its callbacks decoded; the menu's items picked from the real pop-up menu (About as
// Windows shows it, Clean, Show, the Help address, never opened: the launcher is the
// test's), Exit with the icon removed, and the close handling. "Auto Clean every N
// minutes" on a clock the test drives and on the real Timer1 with a shortened minute;
// the browser watcher against browsers the test switches on and off, and against real
// stand-in browsers (a 32- or 64-bit helper copied as IEXPLORE.EXE / FIREFOX.EXE) on
// real timers; finding browsers among real processes.
// Moves the foreground window and starts programs under browser names: GF_EXCLUSIVE_DISPLAY
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogWatcher.h"
#include "Process.h"
#include "TestSupport.h"
#include "app/AutoClean.h"
#include "app/CheckProcess.h"
#include "app/SysTray.h"
#include "app/TrayMenu.h"
#include "framework/App.h"
#include "framework/Forms.h"
#include "framework/Settings.h"
#include "framework/Timer.h"

using namespace testing_support;

namespace {

const gf::DesignRow kDesign[] = {
    {"Menu", "mPopupSys", -1, "", 0, 0, 0, 0, "Systray", "", "Visible=0"},
    {"Menu", "mnuClean", -1, "mPopupSys", 0, 0, 0, 0, "&Clean"},
    {"Menu", "mnuShow", -1, "mPopupSys", 0, 0, 0, 0, "&Show"},
    {"Menu", "mnuHelp", -1, "mPopupSys", 0, 0, 0, 0, "&Help"},
    {"Menu", "mnuAbout", -1, "mPopupSys", 0, 0, 0, 0, "&About"},
    {"Menu", "mneusep", -1, "mPopupSys", 0, 0, 0, 0, "-"},
    {"Menu", "mnuExit", -1, "mPopupSys", 0, 0, 0, 0, "&Exit"},
};

class TrayForm : public gf::Form {
public:
    TrayForm() : gf::Form("frmMain", kDesign) {
        SetCaption("Glimmerfold");
        SetMinButton(true);
        SetIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32516)));
        SetClientSize(4500, 3000);
        SetLeft(6000);  // clear of Wine's tray window at the top left
        SetTop(4500);
        targets = {.clean = [this] { ++cleans; },
                   .showMain = [this] { Show(); },
                   .unloadMain = [this] { Unload(gf::vbFormCode); },
                   .endCaptionDialog = [this] { dialog.Unload(gf::vbFormCode); },
                   .launch = [this](const std::string& url) {
                       opened.push_back(url);
                       return std::intptr_t{42};
                   }};
        Get<gf::Menu>("mnuClean").OnClick = [this] { app::mnuClean_Click(targets); };
        Get<gf::Menu>("mnuShow").OnClick = [this] { app::mnuShow_Click(targets); };
        Get<gf::Menu>("mnuHelp").OnClick = [this] { app::mnuHelp_Click(targets); };
        Get<gf::Menu>("mnuAbout").OnClick = [] { app::mnuAbout_Click(); };
        Get<gf::Menu>("mnuExit").OnClick = [this] { app::mnuExit_Click(targets); };
        // The keys that drive the menu are queued as it opens.
        MessageHook = [this](UINT msg, WPARAM, LPARAM, LRESULT&) {
            if (msg == WM_ENTERMENULOOP) {
                ++menusOpened;
                for (UINT key : menuKeys) PostMessageA(Hwnd(), WM_KEYDOWN, key, 0);
            }
            return false;
        };
    }
    ~TrayForm() override {
        if (Hwnd()) app::RemoveTrayIcon(Hwnd());
    }
    // Loads and adds the icon, as the end of loading does, with a caption dialog that
    // was opened once and hidden again.
    bool AddIcon() {
        Load();
        targets.iconWindow = Hwnd();
        dialog.Load();
        return app::AddTrayIcon(*this);
    }
    void HideMinimized() {
        SetWindowState(gf::vbMinimized);
        Hide();
        testing_support::PumpFor(30);
    }
    bool ShownInFront() {
        return testing_support::PumpUntil(
            [this] { return Visible() && WindowState() == gf::vbNormal && GetForegroundWindow() == Hwnd(); }, 3000);
    }

    app::TrayMenuTargets targets;
    gf::Form dialog{"frmInput"};
    int cleans = 0, menusOpened = 0;
    std::vector<UINT> menuKeys{VK_ESCAPE};
    std::vector<std::string> opened;

protected:
    void Form_MouseMove(int, int, double x, double) override {
        app::TrayIcon_MouseMove(*this, Get<gf::Menu>("mPopupSys"), x);
    }
    void Form_QueryUnload(bool& cancel, int unloadMode) override { app::TrayQueryUnload(*this, cancel, unloadMode); }
};

}  // namespace

// The callbacks come as the window's mouse moves (512) with the message in x; the tip
// is the program's name; the record is the first-version ANSI one of 88 bytes.
TEST(TrayIconRecord, CarriesTheCallbackAndTheTipAndXDecodes) {
    NOTIFYICONDATAA nid = app::TrayIconRecord(reinterpret_cast<HWND>(0x1234), nullptr);
    EXPECT_EQ(nid.cbSize, 88u);
    EXPECT_EQ(nid.uCallbackMessage, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_STREQ(nid.szTip, "Glimmerfold");
    // Halves of a twips position go to the even neighbour; pixels are the number.
    EXPECT_EQ(app::TrayMessageFromX(514.5 * 15, false, 15.0), 514);
    EXPECT_EQ(app::TrayMessageFromX(515.5 * 15, false, 15.0), 516);
    EXPECT_EQ(app::TrayMessageFromX(517, true, 15.0), 517);
}

TEST(TrayIcon, EachCallbackNumberInTwipsDoesWhatItShould) {
    TrayForm f;
    f.Load();
    for (double twips : {15.0, 12.0}) {
        gf::Screen::OverrideTwipsPerPixel(twips, twips);
        for (int m = WM_MOUSEMOVE; m <= WM_MBUTTONDBLCLK; ++m) {
            f.HideMinimized();
            int menusBefore = f.menusOpened;
            SendMessageA(f.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(m, 0));
            if (m == WM_LBUTTONUP || m == WM_LBUTTONDBLCLK)
                EXPECT_TRUE(f.ShownInFront()) << m << " at " << twips;
            else
                EXPECT_FALSE(f.Visible()) << m << " at " << twips;
            EXPECT_EQ(f.menusOpened - menusBefore, m == WM_RBUTTONUP ? 1 : 0) << m << " at " << twips;
        }
    }
    gf::Screen::OverrideTwipsPerPixel(0, 0);
}

TEST(OpenBrowser, AddsASchemeOnlyWhenTheAddressHasNone) {
    std::vector<std::string> opened;
    std::intptr_t answer = 33;
    app::UrlLauncher launch = [&](const std::string& url) {
        opened.push_back(url);
        return answer;
    };
    for (const char* url : {"HTTP://Example.org/Help", "https://example.org", "www.example.org", "httpd.exe"})
        EXPECT_TRUE(app::OpenBrowser(url, launch));
    // A name that merely starts with "http" is no address and must not run as a program.
    EXPECT_EQ(opened, (std::vector<std::string>{"HTTP://Example.org/Help", "https://example.org",
                                                "http://www.example.org", "http://httpd.exe"}));
    answer = 32;  // only above 32 is success
    EXPECT_FALSE(app::OpenBrowser("a", launch));
}

namespace {

// Opens the menu as a right click on the icon does and picks an item by its access key.
void Pick(TrayForm& f, char accessKey) {
    f.menuKeys = {static_cast<UINT>(accessKey)};
    SendMessageA(f.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONUP, 0));
}

}  // namespace

TEST(TrayMenu, AboutShowsTheVersionWithTheInformationIconAndOneOkButton) {
    gf::App::SetTitle("Glimmerfold");
    TrayForm f;
    f.Load();
    DialogWatcher watcher({IDOK});
    Pick(f, 'A');
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "Glimmerfold");
    EXPECT_EQ(seen[0].text, "Glimmerfold Version 1.06");
    EXPECT_EQ(seen[0].icon, LoadIconA(nullptr, MAKEINTRESOURCEA(32516)));
    EXPECT_EQ(seen[0].buttons, std::vector<int>{IDOK});
}

TEST(TrayMenu, CleanShowAndHelpReachTheirTargets) {
    TrayForm f;
    ASSERT_TRUE(f.AddIcon());
    f.HideMinimized();
    Pick(f, 'C');
    EXPECT_EQ(f.cleans, 1);
    EXPECT_FALSE(f.Visible());
    Pick(f, 'S');  // shows, and nothing more: a minimised window stays minimised
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.WindowState(), gf::vbMinimized);
    Pick(f, 'H');
    EXPECT_EQ(f.opened, std::vector<std::string>{app::kHelpAddress});
}

TEST(TrayMenu, ClosingHidesButExitUnloadsEverythingAndEndsTheLoop) {
    TrayForm f;
    ASSERT_TRUE(f.AddIcon());
    HWND main = f.Hwnd();
    // The close box's message and the window menu's Close: hidden, still loaded.
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(!f.Visible() && f.Loaded());
    f.Show();
    SendMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(!f.Visible() && f.Loaded());
    NOTIFYICONDATAA nid = app::TrayIconRecord(main, f.Icon());
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &nid)) << "the icon stays while the window is hidden";

    // By the time the caption dialog goes, the icon must be gone (while its window still exists).
    bool iconAtDialogEnd = true;
    auto endDialog = f.targets.endCaptionDialog;
    f.targets.endCaptionDialog = [&] {
        iconAtDialogEnd = Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
        endDialog();
    };
    Pick(f, 'E');
    EXPECT_FALSE(iconAtDialogEnd);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop must end";
    EXPECT_FALSE(f.Loaded() || IsWindow(main));
    EXPECT_EQ(gf::Form::LoadedCount(), 0) << "a hidden caption dialog would keep the process alive";
}

namespace {

enum Bitness { k32Bit, k64Bit };

class StandIn : public testing_support::ChildProcess {
public:
    StandIn(const testing_support::ScratchDir& dir, const std::string& exeName, Bitness bits = k32Bit)
        : ChildProcess(CopiedAs(dir / exeName, bits)) {}

private:
    static std::string CopiedAs(const std::string& path, Bitness bits) {
        const char* helper = bits == k64Bit ? "\\browser_standin64.exe" : "\\browser_standin.exe";
        CopyFileA((testing_support::ExeFolder() + helper).c_str(), path.c_str(), FALSE);
        return "\"" + path + "\"";
    }
};

class LoopTimer : public gf::Timer {
public:
    LoopTimer(std::string name, unsigned intervalMs) : gf::Timer(std::move(name)) {
        SetEnabled(false);
        SetInterval(intervalMs);
        OnTimer = [this] {
            ++ticks;
            if (onTick) onTick();
        };
        Create(nullptr);  // as loading its form does
    }
    std::function<void()> onTick;
    int ticks = 0;
};

}  // namespace

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

TEST(BrowserWatcherState, BrowsersClosingOneAfterTheOtherEachGiveAClean) {
    FakeWatch w;
    w.running = {true, true};
    w.watcher.SetActive(true);
    ASSERT_TRUE(w.Closed());
    w.running.ie = false;  // Firefox still runs: after the clean the watcher waits again
    ASSERT_TRUE(PumpUntil([&] { return w.cleans == 1 && w.tClosed.Enabled() && !w.watcher.ieOpen(); }, 3000));
    EXPECT_TRUE(w.watcher.firefoxOpen());
    w.running.firefox = false;
    EXPECT_TRUE(PumpUntil([&] { return w.cleans == 2 && w.tCheck.Enabled() && !w.tClosed.Enabled(); }, 3000));
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

TEST(IsProcessRunning, MatchesTheWholeExecutableNameTrimmedInAnyCase) {
    ScratchDir dir;
    {
        StandIn ie(dir, "IEXPLORE.EXE", k64Bit), ff(dir, "Firefox.exe");  // either bitness
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
    auto listed = app::process::RunningProcesses();
    for (auto& p : started) {
        ASSERT_TRUE(p->Started());
        EXPECT_NE(std::find_if(listed.begin(), listed.end(), [&](const auto& r) { return r.pid == p->Pid(); }),
                  listed.end());
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
    // 64-bit browsers, seen by the 32-bit program.
    auto ie = std::make_unique<StandIn>(dir, "IEXPLORE.EXE", k64Bit);
    auto ff = std::make_unique<StandIn>(dir, "FIREFOX.EXE", k64Bit);
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
