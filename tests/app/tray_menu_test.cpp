// The notification-area menu's items picked from the real pop-up menu of a window
// wired as the main window is: About as Windows shows it, Clean, Show, the Help
// address (never opened: the launcher is the test's), Exit and the close handling.
// Moves the foreground window: GF_EXCLUSIVE_DISPLAY
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogWatcher.h"
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

}  // namespace

TEST(TrayMenu, AboutShowsTheVersionWithTheInformationIconAndOneOkButton) {
    gf::App::SetTitle("Glimmerfold");
    TrayForm f;
    f.Load();
    DialogWatcher watcher({IDOK});
    Pick(f, 'A');
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "Glimmerfold");
    EXPECT_EQ(seen[0].text, "Glimmerfold Version 1.06");
    EXPECT_EQ(seen[0].icon, LoadIconA(nullptr, MAKEINTRESOURCEA(32516)));
    EXPECT_EQ(seen[0].buttons, std::vector<int>{IDOK});
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
