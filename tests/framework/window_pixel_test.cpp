// A real window on the virtual display: painted, then read back pixel by pixel from
// the window's device context and from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace testing_support;

namespace {

constexpr COLORREF kFill = RGB(12, 200, 90);

LRESULT CALLBACK PaintProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(kFill);
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

// GF_EXCLUSIVE_DISPLAY
TEST(Window, PaintedPixelReadsBack) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PaintProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GfPixelTest";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, "GfPixelTest", "pixel", WS_POPUP | WS_VISIBLE, 100,
                                120, 80, 60, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    UpdateWindow(hwnd);
    PumpFor(300);
    HDC dc = GetDC(hwnd);
    EXPECT_EQ(GetPixel(dc, 10, 10), kFill);
    ReleaseDC(hwnd, dc);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(140, 150) == kFill; }, 3000));
    DestroyWindow(hwnd);
}
