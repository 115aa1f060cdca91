// Every item of the catalogue run through its group procedure against a realistic
// profile in the sandbox: what each erases, what it leaves, its status line; items
// built on missing folders; errors that end an item.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "CleaningTestSupport.h"
#include "cleaning/Catalogue.h"
#include "cleaning/GuardedPath.h"
#include "cleaning/ModCleaning.h"
#include "cleaning/ShellFolders.h"
#include "framework/Error.h"

using namespace cleaning_test;
using ModCleaning::Group;
using testing_support::ScratchDir;
using testing_support::ScratchKey;
using testing_support::UniqueName;

namespace {

constexpr Group kGroups[] = {Group::Internet, Group::Software, Group::Windows};
const char* const kAolKey = "Software\\America Online\\America Online\\CurrentVersion";

std::string UserProfile() {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, 0, path);
    return path;
}

void SetText(const ScratchKey& key, const char* name, DWORD type, const std::string& text) {
    HKEY h;
    RegOpenKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_ALL_ACCESS, &h);
    RegSetValueExA(h, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(h);
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

// A user's profile inside a scratch folder: the shell folders, ProgramFiles, APPDATA,
// the temporary folder and AOL's folder all lead into it. Each item plants its traces
// (expected to go) and their neighbours (expected to stay).
class Profile : public testing::Test {
protected:
    ScratchDir dir;
    ScratchKey shellFolders;
    PlantedKeys keys;
    std::string root = dir.Path();
    std::string appData = root + "\\AppData", cache = root + "\\Cache", cookies = root + "\\Cookies",
                recent = root + "\\Recent", programFiles = root + "\\Program Files",
                aol = root + "\\AOL", temp = root + "\\Temp";
    std::string firefox = appData + "\\Mozilla\\Firefox\\Profiles\\abc.default";
    std::string opera = appData + "\\Opera\\Opera\\profile";
    std::string received = UserProfile() + "\\My Received Files";
    EnvOverride programFilesVar{"ProgramFiles", programFiles}, appDataVar{"APPDATA", appData},
        tmpVar{"TMP", temp + "\\"};
    bool receivedMade = false;

    std::vector<std::string> gone, stays;
    std::vector<std::pair<HKEY, std::string>> keysGone, keysStay;
    std::vector<std::function<void()>> checks;

    void SetUp() override {
        SetText(shellFolders, "APPDATA", REG_SZ, appData);
        SetText(shellFolders, "CACHE", REG_SZ, cache);
        SetText(shellFolders, "RECENT", REG_SZ, recent);
        SetText(shellFolders, "COOKIES", REG_SZ, cookies);
        ModCleaning::ReadShellFolders(HKEY_CURRENT_USER, shellFolders.Path().c_str());
        ASSERT_EQ(ModCleaning::CacheFolder(), cache);
        keys.Create(HKEY_LOCAL_MACHINE, kAolKey);
        HKEY h;
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAolKey, 0, KEY_ALL_ACCESS, &h);
        RegSetValueExA(h, "AppPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(aol.c_str()),
                       static_cast<DWORD>(aol.size() + 1));
        RegCloseKey(h);
        ASSERT_FALSE(Exists(received)) << "left over from an earlier run";
    }
    void TearDown() override {
        if (receivedMade) RemoveMadeTree(W(received));
    }

    void File(const std::string& path, bool goes, DWORD attributes = 0) {
        if (path.rfind(received, 0) == 0) receivedMade = true;
        MakeFile(path, attributes);
        (goes ? gone : stays).push_back(path);
    }
    void Folder(const std::string& path) {  // a folder whose entries go while it stays
        MakeDirs(path);
        stays.push_back(path);
    }
    void Key(HKEY hive, const std::string& path, bool goes) {
        keys.Create(hive, path);
        (goes ? keysGone : keysStay).emplace_back(hive, path);
    }
    void Key(const std::string& path, bool goes) { Key(HKEY_CURRENT_USER, path, goes); }
    void KeyAndNeighbour(const std::string& path) {
        Key(path, true);
        Key(path + "Neighbour", false);
    }

    void PlantInternet(short index);
    void PlantSoftware(short index);
    void PlantWindows(short index);
    void Plant(Group group, short index) {
        gone.clear(), stays.clear(), keysGone.clear(), keysStay.clear(), checks.clear();
        if (group == Group::Internet) PlantInternet(index);
        if (group == Group::Software) PlantSoftware(index);
        if (group == Group::Windows) PlantWindows(index);
    }
    void Check() {
        for (const auto& p : gone) EXPECT_FALSE(Exists(p)) << "still there: " << p;
        for (const auto& p : stays) EXPECT_TRUE(Exists(p)) << "erased: " << p;
        for (const auto& [hive, p] : keysGone) EXPECT_FALSE(KeyExists(hive, p)) << "still there: " << p;
        for (const auto& [hive, p] : keysStay) EXPECT_TRUE(KeyExists(hive, p)) << "erased: " << p;
        for (auto& check : checks) check();
    }
    std::vector<std::string> Run(Group group, short index) {
        std::vector<std::string> status;
        ModCleaning::CleanItem(group, index, [&](const std::string& s) { status.push_back(s); },
                               ModCleaning::FindItem(group, index)->Tag);
        return status;
    }
};

