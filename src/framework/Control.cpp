#include "framework/Control.h"

#include <cmath>

#include "framework/Design.h"

namespace gf {

namespace {

double g_overrideX = 0, g_overrideY = 0;

int ReadDotsPerInch(int axis) {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, axis) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int Screen::DotsPerInchX() {
    static const int dpi = ReadDotsPerInch(LOGPIXELSX);
    return dpi;
}

int Screen::DotsPerInchY() {
    static const int dpi = ReadDotsPerInch(LOGPIXELSY);
    return dpi;
}

double Screen::TwipsPerPixelX() { return g_overrideX > 0 ? g_overrideX : 1440.0 / DotsPerInchX(); }
double Screen::TwipsPerPixelY() { return g_overrideY > 0 ? g_overrideY : 1440.0 / DotsPerInchY(); }

double Screen::FontPixelsPerInch() { return 1440.0 / TwipsPerPixelY(); }

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
    HWND h = Hwnd();
    if (!h) return;
    int x = TwipsToPixelsX(left_), y = TwipsToPixelsY(top_);
    RECT want{x, y, x + TwipsToPixelsX(width_), y + TwipsToPixelsY(height_)};
    // Moving a window to where it already is still costs a round of messages: the skin
    // buttons, for one, set their size again at every redraw.
    RECT now{};
    if (GetWindowRect(h, &now)) {
        MapWindowPoints(HWND_DESKTOP, GetAncestor(h, GA_PARENT), reinterpret_cast<POINT*>(&now), 2);
        if (EqualRect(&now, &want)) return;
    }
    MoveWindow(h, want.left, want.top, want.right - want.left, want.bottom - want.top, TRUE);
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
