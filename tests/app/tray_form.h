#pragma once
// A main window in miniature, wired to the tray module as the real one is: the icon's
// callback through Form_MouseMove, closing through Form_QueryUnload, the pop-up
// menu's items through the menu actions; a hidden caption dialog stands by.
#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/SysTray.h"
#include "app/TrayMenu.h"
#include "framework/Forms.h"

namespace tray_form {

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

}  // namespace tray_form
