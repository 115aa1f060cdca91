// Every item of the catalogue run through its group procedure against a realistic
// profile in the sandbox: what each erases, what it leaves, its status line; items
// built on missing folders; errors that end an item; the AutoComplete store clean (which
// subkeys go, the top key, the security left on the keys); and the file and folder
// helpers: the deletion guard, what goes and what stays, links, files in use, long and
// non-ANSI names.
#include <windows.h>
#include <aclapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Process.h"
#include "TestSupport.h"
#include "cleaning/AutoComplete.h"
#include "cleaning/Catalogue.h"
#include "cleaning/FileHelpers.h"
#include "cleaning/GuardedPath.h"
#include "cleaning/ModCleaning.h"
#include "cleaning/ShellFolders.h"
#include "framework/Error.h"

using ModCleaning::Group;
using testing_support::ScratchDir;
using testing_support::ScratchKey;
using testing_support::UniqueName;

namespace {

using testing_support::ExeFolder;
const auto W = testing_support::Wide;
using testing_support::KeyExists;

std::wstring Long(const std::wstring& path) {
    return path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path;
}

// Ends the run outright before a test makes anything outside the sandbox.
void RequireSandbox(const std::wstring& path) {
    std::wstring p = Long(path).substr(4);
    for (const std::wstring& base : {W(ExeFolder()) + L"\\", std::wstring(L"C:\\users\\"),
                                     std::wstring(L"C:\\Program Files (x86)\\")})
        if (CompareStringOrdinal(p.c_str(), static_cast<int>(std::min(p.size(), base.size())),
                                 base.c_str(), static_cast<int>(base.size()), TRUE) == CSTR_EQUAL)
            return;
    fprintf(stderr, "test path outside the sandbox: %ls\n", p.c_str());
    std::abort();
}

DWORD Attrs(const std::wstring& path) { return GetFileAttributesW(Long(path).c_str()); }
bool Exists(const std::wstring& path) { return Attrs(path) != INVALID_FILE_ATTRIBUTES; }
bool Exists(const std::string& path) { return Exists(W(path)); }

void MakeDirs(const std::wstring& path) {
    RequireSandbox(path);
    std::wstring p = Long(path);
    for (size_t i = 7; i <= p.size(); ++i)  // after "\\?\C:\"
        if (i == p.size() || p[i] == L'\\') CreateDirectoryW(p.substr(0, i).c_str(), nullptr);
}
void MakeDirs(const std::string& path) { MakeDirs(W(path)); }

// A small file (and its folders); attributes are set after writing.
void MakeFile(const std::wstring& path, DWORD attributes = 0) {
    MakeDirs(path.substr(0, path.find_last_of(L'\\')));
    HANDLE h = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, "trace", 5, &written, nullptr);
    CloseHandle(h);
    if (attributes) SetFileAttributesW(Long(path).c_str(), attributes);
}
void MakeFile(const std::string& path, DWORD attributes = 0) { MakeFile(W(path), attributes); }

// Removes a tree a test made outside its ScratchDir; links are left alone.
void RemoveMadeTree(const std::wstring& path) {
    RequireSandbox(path);
    testing_support::RemoveTree(path);
}

// An environment variable of this process for the scope (empty: unset).
class EnvOverride {
public:
    EnvOverride(const char* name, const std::string& value) : name_(name) {
        char buffer[32768];
        DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
        if ((had_ = n > 0 && n < sizeof buffer)) old_.assign(buffer, n);
        SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
    }
    ~EnvOverride() { SetEnvironmentVariableA(name_.c_str(), had_ ? old_.c_str() : nullptr); }

private:
    std::string name_, old_;
    bool had_ = false;
};

// The working folder for the scope.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& path) {
        RequireSandbox(W(path));
        char buffer[MAX_PATH];
        old_.assign(buffer, GetCurrentDirectoryA(MAX_PATH, buffer));
        SetCurrentDirectoryA(path.c_str());
    }
    ~WorkingFolder() { SetCurrentDirectoryA(old_.c_str()); }

private:
    std::string old_;
};

// Registry keys a test makes outside its ScratchKey: of each path, the topmost key that
// did not exist before is removed with its tree when the test ends.
class PlantedKeys {
public:
    ~PlantedKeys() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) RegDeleteTreeA(it->first, it->second.c_str());
    }
    // The key, with one value so that it is not an empty key by accident.
    void Create(HKEY root, const std::string& path) {
        size_t i = 0;
        do {
            i = path.find('\\', i + 1);
            if (!KeyExists(root, path.substr(0, i))) {
                made_.emplace_back(root, path.substr(0, i));
                break;
            }
        } while (i != std::string::npos);
        ASSERT_EQ(RegSetKeyValueA(root, path.c_str(), "trace", REG_SZ, "x", 2), ERROR_SUCCESS) << path;
    }

private:
    std::vector<std::pair<HKEY, std::string>> made_;
};

constexpr Group kGroups[] = {Group::Internet, Group::Software, Group::Windows};
const char* const kAolKey = "Software\\America Online\\America Online\\CurrentVersion";

std::string UserProfile() {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, 0, path);
    return path;
}

