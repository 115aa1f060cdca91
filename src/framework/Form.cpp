#include "framework/Form.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include <commctrl.h>

#include "framework/ChildWindow.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Windowless.h"

namespace gf {

namespace {

int g_loadedForms = 0;

// "fraWindow(1)" -> ("fraWindow", 1); "Picture2" -> ("Picture2", -1).
std::pair<std::string, int> SplitIndexedName(const std::string& text) {
    size_t open = text.find('(');
    if (open == std::string::npos || text.back() != ')') return {text, -1};
    return {text.substr(0, open), std::atoi(text.c_str() + open + 1)};
}

// The container itself, or a control within it.
bool Within(const Control& control, const Control& container) {
    for (const Control* p = &control; p; p = p->Parent())
        if (p == &container) return true;
    return false;
}

bool IsFormWindow(HWND hwnd) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return lstrcmpA(cls, "GfForm") == 0;
}

}  // namespace

Form::Form(std::string name) : name_(std::move(name)) {
    icon_ = ProgramIcon();
}

Form::Form(std::string name, std::span<const DesignRow> design) : Form(std::move(name)) { Build(design); }

Form::~Form() {
    // A hook may reach into the derived window, which is gone by now.
    MessageHook = nullptr;
    if (loaded_) DestroyWindows();
}

int Form::LoadedCount() { return g_loadedForms; }

// ---- controls

void Form::Build(std::span<const DesignRow> rows) {
    for (const DesignRow& row : rows) {
        Control* parent = nullptr;
        std::string container = row.container ? row.container : "";
        if (!container.empty()) {
            auto [cname, cindex] = SplitIndexedName(container);
            parent = Find(cname, cindex);
            if (!parent) throw Error(730, name_, "Container " + container + " of " + row.name + " is not designed yet");
        }
        std::unique_ptr<Control> control = ControlTypes::Make(row.type, row.name, row.index);
        if (!control) throw Error(711, name_, std::string("Unknown control type ") + row.type);
        control->Move(row.left, row.top, row.width, row.height);
        control->Tag = row.tag ? row.tag : "";
        DesignProperties props(row.props ? row.props : "");
        if ((row.caption && *row.caption) || !props.Has("Caption")) props.Set("Caption", row.caption ? row.caption : "");
        control->ApplyDesign(props);
        Add(std::move(control), parent);
    }
}

Control& Form::Add(std::unique_ptr<Control> control, Control* parent) {
    Control& c = *control;
    if (Find(c.Name(), c.Index())) throw Error(360, name_, "Control " + c.Name() + " already exists");
    Container* host = nullptr;
    if (auto* menu = dynamic_cast<Menu*>(&c)) {
        if (auto* parentMenu = dynamic_cast<Menu*>(parent)) parentMenu->AddItem(*menu);
    } else if (c.HasGeometry()) {
        host = parent ? parent->AsContainer() : this;
        if (!host) throw Error(730, name_, c.Name() + ": " + parent->Name() + " cannot hold controls");
        host->AddChild(&c);
    }
    c.SetPlacement(parent, host);
    controls_.push_back(std::move(control));
    if (loaded_ && !IsDeferred(c)) c.Create(host ? host->SurfaceWindow() : hwnd_);
    return c;
}

Control* Form::Find(const std::string& name, int index) const {
    for (const auto& c : controls_)
        if (c->Index() == index && c->Name() == name) return c.get();
    return nullptr;
}

void Form::Defer(Control& container) {
    if (!loaded_ && container.AsContainer()) deferred_.push_back(&container);
}

bool Form::IsDeferred(const Control& control) const {
    if (!control.HasGeometry()) return false;  // timers and menus always run
    for (const Control* p = &control; p; p = p->Parent())
        if (std::find(deferred_.begin(), deferred_.end(), p) != deferred_.end()) return true;
    return false;
}

