#pragma once
// The notification-area menu's actions ("&Clean", "&Show", "&Help", "&About",
// "&Exit"), the main window's close handling, and the web-page opener behind Help.
// The main window hands in what they act on as callbacks.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace gf {
class Form;
}

namespace app {

inline constexpr const char* kAboutText = "Glimmerfold Version 1.06";
inline constexpr const char* kHelpAddress = "https://glimmerfold.example/support";

// Starts the default browser on an address; returns ShellExecute's value (> 32 is
// success). Tests hand in their own so that no browser ever starts.
using UrlLauncher = std::function<std::intptr_t(const std::string& url)>;
std::intptr_t ShellOpenUrl(const std::string& url);

// The address as it is opened: kept when it starts with "http://" or "https://" in
// any case, otherwise "http://" goes in front (so a bare name can never run as a
// program).
std::string NormaliseUrl(const std::string& url);
// Opens the address in the default browser; true when Windows accepted it.
bool OpenBrowser(const std::string& url, const UrlLauncher& launch = ShellOpenUrl);

// What the menu and the close handling act on.
struct TrayMenuTargets {
    std::function<void()> clean;             // the main window's clean run
    std::function<void()> showMain;          // show the main window, nothing more
    std::function<void()> unloadMain;        // unload the main window in code
    std::function<void()> endCaptionDialog;  // unload the caption dialog if it is loaded
    HWND iconWindow = nullptr;               // the window that owns the tray icon
    UrlLauncher launch = ShellOpenUrl;
};

void mnuClean_Click(const TrayMenuTargets& t);
void mnuShow_Click(const TrayMenuTargets& t);
// Opens the support page; the result is of no use to the user and is ignored.
void mnuHelp_Click(const TrayMenuTargets& t);
// The About box: the text above, the information icon, OK, titled with the program's name.
void mnuAbout_Click();
// Removes the tray icon, ends a caption dialog left hidden, unloads the main window
// and ends the message loop, so the process ends.
void mnuExit_Click(const TrayMenuTargets& t);

// Form_QueryUnload: a close by the user (unload mode 0: the close box, the window
// menu, Alt+F4) only hides the window; returns true when the unload is to be cancelled.
// Unloads from code and Windows shutting down go ahead.
bool HideInsteadOfUnload(int unloadMode, const std::function<void()>& hide);
// The same as the body of a form's Form_QueryUnload.
void TrayQueryUnload(gf::Form& window, bool& cancel, int unloadMode);

}  // namespace app
