#pragma once
// Listing and deleting on long paths ("\\?\..."), with the wide-character API so that
// no name is missed for its characters or its length. Callers pass paths that the
// guard (GuardedPath.h) has accepted.
//
// The folder a path names is opened where it really lies (OpenNamedFolder): every link
// on the way to it is followed, its own too. Links found inside it (junctions, symbolic
// links, mount points) are never entered and never removed. Every file and folder is
// deleted through a handle whose final path is checked first: under Wine a Unix
// symbolic link to a file looks like a plain file, deleting it by name deletes its
// target, and removing a link to an empty folder removes that folder.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cleaning/GuardedPath.h"
#include "framework/Handles.h"

namespace filesys {

// The system's own name of an open file or folder, after every link it followed
// ("\Device\HarddiskVolume2\..." on Windows, "\??\D:\..." under Wine, which resolves
// Unix links here); empty when the system does not say.
std::wstring FinalPathOf(HANDLE handle);

// What a folder is, whatever path reached it: its volume's serial number and its index
// on that volume. A second drive letter, an 8.3 name, a link in the middle of the path
// and a share of the local disk all lead to the same identity (where a share's final
// path differs from the local one).
struct Identity {
    DWORD volume = 0;
    ULONGLONG index = 0;

    bool operator==(const Identity&) const = default;
};
// Nothing when the file system gives no index to tell files apart.
std::optional<Identity> IdentityOf(HANDLE handle);

struct Entry {
    std::wstring name;
    DWORD attributes = 0;
    DWORD reparseTag = 0;

    bool IsFolder() const { return attributes & FILE_ATTRIBUTE_DIRECTORY; }
    // A folder with any reparse point, or a file whose reparse point stands for another
    // name. Other reparse points (deduplicated or cloud files) are the file's own data.
    bool IsLink() const;
};

// The entries of the folder whose names match the pattern (GuardedPath's
// MatchesPattern), in the order the system lists them; "." and ".." left out. A stop
// (pacing::Go) ends the listing where it is.
std::vector<Entry> List(const std::wstring& longFolder, const std::wstring& pattern);

// An open folder that may be emptied: it exists and is no link. Its final path is what
// the paths of its entries must resolve to.
class Folder {
public:
    // expectedFinal: for a folder reached by a listing, its parent's final path, "\"
    // and its name as the listing stores it; a folder that resolves elsewhere, if only
    // in letter case, is reached through a link and is not opened.
    explicit Folder(const std::wstring& longPath, const std::wstring& expectedFinal = {});

    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    bool IsOpen() const { return handle_.Valid(); }
    const std::wstring& LongPath() const { return path_; }
    const std::wstring& FinalPath() const { return final_; }
    std::optional<Identity> Id() const { return IsOpen() ? IdentityOf(handle_.Get()) : std::nullopt; }

    // Deletes one entry file, clearing its read-only attribute first (put back if the
    // file stays, e.g. because it is in use). False when it stays.
    bool DeleteFile(const Entry& entry) const;
    // Removes one entry folder with everything in it except links (so a folder that
    // holds a link stays). False when it stays.
    bool RemoveSubfolder(const Entry& entry) const;

    // Removes the folder itself if it is empty by now, through a handle checked to be
    // this folder still; the object is closed afterwards. True when it is gone.
    bool Remove();

private:

    gf::FileHandle handle_;
    std::wstring path_;
    std::wstring final_;
    DWORD attributes_ = 0;
};

// The folder a path names, opened where it really lies: every link on the way is
// followed, the folder's own too (a Temp or cache folder moved to another drive and
// linked back), and the folder is opened again by its real path, so that its entries
// are judged against where they really are. Nothing when the path leads to no folder,
// or to one that no drive or share names.
struct NamedFolder {
    guarded::Path where;  // the real path
    std::unique_ptr<Folder> folder;
};
std::optional<NamedFolder> OpenNamedFolder(const guarded::Path& path);

// True when the open folder is the Windows folder, a system folder (system32, and
// syswow64 for a 32-bit program on 64-bit Windows), the user's profile or an ancestor
// of any of them; also when it or one of them has no identity to compare, since then
// nothing tells them apart. Emptying or removing such a folder is never a cleaning
// step, whatever a setting says.
bool IsProtected(const Folder& folder);

// Removes an open folder with its contents but for links. True when it is gone. A
// stop (pacing::Go) leaves the rest as it is.
bool RemoveTree(std::unique_ptr<Folder> folder);

}  // namespace filesys
