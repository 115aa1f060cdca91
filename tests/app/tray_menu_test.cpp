// The notification-area menu's actions: the About box as Windows shows it, the Help
// address (never opened: the launcher is the test's), Exit, and the close handling.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/SysTray.h"
#include "app/TrayMenu.h"
#include "framework/App.h"

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

TEST(TrayMenu, HelpOpensTheSupportPageAndTheOtherItemsReachTheirTargets) {
    std::vector<std::string> calls;
    app::TrayMenuTargets t;
    t.clean = [&] { calls.push_back("clean"); };
    t.showMain = [&] { calls.push_back("show"); };
    t.launch = [&](const std::string& url) {
        calls.push_back(url);
        return std::intptr_t{0};  // a refusal is not the user's business
    };
    app::mnuHelp_Click(t);
    app::mnuClean_Click(t);
    app::mnuShow_Click(t);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], app::kHelpAddress);
    EXPECT_EQ(calls[0].rfind("https://", 0), 0u);
    EXPECT_EQ(calls[1], "clean");
    EXPECT_EQ(calls[2], "show");
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

TEST(TrayMenu, AboutShowsTheVersionWithTheInformationIconAndOneOkButton) {
    gf::App::SetTitle("Glimmerfold");
    UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadAndCloseBox);
    app::mnuAbout_Click();
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_seen.title, "Glimmerfold");
    EXPECT_EQ(g_seen.texts, std::vector<std::string>{"Glimmerfold Version 1.06"});
    EXPECT_TRUE(g_seen.informationIcon);
    EXPECT_EQ(g_seen.buttons, std::vector<std::string>{"OK"});
}

TEST(TrayMenu, ExitRemovesTheIconEndsTheDialogUnloadsAndEndsTheLoop) {
    HWND main = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 300, 300, 200, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(main, nullptr);
    SendMessageA(main, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(32512))));
    ASSERT_TRUE(app::AddTrayIcon(main));
    std::vector<std::string> order;
    app::TrayMenuTargets t;
    t.iconWindow = main;
    t.endCaptionDialog = [&] {
        // Still on the main window's icon? Then it was not removed first.
        order.push_back(app::RemoveTrayIcon(main) ? "dialog, icon still there" : "dialog");
    };
    t.unloadMain = [&] {
        order.push_back("unload");
        DestroyWindow(main);
    };
    app::mnuExit_Click(t);
    EXPECT_EQ(order, (std::vector<std::string>{"dialog", "unload"}));
    EXPECT_FALSE(IsWindow(main));
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop must end";
}

TEST(TrayMenu, OnlyAUserCloseIsTurnedIntoHiding) {
    int hidden = 0;
    auto hide = [&] { ++hidden; };
    EXPECT_TRUE(app::HideInsteadOfUnload(0, hide));  // close box, window menu, Alt+F4
    EXPECT_EQ(hidden, 1);
    for (int mode : {1, 2, 3, 4}) EXPECT_FALSE(app::HideInsteadOfUnload(mode, hide)) << mode;
    EXPECT_EQ(hidden, 1);
}
