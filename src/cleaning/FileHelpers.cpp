#include "cleaning/FileHelpers.h"

#include <windows.h>

#include <memory>

#include "cleaning/FileSystem.h"
#include "cleaning/GuardedPath.h"
#include "cleaning/Pacing.h"
#include "registry/Reg32.h"

namespace ModCleaning {
namespace {

// A folder that may be emptied or removed: accepted by the guard, no wildcard, open
// where it really lies (a link that the path ends in is followed), below a drive or
// share root both as written and there, and not one that is or holds the system or the
// user's profile, however the path names it.
std::unique_ptr<filesys::Folder> FolderToErase(const std::wstring& text) {
    auto path = guarded::Parse(text);
    if (!path || path->IsRoot() || path->HasWildcard()) return nullptr;
    auto named = filesys::OpenNamedFolder(*path);
    if (!named || named->where.IsRoot() || filesys::IsProtected(*named->folder)) return nullptr;
    return std::move(named->folder);
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
        // A profile is a folder (or a link to one); a file listed first is no profile.
        if (!entry.IsFolder() || (entry.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) continue;
        return ProfilesFolder + L"\\" + entry.name;
    }
    return {};
}

void DeleteFileIfExists(const std::wstring& path) {
    pacing::Walk walk;
    auto target = guarded::Parse(path);
    if (!target || target->IsRoot()) return;
    guarded::Path parent = target->Parent();
    auto named = filesys::OpenNamedFolder(parent);
    if (!named) return;
    const filesys::Folder& folder = *named->folder;
    // Wildcards straight below a root, or in a folder that holds the system or the
    // profile, could reach far more than the item means.
    if (target->HasWildcard() && (parent.IsRoot() || named->where.IsRoot() || filesys::IsProtected(folder))) return;
    for (const filesys::Entry& entry : filesys::List(folder.LongPath(), target->parts.back())) {
        if (!pacing::Go()) return;
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
    pacing::Walk walk;
    auto folder = FolderToErase(folderText);
    if (!folder) return;
    for (const filesys::Entry& entry : filesys::List(folder->LongPath(), L"*")) {
        if (!pacing::Go()) return;
        // Entries with the system attribute are not listed, and so stay.
        if (entry.attributes & FILE_ATTRIBUTE_SYSTEM) continue;
        if (entry.IsFolder())
            folder->RemoveSubfolder(entry);
        else
            folder->DeleteFile(entry);
    }
}

bool RemoveFolder(std::wstring path) {
    pacing::Walk walk;
    if (path.ends_with(L"\\")) path.pop_back();
    auto folder = FolderToErase(path);
    if (!folder) return false;
    return filesys::RemoveTree(std::move(folder));
}

}  // namespace ModCleaning
