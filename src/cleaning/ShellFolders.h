#pragma once
// The program-wide shell-folder paths the cleaning works from, wide as the registry
// holds them. Start-up fills them once (ReadShellFolders or the setters); an empty path
// means "unknown", and every item built on it erases nothing.
#include <windows.h>

#include <string>

namespace ModCleaning {

const std::wstring& AppDataFolder();
const std::wstring& CacheFolder();
const std::wstring& RecentFolder();
const std::wstring& CookiesFolder();

void SetAppDataFolder(const std::wstring& path);
void SetCacheFolder(const std::wstring& path);
void SetRecentFolder(const std::wstring& path);
void SetCookiesFolder(const std::wstring& path);

// HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders".
extern const char* const ShellFoldersKey;

// Reads "APPDATA", "CACHE", "RECENT" and "COOKIES" of that key, in that order, as
// plain string values (Reg32::GetRegStringW: anything else reads as empty), unchanged,
// into the four paths. Tests point it at a key of their own.
void ReadShellFolders(HKEY root = HKEY_CURRENT_USER, const char* keyPath = ShellFoldersKey);

}  // namespace ModCleaning
