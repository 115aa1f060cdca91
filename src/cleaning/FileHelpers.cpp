#include "cleaning/FileHelpers.h"

#include <windows.h>

#include <memory>
#include <variant>

#include "cleaning/FileSystem.h"
#include "cleaning/GuardedPath.h"
#include "framework/Text.h"
#include "registry/clsRegistry.h"

namespace ModCleaning {
namespace {

bool EndsWith(const std::string& text, const char* tail) {
    std::string_view t(tail);
    return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
}

// A folder that may be emptied or removed: accepted by the guard, below a drive or
// share root, no wildcard, no link, open, and not one that is or holds the system or
// the user's profile, however the path names it.
std::unique_ptr<filesys::Folder> FolderToErase(const std::string& text) {
    auto path = guarded::Parse(text);
    if (!path || path->IsRoot() || path->HasWildcard()) return nullptr;
    auto folder = std::make_unique<filesys::Folder>(path->Long());
    if (filesys::IsProtected(*folder)) return nullptr;
    return folder;
}

std::string AsText(const RegVariant& value) {
    if (auto s = std::get_if<std::string>(&value)) return *s;
    if (auto b = std::get_if<std::uint8_t>(&value)) return std::to_string(*b);
    if (auto l = std::get_if<std::int32_t>(&value)) return std::to_string(*l);
    if (auto i = std::get_if<std::int16_t>(&value)) return std::to_string(*i);
    return {};
}

}  // namespace

std::string GetAOLPath() {
    std::string path;
    try {
        path = AsText(objRegistry().GetValue(
            HKEY_LOCAL_MACHINE, "Software\\America Online\\America Online\\CurrentVersion",
            "AppPath", ""));
    } catch (const gf::Error&) {
        // As a missing value: the path stays empty.
    }
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

std::string GetTempFolder() {
    char buffer[256] = {};
    DWORD n = GetTempPathA(255, buffer);
    if (n == 0 || n >= 255) return {};  // failed, or needs more room: nothing written
    return std::string(buffer, n);
}

std::string GetFirefoxProfile(const std::string& ProfilesFolder) {
    auto folder = guarded::Parse(ProfilesFolder);
    if (!folder || folder->IsRoot() || folder->HasWildcard()) return {};
    for (const filesys::Entry& entry : filesys::List(folder->Long(), L"*")) {
        if (entry.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
        // A name without an ANSI form cannot be passed on as text; such a profile is
        // taken as none rather than as a wrong one.
        std::string name = gf::Narrow(entry.name);
        if (name.empty()) return {};
        return ProfilesFolder + "\\" + name;
    }
    return {};
}

void DeleteFileIfExists(const std::string& path) {
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

void DeleteFolderEntries(const std::string& path) {
    std::string folderText;
    if (EndsWith(path, "\\*"))
        folderText = path.substr(0, path.size() - 2);
    else if (EndsWith(path, "\\"))
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

bool RemoveFolder(std::string path) {
    if (EndsWith(path, "\\")) path.pop_back();
    auto folder = FolderToErase(path);
    if (!folder) return false;
    return filesys::RemoveTree(std::move(folder));
}

}  // namespace ModCleaning
