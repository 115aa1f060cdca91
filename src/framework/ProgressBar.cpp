#include "framework/ProgressBar.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "framework/Design.h"

namespace gf {

HWND ProgressBar::MakeWindow(HWND parent) {
    EnsureCommonControls();
    return MakeChild(PROGRESS_CLASSA, "", 0, 0, parent);
}

void ProgressBar::AfterCreate() { Push(); }

void ProgressBar::Create(HWND parent) {
    parent_ = parent;
    if (visible_) ChildWindow::Create(parent);
}

void ProgressBar::Destroy() {
    parent_ = nullptr;
    ChildWindow::Destroy();
}

void ProgressBar::SetVisible(bool visible) {
    ChildWindow::SetVisible(visible);
    if (visible && !hwnd_ && parent_) ChildWindow::Create(parent_);  // made visible
}

int ProgressBar::Scaled(double v) const {
    double span = max_ - min_;
    if (span <= INT_MAX && min_ >= INT_MIN && max_ <= INT_MAX) return static_cast<int>(std::lround(v));
    // Too wide for the bar: map Min..Max onto 0..INT_MAX.
    return static_cast<int>(std::llround((v - min_) / span * INT_MAX));
}

void ProgressBar::Push() {
    if (!hwnd_) return;
    SendMessageA(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(Scaled(min_)), static_cast<LPARAM>(Scaled(max_)));
    SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(Scaled(value_)), 0);
}

void ProgressBar::SetMin(double v) {
    min_ = v;
    max_ = std::max(max_, min_);
    value_ = std::clamp(value_, min_, max_);
    Push();
}

void ProgressBar::SetMax(double v) {
    max_ = std::max(v, min_);
    value_ = std::clamp(value_, min_, max_);
    Push();
}

void ProgressBar::SetValue(double v) {
    value_ = std::clamp(v, min_, max_);
    if (hwnd_) SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(Scaled(value_)), 0);
}

void ProgressBar::ApplyDesign(const DesignProperties& props) {
    ChildWindow::ApplyDesign(props);
    min_ = props.GetDouble("Min", min_);
    max_ = std::max(props.GetDouble("Max", max_), min_);
    value_ = std::clamp(props.GetDouble("Value", value_), min_, max_);
    Push();
}

}  // namespace gf
