#include "HostWindow.h"

#include <fstream>
#include <vector>

#include "TestSupport.h"

namespace testing_support {

namespace {

constexpr char kClass[] = "GlimmerfoldTestHost";

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wp), &r, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

HostWindow::HostWindow(int x, int y, int width, int height, COLORREF fill) : fill_(fill) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST, kClass, "host", WS_POPUP | WS_CLIPCHILDREN, x, y, width, height, nullptr,
                            nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, static_cast<LONG_PTR>(fill));
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    PumpFor(50);
}

HostWindow::~HostWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

POINT HostWindow::ScreenPoint(HWND child, int x, int y) {
    POINT p{x, y};
    ClientToScreen(child, &p);
    return p;
}

void SendMouse(HWND window, UINT msg, int x, int y, WPARAM keys) {
    SendMessageA(window, msg, keys, MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
}

void SendClick(HWND window, int x, int y) {
    SendMouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    SendMouse(window, WM_LBUTTONUP, x, y, 0);
}

void RealClick(HWND window, int x, int y) {
    POINT p = HostWindow::ScreenPoint(window, x, y);
    SetCursorPos(p.x, p.y);
    PumpFor(30);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    PumpFor(100);
}

COLORREF ClientPixel(HWND window, int x, int y) {
    POINT p = HostWindow::ScreenPoint(window, x, y);
    return ScreenPixel(p.x, p.y);
}

HBITMAP PaintedBitmap(int width, int height, const std::function<COLORREF(int x, int y)>& pixel) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    DWORD stride = ((width * 3) + 3) & ~3u;
    auto* row = static_cast<BYTE*>(bits);
    for (int y = 0; y < height; ++y, row += stride)
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y);
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
    return bitmap;
}

bool SaveScreenBitmap(const std::string& path, int x, int y, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;  // bottom-up, as the file keeps it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY);
    GdiFlush();
    DWORD stride = ((width * 3) + 3) & ~3u;
    DWORD imageSize = stride * height;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + imageSize;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
    out.write(static_cast<const char*>(bits), imageSize);
    bool ok = static_cast<bool>(out);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace testing_support