void SetText(const ScratchKey& key, const char* name, DWORD type, const std::string& text) {
    key.Set(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void PutTextOnClipboard(const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(mem), text, strlen(text) + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
}

// What each item must erase ("-") and leave ("="): F a file (suffix |r read-only, |h
// hidden, |s system), D a folder, K an HKCU key, L an HKLM key, N an HKCU key that goes
// and its sibling key "...Neighbour" that stays. {name} stands for a folder of the
// planted profile.
struct Plan {
    Group group;
    short index;
    std::vector<const char*> traces;
};
const Plan kPlans[] = {
    {Group::Internet, 0, {"-N Software\\Microsoft\\Internet Explorer\\TypedURLs"}},
    {Group::Internet, 1, {"=D {cache}", "-F {cache}\\a.txt", "-F {cache}\\noext", "-F {cache}\\ro.gif|r",
                          "-F {cache}\\Content.IE5\\X1Y2\\page[1].htm", "=F {cache}\\desktop.ini|sh",
                          "=F {root}\\CacheNeighbour\\keep.txt"}},
    {Group::Internet, 2, {"=D {cookies}", "-F {cookies}\\user@site[1].txt", "-F {cookies}\\index.dat",
                          "=F {cookies}\\system.dat|s"}},
    {Group::Internet, 3, {"-K {store}\\S\\Data\\SearchText", "=K {store}\\S\\Data\\Other"}},
    {Group::Internet, 4, {"-F {ns}\\prefs.js", "-F {ns}\\netscape.hst", "=F {ns}\\bookmark.htm",
                          "-F {ff}\\history.dat", "=F {ff}\\places.sqlite"}},
    {Group::Internet, 5, {"=D {ns}\\cache", "-F {ns}\\cache\\M1.db", "-F {ns}\\cache\\sub\\x",
                          "=D {ff}\\Cache", "-F {ff}\\Cache\\_CACHE_MAP_", "-F {ff}\\Cache\\0\\1\\e",
                          "=F {ff}\\prefs.js"}},
    {Group::Internet, 6, {"-F {ff}\\cookies.txt", "=F {ff}\\cookies.sqlite"}},
    {Group::Internet, 7, {"-F {ff}\\formhistory.dat", "=F {ff}\\formhistory.sqlite"}},
    {Group::Internet, 8, {"-F {opera}\\opera.dir", "-F {opera}\\vlink4.dat", "-F {opera}\\global.dat",
                          "-F {opera}\\sessions\\autosave.win", "=F {opera}\\sessions\\other.win",
                          "=F {opera}\\opera6.ini"}},
    {Group::Internet, 9, {"=D {opera}\\cache4", "-F {opera}\\cache4\\opr01.tmp",
                          "-F {opera}\\cache4\\sub\\x"}},
    {Group::Internet, 10, {"-F {opera}\\cookies4.dat"}},
    {Group::Internet, 11, {"-F {opera}\\download.dat"}},
    {Group::Internet, 12, {"-F {aol}\\organize\\a.ARL", "-F {aol}\\organize\\b.aut",
                           "=F {aol}\\organize\\c.ARLX", "=F {aol}\\organize\\d.txt"}},
    {Group::Internet, 13, {"-F {aol}\\organize\\CACHE\\x.dat", "-F {aol}\\organize\\CACHE\\noext",
                           "=F {aol}\\organize\\CACHE\\sub\\y.dat"}},
    {Group::Internet, 14, {"-K {aim}\\Users", "=K {aim}\\Other"}},
    {Group::Internet, 15, {"-F {pf}\\Trillian\\users\\default\\logs\\a.log",
                           "-F {pf}\\Trillian\\users\\default\\logs\\MSN\\b.log",
                           "=F {pf}\\Trillian\\users\\default\\settings.ini"}},
    {Group::Internet, 16, {"-F {received}\\photo.jpg", "-F {received}\\sub\\b.doc", "=D {received}"}},
    {Group::Internet, 17, {"-N Software\\Google\\NavClient\\1.1\\History"}},
    {Group::Internet, 18, {"-N Software\\Yahoo\\Companion\\SearchHistory"}},
    {Group::Software, 0, {"-N Software\\Nico Mak Computing\\Winzip\\filemenu"}},
    {Group::Software, 1, {"-N Software\\Nico Mak Computing\\Winzip\\extract"}},
    {Group::Software, 2, {"-N Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList",
                          "-K {explorer}\\StreamMRU"}},
    {Group::Software, 3, {"=D {appdata}\\Microsoft\\Media Player", "-F {appdata}\\Microsoft\\Media Player\\a.wpl",
                          "-F {appdata}\\Microsoft\\Media Player\\Art Cache\\x.jpg",
                          "=F {appdata}\\Microsoft\\Other\\keep.txt"}},
    {Group::Software, 4, {"=K {real}\\6.0\\Preferences\\MostRecentClips9", "=K {real}\\6.0\\Preferences\\Other",
                          "-F {appdata}\\Real\\RealPlayer\\History\\a.rpl",
                          "=F {appdata}\\Real\\RealPlayer\\History\\hidden.rpl|h",
                          "=F {appdata}\\Real\\RealPlayer\\History\\sub\\b.rpl"}},
    {Group::Software, 5, {"-F {pf}\\Winamp\\Winamp.m3u", "=F {pf}\\Winamp\\winamp.ini"}},
    {Group::Software, 6, {"-L SOFTWARE\\Apple Computer, Inc.\\QuickTime\\Recent Movies",
                          "=L SOFTWARE\\Apple Computer, Inc.\\QuickTime\\Settings"}},
    {Group::Software, 7, {"-N {applets}\\Paint\\Recent File List"}},
    {Group::Software, 10, {"-F {appdata}\\Microsoft\\Office\\Recent\\doc.lnk",
                           "-F {appdata}\\Microsoft\\Office\\Recent\\index.dat",
                           "=K {explorer}\\RecentDocs\\.txt", "=K {explorer}\\RecentDocs"}},
    {Group::Software, 11, {"-K Software\\WinRAR\\ArchHistory", "-N Software\\WinRAR\\DialogEditHistory\\ExtraPath"}},
    {Group::Software, 12, {"-N {applets}\\Wordpad\\Recent File List"}},
    {Group::Windows, 0, {"-N {explorer}\\ComDlg32\\LastVisitedMRU", "=D {recent}", "-F {recent}\\a.lnk",
                         "-F {recent}\\b.txt.lnk", "-F {recent}\\CustomDestinations\\x",
                         "=F {recent}\\desktop.ini|sh"}},
    {Group::Windows, 1, {"-N {explorer}\\RunMRU"}},
    {Group::Windows, 2, {"=D {temp}", "-F {temp}\\a.tmp", "-F {temp}\\sub\\b.tmp"}},
    {Group::Windows, 3, {"-N Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
                         "{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\FilesNamedMRU"}},
};

// A user's profile inside a scratch folder: the shell folders, ProgramFiles, APPDATA,
// the temporary folder and AOL's folder all lead into it.
class Profile : public testing::Test {
protected:
    ScratchDir dir;
    ScratchKey shellFolders;
    PlantedKeys keys;
    std::string root = dir.Path();
    std::string received = UserProfile() + "\\My Received Files";
    std::vector<std::pair<std::string, std::string>> names = {
        {"{root}", root},
        {"{cache}", root + "\\Cache"},
        {"{cookies}", root + "\\Cookies"},
        {"{recent}", root + "\\Recent"},
        {"{appdata}", root + "\\AppData"},
        {"{pf}", root + "\\Program Files"},
        {"{aol}", root + "\\AOL"},
        {"{temp}", root + "\\Temp"},
        {"{ns}", root + "\\Program Files\\Netscape\\Users\\default"},
        {"{ff}", root + "\\AppData\\Mozilla\\Firefox\\Profiles\\abc.default"},
        {"{opera}", root + "\\AppData\\Opera\\Opera\\profile"},
        {"{received}", received},
        {"{store}", "Software\\Microsoft\\Protected Storage System Provider"},
        {"{aim}", "Software\\America Online\\AOL Instant Messenger (TM)\\CurrentVersion"},
        {"{explorer}", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"},
        {"{applets}", "Software\\Microsoft\\Windows\\CurrentVersion\\Applets"},
        {"{real}", "Software\\RealNetworks\\RealPlayer"},
    };
    EnvOverride programFilesVar{"ProgramFiles", Expand("{pf}")}, appDataVar{"APPDATA", Expand("{appdata}")},
        tmpVar{"TMP", Expand("{temp}\\")};

    // Planted by the current item.
    std::vector<std::string> gone, stays;
    std::vector<std::pair<HKEY, std::string>> keysGone, keysStay;

    std::string Expand(std::string text) const {
        for (const auto& [name, value] : names)
            for (size_t at; (at = text.find(name)) != std::string::npos;) text.replace(at, name.size(), value);
        return text;
    }

    void SetUp() override {
        for (const char* name : {"APPDATA", "CACHE", "RECENT", "COOKIES"}) {
            std::string folder = name;
            CharLowerBuffA(folder.data(), static_cast<DWORD>(folder.size()));
            SetText(shellFolders, name, REG_SZ, Expand("{" + folder + "}"));
        }
        ModCleaning::ReadShellFolders(HKEY_CURRENT_USER, shellFolders.Path().c_str());
        ASSERT_EQ(ModCleaning::CacheFolder(), Expand("{cache}"));
        keys.Create(HKEY_LOCAL_MACHINE, kAolKey);
        std::string aol = Expand("{aol}");
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, kAolKey, "AppPath", REG_SZ, aol.c_str(), static_cast<DWORD>(aol.size() + 1));
        ASSERT_FALSE(Exists(received)) << "left over from an earlier run";
    }
    void TearDown() override {
        if (Exists(received)) RemoveMadeTree(W(received));
    }

    void Plant(Group group, short index) {
        gone.clear(), stays.clear(), keysGone.clear(), keysStay.clear();
        for (const Plan& plan : kPlans) {
            if (plan.group != group || plan.index != index) continue;
            for (std::string trace : plan.traces) {
                bool goes = trace[0] == '-';
                char kind = trace[1];
                std::string path = Expand(trace.substr(3));
                DWORD attributes = 0;
                if (size_t bar = path.find('|'); bar != std::string::npos) {
                    for (char a : path.substr(bar + 1))
                        attributes |= a == 'r' ? FILE_ATTRIBUTE_READONLY
                                    : a == 'h' ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_SYSTEM;
                    path.resize(bar);
                }
                HKEY hive = kind == 'L' ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
                if (kind == 'F') MakeFile(path, attributes);
                if (kind == 'D') MakeDirs(path);
                if (kind == 'K' || kind == 'L' || kind == 'N') keys.Create(hive, path);
                if (kind == 'N') keys.Create(hive, path + "Neighbour"), keysStay.emplace_back(hive, path + "Neighbour");
                if (kind == 'F' || kind == 'D') (goes ? gone : stays).push_back(path);
                else (goes ? keysGone : keysStay).emplace_back(hive, path);
            }
        }
    }
    void Check() {
        for (const auto& p : gone) EXPECT_FALSE(Exists(p)) << "still there: " << p;
        for (const auto& p : stays) EXPECT_TRUE(Exists(p)) << "erased: " << p;
        for (const auto& [hive, p] : keysGone) EXPECT_FALSE(KeyExists(hive, p)) << "still there: " << p;
        for (const auto& [hive, p] : keysStay) EXPECT_TRUE(KeyExists(hive, p)) << "erased: " << p;
    }
    std::vector<std::string> Run(Group group, short index) {
        std::vector<std::string> status;
        ModCleaning::CleanItem(group, index, [&](const std::string& s) { status.push_back(s); },
                               ModCleaning::FindItem(group, index)->Tag);
        return status;
    }
};

}  // namespace

// The main window builds its check boxes from these: 19, 13 and 5 items, each at the
// position of its index.
TEST(Catalogue, HoldsEveryItemAtItsIndex) {
    size_t counts[] = {19, 13, 5};
    for (int g = 0; g < 3; ++g) {
        auto items = ModCleaning::Items(kGroups[g]);
        ASSERT_EQ(items.size(), counts[g]);
        for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].Index, static_cast<short>(i));
    }
}

