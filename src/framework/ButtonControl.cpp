#include "framework/ButtonControl.h"

#include "framework/CommonControls.h"
#include "framework/Container.h"
#include "framework/Design.h"
#include "framework/Gdi.h"

namespace gf {

namespace {

// The owner-drawn button window reports a fast second click as a double click without
// a click (as Wine's buttons do); a button must see two clicks.
LRESULT CALLBACK DoubleClickAsClick(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_LBUTTONDBLCLK) msg = WM_LBUTTONDOWN;
    return comctl::DefSubclassProc(hwnd, msg, wp, lp);
}

constexpr int kMarkSize = 13;
constexpr int kTextGap = 4;

}  // namespace

// ---- ButtonControl

HWND ButtonControl::MakeWindow(HWND parent) {
    HWND h = MakeChild("BUTTON", caption_, BS_OWNERDRAW | WS_TABSTOP, 0, parent);
    if (h) comctl::SetWindowSubclass(h, DoubleClickAsClick, 1, 0);
    return h;
}

void ButtonControl::Redraw() const {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void ButtonControl::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (hwnd_) SetWindowTextA(hwnd_, caption_.c_str());
    Redraw();
}

void ButtonControl::SetForeColor(unsigned long color) {
    foreColor_ = color;
    Redraw();
}

void ButtonControl::SetBackColor(unsigned long color) {
    backColor_ = color;
    Redraw();
}

void ButtonControl::ApplyDesign(const DesignProperties& props) {
    ChildWindow::ApplyDesign(props);
    SetCaption(props.Get("Caption", caption_));
    foreColor_ = props.GetColor("ForeColor", foreColor_);
    backColor_ = props.GetColor("BackColor", backColor_);
}

bool ButtonControl::OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        if (enabled_) UserClick();
        result = 0;
        return true;
    }
    if (msg == WM_DRAWITEM) {
        const auto& dis = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        BufferedPaint buffer(dis.hDC, dis.rcItem);
        Draw(buffer.Dc(), dis.rcItem, dis.itemState);
        result = TRUE;
        return true;
    }
    return false;
}

void ButtonControl::DrawCaption(HDC dc, const RECT& rc, UINT format, UINT itemState) const {
    SelectGuard font(dc, GetFont(font_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : ResolveColor(foreColor_));
    format |= DT_VCENTER | DT_SINGLELINE;
    RECT text = rc;
    DrawTextA(dc, caption_.c_str(), -1, &text, format);
    if (!(itemState & ODS_FOCUS) || (itemState & ODS_NOFOCUSRECT)) return;
    RECT focus = rc;
    DrawTextA(dc, caption_.c_str(), -1, &focus, format | DT_CALCRECT);
    const int w = focus.right - focus.left, h = focus.bottom - focus.top;
    focus.left = (format & DT_CENTER) ? rc.left + (rc.right - rc.left - w) / 2 : rc.left;
    focus.top = rc.top + (rc.bottom - rc.top - h) / 2;
    focus = RECT{focus.left - 1, focus.top - 1, focus.left + w + 1, focus.top + h + 1};
    DrawFocusRect(dc, &focus);
}

// ---- MarkButton

void MarkButton::SetBackStyle(int style) {
    backStyle_ = style ? 1 : 0;
    Redraw();
}

void MarkButton::ApplyDesign(const DesignProperties& props) {
    ButtonControl::ApplyDesign(props);
    backStyle_ = props.GetLong("BackStyle", backStyle_) ? 1 : 0;
}

void MarkButton::Draw(HDC dc, const RECT& rc, UINT itemState) {
    if (backStyle_ == 1)
        FillSolid(dc, rc, ResolveColor(backColor_));
    else if (Host())
        Host()->PaintBehind(hwnd_, dc, rc);
    else
        FillSolid(dc, rc, GetSysColor(COLOR_BTNFACE));

    int markTop = rc.top + (rc.bottom - rc.top - kMarkSize) / 2;
    RECT mark{rc.left, markTop, rc.left + kMarkSize, markTop + kMarkSize};
    UINT state = MarkState() | DFCS_FLAT;
    if (itemState & ODS_SELECTED) state |= DFCS_PUSHED;
    if (itemState & ODS_DISABLED) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &mark, DFC_BUTTON, state);

    DrawCaption(dc, RECT{rc.left + kMarkSize + kTextGap, rc.top, rc.right, rc.bottom}, DT_LEFT, itemState);
}

}  // namespace gf
