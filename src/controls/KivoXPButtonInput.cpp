// KivoXPButton: mouse, keyboard, access key, focus and the hover poll.
#include "controls/KivoXPButton.h"

using kivoxp::kStateDown;
using kivoxp::kStateUp;

namespace {

constexpr short kLeft = 1, kRight = 2;
constexpr short kSpace = 32;

}  // namespace

bool KivoXPButton::IsMouseOver() const {
    // A part cut off by the region, or another window on top, counts as outside.
    POINT p{};
    GetCursorPos(&p);
    return WindowFromPoint(p) == hWnd();
}

void KivoXPButton::UserControl_MouseDown(int button, int shift, float x, float y) {
    short Button = static_cast<short>(button), Shift = static_cast<short>(shift);
    if (MouseDown) MouseDown(Button, Shift, x, y);
    LastButton = static_cast<BYTE>(Button & 0xFF);
    if (Button != kRight) look_.DrawButton(kStateDown, false);
}

void KivoXPButton::UserControl_MouseMove(int button, int shift, float x, float y) {
    short Button = static_cast<short>(button), Shift = static_cast<short>(shift);
    if (MouseMove) MouseMove(Button, Shift, x, y);
    if (Button >= 2) return;
    if (!IsMouseOver()) {
        look_.DrawButton(kStateUp, false);
    } else if (Button == 0 && !look_.IsOver) {  // the pointer has just come in
        OverTimer.SetEnabled(true);
        look_.IsOver = true;
        Repaint(kStateUp);
        if (MouseOver) MouseOver();
    } else if (Button == kLeft) {
        look_.IsOver = true;
        look_.DrawButton(kStateDown, false);
        look_.IsOver = false;
    }
}

void KivoXPButton::UserControl_MouseUp(int button, int shift, float x, float y) {
    short Button = static_cast<short>(button), Shift = static_cast<short>(shift);
    if (MouseUp) MouseUp(Button, Shift, x, y);
    if (Button != kRight) look_.DrawButton(kStateUp, false);
}

void KivoXPButton::OverTimer_Timer() {
    if (IsMouseOver()) return;
    OverTimer.SetEnabled(false);
    look_.IsOver = false;
    Repaint(kStateUp);
    if (MOUSEOUT) MOUSEOUT();
}

void KivoXPButton::ClickHandling() {
    if (LastButton != kLeft || !look_.Enabled) return;
    if (look_.CheckBoxBehaviour) look_.value = !look_.value;
    Repaint(kStateUp);
    // The released look is on the screen while the host handles the click.
    gf::UserControl::Refresh();
    if (Click) Click();
}

void KivoXPButton::UserControl_Click() { ClickHandling(); }

void KivoXPButton::UserControl_AccessKeyPress(int keyAscii) {
    LastButton = kLeft;
    ClickHandling();
}

void KivoXPButton::UserControl_DblClick() {
    if (LastButton != kLeft) return;
    UserControl_MouseDown(kLeft, 0, 0, 0);
    SetCapture(hWnd());  // so that the release comes here and paints the up look
}

void KivoXPButton::MoveFocus(bool backwards) {
    // Shift+Tab or Tab: the previous or next tab stop of the top-level window.
    // Not by simulated Tab strokes: a key the user holds (Alt, Shift) would join them; they go wherever the focus is.
    HWND self = hWnd();
    HWND root = GetAncestor(self, GA_ROOT);
    if (!root || root == self) return;
    if (HWND next = GetNextDlgTabItem(root, self, backwards ? TRUE : FALSE); next && next != self) SetFocus(next);
}

void KivoXPButton::UserControl_KeyDown(int keyCode, int shift) {
    short KeyCode = static_cast<short>(keyCode), Shift = static_cast<short>(shift);
    if (KeyDown) KeyDown(KeyCode, Shift);
    LastKeyDown = static_cast<BYTE>(KeyCode & 0xFF);
    switch (KeyCode) {
    case kSpace: look_.DrawButton(kStateDown, false); break;
    case VK_LEFT:
    case VK_UP: MoveFocus(true); break;
    case VK_RIGHT:
    case VK_DOWN: MoveFocus(false); break;
    default: break;
    }
}

void KivoXPButton::UserControl_KeyPress(int keyAscii) {
    short KeyAscii = static_cast<short>(keyAscii);
    if (KeyPress) KeyPress(KeyAscii);
}

void KivoXPButton::UserControl_KeyUp(int keyCode, int shift) {
    short KeyCode = static_cast<short>(keyCode), Shift = static_cast<short>(shift);
    if (KeyUp) KeyUp(KeyCode, Shift);
    if (KeyCode != kSpace || LastKeyDown != kSpace) return;
    if (look_.CheckBoxBehaviour) look_.value = !look_.value;
    look_.DrawButton(kStateUp, false);
    gf::UserControl::Refresh();
    if (Click) Click();
}

void KivoXPButton::UserControl_GotFocus() {
    look_.HasFocus = true;
    RepaintLast();
}

void KivoXPButton::UserControl_LostFocus() {
    look_.HasFocus = false;
    RepaintLast();
}

void KivoXPButton::UserControl_AmbientChanged(const std::string& propertyName) {
    if (look_.ColorScheme == 2) return;  // the custom scheme ignores the container
    look_.SetColors();
    RepaintLast();
}
