#pragma once
// A plain top-level window for control tests: a solid colour at a fixed place on the
// virtual screen, above other windows, to hold the controls under test. Also small
// helpers that send a control real mouse messages, read pixels and regions, and paint
// into device-independent bitmaps.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/PropertyBag.h"

namespace testing_support {

class HostWindow {
public:
    HostWindow(int x, int y, int width, int height, COLORREF fill);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND Hwnd() const { return hwnd_; }
    // Screen position of a client point of a child window.
    static POINT ScreenPoint(HWND child, int x, int y);

private:
    HWND hwnd_ = nullptr;
};

// Sends a mouse message with client coordinates and the MK_ key state.
void SendMouse(HWND window, UINT msg, int x, int y, WPARAM keys = 0);
// A left click (press, release) at a client point.
void SendClick(HWND window, int x, int y);

// A left click through the system's input queue at a client point of a window, as a
// user's would be: the window under the pointer gets it (a disabled one does not).
// Returns once this thread has handled the release.
void RealClick(HWND window, int x, int y);

// The pixel of a window's client area as the screen shows it.
COLORREF ClientPixel(HWND window, int x, int y);

// A window's region (GetWindowRgn), if it has one, or a region made elsewhere, owned.
class WindowRegion {
public:
    explicit WindowRegion(HWND window);
    explicit WindowRegion(HRGN made) : region_(made), exists_(made != nullptr) {}
    ~WindowRegion() { DeleteObject(region_); }
    WindowRegion(const WindowRegion&) = delete;
    WindowRegion& operator=(const WindowRegion&) = delete;
    bool Exists() const { return exists_; }
    bool Contains(int x, int y) const { return PtInRegion(region_, x, y) != FALSE; }
    bool Equals(RECT r) const;
    // How many pixels of the rectangle (-1, -1) to (w, h) lie inside.
    int Count(int w, int h) const;

private:
    HRGN region_;
    bool exists_;
};

// A 24-bit bitmap whose pixel (x, y) has the colour pixel(x, y) gives, and a picture of one colour.
HBITMAP PaintedBitmap(int width, int height, const std::function<COLORREF(int x, int y)>& pixel);
gf::PictureRef SolidPicture(COLORREF colour, int width, int height);

// The names of a saved-properties store's entries, in their order.
std::vector<std::string> KeysOf(const gf::PropertyBag& bag);
// A mouse-event handler that logs "<prefix> <button> <x>,<y>" (x and y in whole twips).
std::function<void(short&, short&, float&, float&)> LogMouse(std::vector<std::string>& log, std::string prefix);

// A 32-bit top-down DIB section selected into a memory device context of its own.
class DibCanvas {
public:
    DibCanvas(int width, int height);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    HDC Dc() const { return dc_; }
    int Width() const { return w_; }
    int Height() const { return h_; }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }
    void Fill(COLORREF c);
    // How many pixels of the rectangle differ from a colour.
    int CountOther(COLORREF c, RECT r) const;

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    int w_, h_;
};

}  // namespace testing_support
