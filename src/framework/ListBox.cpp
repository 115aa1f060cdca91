#include "framework/ListBox.h"

#include <algorithm>

#include "framework/Design.h"
#include "framework/Error.h"
#include "framework/Gdi.h"

namespace gf {

namespace {
constexpr int kMark = 13;    // check mark square, pixels
constexpr int kMarkGap = 2;  // around the square
}  // namespace

HWND ListBox::MakeWindow(HWND parent) {
    DWORD style = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                  WS_HSCROLL | WS_TABSTOP;
    HWND h = MakeChild("LISTBOX", "", style, WS_EX_CLIENTEDGE, parent);
    if (!h) return h;
    // Subclassed by hand with the control in the window's user data: the common
    // controls' subclassing looks its data up as a window property on every message,
    // a trip to the window server under Wine, and a fill sends a message per entry.
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListBox::InputProc)));
    if (!listProc_) listProc_ = previous;  // the system list box's, the same for every list
    return h;
}

void ListBox::AfterCreate() {
    SIZE text = MeasureText(GetFont(font_), "Ag");
    SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, std::max<LPARAM>(text.cy + 2, kMark + 3));
    quiet_ = true;
    for (const auto& item : items_) SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(listIndex_), 0);
    quiet_ = false;
    SendMessageA(hwnd_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent_), 0);
}

void ListBox::AddItem(const std::string& item, int index) {
    if (index < 0 || index > ListCount()) index = ListCount();
    items_.insert(items_.begin() + index, Item{item, false});
    if (listIndex_ >= index) ++listIndex_;
    if (hwnd_)
        SendMessageA(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str()));
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) throw Error(5, Name(), "Invalid procedure call or argument");
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) listIndex_ = -1;
    else if (listIndex_ > index) --listIndex_;
    if (hwnd_) {
        quiet_ = true;
        SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(listIndex_), 0);
        quiet_ = false;
    }
}

void ListBox::Clear() {
    items_.clear();
    listIndex_ = -1;
    if (hwnd_) SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
}

std::string ListBox::List(int index) const {
    return index >= 0 && index < ListCount() ? items_[static_cast<size_t>(index)].text : std::string();
}

bool ListBox::Selected(int index) const {
    if (index < 0 || index >= ListCount()) return false;
    return style_ == 1 ? items_[static_cast<size_t>(index)].ticked : index == listIndex_;
}

void ListBox::SetSelected(int index, bool ticked) {
    if (index < 0 || index >= ListCount()) throw Error(380, Name(), "Invalid property value");
    if (style_ != 1) {
        if (ticked) SetListIndex(index);
        return;
    }
    items_[static_cast<size_t>(index)].ticked = ticked;
    if (!holds_) RefreshItem(index);
}

void ListBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) throw Error(380, Name(), "Invalid property value");
    if (index == listIndex_) return;
    listIndex_ = index;
    if (hwnd_) {
        quiet_ = true;
        SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        quiet_ = false;
    }
    if (OnClick) OnClick();
}

int ListBox::HorizontalExtent() const {
    return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, LB_GETHORIZONTALEXTENT, 0, 0)) : extent_;
}

void ListBox::SetHorizontalExtent(int pixels) {
    extent_ = pixels;
    if (hwnd_) SendMessageA(hwnd_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels), 0);
}

ListBox::DrawingHold::DrawingHold(ListBox& list) : list_(list) {
    // Only a list that shows itself: WM_SETREDRAW may also set WS_VISIBLE when it ends.
    if (list_.holds_++ == 0 && list_.hwnd_ && (GetWindowLongA(list_.hwnd_, GWL_STYLE) & WS_VISIBLE)) {
        SendMessageA(list_.hwnd_, WM_SETREDRAW, FALSE, 0);
        list_.redrawOff_ = true;
    }
}

