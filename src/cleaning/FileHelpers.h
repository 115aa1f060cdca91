#pragma once
// Finding other programs' folders, and deleting files and folders. Paths are wide from
// where they are read to where they are deleted: an ANSI form would turn letters the
// code page lacks into look-alikes, naming another folder. Every deletion is guarded
// (GuardedPath.h): a relative path, a rooted path without a drive, a \\?\ or device
// path, a drive or share root, a path with "." or ".." parts, or one built on an empty
// base deletes nothing. The folder a path names is followed to where it really lies,
// also when it is a link itself (a Temp or cache folder moved elsewhere and linked
// back), and judged there; links found inside it (junctions, symbolic links, mount
// points) are never entered, followed or removed. The Windows, system and profile
// folders and their ancestors are never emptied or removed, by whatever path they are
// named (filesys::IsProtected). None of these raise; failures leave things as they are.
// Their walks turn the message loop now and then, and end early on a stop (Pacing.h).
#include <string>

namespace ModCleaning {

// An environment variable of this process, read afresh; "" when unset.
std::wstring Environ(const wchar_t* name);

// AOL's application folder ("AppPath" of HKLM "Software\America Online\America
// Online\CurrentVersion", a plain string value) ending in "\"; "\" alone when it is not
// stored.
std::wstring GetAOLPath();

// The Windows temporary folder with its trailing "\" (GetTempPathW), or "" when the
// path cannot be read in 255 characters, or when the setting it comes from (the first
// of TMP, TEMP and USERPROFILE that is set) is not a full path as written: the system
// would take a relative one from the current folder.
std::wstring GetTempFolder();

// ProfilesFolder & "\" & the first folder (not hidden, not system; a link to a folder
// too) that a listing of the folder yields, or "" when it holds none. Files there are
// passed over.
std::wstring GetFirefoxProfile(const std::wstring& ProfilesFolder);

// Deletes every normal file (read-only and archive ones too; not hidden, system or
// folders) that the path names; wildcards are allowed in its last part. A file in use
// stays.
void DeleteFileIfExists(const std::wstring& path);

// The folder named by a path ending in "\" or "\*": deletes every file and removes
// every folder with its contents that a listing yields (every entry without the
// system attribute), telling files and folders apart by their attributes.
void DeleteFolderEntries(const std::wstring& path);

// Removes the folder (one trailing "\" dropped) with all its contents; true when it
// existed and is gone.
bool RemoveFolder(std::wstring path);

}  // namespace ModCleaning
