#include "cleaning/FileSystem.h"

#include <shlobj.h>

#include <algorithm>
#include <iterator>
#include <optional>

#include "cleaning/GuardedPath.h"
#include "cleaning/Pacing.h"

namespace filesys {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

// The system's own name of an open file or folder, after every link it followed
// ("\Device\HarddiskVolume2\..." on Windows, "\??\D:\..." under Wine, which
// resolves Unix links here). GetFinalPathNameByHandle would do, but Wine's gives up on
// paths longer than MAX_PATH.
std::wstring FinalPathOf(HANDLE handle) {
    using QueryObject = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryObject>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    if (!query) return {};
    struct Name {
        USHORT length;
        USHORT maximumLength;
        PWSTR buffer;
    };
    constexpr int kObjectNameInformation = 1;
    // Kept between calls: this runs once for every file deleted.
    thread_local std::vector<BYTE> buffer(sizeof(Name) + 1024);
    ULONG needed = 0;
    LONG status = query(handle, kObjectNameInformation, buffer.data(),
                        static_cast<ULONG>(buffer.size()), &needed);
    if (status != 0) {
        // Too small: names run up to 32767 characters.
        buffer.resize(sizeof(Name) + 65536 + 16);
        if (query(handle, kObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                  &needed) != 0)
            return {};
    }
    const auto* name = reinterpret_cast<const Name*>(buffer.data());
    if (!name->buffer || name->length == 0) return {};
    return std::wstring(name->buffer, name->length / sizeof(wchar_t));
}

namespace {

bool SameText(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Whether an opened item is the one expected, letter for letter. The expected path is
// built from the texts the item was opened by, with names as the folder's listing
// stores them; Windows names an opened item as it was opened, Wine by what the disk
// stores, so the item where it should be matches exactly either way. A link whose
// target differs only in case, another folder on a case-sensitive disk, does not.
bool SameItem(const std::wstring& final, const std::wstring& expected) {
    return !final.empty() && final == expected;
}

bool SetAttributes(HANDLE handle, DWORD attributes) {
    FILE_BASIC_INFO info = {};  // zero times: left as they are
    info.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(handle, FileBasicInfo, &info, sizeof info) != 0;
}

bool SetDeleteDisposition(HANDLE handle) {
    FILE_DISPOSITION_INFO info = {TRUE};
    return SetFileInformationByHandle(handle, FileDispositionInfo, &info, sizeof info) != 0;
}

// Marks an open file or folder for deletion; the system deletes it when the handle
// closes. A read-only attribute is cleared first and put back if the mark fails.
bool MarkOpenItem(HANDLE handle, DWORD attributes) {
    bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    if (readOnly && !SetAttributes(handle, attributes & ~FILE_ATTRIBUTE_READONLY)) return false;
    if (SetDeleteDisposition(handle)) return true;
    if (readOnly) SetAttributes(handle, attributes);
    return false;
}

}  // namespace

std::optional<Identity> IdentityOf(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info) || (info.nFileIndexHigh | info.nFileIndexLow) == 0)
        return std::nullopt;
    return Identity{info.dwVolumeSerialNumber, (ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

bool Entry::IsLink() const {
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    // Wine reports links to folders with tag 0; a folder is never entered through any
    // reparse point.
    return IsFolder() || reparseTag == 0 || IsReparseTagNameSurrogate(reparseTag);
}

std::vector<Entry> List(const std::wstring& longFolder, const std::wstring& pattern) {
    std::vector<Entry> entries;
    WIN32_FIND_DATAW data;
    std::wstring all = longFolder + L"\\*";
    gf::FindHandle find(FindFirstFileExW(all.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return entries;
    do {
        if (!pacing::Go()) break;
        std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        // Our own match: the system's would also match 8.3 short names.
        if (pattern != L"*" && !guarded::MatchesPattern(name, pattern)) continue;
        DWORD tag = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? data.dwReserved0 : 0;
        entries.push_back({std::wstring(name), data.dwFileAttributes, tag});
    } while (FindNextFileW(find.Get(), &data));
    return entries;
}

namespace {

bool IsPlainFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Opens a folder that is no link and resolves to where it should; no handle otherwise.
// Both the handle and the path are asked: Wine shows a Unix link as a reparse point only
// when asked by path, and Windows may answer by either.
gf::FileHandle OpenPlainFolder(const std::wstring& longPath, DWORD access, const std::wstring& expectedFinal,
                               std::wstring* final, DWORD* attributes) {
    gf::FileHandle h(CreateFileW(longPath.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!h) return h;
    // Not GetFileInformationByHandle: under Wine its volume query costs half a millisecond.
    FILE_BASIC_INFO info;
    if (!GetFileInformationByHandleEx(h.Get(), FileBasicInfo, &info, sizeof info) ||
        !IsPlainFolder(info.FileAttributes) || !IsPlainFolder(GetFileAttributesW(longPath.c_str())))
        return {};
    std::wstring resolved = FinalPathOf(h.Get());
    // Reached through a link that the system followed (Wine's Unix links): not ours.
    if (resolved.empty() || (!expectedFinal.empty() && !SameItem(resolved, expectedFinal)))
        return {};
    *final = std::move(resolved);
    *attributes = info.FileAttributes;
    return h;
}

}  // namespace

Folder::Folder(const std::wstring& longPath, const std::wstring& expectedFinal) : path_(longPath) {
    // Attributes access only: a handle with delete access would keep Wine from listing
    // the folder.
    handle_ = OpenPlainFolder(longPath, FILE_READ_ATTRIBUTES, expectedFinal, &final_, &attributes_);
}

bool Folder::Remove() {
    if (!IsOpen()) return false;
    handle_.Close();
    std::wstring final;
    DWORD attributes = 0;
    gf::FileHandle h = OpenPlainFolder(path_, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, final_,
                                       &final, &attributes);
    if (h) {
        MarkOpenItem(h.Get(), attributes);
        h.Close();  // the folder goes now, if it is empty
    }
    return GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool Folder::DeleteFile(const Entry& entry) const {
    if (!IsOpen() || entry.IsFolder() || entry.IsLink()) return false;
    std::wstring path = path_ + L"\\" + entry.name;
    gf::FileHandle h(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                 kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!h) return false;  // in use, protected, or gone
    // The file must be the one this folder holds under that name, not a link's target.
    if (!SameItem(FinalPathOf(h.Get()), final_ + L"\\" + entry.name)) return false;
    return MarkOpenItem(h.Get(), entry.attributes);
}

namespace {

// Removes a folder and everything in it but links, depth first with a stack of our
// own, so that a deep tree cannot exhaust the thread's stack.
bool RemoveFolderTree(std::unique_ptr<Folder> top) {
    struct Frame {
        std::unique_ptr<Folder> folder;
        std::vector<Entry> subfolders;
        size_t next = 0;
    };
    std::vector<Frame> stack;
    auto enter = [&stack](std::unique_ptr<Folder> folder) {
        if (!folder->IsOpen()) return;
        Frame frame{std::move(folder), {}};
        for (Entry& child : List(frame.folder->LongPath(), L"*")) {
            if (!pacing::Go()) return;
            if (child.IsLink()) continue;
            if (child.IsFolder())
                frame.subfolders.push_back(std::move(child));
            else
                frame.folder->DeleteFile(child);
        }
        stack.push_back(std::move(frame));
    };
    std::wstring longPath = top->LongPath();
    enter(std::move(top));
    if (stack.empty()) return false;  // missing, a link, or stopped
    while (!stack.empty() && !pacing::Stopping()) {
        Frame& frame = stack.back();
        if (frame.next < frame.subfolders.size()) {
            const Entry& child = frame.subfolders[frame.next++];
            enter(std::make_unique<Folder>(frame.folder->LongPath() + L"\\" + child.name,
                                           frame.folder->FinalPath() + L"\\" + child.name));
            continue;
        }
        frame.folder->Remove();
        stack.pop_back();
    }
    return GetFileAttributesW(longPath.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool Folder::RemoveSubfolder(const Entry& entry) const {
    if (!IsOpen() || !entry.IsFolder() || entry.IsLink()) return false;
    std::wstring tail = L"\\" + entry.name;
    return RemoveFolderTree(std::make_unique<Folder>(path_ + tail, final_ + tail));
}

bool RemoveTree(std::unique_ptr<Folder> folder) { return RemoveFolderTree(std::move(folder)); }

namespace {

// Where an open item really lies, as a path on a drive or share ("C:\...",
// "\\server\share\..."); nothing when none names it (under Wine a place outside every
// drive is "\\?\unix\...").
std::optional<guarded::Path> RealPathOf(HANDLE handle) {
    std::wstring text(MAX_PATH + 16, L'\0');
    DWORD n = GetFinalPathNameByHandleW(handle, text.data(), static_cast<DWORD>(text.size()), VOLUME_NAME_DOS);
    if (n >= text.size()) {  // the size it needs
        text.resize(n + 1);
        n = GetFinalPathNameByHandleW(handle, text.data(), static_cast<DWORD>(text.size()), VOLUME_NAME_DOS);
        if (n >= text.size()) n = 0;
    }
    text.resize(n);
    if (text.empty()) {
        // Wine's gives up past MAX_PATH; its object names are DOS paths already.
        std::wstring name = FinalPathOf(handle);
        if (name.starts_with(L"\\??\\")) text = L"\\\\?\\" + name.substr(4);
    }
    if (text.starts_with(L"\\\\?\\UNC\\")) return guarded::Parse(L"\\\\" + text.substr(8));
    if (text.starts_with(L"\\\\?\\")) return guarded::Parse(std::wstring_view(text).substr(4));
    return std::nullopt;
}

// Follows every link on the way, as a clean of the path would.
gf::FileHandle OpenFollowingLinks(const guarded::Path& path) {
    return gf::FileHandle(CreateFileW(path.Long().c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

std::optional<Identity> IdentityAt(const guarded::Path& path) {
    gf::FileHandle h = OpenFollowingLinks(path);
    return h ? IdentityOf(h.Get()) : std::nullopt;
}

std::optional<guarded::Path> Resolved(const guarded::Path& path) {
    gf::FileHandle h = OpenFollowingLinks(path);
    return h ? RealPathOf(h.Get()) : std::nullopt;
}

// The folder and every ancestor of it, along the path as written and along the path it
// resolves to (a profile may lie behind a junction). False when one cannot be opened.
bool AddWithAncestors(const wchar_t* text, UINT length, std::vector<Identity>& ids) {
    if (length == 0 || length > MAX_PATH) return false;
    auto written = guarded::Parse(std::wstring_view(text, length));
    if (!written) return false;
    auto resolved = Resolved(*written);
    if (resolved && SameText(resolved->Plain(), written->Plain())) resolved.reset();  // the usual case
    for (auto path : {written, resolved}) {
        for (; path; path = path->IsRoot() ? std::nullopt : std::optional(path->Parent())) {
            auto id = IdentityAt(*path);
            if (!id) return false;
            ids.push_back(*id);
        }
    }
    return true;
}

// Worked out afresh for each folder a clean empties: a dozen opens.
std::optional<std::vector<Identity>> ProtectedIdentities() {
    std::vector<Identity> ids;
    wchar_t path[MAX_PATH + 1];
    bool resolved = AddWithAncestors(path, GetWindowsDirectoryW(path, MAX_PATH + 1), ids) &&
                    AddWithAncestors(path, GetSystemDirectoryW(path, MAX_PATH + 1), ids);
    // A 32-bit program on 64-bit Windows that names system32 is sent to syswow64; the
    // real system32 is what it reaches through another drive letter or "Sysnative".
    // On a 32-bit system there is no redirection to turn off, and no syswow64.
    PVOID redirection = nullptr;
    if (Wow64DisableWow64FsRedirection(&redirection)) {
        resolved = resolved && AddWithAncestors(path, GetSystemDirectoryW(path, MAX_PATH + 1), ids);
        Wow64RevertWow64FsRedirection(redirection);
    }
    if (UINT n = GetSystemWow64DirectoryW(path, MAX_PATH + 1))
        resolved = resolved && AddWithAncestors(path, n, ids);
    resolved = resolved &&
               SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, path)) &&
               AddWithAncestors(path, static_cast<UINT>(wcslen(path)), ids);
    if (!resolved) return std::nullopt;
    return ids;
}

}  // namespace

std::optional<NamedFolder> OpenNamedFolder(const guarded::Path& path) {
    gf::FileHandle followed = OpenFollowingLinks(path);
    if (!followed) return std::nullopt;
    auto real = RealPathOf(followed.Get());
    if (!real || real->HasWildcard()) return std::nullopt;
    auto folder = std::make_unique<Folder>(real->Long());
    if (!folder->IsOpen()) return std::nullopt;
    // The very folder the path led to, not one put in its place meanwhile. By identity
    // where the file system keeps one: a junction may spell its target in another case.
    auto id = IdentityOf(followed.Get());
    if (id ? id != folder->Id() : !SameItem(folder->FinalPath(), FinalPathOf(followed.Get()))) return std::nullopt;
    return NamedFolder{std::move(*real), std::move(folder)};
}

bool IsProtected(const Folder& folder) {
    auto id = folder.Id();
    if (!id) return true;
    auto ids = ProtectedIdentities();
    return !ids || std::find(ids->begin(), ids->end(), *id) != ids->end();
}

}  // namespace filesys