// Beside the planned traces: the clip-list keys of two RealPlayer versions, the
// clipboard and the recycle bin (which the sandbox keeps under its own HOME).
TEST_F(Profile, EveryItemErasesItsTracesAndLeavesTheirNeighbours) {
    std::vector<std::string> clipKeys;
    for (const char* version : {"6.0", "10.0"})
        for (int i = 1; i <= 8; ++i)
            clipKeys.push_back(Expand("{real}\\") + version + "\\Preferences\\MostRecentClips" + std::to_string(i));
    std::string recycled = UniqueName("recycled") + ".txt";
    std::string trash = "D:\\sandbox\\home\\.local\\share\\Trash\\files\\" + recycled;
    for (Group group : kGroups) {
        for (const auto& item : ModCleaning::Items(group)) {
            SCOPED_TRACE(std::string(ModCleaning::ArrayName(group)) + std::to_string(item.Index) +
                         " " + item.Tag);
            Plant(group, item.Index);
            if (group == Group::Software && item.Index == 4)
                for (const auto& key : clipKeys) keys.Create(HKEY_CURRENT_USER, key);
            if (group == Group::Software && item.Index == 8) PutTextOnClipboard("secret");
            if (group == Group::Windows && item.Index == 4) {
                MakeFile(dir / recycled);
                std::string from = (dir / recycled) + std::string(1, '\0');
                SHFILEOPSTRUCTA op = {nullptr, FO_DELETE, from.c_str(), nullptr,
                                      FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI};
                SHFileOperationA(&op);
                ASSERT_TRUE(Exists(trash));
            }
            EXPECT_EQ(Run(group, item.Index), std::vector<std::string>{std::string("Cleaning ") + item.Tag});
            Check();
        }
    }
    for (const auto& key : clipKeys) EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key)) << key;
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(Exists(trash));
}