void Form::CreateDeferred(Control& container) {
    auto it = std::find(deferred_.begin(), deferred_.end(), &container);
    if (it == deferred_.end()) return;
    deferred_.erase(it);
    if (!loaded_) return;
    for (const auto& c : controls_) {
        if (!Within(*c, container) || IsDeferred(*c)) continue;
        Container* host = c->Host();
        c->Create(host ? host->SurfaceWindow() : hwnd_);
    }
}

bool Form::FocusFirstIn(const Control& container) {
    for (const auto& c : controls_) {
        HWND h = c->Hwnd();
        if (!h || c.get() == &container || !Within(*c, container)) continue;
        if (!(GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP) || !IsWindowVisible(h) || !IsWindowEnabled(h)) continue;
        ::SetFocus(h);
        return true;
    }
    return false;
}

std::vector<Control*> Form::Controls() const {
    std::vector<Control*> out;
    out.reserve(controls_.size());
    for (const auto& c : controls_) out.push_back(c.get());
    return out;
}

// ---- appearance and geometry

DWORD Form::Style() const {
    DWORD style = WS_CLIPCHILDREN;
    if (border_ == FormBorder::None) return style | WS_POPUP;
    style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    if (minButton_) style |= WS_MINIMIZEBOX;
    return style;
}

DWORD Form::ExStyle() const {
    return WS_EX_CONTROLPARENT | (border_ == FormBorder::None ? WS_EX_APPWINDOW : WS_EX_WINDOWEDGE);
}

RECT Form::OuterPixels() const {
    RECT rc{};
    if (hwnd_) {
        GetWindowRect(hwnd_, &rc);
        return rc;
    }
    rc = RECT{0, 0, TwipsToPixelsX(clientW_), TwipsToPixelsY(clientH_)};
    AdjustWindowRectEx(&rc, Style(), FALSE, ExStyle());
    OffsetRect(&rc, TwipsToPixelsX(left_) - rc.left, TwipsToPixelsY(top_) - rc.top);
    return rc;
}

double Form::Left() const { return PixelsToTwipsX(OuterPixels().left); }
double Form::Top() const { return PixelsToTwipsY(OuterPixels().top); }
double Form::Width() const {
    RECT rc = OuterPixels();
    return PixelsToTwipsX(rc.right - rc.left);
}
double Form::Height() const {
    RECT rc = OuterPixels();
    return PixelsToTwipsY(rc.bottom - rc.top);
}

double Form::ScaleWidth() const {
    if (!hwnd_) return clientW_;
    RECT rc;
    GetClientRect(hwnd_, &rc);
    return PixelsToTwipsX(rc.right);
}

double Form::ScaleHeight() const {
    if (!hwnd_) return clientH_;
    RECT rc;
    GetClientRect(hwnd_, &rc);
    return PixelsToTwipsY(rc.bottom);
}

void Form::Move(double left, double top, double width, double height) {
    bool moved = left != Left() || top != Top();
    if (moved) {
        left_ = left;
        top_ = top;
        placed_ = true;
    }
    int x = TwipsToPixelsX(left), y = TwipsToPixelsY(top);
    int w = TwipsToPixelsX(width), h = TwipsToPixelsY(height);
    if (hwnd_) {
        MoveWindow(hwnd_, x, y, w, h, TRUE);
        return;
    }
    // Without a window, keep the client size that this outer size leaves.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, Style(), FALSE, ExStyle());
    clientW_ = PixelsToTwipsX(std::max<long>(0, w - (frame.right - frame.left)));
    clientH_ = PixelsToTwipsY(std::max<long>(0, h - (frame.bottom - frame.top)));
}

