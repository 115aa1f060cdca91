#pragma once
// The main window's notification-area icon: its record, adding and removing it, and
// decoding the icon's callback, which arrives as the window's own mouse-move message
// (512) with the icon's mouse message in the x coordinate.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

namespace gf {
class Form;
class Menu;
}  // namespace gf

namespace app {

inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;
inline constexpr const char* kTrayTip = "Glimmerfold";

// The record passed to the shell: first-version layout (NOTIFYICONDATAA_V1_SIZE), id 1,
// message + icon + tip, callback 512, the tip "Glimmerfold" then NUL then blanks.
NOTIFYICONDATAA TrayIconRecord(HWND window, HICON icon);

// The window's own icon (small one first), or the class icon.
HICON WindowIcon(HWND window);

// Shows and repaints the window, then adds its icon. True when the shell accepted it
// (it refuses without a desktop; the program then simply has no icon).
bool AddTrayIcon(HWND window);
// Takes the window's icon out of the notification area.
bool RemoveTrayIcon(HWND window);

// The message ("TaskbarCreated") the shell sends every top-level window when it makes
// the notification area anew, as after Explorer restarts: the icons it held are gone.
UINT TaskbarCreatedMessage();
// Adds the window's icon again after that message, leaving the window as it is
// (hidden stays hidden).
bool RestoreTrayIcon(HWND window);

// The mouse message carried by a mouse-move x: the number itself for a window scaled
// in pixels, otherwise x / twips-per-pixel, rounded half to even.
int TrayMessageFromX(double x, bool scaleIsPixels, double twipsPerPixelX);

enum class TrayAction { None, ShowWindow, OpenMenu };
// Left button up or double click show the window; right button up opens the menu;
// anything else (moves, button downs, the middle button) does nothing.
TrayAction TrayActionFor(int mouseMessage);

// What the icon does to the main window, in its own terms.
struct TrayWindow {
    std::function<void()> setNormalState;  // WindowState = normal
    std::function<void()> bringToFront;    // SetForegroundWindow on its handle
    std::function<void()> show;
    std::function<void()> popupMenu;       // mPopupSys at the mouse, default alignment
};

// The body of Form_MouseMove for the icon's callbacks.
void HandleTrayCallback(int mouseMessage, const TrayWindow& window);

// What the icon does to a form: WindowState normal, SetForegroundWindow, Show, and
// PopupMenu with `popup`.
TrayWindow TrayWindowOf(gf::Form& window, gf::Menu& popup);
// Form_MouseMove of a form in twips that owns the icon: decodes x and acts on it.
void TrayIcon_MouseMove(gf::Form& window, gf::Menu& popup, double x);

}  // namespace app