// Shell folders that cannot be read (missing, or not plain string values), with no
// ProgramFiles, APPDATA or AOL folder either: the items built on them find nothing to
// erase, and above all do not fall back on the current drive's root or folder.
TEST_F(Profile, ItemsOnMissingFoldersEraseNothing) {
    for (const char* path : {"\\*", "\\Cache\\", "\\organize\\*.ARL", "\\Opera\\Opera\\profile\\cache4\\"})
        ASSERT_FALSE(guarded::Parse(std::string(path))) << "the guard lets " << path << " through";
    ScratchKey wrongTypes;
    SetText(wrongTypes, "CACHE", REG_EXPAND_SZ, Expand("{cache}"));
    DWORD number = 7;
    RegSetKeyValueA(HKEY_CURRENT_USER, wrongTypes.Path().c_str(), "RECENT", REG_DWORD, &number, 4);
    RegSetKeyValueA(HKEY_CURRENT_USER, wrongTypes.Path().c_str(), "COOKIES", REG_BINARY, "C:\\x", 4);
    ModCleaning::ReadShellFolders(HKEY_CURRENT_USER, wrongTypes.Path().c_str());
    ASSERT_EQ(ModCleaning::AppDataFolder() + ModCleaning::CacheFolder() + ModCleaning::RecentFolder() +
                  ModCleaning::CookiesFolder(),
              "");
    EnvOverride noProgramFiles("ProgramFiles", ""), noAppData("APPDATA", "");
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kAolKey, "AppPath");
    WorkingFolder cwd(root);  // bait for anything relative
    std::vector<std::string> planted;
    for (const Plan& plan : kPlans) {
        // The temporary and received-files folders do not rest on these values.
        bool ownBase = (plan.group == Group::Windows && plan.index == 2) ||
                       (plan.group == Group::Internet && plan.index == 16);
        Plant(plan.group, plan.index);
        if (ownBase || gone.empty()) continue;
        planted.insert(planted.end(), gone.begin(), gone.end());
        Run(plan.group, plan.index);
    }
    for (const auto& p : planted) EXPECT_TRUE(Exists(p)) << "erased: " << p;
}

// Where 32-bit programs keep their traces on 64-bit Windows. This test, like the
// program, is a 32-bit process under WoW64: its own ProgramFiles is C:\Program Files
// (x86), and the HKLM keys it plants land in the 32-bit view (under Wow6432Node), as
// Netscape's, Trillian's, Winamp's, AOL's and QuickTime's do. The items on them erase
// the traces there, and the neighbours stay.
namespace {

struct RealProgramFiles {  // read before Profile points ProgramFiles into its scratch folder
    char programFiles[MAX_PATH] = {};
    RealProgramFiles() { GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH); }
};

