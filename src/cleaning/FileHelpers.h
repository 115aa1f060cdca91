#pragma once
// Finding other programs' folders, and deleting files and folders. Every deletion is
// guarded (GuardedPath.h): a relative path, a rooted path without a drive, a \\?\ or
// device path, a drive or share root, a path with "." or ".." parts, or one built on
// an empty base deletes nothing; links (junctions, symbolic links, mount points) are
// never entered and never removed; the Windows, system and profile folders and their
// ancestors are never emptied or removed, by whatever path they are named
// (filesys::IsProtected). None of these raise; failures leave things as they are.
#include <string>

namespace ModCleaning {

// AOL's application folder ("AppPath" of HKLM "Software\America Online\America
// Online\CurrentVersion") ending in "\"; "\" alone when it is not stored.
std::string GetAOLPath();

// The Windows temporary folder with its trailing "\" (GetTempPathA), or "" when the
// path cannot be read in 255 characters.
std::string GetTempFolder();

// ProfilesFolder & "\" & the first entry (not hidden, not system) that a listing of
// the folder yields, or "" when it holds none.
std::string GetFirefoxProfile(const std::string& ProfilesFolder);

// Deletes every normal file (read-only and archive ones too; not hidden, system or
// folders) that the path names; wildcards are allowed in its last part. A file in use
// stays.
void DeleteFileIfExists(const std::string& path);

// The folder named by a path ending in "\" or "\*": deletes every file and removes
// every folder with its contents that a listing yields (every entry without the
// system attribute), telling files and folders apart by their attributes.
void DeleteFolderEntries(const std::string& path);

// Removes the folder (one trailing "\" dropped) with all its contents; true when it
// existed and is gone.
bool RemoveFolder(std::string path);

}  // namespace ModCleaning
