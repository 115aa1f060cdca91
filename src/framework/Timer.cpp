#include "framework/Timer.h"

#include <exception>
#include <map>

#include "framework/Design.h"

namespace gf {

namespace {
std::map<UINT_PTR, Timer*>& ActiveTimers() {
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}
}  // namespace

Timer::~Timer() { Stop(); }

void CALLBACK Timer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = ActiveTimers().find(id);
    if (it == ActiveTimers().end()) return;
    Timer* t = it->second;
    try {
        if (t->OnTimer) t->OnTimer();
    } catch (const std::exception& e) {
        OutputDebugStringA(e.what());
    } catch (...) {
        OutputDebugStringA("unexpected exception in a timer handler");
    }
}

void Timer::Stop() {
    if (!id_) return;
    KillTimer(nullptr, id_);
    ActiveTimers().erase(id_);
    id_ = 0;
}

void Timer::Restart() {
    Stop();
    if (!active_ || !enabled_ || interval_ == 0) return;
    id_ = SetTimer(nullptr, 0, interval_, &Timer::Tick);
    if (id_) ActiveTimers()[id_] = this;
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_ && (id_ != 0) == (active_ && enabled_ && interval_ > 0)) return;
    enabled_ = enabled;
    Restart();
}

void Timer::SetInterval(unsigned ms) {
    interval_ = ms;
    Restart();
}

void Timer::Create(HWND) {
    active_ = true;
    Restart();
}

void Timer::Destroy() {
    active_ = false;
    Stop();
}

void Timer::ApplyDesign(const DesignProperties& props) {
    interval_ = static_cast<unsigned>(props.GetLong("Interval", static_cast<long>(interval_)));
    enabled_ = props.GetBool("Enabled", enabled_);
    Restart();
}

}  // namespace gf