void Profile::PlantInternet(short index) {
    const std::string ns = programFiles + "\\Netscape\\Users\\default";
    const std::string aim = "Software\\America Online\\AOL Instant Messenger (TM)\\CurrentVersion";
    switch (index) {
        case 0: KeyAndNeighbour("Software\\Microsoft\\Internet Explorer\\TypedURLs"); break;
        case 1:
            Folder(cache);
            File(cache + "\\a.txt", true);
            File(cache + "\\noext", true);
            File(cache + "\\Content.IE5\\X1Y2\\page[1].htm", true);
            File(cache + "\\ro.gif", true, FILE_ATTRIBUTE_READONLY);
            File(cache + "\\desktop.ini", false, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
            File(root + "\\CacheNeighbour\\keep.txt", false);
            break;
        case 2:
            Folder(cookies);
            File(cookies + "\\user@site[1].txt", true);
            File(cookies + "\\index.dat", true);
            File(cookies + "\\system.dat", false, FILE_ATTRIBUTE_SYSTEM);
            break;
        case 3: {
            const std::string store = "Software\\Microsoft\\Protected Storage System Provider\\S\\Data\\";
            Key(store + "SearchText", true);
            Key(store + "Other", false);
            break;
        }
        case 4:
            File(ns + "\\prefs.js", true);
            File(ns + "\\netscape.hst", true);
            File(ns + "\\bookmark.htm", false);
            File(firefox + "\\history.dat", true);
            File(firefox + "\\places.sqlite", false);
            break;
        case 5:
            Folder(ns + "\\cache");
            File(ns + "\\cache\\M1.db", true);
            File(ns + "\\cache\\sub\\x", true);
            Folder(firefox + "\\Cache");
            File(firefox + "\\Cache\\_CACHE_MAP_", true);
            File(firefox + "\\Cache\\0\\1\\entry", true);
            File(firefox + "\\prefs.js", false);
            break;
        case 6:
            File(firefox + "\\cookies.txt", true);
            File(firefox + "\\cookies.sqlite", false);
            break;
        case 7:
            File(firefox + "\\formhistory.dat", true);
            File(firefox + "\\formhistory.sqlite", false);
            break;
        case 8:
            for (const char* f : {"opera.dir", "vlink4.dat", "global.dat", "sessions\\autosave.win"})
                File(opera + "\\" + f, true);
            File(opera + "\\opera6.ini", false);
            File(opera + "\\sessions\\other.win", false);
            break;
        case 9:
            Folder(opera + "\\cache4");
            File(opera + "\\cache4\\opr0001.tmp", true);
            File(opera + "\\cache4\\sub\\x", true);
            break;
        case 10: File(opera + "\\cookies4.dat", true); break;
        case 11: File(opera + "\\download.dat", true); break;
        case 12:
            File(aol + "\\organize\\a.ARL", true);
            File(aol + "\\organize\\b.aut", true);
            File(aol + "\\organize\\c.ARLX", false);
            File(aol + "\\organize\\d.txt", false);
            break;
        case 13:
            File(aol + "\\organize\\CACHE\\x.dat", true);
            File(aol + "\\organize\\CACHE\\noext", true);
            File(aol + "\\organize\\CACHE\\sub\\y.dat", false);
            break;
        case 14:
            Key(aim + "\\Users", true);
            Key(aim + "\\Other", false);
            break;
        case 15:
            File(programFiles + "\\Trillian\\users\\default\\logs\\a.log", true);
            File(programFiles + "\\Trillian\\users\\default\\logs\\MSN\\b.log", true);
            File(programFiles + "\\Trillian\\users\\default\\settings.ini", false);
            break;
        case 16:
            File(received + "\\photo.jpg", true);
            File(received + "\\sub\\b.doc", true);
            Folder(received);
            break;
        case 17: KeyAndNeighbour("Software\\Google\\NavClient\\1.1\\History"); break;
        case 18: KeyAndNeighbour("Software\\Yahoo\\Companion\\SearchHistory"); break;
    }
}

void Profile::PlantSoftware(short index) {
    const std::string explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    const std::string applets = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\";
    const std::string real = "Software\\RealNetworks\\RealPlayer\\";
    switch (index) {
        case 0: KeyAndNeighbour("Software\\Nico Mak Computing\\Winzip\\filemenu"); break;
        case 1: KeyAndNeighbour("Software\\Nico Mak Computing\\Winzip\\extract"); break;
        case 2:
            KeyAndNeighbour("Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList");
            Key(explorer + "StreamMRU", true);
            break;
        case 3:
            Folder(appData + "\\Microsoft\\Media Player");
            File(appData + "\\Microsoft\\Media Player\\list.wpl", true);
            File(appData + "\\Microsoft\\Media Player\\Art Cache\\x.jpg", true);
            File(appData + "\\Microsoft\\Other\\keep.txt", false);
            break;
        case 4:
            for (const char* version : {"6.0", "10.0"})
                for (int i = 1; i <= 8; ++i)
                    Key(real + version + "\\Preferences\\MostRecentClips" + std::to_string(i), true);
            Key(real + "6.0\\Preferences\\MostRecentClips9", false);
            Key(real + "6.0\\Preferences\\Other", false);
            File(appData + "\\Real\\RealPlayer\\History\\a.rpl", true);
            File(appData + "\\Real\\RealPlayer\\History\\hidden.rpl", false, FILE_ATTRIBUTE_HIDDEN);
            File(appData + "\\Real\\RealPlayer\\History\\sub\\b.rpl", false);
            break;
        case 5:
            File(programFiles + "\\Winamp\\Winamp.m3u", true);
            File(programFiles + "\\Winamp\\winamp.ini", false);
            break;
        case 6:
            Key(HKEY_LOCAL_MACHINE, "SOFTWARE\\Apple Computer, Inc.\\QuickTime\\Recent Movies", true);
            Key(HKEY_LOCAL_MACHINE, "SOFTWARE\\Apple Computer, Inc.\\QuickTime\\Settings", false);
            break;
        case 7: KeyAndNeighbour(applets + "Paint\\Recent File List"); break;
        case 8:
            PutTextOnClipboard("secret");
            checks.push_back([] { EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)); });
            break;
        case 10:
            File(appData + "\\Microsoft\\Office\\Recent\\doc.lnk", true);
            File(appData + "\\Microsoft\\Office\\Recent\\index.dat", true);
            Key(explorer + "RecentDocs\\.txt", false);  // a key with subkeys stays
            Key(explorer + "RecentDocs", false);
            break;
        case 11:
            Key("Software\\WinRAR\\ArchHistory", true);
            KeyAndNeighbour("Software\\WinRAR\\DialogEditHistory\\ExtraPath");
            break;
        case 12: KeyAndNeighbour(applets + "Wordpad\\Recent File List"); break;
    }
}

