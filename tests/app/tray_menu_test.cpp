// The notification-area menu's items picked from the real pop-up menu of a window
// wired as the main window is: About as Windows shows it, Clean, Show, the Help
// address (never opened: the launcher is the test's), Exit and the close handling.
// Moves the foreground window: GF_EXCLUSIVE_DISPLAY
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/App.h"
#include "tray_form.h"

using namespace testing_support;
using tray_form::TrayForm;

TEST(OpenBrowser, AddsASchemeOnlyWhenTheAddressHasNone) {
    std::vector<std::string> opened;
    std::intptr_t answer = 33;
    app::UrlLauncher launch = [&](const std::string& url) {
        opened.push_back(url);
        return answer;
    };
    for (const char* url : {"HTTP://Example.org/Help", "https://example.org", "www.example.org", "httpd.exe"})
        EXPECT_TRUE(app::OpenBrowser(url, launch));
    // A name that merely starts with "http" is no address and must not run as a program.
    EXPECT_EQ(opened, (std::vector<std::string>{"HTTP://Example.org/Help", "https://example.org",
                                                "http://www.example.org", "http://httpd.exe"}));
    answer = 32;  // only above 32 is success
    EXPECT_FALSE(app::OpenBrowser("a", launch));
}

namespace {

// Opens the menu as a right click on the icon does and picks an item by its access key.
void Pick(TrayForm& f, char accessKey) {
    f.menuKeys = {static_cast<UINT>(accessKey)};
    SendMessageA(f.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONUP, 0));
}

struct BoxSeen {
    std::string title;
    std::vector<std::string> texts, buttons;
    bool informationIcon = false;
} g_box;

BOOL CALLBACK ReadChild(HWND child, LPARAM) {
    char cls[64] = {}, text[256] = {};
    GetClassNameA(child, cls, sizeof cls);
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(cls, "Button") == 0) g_box.buttons.push_back(text);
    if (lstrcmpiA(cls, "Static") != 0) return TRUE;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        g_box.informationIcon |= reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) ==
                                 LoadIconA(nullptr, MAKEINTRESOURCEA(32516));
    else if (text[0])
        g_box.texts.push_back(text);
    return TRUE;
}

// Runs inside the message box's own loop: reads the box, then presses OK.
void CALLBACK ReadAndCloseBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowA("#32770", nullptr);
    if (!box || !IsWindowVisible(box)) return;
    KillTimer(nullptr, id);
    char title[128] = {};
    GetWindowTextA(box, title, sizeof title);
    g_box.title = title;
    EnumChildWindows(box, ReadChild, 0);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST(TrayMenu, AboutShowsTheVersionWithTheInformationIconAndOneOkButton) {
    gf::App::SetTitle("Glimmerfold");
    TrayForm f;
    f.Load();
    SetTimer(nullptr, 0, 50, ReadAndCloseBox);
    Pick(f, 'A');
    EXPECT_EQ(g_box.title, "Glimmerfold");
    EXPECT_EQ(g_box.texts, std::vector<std::string>{"Glimmerfold Version 1.06"});
    EXPECT_TRUE(g_box.informationIcon);
    EXPECT_EQ(g_box.buttons, std::vector<std::string>{"OK"});
}

TEST(TrayMenu, CleanShowAndHelpReachTheirTargets) {
    TrayForm f;
    ASSERT_TRUE(f.AddIcon());
    f.HideMinimized();
    Pick(f, 'C');
    EXPECT_EQ(f.cleans, 1);
    EXPECT_FALSE(f.Visible());
    Pick(f, 'S');  // shows, and nothing more: a minimised window stays minimised
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.WindowState(), gf::vbMinimized);
    Pick(f, 'H');
    EXPECT_EQ(f.opened, std::vector<std::string>{app::kHelpAddress});
}

TEST(TrayMenu, ClosingHidesButExitUnloadsEverythingAndEndsTheLoop) {
    TrayForm f;
    ASSERT_TRUE(f.AddIcon());
    HWND main = f.Hwnd();
    // The close box's message and the window menu's Close: hidden, still loaded.
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(!f.Visible() && f.Loaded());
    f.Show();
    SendMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(!f.Visible() && f.Loaded());
    NOTIFYICONDATAA nid = app::TrayIconRecord(main, f.Icon());
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &nid)) << "the icon stays while the window is hidden";

    // By the time the caption dialog goes, the icon must be gone (while its window still exists).
    bool iconAtDialogEnd = true;
    auto endDialog = f.targets.endCaptionDialog;
    f.targets.endCaptionDialog = [&] {
        iconAtDialogEnd = Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
        endDialog();
    };
    Pick(f, 'E');
    EXPECT_FALSE(iconAtDialogEnd);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop must end";
    EXPECT_FALSE(f.Loaded() || IsWindow(main));
    EXPECT_EQ(gf::Form::LoadedCount(), 0) << "a hidden caption dialog would keep the process alive";
}