class WoW64Profile : protected RealProgramFiles, public Profile {
protected:
    EnvOverride realProgramFilesVar{"ProgramFiles", programFiles};
    WoW64Profile() {
        for (auto& [name, value] : names) {
            if (name == "{pf}") value = programFiles;
            if (name == "{ns}") value = std::string(programFiles) + "\\Netscape\\Users\\default";
            if (name == "{aol}") value = std::string(programFiles) + "\\AOL 9.0";
        }
    }
    void TearDown() override {
        Profile::TearDown();
        for (const char* folder : {"Netscape", "Trillian", "Winamp", "AOL 9.0"}) {
            std::string path = std::string(programFiles) + "\\" + folder;
            if (Exists(path)) RemoveMadeTree(W(path));
        }
    }
    // Whether 64-bit Windows sees the key under Wow6432Node.
    static bool In32BitView(const std::string& path) {
        HKEY key;
        std::string wow = "SOFTWARE\\Wow6432Node" + path.substr(path.find('\\'));
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, wow.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key)) return false;
        RegCloseKey(key);
        return true;
    }
};

}  // namespace

TEST_F(WoW64Profile, ItemsEraseWhere32BitProgramsKeepTheirTraces) {
    ASSERT_STREQ(programFiles, "C:\\Program Files (x86)");
    ASSERT_TRUE(In32BitView(kAolKey)) << "AOL's AppPath";
    const std::pair<Group, short> items[] = {{Group::Internet, 4},  {Group::Internet, 5}, {Group::Internet, 12},
                                             {Group::Internet, 13}, {Group::Internet, 15}, {Group::Software, 5},
                                             {Group::Software, 6}};
    for (const auto& [group, index] : items) {
        SCOPED_TRACE(std::string(ModCleaning::ArrayName(group)) + std::to_string(index));
        Plant(group, index);
        for (const auto& [hive, path] : keysGone) ASSERT_TRUE(In32BitView(path)) << path;
        Run(group, index);
        Check();
    }
}

TEST(GroupProcedures, StatusLineThenOneMessageLoopTurnThenTheSteps) {
    // A message waiting before the call is handled by the turn, after the status line;
    // an index without a row does nothing more.
    std::vector<std::string> events;
    testing_support::MessageProbe probe([&] { events.push_back("pumped"); });
    probe.Post();
    ModCleaning::CleanInternet(19, [&](const std::string& s) { events.push_back(s); }, "No Such Item");
    EXPECT_EQ(events, (std::vector<std::string>{"Cleaning No Such Item", "pumped"}));
}

// An error ends the item and reaches the caller: here the clipboard, held open by
// another thread, cannot be cleared.
TEST(GroupProcedures, AnErrorEndsTheItemAndReachesTheCaller) {
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        OpenClipboard(owner);
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        CloseClipboard();
        DestroyWindow(owner);
    });
    WaitForSingleObject(opened, 10000);
    long number = 0;
    try {
        ModCleaning::CleanSoftware(8, nullptr, "Clipboard Contents");
    } catch (const gf::Error& e) {
        number = e.Number;
    }
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
    EXPECT_EQ(number, 521);
}

namespace {

// The store is one fixed key: these tests share this executable with the catalogue
// walk, which cleans it too, so that they never run at the same time.
const std::string kStore = "Software\\Microsoft\\Protected Storage System Provider";

using Sid = std::vector<BYTE>;
Sid SidOf(PSID sid) { return Sid(static_cast<BYTE*>(sid), static_cast<BYTE*>(sid) + GetLengthSid(sid)); }

Sid CurrentUser() {
    HANDLE token;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    BYTE buffer[512];
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
    CloseHandle(token);
    return SidOf(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid);
}

struct Ace {
    BYTE type;
    ACCESS_MASK mask;
    Sid sid;
    bool operator==(const Ace&) const = default;
};

// The key's DACL entries; nothing for a null DACL.
std::optional<std::vector<Ace>> Dacl(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, READ_CONTROL, &key)) return std::nullopt;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr, &sd);
    RegCloseKey(key);
    std::optional<std::vector<Ace>> aces;
    if (dacl) aces.emplace();
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace;
        GetAce(dacl, i, reinterpret_cast<void**>(&ace));
        aces->push_back({ace->Header.AceType, ace->Mask, SidOf(&ace->SidStart)});
    }
    LocalFree(sd);
    return aces;
}

bool GrantsFullControl(const std::vector<Ace>& aces, const Sid& sid) {
    return std::any_of(aces.begin(), aces.end(), [&](const Ace& a) {
        return a.type == ACCESS_ALLOWED_ACE_TYPE && a.sid == sid && (a.mask & KEY_ALL_ACCESS) == KEY_ALL_ACCESS;
    });
}

// A DACL of the key's own: read access for everyone, a little more for us.
void SetReadForEveryone(const std::string& path) {
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    BYTE aclBuffer[256];
    PACL acl = reinterpret_cast<PACL>(aclBuffer);
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | WRITE_DAC, CurrentUser().data());
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
    FreeSid(everyone);
    RegCloseKey(key);
}

class AutoCompleteStore : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kStore.c_str()); }  // ours alone
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kStore.c_str()); }
    void Make(const std::string& sub) { keys.Create(HKEY_CURRENT_USER, kStore + "\\" + sub); }
    bool Has(const std::string& sub) { return KeyExists(HKEY_CURRENT_USER, kStore + "\\" + sub); }
    PlantedKeys keys;
};

}  // namespace

