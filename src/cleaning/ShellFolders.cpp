#include "cleaning/ShellFolders.h"

#include "registry/Reg32.h"

namespace ModCleaning {
namespace {

struct Folders {
    std::string appData, cache, recent, cookies;
};

Folders& Paths() {
    static Folders folders;
    return folders;
}

}  // namespace

const std::string& AppDataFolder() { return Paths().appData; }
const std::string& CacheFolder() { return Paths().cache; }
const std::string& RecentFolder() { return Paths().recent; }
const std::string& CookiesFolder() { return Paths().cookies; }

void SetAppDataFolder(const std::string& path) { Paths().appData = path; }
void SetCacheFolder(const std::string& path) { Paths().cache = path; }
void SetRecentFolder(const std::string& path) { Paths().recent = path; }
void SetCookiesFolder(const std::string& path) { Paths().cookies = path; }

const char* const ShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void ReadShellFolders(HKEY root, const char* keyPath) {
    SetAppDataFolder(Reg32::GetRegString(root, keyPath, "APPDATA"));
    SetCacheFolder(Reg32::GetRegString(root, keyPath, "CACHE"));
    SetRecentFolder(Reg32::GetRegString(root, keyPath, "RECENT"));
    SetCookiesFolder(Reg32::GetRegString(root, keyPath, "COOKIES"));
}

}  // namespace ModCleaning
