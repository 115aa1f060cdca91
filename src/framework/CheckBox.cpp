#include "framework/CheckBox.h"

#include "framework/CommonControls.h"
#include "framework/Container.h"
#include "framework/Design.h"
#include "framework/Error.h"
#include "framework/Gdi.h"

namespace gf {

namespace {

// The owner-drawn button under a check box reports a fast second click as a double
// click without a click (as Wine's buttons do); a check box must see two clicks.
LRESULT CALLBACK DoubleClickAsClick(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_LBUTTONDBLCLK) msg = WM_LBUTTONDOWN;
    return comctl::DefSubclassProc(hwnd, msg, wp, lp);
}

constexpr int kBoxSize = 13;
constexpr int kTextGap = 4;

}  // namespace

HWND CheckBox::MakeWindow(HWND parent) {
    HWND h = MakeChild("BUTTON", caption_, BS_OWNERDRAW | WS_TABSTOP, 0, parent);
    if (h) comctl::SetWindowSubclass(h, DoubleClickAsClick, 1, 0);
    return h;
}

void CheckBox::SetValue(int value) {
    if (value < vbUnchecked || value > vbGrayed) throw Error(380, "CheckBox", "Invalid property value");
    if (value == value_) return;
    value_ = value;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
    if (OnClick) OnClick();
}

void CheckBox::UserClick() {
    if (!enabled_) return;
    // A click ticks a clear or greyed box and clears a ticked one.
    SetValue(value_ == vbChecked ? vbUnchecked : vbChecked);
}

void CheckBox::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (hwnd_) {
        SetWindowTextA(hwnd_, caption_.c_str());
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

void CheckBox::SetForeColor(unsigned long color) {
    foreColor_ = color;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CheckBox::SetBackStyle(int style) {
    backStyle_ = style ? 1 : 0;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CheckBox::SetBackColor(unsigned long color) {
    backColor_ = color;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CheckBox::ApplyDesign(const DesignProperties& props) {
    ChildWindow::ApplyDesign(props);
    SetCaption(props.Get("Caption", caption_));
    foreColor_ = props.GetColor("ForeColor", foreColor_);
    backColor_ = props.GetColor("BackColor", backColor_);
    backStyle_ = props.GetLong("BackStyle", backStyle_) ? 1 : 0;
    // The design value is the starting state, not a change: no click.
    long v = props.GetLong("Value", value_);
    if (v >= vbUnchecked && v <= vbGrayed) value_ = static_cast<int>(v);
}

bool CheckBox::OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        UserClick();
        result = 0;
        return true;
    }
    if (msg == WM_DRAWITEM) {
        Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        result = TRUE;
        return true;
    }
    return false;
}

void CheckBox::Draw(const DRAWITEMSTRUCT& dis) {
    BufferedPaint buffer(dis.hDC, dis.rcItem);
    HDC dc = buffer.Dc();
    const RECT& rc = dis.rcItem;
    if (backStyle_ == 1)
        FillSolid(dc, rc, ResolveColor(backColor_));
    else if (Host())
        Host()->PaintBehind(hwnd_, dc, rc);
    else
        FillSolid(dc, rc, GetSysColor(COLOR_BTNFACE));

    bool disabled = (dis.itemState & ODS_DISABLED) != 0;
    int boxTop = rc.top + (rc.bottom - rc.top - kBoxSize) / 2;
    RECT box{rc.left, boxTop, rc.left + kBoxSize, boxTop + kBoxSize};
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (value_ == vbChecked) state |= DFCS_CHECKED;
    if (value_ == vbGrayed) state = DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_FLAT;
    if (dis.itemState & ODS_SELECTED) state |= DFCS_PUSHED;
    if (disabled) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);

    RECT text{rc.left + kBoxSize + kTextGap, rc.top, rc.right, rc.bottom};
    SelectGuard font(dc, GetFont(font_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : ResolveColor(foreColor_));
    DrawTextA(dc, caption_.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if ((dis.itemState & ODS_FOCUS) && !(dis.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = text;
        DrawTextA(dc, caption_.c_str(), -1, &focus, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_CALCRECT);
        int h = focus.bottom - focus.top;
        focus.top = rc.top + (rc.bottom - rc.top - h) / 2 - 1;
        focus.bottom = focus.top + h + 2;
        focus.left -= 1;
        focus.right += 1;
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace gf
