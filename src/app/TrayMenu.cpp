#include "app/TrayMenu.h"

#include <shellapi.h>

#include <cstring>

#include "app/SysTray.h"
#include "framework/App.h"
#include "framework/Form.h"
#include "framework/Runtime.h"

namespace app {

namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    size_t n = std::strlen(prefix);
    return text.size() >= n && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.data(),
                                              static_cast<int>(n), prefix, static_cast<int>(n)) == CSTR_EQUAL;
}

}  // namespace

std::intptr_t ShellOpenUrl(const std::string& url) {
    return reinterpret_cast<std::intptr_t>(
        ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

std::string NormaliseUrl(const std::string& url) {
    if (StartsWithNoCase(url, "http://") || StartsWithNoCase(url, "https://")) return url;
    return "http://" + url;
}

bool OpenBrowser(const std::string& url, const UrlLauncher& launch) {
    if (!launch) return false;
    return launch(NormaliseUrl(url)) > 32;
}

void mnuClean_Click(const TrayMenuTargets& t) {
    if (t.clean) t.clean();
}

void mnuShow_Click(const TrayMenuTargets& t) {
    if (t.showMain) t.showMain();
}

void mnuHelp_Click(const TrayMenuTargets& t) { OpenBrowser(kHelpAddress, t.launch); }

void mnuAbout_Click() { gf::MsgBox(kAboutText, MB_OK | MB_ICONINFORMATION, gf::App::Title()); }

void mnuExit_Click(const TrayMenuTargets& t) {
    // The icon would otherwise linger until the shell notices the window is gone.
    if (t.iconWindow) RemoveTrayIcon(t.iconWindow);
    if (t.endCaptionDialog) t.endCaptionDialog();
    if (t.unloadMain) t.unloadMain();
    PostQuitMessage(0);
}

bool HideInsteadOfUnload(int unloadMode, const std::function<void()>& hide) {
    constexpr int kUserClosed = 0;
    if (unloadMode != kUserClosed) return false;
    if (hide) hide();
    return true;
}

void TrayQueryUnload(gf::Form& window, bool& cancel, int unloadMode) {
    if (HideInsteadOfUnload(unloadMode, [&window] { window.Hide(); })) cancel = true;
}

}  // namespace app
