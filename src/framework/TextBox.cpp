#include "framework/TextBox.h"

#include "framework/Design.h"
#include "framework/Text.h"

namespace gf {

HWND TextBox::MakeWindow(HWND parent) {
    DWORD align = alignment_ == 1 ? ES_RIGHT : alignment_ == 2 ? ES_CENTER : ES_LEFT;
    return MakeChild("EDIT", text_, ES_AUTOHSCROLL | WS_TABSTOP | align, WS_EX_CLIENTEDGE, parent, true);
}

void TextBox::AfterCreate() { SetMaxLength(maxLength_); }

std::string TextBox::WindowText() const {
    int n = GetWindowTextLengthA(hwnd_);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(hwnd_, s.data(), n + 1);
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return s;
}

std::wstring TextBox::WideText() const { return hwnd_ ? WindowTextWide(hwnd_) : Widen(text_); }

void TextBox::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    if (hwnd_) {
        // The window's own change notice is ours, not the user's: raise the event once.
        settingText_ = true;
        SetWindowTextA(hwnd_, text_.c_str());
        settingText_ = false;
    }
    if (OnChange) OnChange();
}

void TextBox::SetMaxLength(int chars) {
    maxLength_ = chars;
    if (hwnd_) SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(chars), 0);
}

void TextBox::ApplyDesign(const DesignProperties& props) {
    ChildWindow::ApplyDesign(props);
    alignment_ = static_cast<int>(props.GetLong("Alignment", alignment_));
    maxLength_ = static_cast<int>(props.GetLong("MaxLength", maxLength_));
    // The design text is the starting state, not a change.
    text_ = props.Get("Text", props.Get("Caption", text_));
    if (hwnd_) SetWindowTextA(hwnd_, text_.c_str());
}

bool TextBox::OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == EN_KILLFOCUS && hwnd_) {
        if (OnLostFocus) OnLostFocus();
        result = 0;
        return true;
    }
    if (msg != WM_COMMAND || HIWORD(wp) != EN_CHANGE || settingText_ || !hwnd_) return false;
    std::string now = WindowText();
    if (now != text_) {
        text_ = now;
        if (OnChange) OnChange();
    }
    result = 0;
    return true;
}

}  // namespace gf
