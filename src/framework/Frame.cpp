#include "framework/Frame.h"

#include "framework/Design.h"
#include "framework/Gdi.h"

namespace gf {

// ---- SurfaceControl

HWND SurfaceControl::MakeWindow(HWND parent) {
    HWND h = CreateWindowExA(WS_EX_CONTROLPARENT, SurfaceClassName(), "",
                             WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible_ ? WS_VISIBLE : 0) |
                                 (enabled_ ? 0 : WS_DISABLED),
                             TwipsToPixelsX(left_), TwipsToPixelsY(top_), TwipsToPixelsX(width_),
                             TwipsToPixelsY(height_), parent, nullptr, GetModuleHandleA(nullptr),
                             static_cast<MessageSink*>(this));
    return h;
}

LRESULT SurfaceControl::WindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (HandleSurfaceMessage(hwnd, msg, wp, lp, result)) return result;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void SurfaceControl::SetBackColor(unsigned long color) {
    backColor_ = color;
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void SurfaceControl::ApplyDesign(const DesignProperties& props) {
    ChildWindow::ApplyDesign(props);
    backColor_ = props.GetColor("BackColor", backColor_);
}

// ---- Frame

void Frame::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Frame::SetBorderStyle(int style) {
    borderStyle_ = style;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Frame::SetBackStyle(int style) {
    backStyle_ = style ? 1 : 0;
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Frame::SetForeColor(unsigned long color) {
    foreColor_ = color;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Frame::ApplyDesign(const DesignProperties& props) {
    SurfaceControl::ApplyDesign(props);
    caption_ = props.Get("Caption", caption_);
    borderStyle_ = static_cast<int>(props.GetLong("BorderStyle", borderStyle_));
    backStyle_ = props.GetLong("BackStyle", backStyle_) ? 1 : 0;
    foreColor_ = props.GetColor("ForeColor", foreColor_);
}

void Frame::PaintBackground(HDC dc, const RECT& area) {
    if (backStyle_ == 1 || !Host() || !hwnd_) {
        FillSolid(dc, area, ResolveColor(backColor_));
        return;
    }
    Host()->PaintBehind(hwnd_, dc, area);
}

void Frame::PaintDecorations(HDC dc) {
    if (borderStyle_ == 0 && caption_.empty()) return;
    RECT client;
    GetClientRect(hwnd_, &client);
    SelectGuard font(dc, GetFont(font_));
    SIZE text = caption_.empty() ? SIZE{0, 0} : MeasureText(GetFont(font_), caption_);
    RECT border = client;
    border.top += text.cy / 2;
    RECT label{client.left + 8, client.top, client.left + 8 + text.cx + 4, client.top + text.cy};
    if (borderStyle_ != 0) {
        int saved = SaveDC(dc);
        if (text.cx) ExcludeClipRect(dc, label.left, label.top, label.right, label.bottom);
        DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
        RestoreDC(dc, saved);
    }
    if (!caption_.empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, Enabled() ? ResolveColor(foreColor_) : GetSysColor(COLOR_GRAYTEXT));
        RECT t = label;
        t.left += 2;
        DrawTextA(dc, caption_.c_str(), -1, &t, DT_LEFT | DT_TOP | DT_SINGLELINE);
    }
}

// ---- PictureBox

HWND PictureBox::MakeWindow(HWND parent) {
    HWND h = SurfaceControl::MakeWindow(parent);
    if (h && borderStyle_ == 1) {
        SetWindowLongPtrA(h, GWL_EXSTYLE, GetWindowLongPtrA(h, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
        SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    return h;
}

void PictureBox::SetPicture(const Bitmap& picture) {
    picture_ = picture;
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void PictureBox::ApplyDesign(const DesignProperties& props) {
    SurfaceControl::ApplyDesign(props);
    if (props.Has("Picture")) picture_ = Bitmap::FromDesign(props.Get("Picture"));
    borderStyle_ = static_cast<int>(props.GetLong("BorderStyle", borderStyle_));
}

void PictureBox::PaintBackground(HDC dc, const RECT& area) {
    FillSolid(dc, area, ResolveColor(backColor_));
    if (picture_.Empty()) return;
    RECT pic{0, 0, picture_.Width(), picture_.Height()};
    RECT part;
    if (IntersectRect(&part, &pic, &area)) picture_.Draw(dc, part.left, part.top, part);
}

void PictureBox::PaintDecorations(HDC dc) {
    if (OnPaint) OnPaint(dc);
}

void SurfaceControl::SurfaceMouse(MouseEvent ev, int button, int shift, double x, double y) {
    RaiseMouse(ev, button, shift, x, y);
}

}  // namespace gf
