#include "framework/UserControl.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>

#include "framework/FlagScope.h"

namespace gf {

namespace {

constexpr char kWindowClass[] = "GlimmerfoldUserControl";
constexpr UINT kAccessKeyMessage = WM_APP + 0x2A1;  // wParam: the character

// The live user controls of this (single UI) thread, for access-key delivery.
std::vector<UserControl*>& LiveControls() {
    static std::vector<UserControl*> live;
    return live;
}

HHOOK g_accessKeyHook = nullptr;

void RegisterWindowClass(WNDPROC windowProc) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

int CurrentShift() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= vbShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) shift |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= vbAltMask;
    return shift;
}

int HeldButtons(WPARAM wp) {
    int buttons = 0;
    if (wp & MK_LBUTTON) buttons |= vbLeftButton;
    if (wp & MK_RBUTTON) buttons |= vbRightButton;
    if (wp & MK_MBUTTON) buttons |= vbMiddleButton;
    return buttons;
}

bool HoldsKey(const std::string& keys, char key) {
    auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    return std::any_of(keys.begin(), keys.end(), [&](char k) { return lower(k) == lower(key); });
}

UserControl* AccessKeyTarget(HWND window, char key) {
    HWND root = GetAncestor(window, GA_ROOT);
    for (UserControl* control : LiveControls()) {
        HWND h = control->hWnd();
        if (!h || GetAncestor(h, GA_ROOT) != root) continue;
        if (!IsWindowVisible(h) || !IsWindowEnabled(h)) continue;
        if (HoldsKey(control->AccessKeys(), key)) return control;
    }
    return nullptr;
}

// Alt+key typed anywhere in this thread's windows: a control that owns the key gets it
// through its own queue (so that its handler does not run inside the hook).
LRESULT CALLBACK AccessKeyHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && wp == PM_REMOVE) {
        auto* msg = reinterpret_cast<MSG*>(lp);
        if (msg->message == WM_SYSCHAR && msg->hwnd) {
            if (UserControl* target = AccessKeyTarget(msg->hwnd, static_cast<char>(msg->wParam))) {
                PostMessageA(target->hWnd(), kAccessKeyMessage, msg->wParam, 0);
                msg->message = WM_NULL;
            }
        }
    }
    return CallNextHookEx(g_accessKeyHook, code, wp, lp);
}

void AddLive(UserControl* control) {
    LiveControls().push_back(control);
    if (!g_accessKeyHook)
        g_accessKeyHook = SetWindowsHookExA(WH_GETMESSAGE, AccessKeyHook, nullptr, GetCurrentThreadId());
}

void RemoveLive(UserControl* control) {
    std::erase(LiveControls(), control);
    if (LiveControls().empty() && g_accessKeyHook) {
        UnhookWindowsHookEx(g_accessKeyHook);
        g_accessKeyHook = nullptr;
    }
}

LPCSTR StandardCursor(int pointer) {
    switch (pointer) {
    case 1: return IDC_ARROW;
    case 2: return IDC_CROSS;
    case 3: return IDC_IBEAM;
    case 4: return IDC_ARROW;  // the old "icon" pointer has no modern counterpart
    case 5: return IDC_SIZEALL;
    case 6: return IDC_SIZENESW;
    case 7: return IDC_SIZENS;
    case 8: return IDC_SIZENWSE;
    case 9: return IDC_SIZEWE;
    case 10: return IDC_UPARROW;
    case 11: return IDC_WAIT;
    case 12: return IDC_NO;
    case 13: return IDC_APPSTARTING;
    case 14: return IDC_HELP;
    case 15: return IDC_SIZEALL;
    default: return nullptr;
    }
}

}  // namespace

UserControl::UserControl(std::string name, int index) : Control(std::move(name), index) {
    ambient_.DisplayName = index >= 0 ? Name() + "(" + std::to_string(index) + ")" : Name();
}