void Form::SetClientSize(double width, double height) {
    clientW_ = width;
    clientH_ = height;
    if (!hwnd_) return;
    RECT rc{0, 0, TwipsToPixelsX(width), TwipsToPixelsY(height)};
    AdjustWindowRectEx(&rc, Style(), FALSE, ExStyle());
    SetWindowPos(hwnd_, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (hwnd_) SetWindowTextA(hwnd_, caption_.c_str());
}

void Form::SetIcon(HICON icon) {
    icon_ = icon;
    if (!hwnd_) return;
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
}

void Form::SetBorderStyle(FormBorder border) {
    border_ = border;
    if (!hwnd_) return;
    RECT client;
    GetClientRect(hwnd_, &client);
    SetWindowLongPtrA(hwnd_, GWL_STYLE, (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE) | Style());
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, ExStyle());
    AdjustWindowRectEx(&client, Style(), FALSE, ExStyle());
    SetWindowPos(hwnd_, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form::SetBackColor(unsigned long color) {
    backColor_ = color;
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

double Form::TextWidth(const std::string& text) const {
    return PixelsToTwipsX(MeasureText(GetFont(font_), text).cx);
}

double Form::TextHeight(const std::string& text) const {
    return PixelsToTwipsY(MeasureText(GetFont(font_), text).cy);
}

void Form::PaintBackground(HDC dc, const RECT& area) { FillSolid(dc, area, ResolveColor(backColor_)); }

// ---- life cycle

void Form::CreateFormWindow() {
    RECT rc = OuterPixels();
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = rc.left, y = rc.top;
    if (!placed_ && startUp_ == StartUpPosition::CenterScreen) {
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        x = work.left + (work.right - work.left - w) / 2;
        y = work.top + (work.bottom - work.top - h) / 2;
    } else if (!placed_ && startUp_ == StartUpPosition::WindowsDefault && border_ != FormBorder::None) {
        x = y = CW_USEDEFAULT;
    }
    hwnd_ = CreateWindowExA(ExStyle(), FormClassName(), caption_.c_str(), Style(), x, y, w, h, nullptr,
                            nullptr, GetModuleHandleA(nullptr), static_cast<MessageSink*>(this));
    if (!hwnd_) throw Error(7, name_, "The window could not be created");
    // The program's icon comes with the window class; handing it to the window as well
    // would only make the system convert the same picture again.
    if (icon_ && icon_ != ProgramIcon()) SetIcon(icon_);
}

void Form::CreateToolTips() {
    UINT_PTR id = 0;
    for (const auto& c : controls_) {
        auto* w = dynamic_cast<WindowlessControl*>(c.get());
        if (!w || w->ToolTipText.empty() || !w->Host()) continue;
        if (!tips_) {
            EnsureCommonControls();
            tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
            if (!tips_) return;
        }
        TTTOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = w->Host()->SurfaceWindow();
        tool.uId = ++id;
        tool.rect = w->PixelRect();
        tool.lpszText = const_cast<char*>(w->ToolTipText.c_str());
        SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Form::Load() {
    if (loaded_ || loading_) return;
    loading_ = true;
    try {
        CreateFormWindow();
        for (const auto& c : controls_) {
            if (IsDeferred(*c)) continue;
            Container* host = c->Host();
            c->Create(host ? host->SurfaceWindow() : hwnd_);
        }
        CreateToolTips();
    } catch (...) {
        loading_ = false;
        throw;
    }
    loading_ = false;
    loaded_ = true;
    ++g_loadedForms;
    Form_Load();
}

void Form::Show() {
    Load();
    if (!hwnd_) return;
    int cmd = SW_SHOW;
    if (!IsWindowVisible(hwnd_) && pendingSet_) {
        cmd = pendingState_ == vbMinimized   ? SW_SHOWMINIMIZED
              : pendingState_ == vbMaximized ? SW_SHOWMAXIMIZED
                                             : SW_SHOWNORMAL;
    }
    pendingSet_ = false;
    ShowWindow(hwnd_, cmd);
    UpdateWindow(hwnd_);
}

void Form::Hide() {
    Load();
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Form::Refresh() {
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool Form::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Form::SetVisible(bool visible) {
    if (visible)
        Show();
    else
        Hide();
}

int Form::WindowState() const {
    if (!hwnd_ || (pendingSet_ && !IsWindowVisible(hwnd_))) return pendingState_;
    if (IsIconic(hwnd_)) return vbMinimized;
    if (IsZoomed(hwnd_)) return vbMaximized;
    return vbNormal;
}

void Form::SetWindowState(int state) {
    if (state < vbNormal || state > vbMaximized) throw Error(380, name_, "Invalid property value");
    if (hwnd_ && IsWindowVisible(hwnd_)) {
        ShowWindow(hwnd_, state == vbMinimized ? SW_MINIMIZE : state == vbMaximized ? SW_MAXIMIZE : SW_RESTORE);
        return;
    }
    // A hidden window takes its state when it is shown next.
    pendingState_ = state;
    pendingSet_ = true;
}

void Form::ZOrder(int position) {
    if (!hwnd_) return;
    if (position == 0) {
        SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(hwnd_);
    } else {
        SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

bool Form::AskUnload(int unloadMode) {
    bool cancel = false;
    Form_QueryUnload(cancel, unloadMode);
    if (cancel) return false;
    Form_Unload(cancel);
    return !cancel;
}

bool Form::Unload(int unloadMode) {
    if (!loaded_ || unloading_) return true;
    if (!AskUnload(unloadMode)) return false;
    DestroyWindows();
    return true;
}

void Form::DestroyWindows() {
    unloading_ = true;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) (*it)->Destroy();
    loaded_ = false;
    --g_loadedForms;
    HWND h = hwnd_;
    hwnd_ = nullptr;
    tips_ = nullptr;
    if (h && IsWindow(h)) DestroyWindow(h);
    unloading_ = false;
    // Wakes a message loop that waits for the last form to go.
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void Form::PopupMenu(Menu& menu) {
    if (!hwnd_) return;
    std::map<UINT, Menu*> ids;
    HMENU popup = menu.BuildPopup(ids);
    POINT pt;
    GetCursorPos(&pt);
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0,
                       hwnd_, nullptr));
    DestroyMenu(popup);
    // Lets the menu close properly when it was opened from a notification-area icon.
    PostMessageA(hwnd_, WM_NULL, 0, 0);
    auto it = ids.find(chosen);
    if (it != ids.end() && it->second->OnClick) it->second->OnClick();
}

void Form::SurfaceMouse(MouseEvent ev, int button, int shift, double x, double y) {
    switch (ev) {
    case MouseEvent::Down: Form_MouseDown(button, shift, x, y); break;
    case MouseEvent::Move: Form_MouseMove(button, shift, x, y); break;
    case MouseEvent::Up: Form_MouseUp(button, shift, x, y); break;
    case MouseEvent::Click: Form_Click(); break;
    case MouseEvent::DblClick: break;
    }
}

LRESULT Form::WindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (MessageHook && MessageHook(msg, wp, lp, result)) return result;
    if (Form_Message(msg, wp, lp, result)) return result;
    switch (msg) {
    case WM_CLOSE:
        Unload(vbFormControlMenu);
        return 0;
    case WM_QUERYENDSESSION: {
        bool cancel = false;
        Form_QueryUnload(cancel, vbAppWindows);
        return cancel ? FALSE : TRUE;
    }
    case WM_ENDSESSION:
        if (wp && loaded_) {
            bool cancel = false;
            Form_Unload(cancel);
            DestroyWindows();
        }
        return 0;
    case WM_NCDESTROY:
        if (loaded_) {  // destroyed from outside: the controls lose their windows too
            hwnd_ = nullptr;
            tips_ = nullptr;
            for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) (*it)->Destroy();
            loaded_ = false;
            --g_loadedForms;
        }
        break;
    default:
        if (HandleSurfaceMessage(hwnd, msg, wp, lp, result)) return result;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int RunMessageLoop() {
    MSG msg;
    while (Form::LoadedCount() > 0) {
        // Wide, as DoEvents takes them: typed letters reach a wide text box whole.
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got < 0) break;
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && IsFormWindow(root) && IsDialogMessageW(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace gf
