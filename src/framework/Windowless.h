#pragma once
// Controls without a window of their own: their host surface paints them in its own
// window, over its background, so they are transparent wherever they draw nothing.
#include <functional>
#include <string>

#include "framework/Container.h"
#include "framework/MouseHandlers.h"

namespace gf {

class WindowlessControl : public Control, public MouseHandlers {
public:
    using Control::Control;

    // Shown while the pointer rests on the control (registered when the form loads).
    std::string ToolTipText;

    bool IsWindowless() const override { return true; }
    void Create(HWND parent) override;
    void Destroy() override { surface_ = nullptr; }
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void ApplyDesign(const DesignProperties& props) override;

    // The control's rectangle in its host's client pixels.
    RECT PixelRect() const;
    // Only controls with a mouse handler take presses; others let them reach the host.
    bool WantsMouse() const { return HasPressHandlers(); }
    // Repaints the control's area of its host.
    void Refresh() const;

protected:
    void ApplyGeometry() override;

    HWND surface_ = nullptr;
};

}  // namespace gf