// Named subkeys go, in any letter case, after what is below them; a named key that
// keeps a subkey stays; the top key goes only once nothing is left below it.
TEST_F(AutoCompleteStore, DeletesTheNamedSubkeysThenTheEmptyStore) {
    const std::string p = "S-1-5-21-1\\Data\\e161255a\\e161255a\\";
    for (const char* sub : {"SearchText", "Other", "query", "query2", "Q:StringData\\SearchText:StringIndex",
                            "P:StringIndex\\kept"})
        Make(p + sub);
    ModCleaning::ClearProtectedStorage();
    for (const char* gone : {"SearchText", "query", "Q:StringData"}) EXPECT_FALSE(Has(p + gone)) << gone;
    for (const char* stays : {"Other", "query2", "P:StringIndex\\kept"}) EXPECT_TRUE(Has(p + stays)) << stays;
    RegDeleteTreeA(HKEY_CURRENT_USER, (kStore + "\\S-1-5-21-1").c_str());
    Make("Q");
    ModCleaning::ClearProtectedStorage();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kStore));
}

// Each key gets an entry granting the current user full control, added to the DACL it
// had: no null DACL, no entry lost, none piling up over repeated cleans.
TEST_F(AutoCompleteStore, GrantsTheUserFullControlAndKeepsTheEntriesThere) {
    Make("Child\\Grandchild");
    SetReadForEveryone(kStore + "\\Child");
    auto before = Dacl(kStore + "\\Child");
    ASSERT_TRUE(before);
    ASSERT_FALSE(GrantsFullControl(*before, CurrentUser()));
    ModCleaning::ClearProtectedStorage();
    for (const std::string& key : {kStore, kStore + "\\Child", kStore + "\\Child\\Grandchild"}) {
        auto after = Dacl(key);
        ASSERT_TRUE(after) << key << " has a null DACL";
        EXPECT_TRUE(GrantsFullControl(*after, CurrentUser())) << key;
    }
    auto child = Dacl(kStore + "\\Child");
    EXPECT_NE(std::find(child->begin(), child->end(), before->front()), child->end());
    ModCleaning::ClearProtectedStorage();
    EXPECT_EQ(Dacl(kStore + "\\Child")->size(), child->size());
}

TEST(AutoCompleteAccess, AnUnknownAccountLeavesTheSecurityAsItWas) {
    testing_support::ScratchKey key;
    SetReadForEveryone(key.Path());
    auto before = Dacl(key.Path());
    AutoComplete::GrantKeyAccess(HKEY_CURRENT_USER, key.Path(), "no such account 7f3a");
    EXPECT_EQ(Dacl(key.Path()), before);
}

namespace {

bool Accepted(const std::string& path) { return guarded::Parse(path).has_value(); }

}  // namespace

TEST(Guard, RefusesPathsThatDoNotNameOneFolderOnADrive) {
    for (const char* path : {"", "\\", "\\*", "\\Cache\\", "\\organize\\*.ARL", "*", "Cache\\*",
                             "C:", "C:x\\*", "D:Cache", "\\\\?\\C:\\x", "\\\\?\\UNC\\s\\h\\x",
                             "\\\\.\\C:\\x", "\\\\.\\PhysicalDrive0", "\\??\\C:\\x", "\\\\server",
                             "\\\\server\\", "C:\\a\\..\\b", "C:\\a\\.\\b", "C:\\a\\...\\b",
                             "C:\\a\\ \\b", "C:\\a\\x:y", "C:\\a\\*\\b", "C:\\a?\\b",
                             "C:\\a\\b\"c", "1:\\x"})
        EXPECT_FALSE(Accepted(path)) << path;
    for (const char* path : {"C:\\x", "c:/x/y", "C:\\x\\\\y\\", "C:\\x\\*.ARL", "C:\\x\\a?.t*",
                             "\\\\server\\share\\x", "C:\\x\\name with spaces.txt", "C:\\x\\.hidden"})
        EXPECT_TRUE(Accepted(path)) << path;
}

TEST(Guard, RootsAndLongFormsAreTold) {
    auto root = guarded::Parse(std::string("C:\\"));
    ASSERT_TRUE(root);
    EXPECT_TRUE(root->IsRoot());
    auto share = guarded::Parse(std::string("\\\\server\\share\\"));
    ASSERT_TRUE(share);
    EXPECT_TRUE(share->IsRoot());
    auto p = guarded::Parse(std::string("c:\\a\\\\b\\"));
    ASSERT_TRUE(p);
    EXPECT_FALSE(p->IsRoot());
    EXPECT_EQ(p->Long(), L"\\\\?\\C:\\a\\b");
    EXPECT_EQ(guarded::Parse(std::string("\\\\srv\\sh\\a"))->Long(), L"\\\\?\\UNC\\srv\\sh\\a");
}