UserControl::~UserControl() {
    // A derived control has normally unloaded already; its notifications cannot run now.
    terminated_ = true;
    if (hwnd_) {
        destroying_ = true;
        DestroyWindow(hwnd_);
    }
}

void UserControl::SetSavedProperties(PropertyBag saved) {
    makeSaved_ = nullptr;
    saved_ = std::make_unique<PropertyBag>(std::move(saved));
}

void UserControl::SetSavedProperties(std::function<PropertyBag()> make) {
    saved_.reset();
    makeSaved_ = std::move(make);
}

void UserControl::Create(HWND parent) {
    if (makeSaved_) SetSavedProperties(makeSaved_());
    Load(parent, saved_.get());
}

void UserControl::Load(HWND parent, const PropertyBag* saved) {
    if (hwnd_) return;
    // A form may unload and load its controls again: each load starts afresh.
    terminated_ = destroying_ = resizeNotices_ = false;
    clientWidth_ = clientHeight_ = -1;
    heldButtons_ = 0;
    clickArmed_ = false;
    appliedRegionKey_.clear();
    RegisterWindowClass(&UserControl::WindowProc);
    DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_CLIPSIBLINGS | WS_TABSTOP;
    const RECT created = PixelPlace();
    CreateWindowExA(0, kWindowClass, Name().c_str(), style, created.left, created.top, created.right - created.left,
                    created.bottom - created.top, parent, nullptr, GetModuleHandleA(nullptr), this);
    if (!hwnd_) return;
    FlagScope loading(loading_);
    BindWindow(hwnd_);
    AddLive(this);
    surface_.Attach(hwnd_);
    surface_.SetFont(ambient_.Font);
    RECT client{};
    GetClientRect(hwnd_, &client);
    OnSize(client.right, client.bottom);
    if (!enabled_) EnableWindow(hwnd_, FALSE);

    {
        // Initialize and the saved extent may each size the control: the window takes
        // the last size once, not every size on the way.
        FlagScope holding(holdGeometry_);
        UserControl_Initialize();
        if (saved && saved->Contains("_ExtentX") && saved->Contains("_ExtentY"))
            SetExtent(saved->ReadDouble("_ExtentX", 0) * 1440.0 / 2540.0,
                      saved->ReadDouble("_ExtentY", 0) * 1440.0 / 2540.0);
    }
    ApplyGeometry();  // moves the window only when that size differs
    for (UserControlTimer* timer : timers_)
        if (timer->enabled_) timer->Start();
    resizeNotices_ = true;
    {
        FlagScope reading(readingProperties_);
        if (saved)
            UserControl_ReadProperties(*saved);
        else
            UserControl_InitProperties();
    }
    UserControl_Resize();
    if (visible_) {
        ShowWindow(hwnd_, SW_SHOWNA);
        UserControl_Show();
    }
}

RECT UserControl::PixelPlace() const {
    int x = TwipsToPixelsX(left_), y = TwipsToPixelsY(top_);
    return RECT{x, y, x + TwipsToPixelsX(width_), y + TwipsToPixelsY(height_)};
}

void UserControl::ApplyGeometry() {
    if (!holdGeometry_) Control::ApplyGeometry();
}

void UserControl::Unload() {
    if (!hwnd_) return;
    DestroyWindow(hwnd_);  // WM_DESTROY runs Terminate
}

void UserControl::SaveProperties(PropertyBag& bag) {
    bag.WriteProperty("_ExtentX", std::lround(width_ * 2540.0 / 1440.0));
    bag.WriteProperty("_ExtentY", std::lround(height_ * 2540.0 / 1440.0));
    UserControl_WriteProperties(bag);
}

void UserControl::SetVisible(bool visible) {
    bool changed = visible != visible_;
    Control::SetVisible(visible);
    if (!changed || !hwnd_) return;
    if (visible)
        UserControl_Show();
    else
        UserControl_Hide();
}

