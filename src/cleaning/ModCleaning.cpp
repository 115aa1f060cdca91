#include "cleaning/ModCleaning.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "cleaning/AutoComplete.h"
#include "cleaning/FileHelpers.h"
#include "cleaning/Pacing.h"
#include "cleaning/ShellFolders.h"
#include "framework/Error.h"
#include "framework/Handles.h"
#include "framework/Runtime.h"
#include "framework/Text.h"
#include "registry/clsRegistry.h"

// Exported by shell32 since Windows 2000; MinGW's headers leave it out.
extern "C" __declspec(dllimport) HRESULT WINAPI SHUpdateRecycleBinIcon(void);

namespace ModCleaning {
namespace {

HKEY RootKey(Root root) { return root == Root::HKLM ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// The text a step's path starts with, worked out anew for every step.
std::wstring BaseText(Base base) {
    switch (base) {
        case Base::None: return {};
        case Base::CacheFolder: return CacheFolder();
        case Base::CookiesFolder: return CookiesFolder();
        case Base::RecentFolder: return RecentFolder();
        case Base::AppDataFolder: return AppDataFolder();
        case Base::ProgramFiles: return Environ(L"ProgramFiles");
        case Base::FirefoxProfile:
            if (AppDataFolder().empty()) return {};
            return GetFirefoxProfile(AppDataFolder() + L"\\Mozilla\\Firefox\\Profiles");
        case Base::AolPath: {
            std::wstring path = GetAOLPath();
            return path == L"\\" ? std::wstring() : path;  // nothing stored
        }
        case Base::TempFolder: return GetTempFolder();
    }
    return {};
}

// The path of a file step, or "" when its base is unknown: a path joined onto an empty
// base would name the current drive's root or the current folder. The deletion
// helpers refuse such paths too; this keeps them from ever being formed.
std::wstring StepPath(const Step& step) {
    std::wstring base = BaseText(step.From);
    if (base.empty()) return {};
    return base + gf::Widen(step.Text);
}

std::wstring UserProfileFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

void ClearClipboard() {
    if (!OpenClipboard(nullptr)) throw gf::Error(521, "ModCleaning", "Can't open Clipboard");
    BOOL emptied = EmptyClipboard();
    CloseClipboard();
    if (!emptied) throw gf::Error(521, "ModCleaning", "Can't empty Clipboard");
}

void RunStep(const Step& step) {
    switch (step.Kind) {
        case StepKind::Files: {
            std::wstring path = StepPath(step);
            if (!path.empty()) DeleteFileIfExists(path);
            break;
        }
        case StepKind::Entries: {
            std::wstring path = StepPath(step);
            if (!path.empty()) DeleteFolderEntries(path);
            break;
        }
        case StepKind::Key:
            RegDeleteKeyA(RootKey(step.Hive), step.Text);  // result dropped
            break;
        case StepKind::ClassKey:
            objRegistry().DeleteKey(RootKey(step.Hive), step.Text, "");
            break;
        case StepKind::ClearProtectedStorage:
            ClearProtectedStorage();
            break;
        case StepKind::ClearRecentDocs:
            SHAddToRecentDocs(0, nullptr);
            break;
        case StepKind::EmptyRecycleBin:
            SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION);
            SHUpdateRecycleBinIcon();
            break;
        case StepKind::ClearClipboard:
            ClearClipboard();
            break;
        case StepKind::CleanRealPlayer:
            CleanRealPlayer();
            break;
        case StepKind::EmptyReceivedFiles: {
            // The folder the messenger keeps received files in, under the profile the
            // system names; with no profile known nothing is erased.
            std::wstring profile = UserProfileFolder();
            // Spelt as the messenger names the folder: a misspelt "Recieved" would match none.
            if (!profile.empty()) DeleteFolderEntries(profile + L"\\My Received Files\\");
            break;
        }
    }
}

void Clean(Group group, short Index, const StatusLabel& lblStatus, const std::string& Tag) {
    if (lblStatus) lblStatus("Cleaning " + Tag);
    gf::DoEvents();
    const Item* item = FindItem(group, Index);
    if (!item) return;
    for (const Step& step : item->Steps) {
        if (pacing::Stopping()) return;  // the program is ending: the rest stays
        RunStep(step);
    }
}

// The names of the subkeys of HKCU\path; empty when the key does not open.
std::vector<std::string> SubkeyNames(const std::string& path) {
    std::vector<std::string> names;
    gf::RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, size);
    }
    return names;
}

}  // namespace

void CleanInternet(short Index, const StatusLabel& lblStatus, const std::string& Tag) {
    Clean(Group::Internet, Index, lblStatus, Tag);
}

void CleanWindows(short Index, const StatusLabel& lblStatus, const std::string& Tag) {
    Clean(Group::Windows, Index, lblStatus, Tag);
}

void CleanSoftware(short Index, const StatusLabel& lblStatus, const std::string& Tag) {
    Clean(Group::Software, Index, lblStatus, Tag);
}

void CleanItem(Group group, short Index, const StatusLabel& lblStatus, const std::string& Tag) {
    Clean(group, Index, lblStatus, Tag);
}

void CleanRealPlayer() {
    const std::string player = "Software\\RealNetworks\\RealPlayer";
    for (const std::string& version : SubkeyNames(player)) {
        for (int i = 1; i <= 8; ++i) {
            std::string key = player + "\\" + version + "\\Preferences\\MostRecentClips" +
                              std::to_string(i);
            RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());  // result dropped
        }
    }
    std::wstring appData = Environ(L"APPDATA");
    if (!appData.empty()) DeleteFileIfExists(appData + L"\\Real\\RealPlayer\\History\\*");
}

}  // namespace ModCleaning
