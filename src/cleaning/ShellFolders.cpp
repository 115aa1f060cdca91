#include "cleaning/ShellFolders.h"

#include "framework/Text.h"
#include "registry/Reg32.h"

namespace ModCleaning {
namespace {

struct Folders {
    std::wstring appData, cache, recent, cookies;
};

Folders& Paths() {
    static Folders folders;
    return folders;
}

}  // namespace

const std::wstring& AppDataFolder() { return Paths().appData; }
const std::wstring& CacheFolder() { return Paths().cache; }
const std::wstring& RecentFolder() { return Paths().recent; }
const std::wstring& CookiesFolder() { return Paths().cookies; }

void SetAppDataFolder(const std::wstring& path) { Paths().appData = path; }
void SetCacheFolder(const std::wstring& path) { Paths().cache = path; }
void SetRecentFolder(const std::wstring& path) { Paths().recent = path; }
void SetCookiesFolder(const std::wstring& path) { Paths().cookies = path; }

const char* const ShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void ReadShellFolders(HKEY root, const char* keyPath) {
    const std::wstring key = gf::Widen(keyPath);
    SetAppDataFolder(Reg32::GetRegStringW(root, key, L"APPDATA"));
    SetCacheFolder(Reg32::GetRegStringW(root, key, L"CACHE"));
    SetRecentFolder(Reg32::GetRegStringW(root, key, L"RECENT"));
    SetCookiesFolder(Reg32::GetRegStringW(root, key, L"COOKIES"));
}

}  // namespace ModCleaning
