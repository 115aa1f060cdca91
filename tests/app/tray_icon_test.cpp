// The notification-area icon on the virtual display: added to Wine's tray, clicked
// there with real mouse input, its callbacks decoded by the window, and removed.
// Moves the mouse and the foreground window: GF_EXCLUSIVE_DISPLAY
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tray_form.h"

using namespace testing_support;
using tray_form::TrayForm;

TEST(TrayIconRecord, CarriesTheWindowTheCallbackAndThePaddedTip) {
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    HWND w = reinterpret_cast<HWND>(0x1234);
    NOTIFYICONDATAA nid = app::TrayIconRecord(w, icon);
    EXPECT_EQ(nid.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_TRUE(nid.hWnd == w && nid.hIcon == icon);
    EXPECT_EQ(nid.uID, 1u);
    EXPECT_EQ(nid.uFlags, 7u);
    EXPECT_EQ(nid.uCallbackMessage, 512u);
    EXPECT_EQ(std::string(nid.szTip, 64), std::string("Glimmerfold") + '\0' + std::string(52, ' '));
    // Halves of a twips position go to the even neighbour; pixels are the number.
    EXPECT_EQ(app::TrayMessageFromX(514.5 * 15, false, 15.0), 514);
    EXPECT_EQ(app::TrayMessageFromX(515.5 * 15, false, 15.0), 516);
    EXPECT_EQ(app::TrayMessageFromX(517, true, 15.0), 517);
}

namespace {

HWND WineTray() { return FindWindowA(nullptr, "Wine System Tray"); }

void ClickTrayIcon(DWORD down, DWORD up) {  // real input on the first icon there
    POINT p{10, 10};
    ClientToScreen(WineTray(), &p);
    SetCursorPos(p.x, p.y);
    PumpFor(50);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = down;
    in[1].mi.dwFlags = up;
    SendInput(2, in, sizeof(INPUT));
}

RECT g_menuRect;
void CALLBACK ReadAndCloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, id);
    GetWindowRect(menu, &g_menuRect);
    EndMenu();
}

}  // namespace

TEST(TrayIcon, RealClicksOnTheIconShowTheWindowOrOpenTheMenuAtTheMouse) {
    TrayForm f;
    ASSERT_TRUE(f.AddIcon());
    EXPECT_TRUE(f.Visible()) << "adding the icon shows the window";
    ASSERT_TRUE(PumpUntil([] { return WineTray() && IsWindowVisible(WineTray()); }));

    f.HideMinimized();
    ClickTrayIcon(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(f.ShownInFront());
    EXPECT_EQ(f.menusOpened, 0);

    f.menuKeys.clear();
    SetTimer(nullptr, 0, 30, ReadAndCloseMenu);
    ClickTrayIcon(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(PumpUntil([&] { return f.menusOpened == 1 && g_menuRect.right > 0; }));
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_LE(std::abs(g_menuRect.left - cursor.x) + std::abs(g_menuRect.top - cursor.y), 4);
    EXPECT_EQ(GetForegroundWindow(), f.Hwnd());

    // Removed: Wine's tray empties.
    ASSERT_TRUE(app::RemoveTrayIcon(f.Hwnd()));
    EXPECT_TRUE(PumpUntil([] { return !IsWindowVisible(WineTray()); }));
    EXPECT_FALSE(app::RemoveTrayIcon(f.Hwnd()));
}

TEST(TrayIcon, EachCallbackNumberInTwipsDoesWhatItShould) {
    TrayForm f;
    f.Load();
    for (double twips : {15.0, 12.0}) {
        gf::Screen::OverrideTwipsPerPixel(twips, twips);
        for (int m = WM_MOUSEMOVE; m <= WM_MBUTTONDBLCLK; ++m) {
            f.HideMinimized();
            int menusBefore = f.menusOpened;
            SendMessageA(f.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(m, 0));
            if (m == WM_LBUTTONUP || m == WM_LBUTTONDBLCLK)
                EXPECT_TRUE(f.ShownInFront()) << m << " at " << twips;
            else
                EXPECT_FALSE(f.Visible()) << m << " at " << twips;
            EXPECT_EQ(f.menusOpened - menusBefore, m == WM_RBUTTONUP ? 1 : 0) << m << " at " << twips;
        }
    }
    gf::Screen::OverrideTwipsPerPixel(0, 0);
}