void Profile::PlantWindows(short index) {
    const std::string explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    switch (index) {
        case 0:
            KeyAndNeighbour(explorer + "ComDlg32\\LastVisitedMRU");
            Folder(recent);
            File(recent + "\\a.lnk", true);
            File(recent + "\\b.txt.lnk", true);
            File(recent + "\\CustomDestinations\\x", true);
            File(recent + "\\desktop.ini", false, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
            break;
        case 1: KeyAndNeighbour(explorer + "RunMRU"); break;
        case 2:
            Folder(temp);
            File(temp + "\\a.tmp", true);
            File(temp + "\\sub\\b.tmp", true);
            break;
        case 3:
            KeyAndNeighbour("Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
                            "{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\FilesNamedMRU");
            break;
        case 4: {
            // Into the recycle bin, which the sandbox keeps under its own HOME.
            std::string name = UniqueName("recycled") + ".txt";
            MakeFile(dir / name);
            std::string from = (dir / name) + std::string(1, '\0');
            SHFILEOPSTRUCTA op = {};
            op.wFunc = FO_DELETE;
            op.pFrom = from.c_str();
            op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
            SHFileOperationA(&op);
            std::string trash = "D:\\sandbox\\home\\.local\\share\\Trash\\files\\" + name;
            ASSERT_TRUE(Exists(trash));
            gone.push_back(trash);
            break;
        }
    }
}

}  // namespace

