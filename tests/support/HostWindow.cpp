#include "HostWindow.h"

#include <string>
#include <vector>

#include "TestSupport.h"

namespace testing_support {

// A window class per fill colour: its brush paints the background.
HostWindow::HostWindow(int x, int y, int width, int height, COLORREF fill) {
    const std::string name = "GlimmerfoldTestHost" + std::to_string(fill);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(fill);
    wc.lpszClassName = name.c_str();
    if (!RegisterClassA(&wc)) DeleteObject(wc.hbrBackground);  // made by an earlier host
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST, name.c_str(), "host", WS_POPUP | WS_CLIPCHILDREN, x, y, width, height,
                            nullptr, nullptr, wc.hInstance, nullptr);
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
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    // Done once this thread has handled the release, whichever of its windows got it.
    MSG msg{};
    for (DWORD start = GetTickCount(); msg.message != WM_LBUTTONUP && GetTickCount() - start < 3000;) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

COLORREF ClientPixel(HWND window, int x, int y) {
    POINT p = HostWindow::ScreenPoint(window, x, y);
    return ScreenPixel(p.x, p.y);
}

WindowRegion::WindowRegion(HWND window) : region_(CreateRectRgn(0, 0, 0, 0)) {
    exists_ = GetWindowRgn(window, region_) != ERROR;
}

bool WindowRegion::Equals(RECT r) const {
    HRGN expected = CreateRectRgnIndirect(&r);
    bool same = EqualRgn(region_, expected);
    DeleteObject(expected);
    return same;
}

int WindowRegion::Count(int w, int h) const {
    int n = 0;
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x) n += Contains(x, y);
    return n;
}

HBITMAP PaintedBitmap(int width, int height, const std::function<COLORREF(int x, int y)>& pixel) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 24, BI_RGB};
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
    GdiFlush();
    return bitmap;
}

gf::PictureRef SolidPicture(COLORREF colour, int width, int height) {
    return gf::StdPicture::FromBitmap(PaintedBitmap(width, height, [=](int, int) { return colour; }));
}

std::vector<std::string> KeysOf(const gf::PropertyBag& bag) {
    std::vector<std::string> keys;
    for (const auto& e : bag.Entries()) keys.push_back(e.Name);
    return keys;
}

std::function<void(short&, short&, float&, float&)> LogMouse(std::vector<std::string>& log, std::string prefix) {
    return [&log, prefix](short& button, short&, float& x, float& y) {
        log.push_back(prefix + " " + std::to_string(button) + " " + Xy(long(x), long(y)));
    };
}

DibCanvas::DibCanvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)), w_(width), h_(height) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
}

DibCanvas::~DibCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void DibCanvas::Fill(COLORREF c) {
    HBRUSH brush = CreateSolidBrush(c);
    RECT r{0, 0, w_, h_};
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
}

int DibCanvas::CountOther(COLORREF c, RECT r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += Pixel(x, y) != c;
    return n;
}

}  // namespace testing_support
