// The notification-area icon on the virtual display: added to Wine's tray, clicked
// there with real mouse input, its callbacks decoded by the window, and removed.
// Moves the mouse and the foreground window: GF_EXCLUSIVE_DISPLAY
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "TestSupport.h"
#include "app/SysTray.h"
#include "framework/Control.h"

using namespace testing_support;

TEST(TrayIconRecord, CarriesTheWindowTheCallbackAndThePaddedTip) {
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    HWND w = reinterpret_cast<HWND>(0x1234);
    NOTIFYICONDATAA nid = app::TrayIconRecord(w, icon);
    EXPECT_EQ(nid.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(nid.hWnd, w);
    EXPECT_EQ(nid.uID, 1u);
    EXPECT_EQ(nid.uFlags, 7u);
    EXPECT_EQ(nid.uCallbackMessage, 512u);
    EXPECT_EQ(nid.hIcon, icon);
    std::string tip(nid.szTip, 64);
    EXPECT_EQ(tip, std::string("Glimmerfold") + '\0' + std::string(52, ' '));
}

TEST(TrayCallback, MouseMessageFromTheXCoordinate) {
    // Twips: the number times the twips per pixel, back to the number.
    for (int m = 512; m <= 521; ++m) {
        EXPECT_EQ(app::TrayMessageFromX(m * 15.0, false, 15.0), m);
        EXPECT_EQ(app::TrayMessageFromX(m * 12.0, false, 12.0), m);
    }
    // Pixels: the number itself, whatever the screen.
    EXPECT_EQ(app::TrayMessageFromX(517, true, 15.0), 517);
    // Halves go to the even neighbour.
    EXPECT_EQ(app::TrayMessageFromX(514.5 * 15, false, 15.0), 514);
    EXPECT_EQ(app::TrayMessageFromX(515.5 * 15, false, 15.0), 516);
    EXPECT_EQ(app::TrayMessageFromX(514.4 * 15, false, 15.0), 514);
}

namespace {

// A main window in miniature: its mouse-move handler sees x in twips, as the form's does.
struct TrayTestWindow {
    HWND hwnd = nullptr;
    int menusOpened = 0;
    RECT menuRect{};
    POINT cursorAtMenu{};
    std::vector<int> seen;

    static TrayTestWindow*& Self() {
        static TrayTestWindow* self = nullptr;
        return self;
    }
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_MOUSEMOVE && Self()) {
            double twips = gf::Screen::TwipsPerPixelX();
            double x = LOWORD(lp) * twips;
            int m = app::TrayMessageFromX(x, false, twips);
            Self()->seen.push_back(m);
            app::HandleTrayCallback(m, Self()->Actions());
            return 0;
        }
        return DefWindowProcA(h, msg, wp, lp);
    }
    static void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
        HWND menu = FindWindowA("#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return;
        KillTimer(nullptr, id);
        GetWindowRect(menu, &Self()->menuRect);
        EndMenu();
    }
    app::TrayWindow Actions() {
        return {
            [this] {
                if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
            },
            [this] { SetForegroundWindow(hwnd); },
            [this] { ShowWindow(hwnd, SW_SHOW); },
            [this] {
                ++menusOpened;
                HMENU menu = CreatePopupMenu();
                AppendMenuA(menu, MF_STRING, 1, "&Clean");
                AppendMenuA(menu, MF_STRING, 2, "&Exit");
                GetCursorPos(&cursorAtMenu);
                UINT_PTR t = SetTimer(nullptr, 0, 50, CloseMenu);
                TrackPopupMenu(menu, TPM_RETURNCMD, cursorAtMenu.x, cursorAtMenu.y, 0, hwnd, nullptr);
                KillTimer(nullptr, t);
                DestroyMenu(menu);
            },
        };
    }

    TrayTestWindow() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = "GfTrayTestWindow";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, wc.lpszClassName, "Glimmerfold", WS_OVERLAPPEDWINDOW, 400, 300, 300, 200, nullptr,
                               nullptr, wc.hInstance, nullptr);
        Self() = this;
    }
    ~TrayTestWindow() {
        app::RemoveTrayIcon(hwnd);
        DestroyWindow(hwnd);
        Self() = nullptr;
    }
    void HideMinimized() {
        ShowWindow(hwnd, SW_MINIMIZE);
        ShowWindow(hwnd, SW_HIDE);
        PumpFor(50);
    }
    bool ShownInFront() {
        return PumpUntil([this] {
            return IsWindowVisible(hwnd) && !IsIconic(hwnd) && GetForegroundWindow() == hwnd;
        }, 3000);
    }
};

HWND WineTray() { return FindWindowA(nullptr, "Wine System Tray"); }

// A real click on the first icon of Wine's tray window.
void ClickTrayIcon(DWORD down, DWORD up) {
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

}  // namespace

TEST(TrayIcon, RealClicksOnTheIconShowTheWindowOrOpenTheMenu) {
    TrayTestWindow w;
    ASSERT_TRUE(app::AddTrayIcon(w.hwnd));
    EXPECT_TRUE(IsWindowVisible(w.hwnd)) << "adding the icon shows the window";
    ASSERT_TRUE(PumpUntil([] { return WineTray() && IsWindowVisible(WineTray()); }));

    w.HideMinimized();
    ClickTrayIcon(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(w.ShownInFront());
    EXPECT_EQ(w.menusOpened, 0);
    // The shell reported the button's down and up through the window's mouse moves.
    EXPECT_NE(std::find(w.seen.begin(), w.seen.end(), WM_LBUTTONDOWN), w.seen.end());
    EXPECT_NE(std::find(w.seen.begin(), w.seen.end(), WM_LBUTTONUP), w.seen.end());

    ClickTrayIcon(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(PumpUntil([&] { return w.menusOpened == 1; }));
    // The menu opened at the mouse.
    EXPECT_LE(std::abs(w.menuRect.left - w.cursorAtMenu.x), 2);
    EXPECT_LE(std::abs(w.menuRect.top - w.cursorAtMenu.y), 2);
    EXPECT_GT(w.menuRect.right, w.menuRect.left);

    // Removed: Wine's tray empties, and clicks there reach nobody.
    ASSERT_TRUE(app::RemoveTrayIcon(w.hwnd));
    EXPECT_TRUE(PumpUntil([] { return !IsWindowVisible(WineTray()); }));
    EXPECT_FALSE(app::RemoveTrayIcon(w.hwnd));
}

TEST(TrayIcon, EachCallbackNumberDoesWhatItShould) {
    TrayTestWindow w;
    for (double twips : {15.0, 12.0}) {
        gf::Screen::OverrideTwipsPerPixel(twips, twips);
        for (int m = WM_MOUSEMOVE; m <= WM_MBUTTONDBLCLK; ++m) {
            w.HideMinimized();
            int menusBefore = w.menusOpened;
            SendMessageA(w.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(m, 0));
            bool shows = m == WM_LBUTTONUP || m == WM_LBUTTONDBLCLK;
            if (shows)
                EXPECT_TRUE(w.ShownInFront()) << m;
            else
                EXPECT_FALSE(IsWindowVisible(w.hwnd)) << m;
            EXPECT_EQ(w.menusOpened - menusBefore, m == WM_RBUTTONUP ? 1 : 0) << m;
        }
    }
    gf::Screen::OverrideTwipsPerPixel(0, 0);
}
