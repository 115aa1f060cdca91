// The notification-area icon and its menu on the virtual display, on a window wired as
// the main window is: the icon's record and its callbacks decoded; the menu's items
// picked from the real pop-up menu (About as Windows shows it, Clean, Show, the Help
// address, never opened: the launcher is the test's), Exit with the icon removed, and
// the close handling.
// Moves the mouse and the foreground window: GF_EXCLUSIVE_DISPLAY
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogWatcher.h"
#include "TestSupport.h"
#include "app/SysTray.h"
#include "app/TrayMenu.h"
#include "framework/App.h"
#include "framework/Forms.h"

using namespace testing_support;

namespace {

inline const gf::DesignRow kDesign[] = {
    {"Menu", "mPopupSys", -1, "", 0, 0, 0, 0, "Systray", "", "Visible=0"},
    {"Menu", "mnuClean", -1, "mPopupSys", 0, 0, 0, 0, "&Clean"},
    {"Menu", "mnuShow", -1, "mPopupSys", 0, 0, 0, 0, "&Show"},
    {"Menu", "mnuHelp", -1, "mPopupSys", 0, 0, 0, 0, "&Help"},
    {"Menu", "mnuAbout", -1, "mPopupSys", 0, 0, 0, 0, "&About"},
    {"Menu", "mneusep", -1, "mPopupSys", 0, 0, 0, 0, "-"},
    {"Menu", "mnuExit", -1, "mPopupSys", 0, 0, 0, 0, "&Exit"},
};

class TrayForm : public gf::Form {
public:
    TrayForm() : gf::Form("frmMain", kDesign) {
        SetCaption("Glimmerfold");
        SetMinButton(true);
        SetIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32516)));
        SetClientSize(4500, 3000);
        SetLeft(6000);  // clear of Wine's tray window at the top left
        SetTop(4500);
        targets = {.clean = [this] { ++cleans; },
                   .showMain = [this] { Show(); },
                   .unloadMain = [this] { Unload(gf::vbFormCode); },
                   .endCaptionDialog = [this] { dialog.Unload(gf::vbFormCode); },
                   .launch = [this](const std::string& url) {
                       opened.push_back(url);
                       return std::intptr_t{42};
                   }};
        Get<gf::Menu>("mnuClean").OnClick = [this] { app::mnuClean_Click(targets); };
        Get<gf::Menu>("mnuShow").OnClick = [this] { app::mnuShow_Click(targets); };
        Get<gf::Menu>("mnuHelp").OnClick = [this] { app::mnuHelp_Click(targets); };
        Get<gf::Menu>("mnuAbout").OnClick = [] { app::mnuAbout_Click(); };
        Get<gf::Menu>("mnuExit").OnClick = [this] { app::mnuExit_Click(targets); };
        // The keys that drive the menu are queued as it opens.
        MessageHook = [this](UINT msg, WPARAM, LPARAM, LRESULT&) {
            if (msg == WM_ENTERMENULOOP) {
                ++menusOpened;
                for (UINT key : menuKeys) PostMessageA(Hwnd(), WM_KEYDOWN, key, 0);
            }
            return false;
        };
    }
    ~TrayForm() override {
        if (Hwnd()) app::RemoveTrayIcon(Hwnd());
    }
    // Loads and adds the icon, as the end of loading does, with a caption dialog that
    // was opened once and hidden again.
    bool AddIcon() {
        Load();
        targets.iconWindow = Hwnd();
        dialog.Load();
        return app::AddTrayIcon(*this);
    }
    void HideMinimized() {
        SetWindowState(gf::vbMinimized);
        Hide();
        testing_support::PumpFor(30);
    }
    bool ShownInFront() {
        return testing_support::PumpUntil(
            [this] { return Visible() && WindowState() == gf::vbNormal && GetForegroundWindow() == Hwnd(); }, 3000);
    }

    app::TrayMenuTargets targets;
    gf::Form dialog{"frmInput"};
    int cleans = 0, menusOpened = 0;
    std::vector<UINT> menuKeys{VK_ESCAPE};
    std::vector<std::string> opened;

protected:
    void Form_MouseMove(int, int, double x, double) override {
        app::TrayIcon_MouseMove(*this, Get<gf::Menu>("mPopupSys"), x);
    }
    void Form_QueryUnload(bool& cancel, int unloadMode) override { app::TrayQueryUnload(*this, cancel, unloadMode); }
};

}  // namespace

// The callbacks come as the window's mouse moves (512) with the message in x; the tip
// is the program's name.
TEST(TrayIconRecord, CarriesTheCallbackAndTheTipAndXDecodes) {
    NOTIFYICONDATAA nid = app::TrayIconRecord(reinterpret_cast<HWND>(0x1234), nullptr);
    EXPECT_EQ(nid.uCallbackMessage, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_STREQ(nid.szTip, "Glimmerfold");
    // Halves of a twips position go to the even neighbour; pixels are the number.
    EXPECT_EQ(app::TrayMessageFromX(514.5 * 15, false, 15.0), 514);
    EXPECT_EQ(app::TrayMessageFromX(515.5 * 15, false, 15.0), 516);
    EXPECT_EQ(app::TrayMessageFromX(517, true, 15.0), 517);
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
