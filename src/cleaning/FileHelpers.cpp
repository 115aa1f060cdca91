#include "cleaning/FileHelpers.h"

#include <windows.h>

#include <memory>

#include "cleaning/FileSystem.h"
#include "cleaning/GuardedPath.h"
#include "registry/Reg32.h"

namespace ModCleaning {
namespace {

// A folder that may be emptied or removed: accepted by the guard, below a drive or
// share root, no wildcard, no link, open, and not one that is or holds the system or
// the user's profile, however the path names it.
std::unique_ptr<filesys::Folder> FolderToErase(const std::wstring& text) {
    auto path = guarded::Parse(text);
    if (!path || path->IsRoot() || path->HasWildcard()) return nullptr;
    auto folder = std::make_unique<filesys::Folder>(path->Long());
    if (filesys::IsProtected(*folder)) return nullptr;
    return folder;
}

}  // namespace

std::wstring Environ(const wchar_t* name) {
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    DWORD got = GetEnvironmentVariableW(name, value.data(), size);
    if (got == 0 || got >= size) return {};
    value.resize(got);
    return value;
}

std::wstring GetAOLPath() {
    std::wstring path = Reg32::GetRegStringW(
        HKEY_LOCAL_MACHINE, L"Software\\America Online\\America Online\\CurrentVersion", L"AppPath");
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path;
}

std::wstring GetTempFolder() {
    // The system takes the first of these that is set (else the Windows folder) and
    // makes it absolute against the current folder: TMP=. would name the folder the
    // program was started in. What the user wrote must be a full path itself.
    std::wstring written;
    for (const wchar_t* name : {L"TMP", L"TEMP", L"USERPROFILE"})
        if (!(written = Environ(name)).empty()) break;
    if (!written.empty() && !guarded::Parse(written)) return {};
    wchar_t buffer[256] = {};
    DWORD n = GetTempPathW(255, buffer);
    if (n == 0 || n >= 255) return {};  // failed, or needs more room: nothing written
    return std::wstring(buffer, n);
}

std::wstring GetFirefoxProfile(const std::wstring& ProfilesFolder) {
    auto folder = guarded::Parse(ProfilesFolder);
    if (!folder || folder->IsRoot() || folder->HasWildcard()) return {};
    for (const filesys::Entry& entry : filesys::List(folder->Long(), L"*")) {
        if (entry.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
        return ProfilesFolder + L"\\" + entry.name;
    }
    return {};
}

void DeleteFileIfExists(const std::wstring& path) {
    auto target = guarded::Parse(path);
    if (!target || target->IsRoot()) return;
    guarded::Path parent = target->Parent();
    filesys::Folder folder(parent.Long());
    if (!folder.IsOpen()) return;
    // Wildcards straight below a root, or in a folder that holds the system or the
    // profile, could reach far more than the item means.
    if (target->HasWildcard() && (parent.IsRoot() || filesys::IsProtected(folder))) return;
    for (const filesys::Entry& entry : filesys::List(parent.Long(), target->parts.back())) {
        // Normal files only, as a listing without the hidden and system flags gives them.
        if (entry.IsFolder() || (entry.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
            continue;
        folder.DeleteFile(entry);
    }
}

void DeleteFolderEntries(const std::wstring& path) {
    std::wstring folderText;
    if (path.ends_with(L"\\*"))
        folderText = path.substr(0, path.size() - 2);
    else if (path.ends_with(L"\\"))
        folderText = path.substr(0, path.size() - 1);
    else
        return;  // not a folder argument
    auto folder = FolderToErase(folderText);
    if (!folder) return;
    for (const filesys::Entry& entry : filesys::List(folder->LongPath(), L"*")) {
        // Entries with the system attribute are not listed, and so stay.
        if (entry.attributes & FILE_ATTRIBUTE_SYSTEM) continue;
        if (entry.IsFolder())
            folder->RemoveSubfolder(entry);
        else
            folder->DeleteFile(entry);
    }
}

bool RemoveFolder(std::wstring path) {
    if (path.ends_with(L"\\")) path.pop_back();
    auto folder = FolderToErase(path);
    if (!folder) return false;
    return filesys::RemoveTree(std::move(folder));
}

}  // namespace ModCleaning
