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

// Real input on the first icon there, until `done`: Wine's tray may still be starting.
template <typename Done>
bool ClickTrayIconUntil(DWORD down, DWORD up, Done done) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        POINT p{10, 10};
        ClientToScreen(WineTray(), &p);
        SetCursorPos(p.x, p.y);
        PumpFor(50);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = down;
        in[1].mi.dwFlags = up;
        SendInput(2, in, sizeof(INPUT));
        if (PumpUntil(done, 2000)) return true;
    }
    return false;
}

// Closes every menu that opens, keeping where the first one showed.
RECT g_menuRect;
void CALLBACK ReadAndCloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    if (g_menuRect.right == 0) GetWindowRect(menu, &g_menuRect);
    EndMenu();
}

}  // namespace

TEST(TrayIcon, RealClicksOnTheIconShowTheWindowOrOpenTheMenuAtTheMouse) {
    TrayForm f;
    ASSERT_TRUE(f.AddIcon());
    EXPECT_TRUE(f.Visible()) << "adding the icon shows the window";
    ASSERT_TRUE(PumpUntil([] { return WineTray() && IsWindowVisible(WineTray()); }));

    // (Who ends up in front after a real click races with Wine activating its tray
    // window; the callback test below checks the front.)
    f.HideMinimized();
    EXPECT_TRUE(ClickTrayIconUntil(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP,
                                   [&] { return f.Visible() && f.WindowState() == gf::vbNormal; }));
    EXPECT_EQ(f.menusOpened, 0);

    f.menuKeys.clear();
    UINT_PTR closer = SetTimer(nullptr, 0, 30, ReadAndCloseMenu);
    bool opened = ClickTrayIconUntil(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP,
                                     [&] { return f.menusOpened >= 1 && g_menuRect.right > 0; });
    PumpFor(100);
    KillTimer(nullptr, closer);
    ASSERT_TRUE(opened);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_LE(std::abs(g_menuRect.left - cursor.x) + std::abs(g_menuRect.top - cursor.y), 4);

    ASSERT_TRUE(app::RemoveTrayIcon(f.Hwnd()));
    EXPECT_FALSE(app::RemoveTrayIcon(f.Hwnd()));
    EXPECT_TRUE(PumpUntil([] { return !IsWindowVisible(WineTray()); }, 10000)) << "Wine's tray empties";
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
