#pragma once
// A timer: while Enabled and Interval (milliseconds) is above 0, OnTimer runs every
// Interval on the program's thread, from the message loop. It has no place on the
// form; it runs only while its form is loaded. Handlers may re-enter if they let the
// message loop run.
#include <functional>

#include "framework/Control.h"

namespace gf {

class Timer : public Control {
public:
    using Control::Control;
    ~Timer() override;
    const char* TypeName() const override { return "Timer"; }
    bool HasGeometry() const override { return false; }

    std::function<void()> OnTimer;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) override;
    unsigned Interval() const { return interval_; }
    // Setting the interval starts the count again.
    void SetInterval(unsigned ms);
    // True while the system timer behind it runs.
    bool Running() const { return id_ != 0; }

    void Create(HWND parent) override;
    void Destroy() override;
    void ApplyDesign(const DesignProperties& props) override;

private:
    void Restart();
    void Stop();
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);

    unsigned interval_ = 0;
    bool active_ = false;  // the form is loaded
    UINT_PTR id_ = 0;
};

}  // namespace gf