ListBox::DrawingHold::~DrawingHold() {
    if (--list_.holds_ > 0) return;
    if (list_.redrawOff_ && list_.hwnd_) {
        SendMessageA(list_.hwnd_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(list_.hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
    } else if (list_.hwnd_) {
        InvalidateRect(list_.hwnd_, nullptr, FALSE);  // the ticks set meanwhile
    }
    list_.redrawOff_ = false;
}

void ListBox::ApplyDesign(const DesignProperties& props) {
    ChildWindow::ApplyDesign(props);
    style_ = static_cast<int>(props.GetLong("Style", style_));
}

void ListBox::RefreshItem(int index) {
    if (!hwnd_) return;
    RECT rc;
    if (SendMessageA(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rc)) != LB_ERR)
        InvalidateRect(hwnd_, &rc, FALSE);
}

void ListBox::UserToggle(int index) {
    if (style_ != 1 || index < 0 || index >= ListCount()) return;
    items_[static_cast<size_t>(index)].ticked = !items_[static_cast<size_t>(index)].ticked;
    RefreshItem(index);
    if (OnItemCheck) OnItemCheck(index);
    if (OnClick) OnClick();
}

bool ListBox::OnCheckMark(int x) const {
    // Where the marks were last drawn: that follows the horizontal scrolling.
    return x >= drawnLeft_ && x < drawnLeft_ + kMark + 2 * kMarkGap;
}

WNDPROC ListBox::listProc_ = nullptr;

LRESULT CALLBACK ListBox::InputProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<ListBox*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (!self || self->style_ != 1 || self->hwnd_ != hwnd) return CallWindowProcA(listProc_, hwnd, msg, wp, lp);
    try {
        if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
            LRESULT hit = SendMessageA(hwnd, LB_ITEMFROMPOINT, 0, lp);
            int index = LOWORD(hit);
            bool onItem = HIWORD(hit) == 0 && index < self->ListCount();
            bool toggle = onItem && (msg == WM_LBUTTONDBLCLK || self->OnCheckMark(static_cast<short>(LOWORD(lp))));
            if (!toggle) return CallWindowProcA(listProc_, hwnd, msg, wp, lp);
            // One user action, one Click: the highlight that comes with it stays quiet.
            self->quiet_ = true;
            LRESULT r = CallWindowProcA(listProc_, hwnd, WM_LBUTTONDOWN, wp, lp);
            self->quiet_ = false;
            self->listIndex_ = static_cast<int>(SendMessageA(hwnd, LB_GETCURSEL, 0, 0));
            self->UserToggle(index);
            return r;
        }
        if (msg == WM_CHAR && wp == ' ') {
            self->UserToggle(static_cast<int>(SendMessageA(hwnd, LB_GETCURSEL, 0, 0)));
            return 0;
        }
    } catch (...) {
        OutputDebugStringA("unexpected exception in a list box handler");
        return 0;
    }
    return CallWindowProcA(listProc_, hwnd, msg, wp, lp);
}

bool ListBox::OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_DRAWITEM) {
        Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        result = TRUE;
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wp) == LBN_SELCHANGE && hwnd_) {
        int sel = static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
        if (quiet_ || sel == listIndex_) return true;
        listIndex_ = sel;
        if (OnClick) OnClick();
        return true;
    }
    return false;
}

void ListBox::Draw(const DRAWITEMSTRUCT& dis) {
    if (dis.itemID == static_cast<UINT>(-1) || dis.itemID >= items_.size()) {
        if (dis.itemState & ODS_FOCUS) DrawFocusRect(dis.hDC, &dis.rcItem);
        return;
    }
    const Item& item = items_[dis.itemID];
    const RECT& rc = dis.rcItem;
    bool highlighted = (dis.itemState & ODS_SELECTED) != 0;
    bool disabled = (dis.itemState & ODS_DISABLED) != 0;
    HDC dc = dis.hDC;
    // In device pixels: some list boxes scroll by moving the origin, others the rectangle.
    POINT left{rc.left, rc.top};
    LPtoDP(dc, &left, 1);
    drawnLeft_ = left.x;
    FillSolid(dc, rc, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int x = rc.left + kMarkGap;
    if (style_ == 1) {
        int top = rc.top + (rc.bottom - rc.top - kMark) / 2;
        RECT box{x, top, x + kMark, top + kMark};
        UINT state = DFCS_BUTTONCHECK | DFCS_FLAT | (item.ticked ? DFCS_CHECKED : 0) | (disabled ? DFCS_INACTIVE : 0);
        DrawFrameControl(dc, &box, DFC_BUTTON, state);
        x += kMark + 2 * kMarkGap;
    }
    RECT text{x, rc.top, rc.right, rc.bottom};
    SelectGuard font(dc, GetFont(font_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, item.text.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (dis.itemState & ODS_FOCUS) {
        RECT focus = text;
        focus.left -= 1;
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace gf
