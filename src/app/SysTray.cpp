#include "app/SysTray.h"

#include <cmath>
#include <cstring>

#include "framework/Control.h"
#include "framework/Form.h"
#include "framework/Menu.h"

namespace app {

NOTIFYICONDATAA TrayIconRecord(HWND window, HICON icon) {
    NOTIFYICONDATAA nid = {};
    // The first version of the record is all we use; its size depends on the platform.
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = window;
    nid.uID = kTrayIconId;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = kTrayCallbackMessage;
    nid.hIcon = icon;
    constexpr size_t kTipChars = 64;
    static_assert(sizeof nid.szTip >= kTipChars);
    std::memset(nid.szTip, ' ', kTipChars);
    std::memcpy(nid.szTip, kTrayTip, std::strlen(kTrayTip) + 1);
    return nid;
}

HICON WindowIcon(HWND window) {
    DWORD_PTR icon = 0;
    for (WPARAM kind : {ICON_SMALL, ICON_BIG}) {
        if (SendMessageTimeoutA(window, WM_GETICON, kind, 0, SMTO_ABORTIFHUNG, 1000, &icon) && icon)
            return reinterpret_cast<HICON>(icon);
    }
    if (auto small = GetClassLongPtrA(window, GCLP_HICONSM)) return reinterpret_cast<HICON>(small);
    return reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
}

bool AddTrayIcon(HWND window) {
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return RestoreTrayIcon(window);
}

bool RemoveTrayIcon(HWND window) {
    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = window;
    nid.uID = kTrayIconId;
    return Shell_NotifyIconA(NIM_DELETE, &nid) != FALSE;
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

bool RestoreTrayIcon(HWND window) {
    // A program run as administrator would not hear the shell's message otherwise.
    ChangeWindowMessageFilterEx(window, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    NOTIFYICONDATAA nid = TrayIconRecord(window, WindowIcon(window));
    return Shell_NotifyIconA(NIM_ADD, &nid) != FALSE;
}

int TrayMessageFromX(double x, bool scaleIsPixels, double twipsPerPixelX) {
    double m = scaleIsPixels || twipsPerPixelX <= 0 ? x : x / twipsPerPixelX;
    return static_cast<int>(std::nearbyint(m));  // default rounding: halves to even
}

TrayAction TrayActionFor(int mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return TrayAction::ShowWindow;
        case WM_RBUTTONUP:
            return TrayAction::OpenMenu;
        default:
            return TrayAction::None;
    }
}

void HandleTrayCallback(int mouseMessage, const TrayWindow& window) {
    switch (TrayActionFor(mouseMessage)) {
        case TrayAction::ShowWindow:
            if (window.setNormalState) window.setNormalState();
            if (window.bringToFront) window.bringToFront();
            if (window.show) window.show();
            break;
        case TrayAction::OpenMenu:
            if (window.bringToFront) window.bringToFront();
            if (window.popupMenu) window.popupMenu();
            break;
        case TrayAction::None:
            break;
    }
}

TrayWindow TrayWindowOf(gf::Form& window, gf::Menu& popup) {
    gf::Form* form = &window;
    gf::Menu* menu = &popup;
    return {
        [form] { form->SetWindowState(gf::vbNormal); },
        [form] {
            // A click on the icon moves the focus to the shell's window. While a long clean
            // turns the loop only now and then, that change may still wait behind the icon's
            // message: a peek lets it through first, or it would take the focus back from
            // the window and close the menu about to open.
            MSG pending;
            PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
            if (form->Hwnd()) SetForegroundWindow(form->Hwnd());
        },
        [form] { form->Show(); },
        [form, menu] { form->PopupMenu(*menu); },
    };
}

void TrayIcon_MouseMove(gf::Form& window, gf::Menu& popup, double x) {
    // The main window is scaled in twips.
    HandleTrayCallback(TrayMessageFromX(x, false, gf::Screen::TwipsPerPixelX()), TrayWindowOf(window, popup));
}

}  // namespace app