void UserControl::SetMousePointer(int pointer) { mousePointer_ = pointer; }
void UserControl::SetMouseIcon(PictureRef icon) { mouseIcon_ = std::move(icon); }

void UserControl::AmbientChanged(const char* name) {
    if (hwnd_) UserControl_AmbientChanged(name);
}

void UserControl::SetAmbientUserMode(bool value) {
    if (value == ambient_.UserMode) return;
    ambient_.UserMode = value;
    AmbientChanged("UserMode");
}

void UserControl::SetAmbientDisplayName(const std::string& value) {
    if (value == ambient_.DisplayName) return;
    ambient_.DisplayName = value;
    AmbientChanged("DisplayName");
}

void UserControl::SetAmbientDisplayAsDefault(bool value) {
    if (value == ambient_.DisplayAsDefault) return;
    ambient_.DisplayAsDefault = value;
    AmbientChanged("DisplayAsDefault");
}

void UserControl::SetAmbientFont(const StdFont& value) {
    if (value == ambient_.Font) return;
    ambient_.Font = value;
    AmbientChanged("Font");
}

void UserControl::PropertyChanged(const std::string& propertyName) {
    if (OnPropertyChanged) OnPropertyChanged(propertyName);
}

void UserControl::SetExtent(double widthTwips, double heightTwips) { Move(left_, top_, widthTwips, heightTwips); }

void UserControl::Refresh() {
    if (!hwnd_) return;
    ApplyRegionIfStale();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool UserControl::DeliverAccessKey(HWND window, char key) {
    UserControl* target = AccessKeyTarget(window, key);
    if (!target) return false;
    target->UserControl_AccessKeyPress(static_cast<unsigned char>(key));
    return true;
}

void UserControl::ApplyRegionIfStale() {
    if (OwnsWindowRegion()) return;
    std::string key = surface_.RegionKey();
    if (key == appliedRegionKey_) return;
    appliedRegionKey_ = key;
    SetWindowRgn(hwnd_, surface_.BuildRegion(), TRUE);  // the window owns the region from here
}

void UserControl::OnSize(int width, int height) {
    surface_.ResizeTo(width, height);
    if (width == clientWidth_ && height == clientHeight_) return;
    clientWidth_ = width;
    clientHeight_ = height;
    if (resizeNotices_) UserControl_Resize();
}

void UserControl::OnPaint() {
    ApplyRegionIfStale();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    surface_.Validated();
    RECT all{0, 0, clientWidth_, clientHeight_};
    surface_.PaintTo(dc, all);
    EndPaint(hwnd_, &ps);
}

bool UserControl::OnSetCursor() {
    if (mousePointer_ == 99 && mouseIcon_ && mouseIcon_->Type() == StdPicture::Kind::Icon) {
        SetCursor(static_cast<HCURSOR>(mouseIcon_->Handle()));
        return true;
    }
    if (LPCSTR standard = StandardCursor(mousePointer_)) {
        SetCursor(LoadCursorA(nullptr, standard));
        return true;
    }
    return false;
}

bool UserControl::HandleMouse(UINT msg, WPARAM wp, LPARAM lp) {
    float x = static_cast<float>(GET_X_LPARAM(lp));
    float y = static_cast<float>(GET_Y_LPARAM(lp));
    int button = 0;
    switch (msg) {
    case WM_MOUSEMOVE:
        UserControl_MouseMove(HeldButtons(wp), CurrentShift(), x, y);
        return true;
    case WM_LBUTTONDOWN: button = vbLeftButton; break;
    case WM_RBUTTONDOWN: button = vbRightButton; break;
    case WM_MBUTTONDOWN: button = vbMiddleButton; break;
    case WM_LBUTTONDBLCLK:
        // The second press of a double click: DblClick instead of MouseDown, and no Click.
        if (GetFocus() != hwnd_) SetFocus(hwnd_);
        heldButtons_ |= vbLeftButton;
        clickArmed_ = false;
        SetCapture(hwnd_);
        UserControl_DblClick();
        return true;
    case WM_LBUTTONUP: button = -vbLeftButton; break;
    case WM_RBUTTONUP: button = -vbRightButton; break;
    case WM_MBUTTONUP: button = -vbMiddleButton; break;
    default: return false;
    }
    if (button > 0) {
        if (GetFocus() != hwnd_) SetFocus(hwnd_);
        heldButtons_ |= button;
        if (button == vbLeftButton) clickArmed_ = true;
        SetCapture(hwnd_);
        UserControl_MouseDown(button, CurrentShift(), x, y);
        return true;
    }
    button = -button;
    heldButtons_ &= ~button;
    if (!heldButtons_ && GetCapture() == hwnd_) ReleaseCapture();
    UserControl_MouseUp(button, CurrentShift(), x, y);
    if (button == vbLeftButton && clickArmed_) {
        clickArmed_ = false;
        RECT client{0, 0, clientWidth_, clientHeight_};
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (hwnd_ && PtInRect(&client, p)) UserControl_Click();
    }
    return true;
}

bool UserControl::HandleKeys(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        UserControl_KeyDown(static_cast<int>(wp), CurrentShift());
        return msg == WM_KEYDOWN;  // Alt combinations still reach the system
    case WM_KEYUP:
    case WM_SYSKEYUP:
        UserControl_KeyUp(static_cast<int>(wp), CurrentShift());
        return msg == WM_KEYUP;
    case WM_CHAR:
        UserControl_KeyPress(static_cast<int>(wp));
        return true;
    default:
        return false;
    }
}

