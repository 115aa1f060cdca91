#include "bosskey/StandInButton.h"

#include "framework/Design.h"

namespace bosskey {

HWND StandInButton::MakeWindow(HWND parent) {
    return MakeChild("BUTTON", caption_, BS_PUSHBUTTON | WS_TABSTOP, 0, parent);
}

void StandInButton::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (hwnd_) SetWindowTextA(hwnd_, caption_.c_str());
}

void StandInButton::ApplyDesign(const gf::DesignProperties& props) {
    ChildWindow::ApplyDesign(props);
    SetCaption(props.Get("Caption", caption_));
}

bool StandInButton::OnParentNotify(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED) return false;
    if (Enabled() && OnClick) OnClick();
    result = 0;
    return true;
}

}  // namespace bosskey
