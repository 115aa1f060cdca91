#include "framework/ComboBox.h"

#include <algorithm>

#include "framework/Design.h"
#include "framework/Error.h"

namespace gf {

namespace {
constexpr int kVisibleItems = 10;  // how many items the open list shows
}

HWND ComboBox::MakeWindow(HWND parent) {
    DWORD style = (style_ == 2 ? CBS_DROPDOWNLIST : CBS_DROPDOWN) | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
    return MakeChild("COMBOBOX", "", style, 0, parent);
}

void ComboBox::AfterCreate() {
    settingText_ = true;
    for (const auto& item : items_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (listIndex_ >= 0)
        SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(listIndex_), 0);
    else
        SetWindowTextA(hwnd_, text_.c_str());
    settingText_ = false;
}

void ComboBox::ApplyGeometry() {
    // The window's height includes the open list; the control's Height is the closed box.
    if (!hwnd_) return;
    int item = static_cast<int>(SendMessageA(hwnd_, CB_GETITEMHEIGHT, 0, 0));
    int drop = std::max(item, 12) * kVisibleItems + 4;
    MoveWindow(hwnd_, TwipsToPixelsX(left_), TwipsToPixelsY(top_), TwipsToPixelsX(width_),
               TwipsToPixelsY(height_) + drop, TRUE);
}

std::string ComboBox::WindowText() const {
    int n = GetWindowTextLengthA(hwnd_);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(hwnd_, s.data(), n + 1);
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return s;
}

void ComboBox::AddItem(const std::string& item, int index) {
    if (index < 0 || index > ListCount()) index = ListCount();
    items_.insert(items_.begin() + index, item);
    if (listIndex_ >= index) ++listIndex_;
    if (hwnd_) SendMessageA(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str()));
}

void ComboBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) throw Error(5, Name(), "Invalid procedure call or argument");
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) listIndex_ = -1;
    else if (listIndex_ > index) --listIndex_;
    if (hwnd_) SendMessageA(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ComboBox::Clear() {
    items_.clear();
    listIndex_ = -1;
    text_.clear();
    if (hwnd_) {
        settingText_ = true;
        SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
        SetWindowTextA(hwnd_, "");
        settingText_ = false;
    }
}

std::string ComboBox::List(int index) const {
    return index >= 0 && index < ListCount() ? items_[static_cast<size_t>(index)] : std::string();
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) throw Error(380, Name(), "Invalid property value");
    if (index == listIndex_) return;
    listIndex_ = index;
    text_ = List(index);
    if (hwnd_) {
        settingText_ = true;
        SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        if (index < 0) SetWindowTextA(hwnd_, "");
        settingText_ = false;
    }
    if (OnClick) OnClick();
}

void ComboBox::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    listIndex_ = -1;
    if (hwnd_) {
        settingText_ = true;
        SetWindowTextA(hwnd_, text_.c_str());
        settingText_ = false;
    }
    if (OnChange) OnChange();
}

void ComboBox::ApplyDesign(const DesignProperties& props) {
    ChildWindow::ApplyDesign(props);
    style_ = static_cast<int>(props.GetLong("Style", style_));
    text_ = props.Get("Text", props.Get("Caption", text_));
}

bool ComboBox::OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg != WM_COMMAND || settingText_ || !hwnd_) return false;
    switch (HIWORD(wp)) {
    case CBN_SELCHANGE: {
        int sel = static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
        if (sel < 0 || sel >= ListCount()) return false;
        listIndex_ = sel;
        // The edit part shows the pick only after this notice; the handler must see it now.
        text_ = List(sel);
        if (OnClick) OnClick();
        return true;
    }
    case CBN_EDITCHANGE: {
        std::string now = WindowText();
        if (now == text_) return true;
        text_ = now;
        listIndex_ = -1;
        if (OnChange) OnChange();
        return true;
    }
    default:
        return false;
    }
}

}  // namespace gf
