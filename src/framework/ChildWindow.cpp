#include "framework/ChildWindow.h"

#include "framework/CommonControls.h"
#include "framework/Design.h"
#include "framework/Text.h"

namespace gf {

namespace {
int g_nextId = 1000;  // clear of IDOK / IDCANCEL, which the dialog manager sends
}

void EnsureCommonControls() {
    static bool done = comctl::InitCommonControls(ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES);
    (void)done;
}

ChildWindow::~ChildWindow() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

HWND ChildWindow::MakeChild(const char* cls, const std::string& text, DWORD style, DWORD exStyle, HWND parent,
                            bool wide) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    const int x = TwipsToPixelsX(left_), y = TwipsToPixelsY(top_);
    const int w = TwipsToPixelsX(width_), h = TwipsToPixelsY(height_);
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(g_nextId++));
    if (wide)
        return CreateWindowExW(exStyle, Widen(cls).c_str(), Widen(text).c_str(), style, x, y, w, h, parent, id,
                               GetModuleHandleW(nullptr), nullptr);
    return CreateWindowExA(exStyle, cls, text.c_str(), style, x, y, w, h, parent, id, GetModuleHandleA(nullptr),
                           nullptr);
}

void ChildWindow::Create(HWND parent) {
    if (hwnd_) return;
    hwnd_ = MakeWindow(parent);
    if (!hwnd_) return;
    BindWindow(hwnd_);
    if (UsesFont()) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont(font_)), FALSE);
    ApplyGeometry();
    AfterCreate();
}

void ChildWindow::Destroy() {
    if (!hwnd_) return;
    HWND h = hwnd_;
    hwnd_ = nullptr;  // notifications during destruction must not reach a half-gone control
    UnbindWindow(h);
    if (IsWindow(h)) DestroyWindow(h);
}

void ChildWindow::ApplyDesign(const DesignProperties& props) {
    Control::ApplyDesign(props);
    SetFont(FontFromDesign(props, font_));
}

void ChildWindow::SetFont(const FontSpec& font) {
    font_ = font;
    if (hwnd_ && UsesFont()) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont(font_)), TRUE);
}

void ChildWindow::ScaleFont(double factor) {
    if (UsesFont()) SetFont(font_.Scaled(factor));
}

void ChildWindow::ZOrder(int position) {
    if (hwnd_)
        SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ChildWindow::SetFocus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

void ChildWindow::Refresh() {
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace gf
