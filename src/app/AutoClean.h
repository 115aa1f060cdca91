#pragma once
// Automatic cleaning: the interval timer ("Auto Clean every N minutes", Timer1) and
// the browser watcher ("Auto Clean After Browsing Session", TCheck and TClosed). Both
// end in the main window's clean run, handed in as a callback. The timers are the
// main window's controls; these classes only switch them and handle their ticks.
#include <cstdint>
#include <functional>
#include <string>

#include "framework/FlagScope.h"
#include "framework/Timer.h"

namespace app {

// Marks a handler as running for its lifetime, however it ends. The clean run and the
// process walk let the message loop run, so a timer can tick again inside its own
// handler; such a nested tick is dropped rather than starting a second clean inside
// the first.
using BusyScope = gf::FlagScope;

// The minutes of "Auto Clean every" as a whole number from 1 to kMaxMinutes (blanks
// around it allowed), or 0 when the text is not such a number.
inline constexpr std::int64_t kMaxMinutes = 1440;  // a day
std::int64_t WholeMinutes(const std::string& text);

// The stored minutes text, "ProgramSettings" / "minuteCombo", default "1".
std::string StoredMinutesText();

// Where the interval timer's time comes from: tests shorten the minute and drive the clock.
struct IntervalTimeBase {
    std::function<std::uint64_t()> nowMs;  // a monotonic clock; GetTickCount64 if empty
    std::uint64_t msPerMinute = 60000;
};

// Cleans once every N minutes, counted from when it is switched on; N is read from
// the store at every tick, so a changed minutes box applies from the next tick.
class IntervalCleaner {
public:
    using TimeBase = IntervalTimeBase;
    // Timer1's interval, set here: a clean runs at the first tick after it falls due.
    static constexpr unsigned kTickMs = 1000;

    IntervalCleaner(gf::Timer& timer1, std::function<void()> clean,
                    std::function<std::string()> minutesText = StoredMinutesText, TimeBase time = {});

    // "Auto Clean every" ticked or cleared (also when loading restores it): switches
    // Timer1 and, when it comes on, starts counting from now.
    void SetActive(bool on);
    bool Active() const { return active_; }
    // Timer1's tick.
    void Timer1_Timer();

private:
    std::uint64_t Now() const;

    gf::Timer& timer_;
    std::function<void()> clean_;
    std::function<std::string()> minutesText_;
    TimeBase time_;
    bool active_ = false;
    bool busy_ = false;
    std::uint64_t mark_ = 0;  // start of the current period
};

// Watches for Internet Explorer or Firefox to run and then to close, and cleans once
// for each seen browser that closed. Two states: waiting for a browser (TCheck on) and
// waiting for a seen browser to close (TClosed on).
// Which of the two browsers run, as one look at the process list finds them.
struct BrowsersRunning {
    bool ie = false;
    bool firefox = false;
};

class BrowserWatcher {
public:
    using Probe = std::function<BrowsersRunning()>;
    static constexpr const char* kInternetExplorer = "IEXPLORE.EXE";
    static constexpr const char* kFirefox = "FIREFOX.EXE";
    static constexpr unsigned kIntervalMs = 900;  // TCheck and TClosed

    // `look` finds the running browsers; by default one walk of the process list
    // looks for both executables.
    BrowserWatcher(gf::Timer& tCheck, gf::Timer& tClosed, std::function<void()> clean, Probe look = {});

    // "Auto Clean After Browsing Session" ticked (TCheck on, unless a seen browser is
    // already being waited for) or cleared (both timers off).
    void SetActive(bool on);
    bool Active() const { return active_; }
    void TCheck_Timer();
    void TClosed_Timer();

    // Which browsers TCheck's last tick saw running.
    bool ieOpen() const { return ieOpen_; }
    bool firefoxOpen() const { return firefoxOpen_; }

private:
    void BackToWaiting();

    gf::Timer& tCheck_;
    gf::Timer& tClosed_;
    std::function<void()> clean_;
    Probe look_;
    bool active_ = false;
    bool busy_ = false;
    bool ieOpen_ = false;
    bool firefoxOpen_ = false;
};

}  // namespace app
