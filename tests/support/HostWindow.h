#pragma once
// A plain top-level window for control tests: a solid colour at a fixed place on the
// virtual screen, above other windows, to hold the controls under test. Also small
// helpers that send a control real mouse and key messages and save screenshots.
#include <windows.h>

#include <functional>
#include <string>

namespace testing_support {

class HostWindow {
public:
    HostWindow(int x, int y, int width, int height, COLORREF fill);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND Hwnd() const { return hwnd_; }
    COLORREF Fill() const { return fill_; }
    // Screen position of a client point of a child window.
    static POINT ScreenPoint(HWND child, int x, int y);

private:
    HWND hwnd_ = nullptr;
    COLORREF fill_;
};

// Sends a mouse message with client coordinates and the MK_ key state.
void SendMouse(HWND window, UINT msg, int x, int y, WPARAM keys = 0);
// A left click (press, release) at a client point.
void SendClick(HWND window, int x, int y);

// A left click through the system's input queue at a client point of a window, as a
// user's would be: the window under the pointer gets it (a disabled one does not).
void RealClick(HWND window, int x, int y);

// The pixel of a window's client area as the screen shows it.
COLORREF ClientPixel(HWND window, int x, int y);

// A 24-bit bitmap whose pixel (x, y) has the colour pixel(x, y) gives.
HBITMAP PaintedBitmap(int width, int height, const std::function<COLORREF(int x, int y)>& pixel);

// Saves a part of the screen as a 24-bit .bmp file.
bool SaveScreenBitmap(const std::string& path, int x, int y, int width, int height);

}  // namespace testing_support