// Relative, drive-relative and device forms would, unguarded, reach the working folder;
// here that is a scratch folder full of bait.
TEST(Guard, RefusedFormsDeleteNothing) {
    ScratchDir dir;
    MakeFile(dir / "a.txt");
    MakeFile(dir / "sub\\b.txt");
    MakeFile(dir / "inner\\c.txt");
    WorkingFolder cwd(dir.Path());
    for (const std::string& path :
         {std::string("*"), std::string("sub\\"), std::string("sub\\*"), std::string(".\\*"),
          std::string("D:sub\\"), dir / "inner\\..\\*", dir / "inner\\..\\sub\\",
          "\\\\?\\" + dir.Path() + "\\sub\\", "\\\\.\\" + dir.Path() + "\\sub\\"})
        ModCleaning::DeleteFolderEntries(path);
    for (const std::string& path :
         {std::string("a.txt"), std::string("*.txt"), std::string("sub\\*"), std::string("D:a.txt"),
          dir / "inner\\..\\a.txt", "\\\\?\\" + dir.Path() + "\\a.txt"})
        ModCleaning::DeleteFileIfExists(path);
    for (const std::string& path : {std::string("sub"), std::string("sub\\"), dir / "inner\\..\\sub",
                                    "\\\\?\\" + dir.Path() + "\\sub", dir / "sub\\*"})
        EXPECT_FALSE(ModCleaning::RemoveFolder(path)) << path;
    EXPECT_TRUE(Exists(dir / "a.txt"));
    EXPECT_TRUE(Exists(dir / "sub\\b.txt"));
    EXPECT_TRUE(Exists(dir / "inner\\c.txt"));
}

TEST(DeleteFolderEntries, DeletesEveryListedFileAndFolder) {
    for (const char* tail : {"\\", "\\*"}) {
        ScratchDir dir;
        std::wstring f = W(dir / "cache");
        std::wstring deep = f + L"\\deep";
        while (deep.size() < 300) deep += L"\\folder_with_a_rather_long_name";
        for (const wchar_t* name : {L"a.txt", L"noext", L"Content.IE5\\x.htm", L"Журнал.txt", L"日本語",
                                    L"Папка\\файл.dat", L"emoji\U0001F600.dat"})
            MakeFile(f + L"\\" + name);
        MakeFile(deep + L"\\bottom.dat");
        MakeFile(f + L"\\hidden.dat", FILE_ATTRIBUTE_HIDDEN);
        MakeFile(f + L"\\sub\\readonly.txt", FILE_ATTRIBUTE_READONLY);
        MakeFile(f + L"\\system.dat", FILE_ATTRIBUTE_SYSTEM);
        MakeFile(f + L"\\sysdir\\kept.txt");
        SetFileAttributesW(Long(f + L"\\sysdir").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
        MakeFile(dir / "cache2\\neighbour.txt");
        ModCleaning::DeleteFolderEntries(dir / "cache" + tail);
        std::vector<std::wstring> left;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((Long(f) + L"\\*").c_str(), &fd);
        do
            if (wcscmp(fd.cFileName, L".") && wcscmp(fd.cFileName, L"..")) left.push_back(fd.cFileName);
        while (FindNextFileW(h, &fd));
        FindClose(h);
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::wstring>{L"sysdir", L"system.dat"})) << tail;
        EXPECT_TRUE(Exists(f + L"\\sysdir\\kept.txt"));
        EXPECT_TRUE(Exists(dir / "cache2\\neighbour.txt"));
    }
}

TEST(DeleteFolderEntries, NeedsAFolderArgumentAndAFolderOfOver260Characters) {
    ScratchDir dir;
    MakeFile(dir / "keep\\a.txt");
    ModCleaning::DeleteFolderEntries(dir / "missing\\");
    ModCleaning::DeleteFolderEntries(dir / "keep");  // neither "\" nor "\*" at the end
    ModCleaning::DeleteFolderEntries(dir / "keep\\a.txt\\");
    EXPECT_TRUE(Exists(dir / "keep\\a.txt"));
    std::string longCache = dir.Path();
    while (longCache.size() < 280) longCache += "\\another_long_folder_name";
    MakeFile(longCache + "\\sub\\x.txt");
    ModCleaning::DeleteFolderEntries(longCache + "\\");
    EXPECT_FALSE(Exists(longCache + "\\sub"));
    EXPECT_TRUE(Exists(longCache));
}

TEST(DeleteFileIfExists, DeletesTheNormalFilesThePatternNames) {
    ScratchDir dir;
    std::wstring o = W(dir / "organize");
    for (const wchar_t* name : {L"a.ARL", L"B.arl", L"Журнал.ARL", L"c.ARLX", L"d.txt", L"folder.ARL\\in.txt"})
        MakeFile(o + L"\\" + name);
    MakeFile(o + L"\\ro.ARL", FILE_ATTRIBUTE_READONLY);
    MakeFile(o + L"\\hidden.ARL", FILE_ATTRIBUTE_HIDDEN);
    ModCleaning::DeleteFileIfExists(dir / "organize\\*.ARL");
    for (const wchar_t* gone : {L"a.ARL", L"B.arl", L"ro.ARL", L"Журнал.ARL"}) EXPECT_FALSE(Exists(o + L"\\" + gone));
    for (const wchar_t* stays : {L"c.ARLX", L"d.txt", L"hidden.ARL", L"folder.ARL\\in.txt"})
        EXPECT_TRUE(Exists(o + L"\\" + stays));
    ModCleaning::DeleteFileIfExists(dir / "organize\\d.txt");
    EXPECT_FALSE(Exists(o + L"\\d.txt"));
}