LRESULT UserControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (HandleMouse(msg, wp, lp) || HandleKeys(msg, wp, lp)) return 0;
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the surface covers the whole client area
    case WM_SIZE:
        OnSize(LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_SETFOCUS:
        UserControl_GotFocus();
        return 0;
    case WM_KILLFOCUS:
        UserControl_LostFocus();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != hwnd_) heldButtons_ = 0;
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && OnSetCursor()) return TRUE;
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_TIMER:
        for (UserControlTimer* timer : timers_)
            if (timer->id_ == wp && timer->enabled_) {
                timer->tick_();
                return 0;
            }
        return 0;
    case kAccessKeyMessage:
        UserControl_AccessKeyPress(static_cast<int>(wp));
        return 0;
    case WM_DESTROY:
        if (!terminated_ && !destroying_) {
            terminated_ = true;
            UserControl_Terminate();
        }
        return 0;
    case WM_NCDESTROY: {
        HWND window = hwnd_;
        UnbindWindow(window);
        RemoveLive(this);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        surface_.Attach(nullptr);
        return DefWindowProcA(window, msg, wp, lp);
    }
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK UserControl::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<UserControl*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<UserControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    // Errors of a control's handlers stop at the window: report and go on.
    try {
        return self->HandleMessage(msg, wp, lp);
    } catch (const std::exception& e) {
        OutputDebugStringA((std::string("user control: ") + e.what() + "\n").c_str());
    } catch (...) {
        OutputDebugStringA("user control: unknown error\n");
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

UserControlTimer::UserControlTimer(UserControl& owner, UINT interval, std::function<void()> tick)
    : owner_(owner), interval_(interval), tick_(std::move(tick)), id_(reinterpret_cast<UINT_PTR>(this)) {
    owner_.timers_.push_back(this);
}

UserControlTimer::~UserControlTimer() {
    Stop();
    std::erase(owner_.timers_, this);
}

void UserControlTimer::Start() {
    if (owner_.hwnd_ && interval_ > 0) SetTimer(owner_.hwnd_, id_, interval_, nullptr);
}

void UserControlTimer::Stop() {
    if (owner_.hwnd_) KillTimer(owner_.hwnd_, id_);
}

void UserControlTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled)
        Start();
    else
        Stop();
}

void UserControlTimer::SetInterval(UINT interval) {
    interval_ = interval;
    if (enabled_) Start();
}

}  // namespace gf
