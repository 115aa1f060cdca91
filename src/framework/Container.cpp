#include "framework/Container.h"

#include <windowsx.h>

#include <exception>

#include "framework/Gdi.h"
#include "framework/Windowless.h"

namespace gf {

namespace {

LRESULT CALLBACK SinkProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* sink = reinterpret_cast<MessageSink*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (!sink) return DefWindowProcA(hwnd, msg, wp, lp);
    try {
        return sink->WindowMessage(hwnd, msg, wp, lp);
    } catch (const std::exception& e) {
        OutputDebugStringA(e.what());
    } catch (...) {
        OutputDebugStringA("unexpected exception in a window procedure");
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void RegisterOnce(const char* name, UINT style, HICON icon = nullptr) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc)) return;
    wc.style = style;
    wc.lpfnWndProc = SinkProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = icon;
    wc.hIconSm = icon;  // as the window had it: no smaller copy is made at registration
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

HWND ChildOfNotification(UINT msg, WPARAM wp, LPARAM lp, HWND surface) {
    switch (msg) {
    case WM_COMMAND:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lp);
    case WM_NOTIFY:
        return reinterpret_cast<NMHDR*>(lp)->hwndFrom;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        return dis->CtlType == ODT_MENU ? nullptr : dis->hwndItem;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        return mis->CtlType == ODT_MENU ? nullptr : GetDlgItem(surface, static_cast<int>(mis->CtlID));
    }
    default:
        return nullptr;
    }
}

}  // namespace

HICON ProgramIcon() {
    static const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    return icon;
}

const char* FormClassName() {
    RegisterOnce("GfForm", CS_DBLCLKS, ProgramIcon());
    return "GfForm";
}

const char* SurfaceClassName() {
    RegisterOnce("GfSurface", CS_DBLCLKS);
    return "GfSurface";
}

int MouseButtonsOf(UINT msg, WPARAM wp) {
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return vbLeftButton;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return vbRightButton;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return vbMiddleButton;
    default:
        return ((wp & MK_LBUTTON) ? vbLeftButton : 0) | ((wp & MK_RBUTTON) ? vbRightButton : 0) |
               ((wp & MK_MBUTTON) ? vbMiddleButton : 0);
    }
}

int ShiftStateOf(WPARAM wp) {
    return ((wp & MK_SHIFT) ? vbShiftMask : 0) | ((wp & MK_CONTROL) ? vbCtrlMask : 0) |
           ((GetKeyState(VK_MENU) < 0) ? vbAltMask : 0);
}

void Container::PaintBehind(HWND child, HDC dc, const RECT& rc) {
    HWND surface = SurfaceWindow();
    POINT origin{0, 0};
    if (surface) MapWindowPoints(child, surface, &origin, 1);
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
    RECT area = rc;
    OffsetRect(&area, origin.x, origin.y);
    PaintBackground(dc, area);
    RestoreDC(dc, saved);
}

bool Container::HandleSurfaceMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (HWND child = ChildOfNotification(msg, wp, lp, hwnd)) {
        if (Control* c = Control::FromWindow(child)) {
            if (c->OnParentNotify(msg, wp, lp, result)) return true;
        }
        return false;
    }
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1;  // all painting happens in WM_PAINT, buffered
        return true;
    case WM_PAINT:
        Paint(hwnd);
        result = 0;
        return true;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        result = 0;
        return RouteMouse(hwnd, msg, wp, lp);
    default:
        return false;
    }
}

void Container::Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(hwnd, &ps);
    if (!target) return;
    {
        BufferedPaint buffer(target, ps.rcPaint);
        PaintImage(buffer.Dc(), ps.rcPaint);
    }
    EndPaint(hwnd, &ps);
}

void Container::PaintImage(HDC dc, const RECT& area) {
    PaintBackground(dc, area);
    PaintDecorations(dc);
    for (Control* c : children_) {
        if (!c->IsWindowless() || !c->Visible()) continue;
        int saved = SaveDC(dc);
        c->PaintWindowless(dc);
        RestoreDC(dc, saved);
    }
}

Control* Container::WindowlessAt(POINT pt, bool forClick) const {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        auto* w = dynamic_cast<WindowlessControl*>(*it);
        if (!w || !w->Visible() || !w->Enabled()) continue;
        RECT rc = w->PixelRect();
        if (PtInRect(&rc, pt) && w->WantsMouse()) return w;
    }
    (void)forClick;
    return nullptr;
}

bool Container::RouteMouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // Signed: while the mouse is captured the pointer may lie left of or above the surface.
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    int button = MouseButtonsOf(msg, wp), shift = ShiftStateOf(wp);
    double x = PixelsToTwipsX(pt.x), y = PixelsToTwipsY(pt.y);
    bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    bool up = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
    if (down) {
        // Like the forms this layer stands in for, a press captures the mouse until release.
        SetCapture(hwnd);
        if (auto* w = static_cast<WindowlessControl*>(WindowlessAt(pt, true))) {
            pressed_ = w;
            w->RaiseMouse(MouseEvent::Down, button, shift, x - w->Left(), y - w->Top());
            if (msg == WM_LBUTTONDBLCLK) w->RaiseMouse(MouseEvent::DblClick, button, shift, 0, 0);
            return true;
        }
        pressed_ = nullptr;
        SurfaceMouse(MouseEvent::Down, button, shift, x, y);
        if (msg == WM_LBUTTONDBLCLK) SurfaceMouse(MouseEvent::DblClick, button, shift, x, y);
        return true;
    }
    if (up) {
        if (GetCapture() == hwnd) ReleaseCapture();
        auto* w = static_cast<WindowlessControl*>(pressed_);
        pressed_ = nullptr;
        if (w) {
            w->RaiseMouse(MouseEvent::Up, button, shift, x - w->Left(), y - w->Top());
            RECT rc = w->PixelRect();
            if (button == vbLeftButton && PtInRect(&rc, pt))
                w->RaiseMouse(MouseEvent::Click, button, shift, 0, 0);
            return true;
        }
        SurfaceMouse(MouseEvent::Up, button, shift, x, y);
        RECT client;
        GetClientRect(hwnd, &client);
        if (button == vbLeftButton && PtInRect(&client, pt))
            SurfaceMouse(MouseEvent::Click, button, shift, x, y);
        return true;
    }
    SurfaceMouse(MouseEvent::Move, button, shift, x, y);
    return true;
}

}  // namespace gf
