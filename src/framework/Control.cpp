#include "framework/Control.h"

#include <cmath>

#include "framework/Design.h"

namespace gf {

namespace {

double g_overrideX = 0, g_overrideY = 0;

double RealTwipsPerPixel(int axis) {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, axis) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

}  // namespace

double Screen::TwipsPerPixelX() { return g_overrideX > 0 ? g_overrideX : RealTwipsPerPixel(LOGPIXELSX); }
double Screen::TwipsPerPixelY() { return g_overrideY > 0 ? g_overrideY : RealTwipsPerPixel(LOGPIXELSY); }

void Screen::OverrideTwipsPerPixel(double x, double y) {
    g_overrideX = x;
    g_overrideY = y;
}

int TwipsToPixelsX(double twips) { return static_cast<int>(std::lround(twips / Screen::TwipsPerPixelX())); }
int TwipsToPixelsY(double twips) { return static_cast<int>(std::lround(twips / Screen::TwipsPerPixelY())); }
double PixelsToTwipsX(int pixels) { return pixels * Screen::TwipsPerPixelX(); }
double PixelsToTwipsY(int pixels) { return pixels * Screen::TwipsPerPixelY(); }

void Control::Move(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    ApplyGeometry();
}

void Control::ApplyGeometry() {
    if (HWND h = Hwnd())
        MoveWindow(h, TwipsToPixelsX(left_), TwipsToPixelsY(top_), TwipsToPixelsX(width_),
                   TwipsToPixelsY(height_), TRUE);
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (HWND h = Hwnd()) ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (HWND h = Hwnd()) EnableWindow(h, enabled);
}

}  // namespace gf


namespace gf {

namespace {
constexpr char kControlProp[] = "gf.Control";
}

void Control::ApplyDesign(const DesignProperties& props) {
    if (props.Has("Visible")) SetVisible(props.GetBool("Visible", true));
    if (props.Has("Enabled")) SetEnabled(props.GetBool("Enabled", true));
}

Control* Control::FromWindow(HWND hwnd) {
    return hwnd ? static_cast<Control*>(GetPropA(hwnd, kControlProp)) : nullptr;
}

void Control::BindWindow(HWND hwnd) {
    if (hwnd) SetPropA(hwnd, kControlProp, this);
}

void Control::UnbindWindow(HWND hwnd) {
    if (hwnd) RemovePropA(hwnd, kControlProp);
}

}  // namespace gf
