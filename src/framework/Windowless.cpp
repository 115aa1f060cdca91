#include "framework/Windowless.h"

#include "framework/Design.h"

namespace gf {

void WindowlessControl::Create(HWND parent) {
    surface_ = parent;
    Refresh();
}

RECT WindowlessControl::PixelRect() const {
    int l = TwipsToPixelsX(left_), t = TwipsToPixelsY(top_);
    return RECT{l, t, l + TwipsToPixelsX(width_), t + TwipsToPixelsY(height_)};
}

void WindowlessControl::Refresh() const {
    if (!surface_) return;
    RECT rc = PixelRect();
    InvalidateRect(surface_, &rc, FALSE);
}

void WindowlessControl::ApplyGeometry() {
    // The old area must be repainted as well as the new one.
    if (!surface_) return;
    RedrawWindow(surface_, nullptr, nullptr, RDW_INVALIDATE);
}

void WindowlessControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    Control::SetVisible(visible);
    Refresh();
}

void WindowlessControl::SetEnabled(bool enabled) {
    Control::SetEnabled(enabled);
    Refresh();
}

void WindowlessControl::ApplyDesign(const DesignProperties& props) {
    Control::ApplyDesign(props);
    ToolTipText = props.Get("ToolTipText", ToolTipText);
}

}  // namespace gf
