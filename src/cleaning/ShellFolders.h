#pragma once
// The program-wide shell-folder paths the cleaning works from. Start-up fills them once
// (ReadShellFolders or the setters); an empty path means "unknown", and every item
// built on it erases nothing.
#include <windows.h>

#include <string>

namespace ModCleaning {

const std::string& AppDataFolder();
const std::string& CacheFolder();
const std::string& RecentFolder();
const std::string& CookiesFolder();

void SetAppDataFolder(const std::string& path);
void SetCacheFolder(const std::string& path);
void SetRecentFolder(const std::string& path);
void SetCookiesFolder(const std::string& path);

// HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders".
extern const char* const ShellFoldersKey;

// Reads "APPDATA", "CACHE", "RECENT" and "COOKIES" of that key, in that order, as
// plain string values (Reg32::GetRegString: anything else reads as empty), unchanged,
// into the four paths. Tests point it at a key of their own.
void ReadShellFolders(HKEY root = HKEY_CURRENT_USER, const char* keyPath = ShellFoldersKey);

}  // namespace ModCleaning