TEST(Catalogue, HoldsEveryItemOnceInIndexOrder) {
    size_t counts[] = {19, 13, 5};
    for (int g = 0; g < 3; ++g) {
        auto items = ModCleaning::Items(kGroups[g]);
        ASSERT_EQ(items.size(), counts[g]);
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].Index, static_cast<short>(i));
            EXPECT_EQ(ModCleaning::FindItem(kGroups[g], static_cast<short>(i)), &items[i]);
        }
        EXPECT_EQ(ModCleaning::FindItem(kGroups[g], static_cast<short>(items.size())), nullptr);
        EXPECT_EQ(ModCleaning::FindItem(kGroups[g], -1), nullptr);
    }
    EXPECT_STREQ(ModCleaning::FindItem(Group::Internet, 1)->Tag, "Internet Explorer Cache");
    EXPECT_STREQ(ModCleaning::FindItem(Group::Internet, 14)->Tag, "AIM Download files");
    EXPECT_STREQ(ModCleaning::FindItem(Group::Windows, 3)->Caption,
                 "Search (History of files and folders)");
}

TEST_F(Profile, EveryItemErasesItsTracesAndLeavesTheirNeighbours) {
    for (Group group : kGroups) {
        for (const auto& item : ModCleaning::Items(group)) {
            SCOPED_TRACE(std::string(ModCleaning::ArrayName(group)) + std::to_string(item.Index) +
                         " " + item.Tag);
            Plant(group, item.Index);
            EXPECT_EQ(Run(group, item.Index), std::vector<std::string>{std::string("Cleaning ") + item.Tag});
            Check();
        }
    }
}

// Shell folders that cannot be read (missing, or not plain string values), with no
// ProgramFiles, APPDATA or AOL folder either: the items built on them find nothing to
// erase, and above all do not fall back on the current drive's root or folder.
TEST_F(Profile, ItemsOnMissingFoldersEraseNothing) {
    for (const char* path : {"\\*", "\\Cache\\", "\\organize\\*.ARL", "\\Opera\\Opera\\profile\\cache4\\"})
        ASSERT_FALSE(guarded::Parse(std::string(path))) << "the guard lets " << path << " through";
    ScratchKey wrongTypes;
    SetText(wrongTypes, "CACHE", REG_EXPAND_SZ, cache);
    DWORD number = 7;
    HKEY h;
    RegOpenKeyExA(HKEY_CURRENT_USER, wrongTypes.Path().c_str(), 0, KEY_ALL_ACCESS, &h);
    RegSetValueExA(h, "RECENT", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    RegSetValueExA(h, "COOKIES", 0, REG_BINARY, reinterpret_cast<const BYTE*>(cookies.c_str()),
                   static_cast<DWORD>(cookies.size()));
    RegCloseKey(h);
    ModCleaning::ReadShellFolders(HKEY_CURRENT_USER, wrongTypes.Path().c_str());
    ASSERT_EQ(ModCleaning::AppDataFolder() + ModCleaning::CacheFolder() + ModCleaning::RecentFolder() +
                  ModCleaning::CookiesFolder(),
              "");
    EnvOverride noProgramFiles("ProgramFiles", ""), noAppData("APPDATA", "");
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kAolKey, "AppPath");
    WorkingFolder cwd(root);  // bait for anything relative
    const std::pair<Group, short> fileItems[] = {
        {Group::Internet, 1}, {Group::Internet, 2},  {Group::Internet, 4},  {Group::Internet, 5},
        {Group::Internet, 6}, {Group::Internet, 7},  {Group::Internet, 8},  {Group::Internet, 9},
        {Group::Internet, 10}, {Group::Internet, 11}, {Group::Internet, 12}, {Group::Internet, 13},
        {Group::Internet, 15}, {Group::Software, 3}, {Group::Software, 5},  {Group::Software, 10},
        {Group::Windows, 0}};
    std::vector<std::string> planted;
    for (auto [group, index] : fileItems) {
        Plant(group, index);
        planted.insert(planted.end(), gone.begin(), gone.end());
        planted.insert(planted.end(), stays.begin(), stays.end());
    }
    for (auto [group, index] : fileItems) Run(group, index);
    for (const auto& p : planted) EXPECT_TRUE(Exists(p)) << "erased: " << p;
}

TEST(GroupProcedures, StatusLineThenOneMessageLoopTurnThenTheSteps) {
    // A message waiting before the call is handled by the turn, after the status line.
    std::vector<std::string> events;
    static std::vector<std::string>* log;
    log = &events;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_APP) log->push_back("pumped");
        return DefWindowProcA(w, m, wp, lp);
    };
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GfCleaningPumpProbe";
    RegisterClassA(&wc);
    HWND probe = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    PostMessageA(probe, WM_APP, 0, 0);
    ModCleaning::CleanInternet(19, [&](const std::string& s) { events.push_back(s); }, "No Such Item");
    EXPECT_EQ(events, (std::vector<std::string>{"Cleaning No Such Item", "pumped"}));
    DestroyWindow(probe);
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
