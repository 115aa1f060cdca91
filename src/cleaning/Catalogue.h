#pragma once
// The catalogue of erasable traces, as data: three groups of items, each item with the
// index, caption and tag its check box carries and the steps that erase it. The main
// window builds its check boxes from it; the group procedures (ModCleaning.h) carry
// out the steps of one item.
#include <cstddef>
#include <span>

namespace ModCleaning {

// The three check-box arrays of the main window, in the order the clean run walks them.
enum class Group { Internet, Software, Windows };

// Where a step's path starts. The step's text is joined straight onto it.
enum class Base {
    None,            // registry steps and special actions
    CacheFolder,     // the shell folders read at start-up (ShellFolders.h)
    CookiesFolder,
    RecentFolder,
    AppDataFolder,
    ProgramFiles,    // the environment variable, read afresh at every step
    FirefoxProfile,  // GetFirefoxProfile(AppDataFolder & "\Mozilla\Firefox\Profiles")
    AolPath,         // GetAOLPath(), ends in "\"
    TempFolder,      // GetTempFolder(), ends in "\"
};

enum class Root { HKCU, HKLM };

enum class StepKind {
    Files,                  // DeleteFileIfExists(base & text)
    Entries,                // DeleteFolderEntries(base & text)
    Key,                    // RegDeleteKeyA(root, text), result dropped
    ClassKey,               // objRegistry().DeleteKey(root, text): raises 11006 on error
    ClearProtectedStorage,  // the Internet Explorer AutoComplete store
    ClearRecentDocs,        // SHAddToRecentDocs(0, NULL)
    EmptyRecycleBin,        // every drive, no confirmation, then the icon refresh
    ClearClipboard,         // every format; a failure ends the item
    CleanRealPlayer,        // the clip lists of every version, then the history files
    EmptyReceivedFiles,     // the entries of the profile's "My Received Files" folder
};

struct Step {
    StepKind Kind;
    Base From = Base::None;
    const char* Text = "";  // path suffix, or the key path for Key / ClassKey
    Root Hive = Root::HKCU;
};

struct Item {
    short Index;
    const char* Caption;  // the check box's caption
    const char* Tag;      // the full name, shown as "Cleaning " & Tag
    std::span<const Step> Steps;
};

// Every item of a group, in index order: Internet 0-18, Software 0-12, Windows 0-4.
std::span<const Item> Items(Group group);

// The item with this index, or nullptr when the group has no such row.
const Item* FindItem(Group group, short index);

// The name of the group's check-box array: "chkInternet", "chkSoftware", "chkWindows".
const char* ArrayName(Group group);

}  // namespace ModCleaning
