#include "app/AutoClean.h"

#include <windows.h>

#include "app/CheckProcess.h"
#include "framework/App.h"
#include "framework/Settings.h"

namespace app {

std::int64_t WholeMinutes(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return 0;
    auto last = text.find_last_not_of(' ');
    std::int64_t value = 0;
    for (auto i = first; i <= last; ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
        if (value > kMaxMinutes) return 0;  // also keeps the arithmetic safe
    }
    return value;
}

std::string StoredMinutesText() {
    return gf::GetSetting(gf::App::EXEName(), "ProgramSettings", "minuteCombo", "1");
}

IntervalCleaner::IntervalCleaner(gf::Timer& timer1, std::function<void()> clean,
                                 std::function<std::string()> minutesText, TimeBase time)
    : timer_(timer1), clean_(std::move(clean)), minutesText_(std::move(minutesText)),
      time_(std::move(time)) {
    // Ticking often keeps each clean close to its due time; the store read is cheap.
    timer_.SetInterval(kTickMs);
}

std::uint64_t IntervalCleaner::Now() const { return time_.nowMs ? time_.nowMs() : GetTickCount64(); }

void IntervalCleaner::SetActive(bool on) {
    if (on && !active_) mark_ = Now();
    active_ = on;
    timer_.SetEnabled(on);
}

void IntervalCleaner::Timer1_Timer() {
    if (!active_ || busy_) return;
    const std::int64_t minutes = WholeMinutes(minutesText_());
    if (minutes <= 0) return;
    const std::uint64_t period = static_cast<std::uint64_t>(minutes) * time_.msPerMinute;
    const std::uint64_t now = Now();
    if (now - mark_ < period) return;
    // One clean however many periods passed (a sleeping machine, a long clean); the
    // next falls due on the same rhythm.
    mark_ += (now - mark_) / period * period;
    BusyScope busy(busy_);
    clean_();
}

BrowserWatcher::BrowserWatcher(gf::Timer& tCheck, gf::Timer& tClosed, std::function<void()> clean,
                               Probe look)
    : tCheck_(tCheck), tClosed_(tClosed), clean_(std::move(clean)), look_(std::move(look)) {
    if (!look_) {
        look_ = [] {
            auto found = process::FindRunning({kInternetExplorer, kFirefox});
            return BrowsersRunning{found[0], found[1]};
        };
    }
}

void BrowserWatcher::SetActive(bool on) {
    active_ = on;
    if (!on) {
        tCheck_.SetEnabled(false);
        tClosed_.SetEnabled(false);
    } else if (!tClosed_.Enabled()) {
        tCheck_.SetEnabled(true);
    }
}

void BrowserWatcher::TCheck_Timer() {
    if (busy_) return;
    BusyScope busy(busy_);
    const BrowsersRunning now = look_();
    ieOpen_ = now.ie;
    firefoxOpen_ = now.firefox;
    // The option may have been cleared while the process walk let the loop run.
    if ((ieOpen_ || firefoxOpen_) && active_) {
        tCheck_.SetEnabled(false);
        tClosed_.SetEnabled(true);
    }
}

void BrowserWatcher::TClosed_Timer() {
    if (busy_) return;
    BusyScope busy(busy_);
    // Both are looked up before anything happens, so two browsers that closed together
    // give two cleans in this one tick.
    const BrowsersRunning now = look_();
    const bool ie = now.ie;
    const bool ff = now.firefox;
    // Clearing the option (possibly while the walk or a clean let the loop run) stops
    // the watcher at once.
    if (!ie && ieOpen_ && active_) {
        clean_();
        BackToWaiting();
    }
    if (!ff && firefoxOpen_ && active_) {
        clean_();
        BackToWaiting();
    }
}

void BrowserWatcher::BackToWaiting() {
    tClosed_.SetEnabled(false);
    if (active_) tCheck_.SetEnabled(true);
}

}  // namespace app
