// The notification-area menu's items picked from the real pop-up menu of a window
// wired as the main window is: the About box as Windows shows it, Clean, Show, the
// Help address (never opened: the launcher is the test's), Exit and the close handling.
// Moves the foreground window: GF_EXCLUSIVE_DISPLAY
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/SysTray.h"
#include "app/TrayMenu.h"
#include "framework/App.h"
#include "tray_form.h"

using namespace testing_support;

TEST(OpenBrowser, AddsASchemeOnlyWhenTheAddressHasNone) {
    std::vector<std::string> opened;
    std::intptr_t answer = 42;
    app::UrlLauncher launch = [&](const std::string& url) {
        opened.push_back(url);
        return answer;
    };
    EXPECT_TRUE(app::OpenBrowser("HTTP://Example.org/Help", launch));
    EXPECT_TRUE(app::OpenBrowser("https://example.org", launch));
    EXPECT_TRUE(app::OpenBrowser("www.example.org/support", launch));
    // A name that merely starts with "http" is no address; it must not run as a program.
    EXPECT_TRUE(app::OpenBrowser("httpd.exe", launch));
    EXPECT_EQ(opened, (std::vector<std::string>{"HTTP://Example.org/Help", "https://example.org",
                                                "http://www.example.org/support", "http://httpd.exe"}));
    // Only a value above 32 is success.
    answer = 33;
    EXPECT_TRUE(app::OpenBrowser("a", launch));
    answer = 32;
    EXPECT_FALSE(app::OpenBrowser("a", launch));
    answer = 0;
    EXPECT_FALSE(app::OpenBrowser("a", launch));
}

namespace {

struct MessageBoxSeen {
    std::string title;
    std::vector<std::string> texts;
    std::vector<std::string> buttons;
    bool informationIcon = false;
};
MessageBoxSeen g_seen;

BOOL CALLBACK ReadChild(HWND child, LPARAM) {
    char cls[64] = {}, text[256] = {};
    GetClassNameA(child, cls, sizeof cls);
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(cls, "Button") == 0) g_seen.buttons.push_back(text);
    if (lstrcmpiA(cls, "Static") == 0) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            g_seen.informationIcon |= reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) ==
                                      LoadIconA(nullptr, MAKEINTRESOURCEA(32516) /* IDI_INFORMATION */);
        else if (text[0])
            g_seen.texts.push_back(text);
    }
    return TRUE;
}

BOOL CALLBACK FindBox(HWND w, LPARAM found) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid == GetCurrentProcessId() && std::string(cls) == "#32770" && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the message box's own loop: reads the box, then presses OK.
void CALLBACK ReadAndCloseBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    KillTimer(nullptr, id);
    char title[128] = {};
    GetWindowTextA(box, title, sizeof title);
    g_seen.title = title;
    EnumChildWindows(box, ReadChild, 0);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

namespace {

// Opens the menu as a right click on the icon does, and picks an item by its access key.
void Pick(tray_form::TrayForm& f, char accessKey) {
    f.menuKeys = {static_cast<UINT>(accessKey)};
    SendMessageA(f.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONUP, 0));
}

}  // namespace

TEST(TrayMenu, AboutShowsTheVersionWithTheInformationIconAndOneOkButton) {
    gf::App::SetTitle("Glimmerfold");
    tray_form::TrayForm f;
    f.Load();
    UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadAndCloseBox);
    Pick(f, 'A');
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_seen.title, "Glimmerfold");
    EXPECT_EQ(g_seen.texts, std::vector<std::string>{"Glimmerfold Version 1.06"});
    EXPECT_TRUE(g_seen.informationIcon);
    EXPECT_EQ(g_seen.buttons, std::vector<std::string>{"OK"});
}

TEST(TrayMenu, CleanShowAndHelpReachTheirTargets) {
    tray_form::TrayForm f;
    ASSERT_TRUE(f.AddIcon());
    f.HideMinimized();
    Pick(f, 'C');
    EXPECT_EQ(f.cleans, 1);
    EXPECT_FALSE(f.Visible());
    // Show shows, and nothing more: a minimised window stays minimised.
    Pick(f, 'S');
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.WindowState(), gf::vbMinimized);
    // Help opens the support page (through the test's launcher).
    Pick(f, 'H');
    ASSERT_EQ(f.opened.size(), 1u);
    EXPECT_EQ(f.opened[0], app::kHelpAddress);
    EXPECT_EQ(f.opened[0].rfind("https://", 0), 0u);
    EXPECT_EQ(f.menusOpened, 3);
}

TEST(TrayMenu, ClosingHidesButExitUnloadsEverythingAndEndsTheLoop) {
    tray_form::TrayForm f;
    ASSERT_TRUE(f.AddIcon());
    HWND main = f.Hwnd();
    HWND tray = FindWindowA(nullptr, "Wine System Tray");
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tray) != FALSE; }));

    // The close box's message and the window menu's Close: hidden, still loaded.
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(f.Visible());
    EXPECT_TRUE(f.Loaded());
    f.Show();
    SendMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(f.Visible());
    EXPECT_TRUE(f.Loaded());
    EXPECT_TRUE(IsWindowVisible(tray)) << "the icon stays while the window is hidden";

    Pick(f, 'E');
    EXPECT_FALSE(f.Loaded());
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(f.dialog.Loaded()) << "a hidden caption dialog would keep the process alive";
    EXPECT_EQ(gf::Form::LoadedCount(), 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(tray); })) << "the icon goes with the window";
    MSG msg;
    bool quit = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) quit |= msg.message == WM_QUIT;
    EXPECT_TRUE(quit) << "the message loop must end";
}