TEST(RemoveFolder, RemovesAnExistingFolderWholeAndSaysSo) {
    ScratchDir dir;
    MakeFile(dir / "x\\sub\\a.txt", FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(ModCleaning::RemoveFolder(dir / "x\\"));
    EXPECT_FALSE(Exists(dir / "x"));
    EXPECT_FALSE(ModCleaning::RemoveFolder(dir / "x\\"));
    MakeDirs(dir / "y");
    EXPECT_FALSE(ModCleaning::RemoveFolder(dir / "y\\*"));
    EXPECT_TRUE(Exists(dir / "y"));
}

// A file another process holds open without sharing stays; the rest goes.
TEST(DeleteFolderEntries, FileHeldOpenByAnotherProcessStays) {
    ScratchDir dir;
    std::string f = dir / "cache";
    for (const char* name : {"\\sub\\held.dat", "\\sub\\free.dat", "\\free.dat"}) MakeFile(f + name);
    testing_support::HeldFile held(f + "\\sub\\held.dat");
    ASSERT_TRUE(held.Holding());
    ModCleaning::DeleteFolderEntries(f + "\\*");
    EXPECT_TRUE(Exists(f + "\\sub\\held.dat"));
    EXPECT_FALSE(Exists(f + "\\sub\\free.dat"));
    EXPECT_FALSE(Exists(f + "\\free.dat"));
}

// The links come from links_setup.sh: in the cache and in the temp folder, links to a
// folder with contents, to an empty folder, to a file, and one in a subfolder.
class Links : public testing::Test {
protected:
    std::string farm = ExeFolder() + "\\linkfarm";
    void SetUp() override {
        ASSERT_TRUE(Exists(farm + "\\outside\\canary.txt")) << "links_setup.sh has not run";
        ASSERT_NE(Attrs(W(farm + "\\cache\\dirlink")) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    }
    void Plant(const std::string& place) {
        for (const char* file : {"\\a.txt", "\\nested\\b.txt", "\\plain\\c.txt"}) MakeFile(place + file);
    }
    void ExpectOnlyTracesGone(const std::string& place) {
        for (const char* gone : {"\\a.txt", "\\nested\\b.txt", "\\plain"}) EXPECT_FALSE(Exists(place + gone));
        for (const char* link : {"\\dirlink", "\\emptylink", "\\nested\\deeplink"})
            EXPECT_NE(Attrs(W(place + link)) & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << link;
        ExpectTargetsIntact();
    }
    void ExpectTargetsIntact() {
        EXPECT_TRUE(Exists(farm + "\\outside\\canary.txt"));
        EXPECT_TRUE(Exists(farm + "\\outside\\sub\\deep.txt"));
        EXPECT_TRUE(Exists(farm + "\\emptytarget"));
    }
};

TEST_F(Links, CacheAndTempCleansLeaveWhatLinksPointAt) {
    std::string cache = farm + "\\cache", temp = farm + "\\temp";
    Plant(cache);
    Plant(temp);
    ModCleaning::SetCacheFolder(cache);
    ModCleaning::CleanInternet(1, nullptr, "Internet Explorer Cache");
    ExpectOnlyTracesGone(cache);
    EnvOverride tmp("TMP", temp + "\\");
    ModCleaning::CleanWindows(2, nullptr, "Windows Temp Folder");
    ExpectOnlyTracesGone(temp);
}

TEST_F(Links, ALinkIsNeverRemovedNorEntered) {
    EXPECT_FALSE(ModCleaning::RemoveFolder(farm + "\\cache\\dirlink"));
    EXPECT_FALSE(ModCleaning::RemoveFolder(farm + "\\cache\\emptylink\\"));
    ModCleaning::DeleteFolderEntries(farm + "\\cache\\dirlink\\*");
    ModCleaning::DeleteFileIfExists(farm + "\\cache\\filelink");
    ModCleaning::DeleteFileIfExists(farm + "\\cache\\*link");
    ExpectTargetsIntact();
}

// The Windows folder, both system folders, the profile and the folder that holds it,
// each named through E: (a second drive letter for C:), through a link in the middle of
// the path and through that link's 8.3 name: used as the temp folder and as the cache,
// and handed straight to the helpers, they keep everything, and each item runs to its end.
TEST_F(Links, TheSystemAndTheProfileStayByWhateverNameTheyAreReached) {
    std::string profile = UserProfile().substr(2);  // "\users\<name>"
    char shortLink[MAX_PATH] = {};
    ASSERT_TRUE(GetShortPathNameA((farm + "\\system drive").c_str(), shortLink, MAX_PATH));
    ASSERT_EQ(std::string(shortLink).find(' '), std::string::npos) << "no 8.3 name: " << shortLink;
    for (const std::string& drive : {std::string("E:"), farm + "\\system drive", std::string(shortLink)}) {
        for (const std::string& folder : {std::string("\\windows"), std::string("\\windows\\system32"),
                                          std::string("\\windows\\syswow64"),
                                          profile.substr(0, profile.rfind('\\')), profile}) {
            std::string path = drive + folder;
            SCOPED_TRACE(path);
            ASSERT_TRUE(Exists(path + "\\glimmerfold-canary.txt")) << "links_setup.sh has not run";
            EnvOverride tmp("TMP", path + "\\");
            ModCleaning::CleanWindows(2, nullptr, "Windows Temp Folder");
            ModCleaning::SetCacheFolder(path);
            ModCleaning::CleanInternet(1, nullptr, "Internet Explorer Cache");
            EXPECT_FALSE(ModCleaning::RemoveFolder(path + "\\"));
            ModCleaning::DeleteFileIfExists(path + "\\*.txt");
            EXPECT_TRUE(Exists(path + "\\glimmerfold-canary.txt"));
            EXPECT_TRUE(Exists(path + "\\glimmerfold-canary\\canary.txt"));
        }
    }
}
