#pragma once
// The common controls' progress bar with Min, Max and Value. Max may exceed what the
// bar's 32-bit range holds (a file's length in bytes): the bar is then driven in
// proportion, while Min, Max and Value read back exactly.
#include "framework/ChildWindow.h"

namespace gf {

class ProgressBar : public ChildWindow {
public:
    using ChildWindow::ChildWindow;
    const char* TypeName() const override { return "ProgressBar"; }

    double Min() const { return min_; }
    double Max() const { return max_; }
    double Value() const { return value_; }
    // Max below Min is taken as Min. A Value outside Min..Max is held at the nearer
    // end, so that a count that overshoots cannot stop the work that reports it.
    void SetMin(double v);
    void SetMax(double v);
    void SetValue(double v);

    void ApplyDesign(const DesignProperties& props) override;

    // A hidden bar gets its window when it is first shown (the clean run's bar, for
    // instance, only when a run starts): loading a form then does not need the common
    // controls library.
    void Create(HWND parent) override;
    void Destroy() override;
    void SetVisible(bool visible) override;

protected:
    HWND MakeWindow(HWND parent) override;
    void AfterCreate() override;
    bool UsesFont() const override { return false; }

private:
    void Push();
    int Scaled(double v) const;

    double min_ = 0, max_ = 100, value_ = 0;
    HWND parent_ = nullptr;  // where the window goes once the bar is shown
};

}  // namespace gf
