// The catalogue as one table of what each item shows, erases and keeps, against a profile
// planted in the sandbox; the AutoComplete store; the file helpers, their guard and links.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "Process.h"
#include "TestSupport.h"
#include "cleaning/AutoComplete.h"
#include "cleaning/Catalogue.h"
#include "cleaning/FileHelpers.h"
#include "cleaning/GuardedPath.h"
#include "cleaning/ModCleaning.h"
#include "cleaning/Pacing.h"
#include "cleaning/ShellFolders.h"
#include "framework/Error.h"
#include "framework/Handles.h"

using ModCleaning::Group;
using namespace testing_support;

namespace {

using enum ModCleaning::Group;
using namespace std::string_literals;
const auto W = Wide;

std::wstring Long(const std::wstring& path) { return path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path; }

// Ends the run outright before a test makes anything outside the sandbox.
void RequireSandbox(const std::wstring& path) {
    std::wstring p = Long(path).substr(4);
    for (const std::wstring& base : {W(ExeFolder()) + L"\\", std::wstring(L"C:\\users\\")})
        if (_wcsnicmp(p.c_str(), base.c_str(), base.size()) == 0) return;
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
    WriteFileText(Long(path), "trace");
    ASSERT_TRUE(Exists(path) && (!attributes || SetFileAttributesW(Long(path).c_str(), attributes))) << Utf8(path);
}
void MakeFile(const std::string& path, DWORD attributes = 0) { MakeFile(W(path), attributes); }

// The names a listing of the folder yields, in its order, without "." and "..".
std::vector<std::wstring> List(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    gf::FindHandle h(FindFirstFileW((Long(folder) + L"\\*").c_str(), &fd));
    for (BOOL more = bool(h); more; more = FindNextFileW(h.Get(), &fd))
        if (wcscmp(fd.cFileName, L".") && wcscmp(fd.cFileName, L"..")) names.push_back(fd.cFileName);
    return names;
}

template <typename F>
struct AtExit {
    F f;
    ~AtExit() { f(); }
};

// An environment variable of this process (empty: unset) until the scope ends.
[[nodiscard]] auto SetEnv(const char* name, const std::string& value) {
    wchar_t old[32768];
    DWORD n = GetEnvironmentVariableW(W(name).c_str(), old, std::size(old));
    SetEnvironmentVariableW(W(name).c_str(), value.empty() ? nullptr : W(value).c_str());
    return AtExit{[name, had = n && n < std::size(old), old = std::wstring(old, n < std::size(old) ? n : 0)] {
        SetEnvironmentVariableW(W(name).c_str(), had ? old.c_str() : nullptr);
    }};
}
using EnvOverride = decltype(SetEnv("", ""));

// A registry value of this prefix as a REG_SZ text until the scope ends, then as it was.
[[nodiscard]] auto SetValue(HKEY root, const char* key, const char* name, const std::string& text) {
    DWORD type = REG_NONE, size = 0;
    std::string old(RegGetValueA(root, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) ? 0 : size, '\0');
    RegGetValueA(root, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, old.data(), &size);
    RegSetKeyValueA(root, key, name, REG_SZ, text.c_str(), DWORD(text.size() + 1));
    return AtExit{[=] {
        if (type == REG_NONE) RegDeleteKeyValueA(root, key, name);
        else RegSetKeyValueA(root, key, name, type, old.data(), DWORD(old.size()));
    }};
}
const char* const kProfileList = "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

// The working folder until the scope ends.
[[nodiscard]] auto WorkIn(const std::string& path) {
    RequireSandbox(W(path));
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    SetCurrentDirectoryA(path.c_str());
    return AtExit{[old = std::string(old)] { SetCurrentDirectoryA(old.c_str()); }};
}

// Registry keys a test makes outside its ScratchKey: of each path, the topmost key that
// did not exist before is removed with its tree when the test ends.
struct PlantedKeys {
    std::vector<std::pair<HKEY, std::string>> made;
    ~PlantedKeys() {
        for (auto it = made.rbegin(); it != made.rend(); ++it) RegDeleteTreeA(it->first, it->second.c_str());
    }
    // The key, with one value so that it is not an empty key by accident.
    void Create(HKEY root, const std::string& path) {
        size_t i = 0;
        while ((i = path.find('\\', i + 1)) != std::string::npos && KeyExists(root, path.substr(0, i))) {}
        if (!KeyExists(root, path.substr(0, i))) made.emplace_back(root, path.substr(0, i));
        ASSERT_EQ(RegSetKeyValueA(root, path.c_str(), "trace", REG_SZ, "x", 2), ERROR_SUCCESS) << path;
    }
};

const char* const kAolKey = "Software\\America Online\\America Online\\CurrentVersion";
// Made by links_setup.sh: links in a cache and a temp folder, other names of C:.
const std::string kFarm = ExeFolder() + "\\linkfarm";
const std::string kProfile = [] {
    char path[MAX_PATH] = {};
    return std::string(path, SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, 0, path)) ? strlen(path) : 0);
}();

void SetText(HKEY root, const std::string& key, const char* name, DWORD type, const std::string& text) {
    const std::wstring data = W(text);
    RegSetKeyValueW(root, W(key).c_str(), W(name).c_str(), type, data.c_str(), DWORD(data.size() + 1) * 2);
}

// The catalogue as the main window shows it, and what each item must erase ("-") and
// leave ("="): F a file (suffix |r read-only, |h hidden, |s system), D a folder, K an
// HKCU key, L an HKLM key, N an HKCU key that goes and its sibling "...Neighbour" that
// stays, C text on the clipboard, R a file in the recycle bin; # stands for 1 to 8 and
// {name} for a folder or key of the planted profile.
struct Row {
    Group group;
    short index;
    const char* caption;
    const char* tag;
    std::vector<const char*> traces;
};
const Row kCatalogue[] = {
    {Internet, 0, "Entered URL's", "Internet Explorer Entered URL's",
     {"-N Software\\Microsoft\\Internet Explorer\\TypedURLs"}},
    {Internet, 1, "Cache", "Internet Explorer Cache",
     {"=D {cache}", "-F {cache}\\a.txt", "-F {cache}\\noext", "-F {cache}\\ro.gif|r", "=F {cache}\\desktop.ini|sh",
      "-F {cache}\\Content.IE5\\X1Y2\\page[1].htm", "=F {root}\\CacheNeighbour\\keep.txt", "=F {alike}\\Cache\\a.txt"}},
    {Internet, 2, "Cookies", "Internet Explorer Cookies",
     {"=D {cookies}", "-F {cookies}\\user@site[1].txt", "-F {cookies}\\index.dat", "=F {cookies}\\system.dat|s"}},
    {Internet, 3, "AutoComplete", "Internet Explorer AutoComplete",
     {"-K {store}\\S\\Data\\SearchText", "=K {store}\\S\\Data\\Other", "-K {store}\\S\\Data\\query",
      "=K {store}\\S\\Data\\query2", "-K {store}\\S\\Data\\Q:StringData", "=K {store}\\S\\Data\\P:StringIndex\\kept",
      "-K {store}\\S\\Data\\Q:StringData\\SearchText:StringIndex"}},
    {Internet, 4, "Entered URL's", "NetScape/FireFox Entered URL's",
     {"-F {ns}\\prefs.js", "-F {ns}\\netscape.hst", "=F {ns}\\bookmark.htm", "-F {ff}\\history.dat",
      "=F {ff}\\places.sqlite", "=F {ff2}\\history.dat"}},
    {Internet, 5, "Cache", "NetScape/FireFox Cache",
     {"=D {ns}\\cache", "-F {ns}\\cache\\M1.db", "-F {ns}\\cache\\sub\\x", "=D {ff}\\Cache", "-F {ff}\\Cache\\_CACHE_MAP_",
      "-F {ff}\\Cache\\0\\1\\e", "=F {ff}\\prefs.js", "=F {ff2}\\Cache\\x"}},
    {Internet, 6, "Cookies", "NetScape/FireFox Cookies",
     {"-F {ff}\\cookies.txt", "=F {ff}\\cookies.sqlite", "=F {ff2}\\cookies.txt"}},
    {Internet, 7, "AutoComplete", "NetScape/FireFox AutoComplete",
     {"-F {ff}\\formhistory.dat", "=F {ff}\\formhistory.sqlite", "=F {ff2}\\formhistory.dat"}},
    {Internet, 8, "Entered URL's", "Opera Entered URL's",
     {"-F {opera}\\opera.dir", "-F {opera}\\vlink4.dat", "-F {opera}\\global.dat", "-F {opera}\\sessions\\autosave.win",
      "=F {opera}\\sessions\\other.win", "=F {opera}\\opera6.ini"}},
    {Internet, 9, "Cache", "Opera Cache", {"=D {opera}\\cache4", "-F {opera}\\cache4\\a.tmp", "-F {opera}\\cache4\\sub\\x"}},
    {Internet, 10, "Cookies", "Opera Cookies", {"-F {opera}\\cookies4.dat", "=F {opera}\\cookies4.old"}},
    {Internet, 11, "Downloads", "Opera Download List", {"-F {opera}\\download.dat"}},
    {Internet, 12, "Entered URL", "AOL Entered URL's",
     {"-F {aol}\\organize\\a.ARL", "-F {aol}\\organize\\b.aut", "-F {aol}\\organize\\ro.ARL|r", "=F {aol}\\organize\\c.ARLX",
      "=F {aol}\\organize\\d.txt", "=F {aol}\\organize\\h.ARL|h", "=F {aol}\\organize\\folder.ARL\\in.txt"}},
    {Internet, 13, "Cache folder", "AOL cache",
     {"-F {aol}\\organize\\CACHE\\x.dat", "-F {aol}\\organize\\CACHE\\noext", "=F {aol}\\organize\\CACHE\\sub\\y.dat"}},
    {Internet, 14, "AIM Logins", "AIM Download files", {"-K {aim}\\Users", "=K {aim}\\Other"}},
    {Internet, 15, "Trillian Chat Logs", "Trillian Chat Logs",
     {"-F {pf}\\Trillian\\users\\default\\logs\\a.log", "-F {pf}\\Trillian\\users\\default\\logs\\MSN\\b.log",
      "=F {pf}\\Trillian\\users\\default\\settings.ini"}},
    {Internet, 16, "MSN Chat Logs", "MSN Chat Logs", {"-F {received}\\a.jpg", "-F {received}\\sub\\b.doc", "=D {received}"}},
    {Internet, 17, "Google Search", "Google Entered Search Words", {"-N Software\\Google\\NavClient\\1.1\\History"}},
    {Internet, 18, "Yahoo Search", "Yahoo Entered Search Words", {"-N Software\\Yahoo\\Companion\\SearchHistory"}},
    {Software, 0, "Recent files in File Menu", "WinZip Recent Files in File Menu", {"-N {winzip}\\filemenu"}},
    {Software, 1, "Recent files in Extract Menu", "WinZip files in Extract Menu", {"-N {winzip}\\extract"}},
    {Software, 2, "Recent files", "WIndows Media Recent Files",
     {"-N Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", "-N {explorer}\\StreamMRU"}},
    {Software, 3, "Playlist", "Windows Media Playlist",
     {"=D {appdata}\\Microsoft\\Media Player", "-F {appdata}\\Microsoft\\Media Player\\a.wpl",
      "-F {appdata}\\Microsoft\\Media Player\\Art Cache\\x.jpg", "=F {appdata}\\Microsoft\\Other\\keep.txt"}},
    {Software, 4, "Recent Clips", "RealPlayer Recent Clips",
     {"-K {real}\\6.0\\Preferences\\MostRecentClips#", "-K {real}\\10.0\\Preferences\\MostRecentClips#",
      "=K {real}\\6.0\\Preferences\\MostRecentClips9", "=K {real}\\6.0\\Preferences\\Other",
      "-F {envappdata}\\Real\\RealPlayer\\History\\a.rpl", "=F {envappdata}\\Real\\RealPlayer\\History\\h.rpl|h",
      "=F {envappdata}\\Real\\RealPlayer\\History\\sub\\b.rpl", "=F {appdata}\\Real\\RealPlayer\\History\\c.rpl"}},
    {Software, 5, "Recent files", "WinAmp Recent Files", {"-F {pf}\\Winamp\\Winamp.m3u", "=F {pf}\\Winamp\\winamp.ini"}},
    {Software, 6, "Recent Movies", "QuickTime recent Movies",
     {"-L SOFTWARE\\Apple Computer, Inc.\\QuickTime\\Recent Movies", "=L SOFTWARE\\Apple Computer, Inc.\\QuickTime\\x"}},
    {Software, 7, "Recent files", "Paint Recent Files", {"-N {applets}\\Paint\\Recent File List"}},
    {Software, 8, "Empty contents", "Clipboard Contents", {"-C secret"}},
    {Software, 9, "Optimize Startup", "Optimizing Adobe Acrobat Start Up", {}},
    {Software, 10, "Recent files", "MS Office Recent Files",
     {"-F {appdata}\\Microsoft\\Office\\Recent\\doc.lnk", "-F {appdata}\\Microsoft\\Office\\Recent\\index.dat",
      "-N {explorer}\\RecentDocs"}},
    {Software, 11, "Recent Files", "WinRAR Recent Files",
     {"-N Software\\WinRAR\\ArchHistory", "-N Software\\WinRAR\\DialogEditHistory\\ExtraPath"}},
    {Software, 12, "Recent files", "Word Pad Recent Files", {"-N {applets}\\Wordpad\\Recent File List"}},
    {Windows, 0, "Recent Documents", "Windows Recent Documents",
     {"-N {explorer}\\ComDlg32\\LastVisitedMRU", "=D {recent}", "-F {recent}\\a.lnk", "-F {recent}\\b.txt.lnk",
      "-F {recent}\\CustomDestinations\\x", "=F {recent}\\desktop.ini|sh"}},
    {Windows, 1, "Run in Start Menu", "Windows Run in Start Menu", {"-N {explorer}\\RunMRU"}},
    {Windows, 2, "Windows Temp Folder", "Windows Temp Folder",
     {"=D {temp}", "-F {temp}\\a.tmp", "-F {temp}\\sub\\b.tmp", "=F {alike}\\Temp\\a.tmp"}},
    {Windows, 3, "Search (History of files and folders)", "Windows Search History",
     {"-N Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\FilesNamedMRU"}},
    {Windows, 4, "Recycle Bin", "Windows Recycle Bin", {"-R {trash}"}},
};

// A user's profile in a scratch folder: shell folders, ProgramFiles, APPDATA, the temporary
// and AOL's folders lead into it. Names are replaced in order: one may use those after it.
class Profile : public testing::Test {
protected:
    ScratchDir dir;
    ScratchKey shellFolders;
    PlantedKeys keys;
    std::vector<std::pair<std::string, std::string>> names = {
        {"{ns}", "{pf}\\Netscape\\Users\\default"}, {"{ff}", ""}, {"{ff2}", ""},  // {ff}: SetUp
        {"{profiles}", "{appdata}\\Mozilla\\Firefox\\Profiles"}, {"{opera}", "{appdata}\\Opera\\Opera\\profile"},
        {"{cache}", "{root}\\Cache"}, {"{cookies}", "{root}\\Cookies"}, {"{recent}", "{root}\\Recent"},
        {"{appdata}", "{root}\\AppData"}, {"{envappdata}", "{root}\\Roaming"},  // APPDATA, apart from the shell folder
        {"{pf}", "{root}\\Program Files"}, {"{aol}", "{root}\\AOL"}, {"{temp}", "{root}\\Temp"},
        // A name with letters the ANSI code page lacks, beside its look-alike (their best fit).
        {"{root}", "{dir}\\\u015Cam \u0141uk"}, {"{alike}", "{dir}\\Sam Luk"}, {"{dir}", dir.Path()},
        {"{received}", kProfile + "\\My Received Files"},
        {"{trash}", "D:\\sandbox\\home\\.local\\share\\Trash\\files"},
        {"{store}", "Software\\Microsoft\\Protected Storage System Provider"},
        {"{aim}", "Software\\America Online\\AOL Instant Messenger (TM)\\CurrentVersion"},
        {"{explorer}", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"},
        {"{applets}", "Software\\Microsoft\\Windows\\CurrentVersion\\Applets"},
        {"{real}", "Software\\RealNetworks\\RealPlayer"}, {"{winzip}", "Software\\Nico Mak Computing\\Winzip"},
    };
    EnvOverride programFilesVar = SetEnv("ProgramFiles", Expand("{pf}")),
                appDataVar = SetEnv("APPDATA", Expand("{envappdata}")), tmpVar = SetEnv("TMP", Expand("{temp}\\"));

    // Planted so far: what must go, what must stay.
    std::vector<std::string> gone, stays;
    std::vector<std::pair<HKEY, std::string>> keysGone, keysStay;
    bool clipboard = false;

    std::string& Name(const std::string& name) {
        return std::find_if(names.begin(), names.end(), [&](const auto& n) { return n.first == name; })->second;
    }
    std::string Expand(std::string text) const {
        for (const auto& [name, value] : names)
            for (size_t at; (at = text.find(name)) != std::string::npos;) text.replace(at, name.size(), value);
        return text;
    }
    void SetAolPath(const std::string& path) {  // "": none stored
        if (path.empty()) RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kAolKey, "AppPath");
        else SetText(HKEY_LOCAL_MACHINE, kAolKey, "AppPath", REG_SZ, path);
    }

    void SetUp() override {
        for (auto [value, folder] : {std::pair{"APPDATA", "{appdata}"}, {"CACHE", "{cache}"}, {"RECENT", "{recent}"},
                                     {"COOKIES", "{cookies}"}})
            SetText(HKEY_CURRENT_USER, shellFolders.Path(), value, REG_SZ, Expand(folder));
        ModCleaning::ReadShellFolders(HKEY_CURRENT_USER, shellFolders.Path().c_str());
        for (const char* profile : {"\\zz.\u015Cecond", "\\\u0141bc.default"}) MakeDirs(Expand("{profiles}") + profile);
        std::vector<std::wstring> profiles = List(W(Expand("{profiles}")));
        ASSERT_EQ(profiles.size(), 2u);
        Name("{ff}") = "{profiles}\\" + Utf8(profiles[0]);
        Name("{ff2}") = "{profiles}\\" + Utf8(profiles[1]);
        keys.Create(HKEY_LOCAL_MACHINE, kAolKey);
        SetAolPath(Expand("{aol}\\"));
        ASSERT_FALSE(Exists(Expand("{received}"))) << "left over from an earlier run";
    }
    void TearDown() override { RemoveTree(W(Expand("{received}"))); }

    // Plants the row's traces; fresh = false adds them to those planted before.
    void Plant(const Row& row, bool fresh = true) {
        if (fresh) gone.clear(), stays.clear(), keysGone.clear(), keysStay.clear(), clipboard = false;
        for (const char* trace : row.traces) PlantTrace(trace);
    }
    void PlantTrace(const std::string& trace) {
        if (size_t at = trace.find('#'); at != std::string::npos) {
            for (char i = '1'; i <= '8'; ++i) PlantTrace(trace.substr(0, at) + i + trace.substr(at + 1));
            return;
        }
        bool goes = trace[0] == '-';
        char kind = trace[1];
        std::string path = Expand(trace.substr(3));
        DWORD attributes = 0;
        if (size_t bar = path.find('|'); bar != std::string::npos) {
            for (char a : path.substr(bar + 1))
                attributes |= a == 'r' ? FILE_ATTRIBUTE_READONLY : a == 'h' ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_SYSTEM;
            path.resize(bar);
        }
        HKEY hive = kind == 'L' ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        if (kind == 'F') MakeFile(path, attributes);
        if (kind == 'D') MakeDirs(path);
        if (kind == 'C') {
            ASSERT_TRUE(clipboard = OpenClipboard(nullptr));
            EmptyClipboard();
            HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, path.size() + 1);
            memcpy(GlobalLock(text), path.c_str(), path.size() + 1);
            GlobalUnlock(text);
            SetClipboardData(CF_TEXT, text);
            return void(CloseClipboard());
        }
        if (kind == 'R') {
            std::string name = UniqueName("recycled") + ".txt";
            MakeFile(dir / name);
            ASSERT_TRUE(Recycle(dir / name) && Exists(path += "\\" + name));
        }
        if (kind == 'F' || kind == 'D' || kind == 'R') return (goes ? gone : stays).push_back(path);
        keys.Create(hive, path);
        if (goes) keys.Create(hive, path + "\\Sub");  // removed by Clean between its two runs
        if (kind == 'N') keys.Create(hive, path + "Neighbour"), keysStay.emplace_back(hive, path + "Neighbour");
        (goes ? keysGone : keysStay).emplace_back(hive, path);
    }
    // What stays is there; what goes is gone, or with erased = false still there.
    void Check(bool erased = true) {
        const char* wrong = erased ? "still there: " : "erased: ";
        for (const auto& p : gone) EXPECT_NE(Exists(p), erased) << wrong << p;
        for (const auto& p : stays) EXPECT_TRUE(Exists(p)) << "erased: " << p;
        for (const auto& [hive, p] : keysGone) EXPECT_NE(KeyExists(hive, p), erased) << wrong << p;
        for (const auto& [hive, p] : keysStay) EXPECT_TRUE(KeyExists(hive, p)) << "erased: " << p;
        EXPECT_TRUE(!clipboard || (IsClipboardFormatAvailable(CF_TEXT) != FALSE) != erased) << wrong << "clipboard";
    }
    // Runs the planted item twice: first every key it deletes has a subkey and must stay
    // (a key with subkeys is not deleted), then without the subkeys. The status lines.
    std::vector<std::string> Clean(Group group, short index) {
        std::vector<std::string> status;
        for (int run = 0; run < 2; ++run) {
            ModCleaning::CleanItem(group, index, [&](const std::string& s) { status.push_back(s); },
                                   ModCleaning::FindItem(group, index)->Tag);
            for (const auto& [hive, p] : keysGone) {
                EXPECT_TRUE(run || KeyExists(hive, p)) << "deleted with its subkey: " << p;
                RegDeleteKeyA(hive, (p + "\\Sub").c_str());
            }
        }
        Check();
        return status;
    }
};

// One fixed key, which the catalogue walk cleans too: in one executable they never overlap.
const std::string kStore = "Software\\Microsoft\\Protected Storage System Provider";

std::string CurrentUser() {  // as a string SID
    gf::KernelHandle token;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive());
    BYTE buffer[512];
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenUser, buffer, sizeof buffer, &size);
    char* sid = nullptr;
    ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid);
    std::string text = sid ? sid : "";
    LocalFree(sid);
    return text;
}

// The key's DACL in SDDL form, "D:NO_ACCESS_CONTROL" for a null one.
std::string Dacl(const std::string& path) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    char* text = nullptr;
    if (GetNamedSecurityInfoA(("CURRENT_USER\\" + path).c_str(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, nullptr, nullptr, &sd))
        return "no key";
    ConvertSecurityDescriptorToStringSecurityDescriptorA(sd, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr);
    std::string dacl = text ? text : "";
    LocalFree(text);
    LocalFree(sd);
    return dacl;
}

void SetDacl(const std::string& path, const std::string& sddl) {
    HKEY key;
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &sd, nullptr));
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    RegCloseKey(key);
    LocalFree(sd);
}

int quitsTaken = 0;
LRESULT CALLBACK CountQuitsTaken(int code, WPARAM remove, LPARAM msg) {
    if (code == HC_ACTION && remove == PM_REMOVE && reinterpret_cast<MSG*>(msg)->message == WM_QUIT) ++quitsTaken;
    return CallNextHookEx(nullptr, code, remove, msg);
}

class AutoCompleteStore : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kStore.c_str()); }  // ours alone; keys removes it
    void Make(const std::string& sub) { keys.Create(HKEY_CURRENT_USER, kStore + "\\" + sub); }
    PlantedKeys keys;
};

}  // namespace

// The main window's check boxes and status line show the catalogue's texts: each exactly as
// the table has it; each trace at the place it names (the recycle bin under the sandbox's HOME).
TEST_F(Profile, EveryItemShowsItsTextsErasesItsTracesAndLeavesTheirNeighbours) {
    EXPECT_EQ(ModCleaning::Items(Internet).size() + ModCleaning::Items(Software).size() +
                  ModCleaning::Items(Windows).size(),
              std::size(kCatalogue));
    SetAolPath(Expand("{aol}"));  // AOL's folder stored without its backslash, then with it
    EXPECT_EQ(ModCleaning::GetAOLPath(), W(Expand("{aol}\\")));
    SetAolPath(Expand("{aol}\\"));
    EXPECT_EQ(ModCleaning::GetAOLPath(), W(Expand("{aol}\\")));
    for (const Row& row : kCatalogue) {
        SCOPED_TRACE(std::string(ModCleaning::ArrayName(row.group)) + std::to_string(row.index) + " " + row.tag);
        const ModCleaning::Item* item = ModCleaning::FindItem(row.group, row.index);
        ASSERT_TRUE(item);
        EXPECT_STREQ(item->Caption, row.caption);
        Plant(row);
        const std::string status = std::string("Cleaning ") + row.tag;
        EXPECT_EQ(Clean(row.group, row.index), (std::vector<std::string>{status, status}));
    }
}

// The status line, then one turn of the message loop, then the steps: a message waiting
// before the call is handled once the line shows and before anything goes. Indexes
// without a row, and the item without steps, change nothing but the status line.
TEST_F(Profile, StatusLineThenOneMessageLoopTurnThenTheSteps) {
    for (const Row& row : kCatalogue) Plant(row, false);
    const std::string trace = Expand("{cache}\\a.txt");
    std::vector<std::string> events;
    MessageProbe probe([&] { events.push_back(Exists(trace) ? "turn, trace there" : "turn, gone"); });
    for (auto [group, index] : {std::pair<Group, short>{Internet, 19}, {Internet, -1}, {Software, 13}, {Software, 9},
                                {Windows, 5}, {Windows, 32767}, {Internet, 1}}) {
        if (index == 1) Check(false);
        probe.Post();
        ModCleaning::CleanItem(group, index, [&](const std::string& s) { events.push_back(s); }, "Tag");
        EXPECT_EQ(events, (std::vector<std::string>{"Cleaning Tag", "turn, trace there"})) << index;
        events.clear();
    }
    EXPECT_FALSE(Exists(trace));
}

// No shell folders (a value of another type reads as none too), no ProgramFiles, APPDATA or
// AOL folder, a temporary folder set to "." (which the system would take as the current
// folder): the items on them erase nothing, above all not the current root or folder.
TEST_F(Profile, ItemsOnMissingFoldersEraseNothing) {
    ModCleaning::ReadShellFolders(HKEY_CURRENT_USER, (shellFolders.Path() + "\\missing").c_str());
    ASSERT_EQ(ModCleaning::AppDataFolder() + ModCleaning::CacheFolder() + ModCleaning::RecentFolder() +
              ModCleaning::CookiesFolder(), L"");
    auto noProgramFiles = SetEnv("ProgramFiles", ""), noAppData = SetEnv("APPDATA", ""), tmp = SetEnv("TMP", "."),
         temp = SetEnv("TEMP", ".");
    SetAolPath("");
    EXPECT_EQ(ModCleaning::GetAOLPath(), L"\\");
    auto cwd = WorkIn(dir.Path());  // bait for anything relative
    // The received-files folder and the recycle bin rest on none of these.
    auto ownBase = [](const Row& r) { return r.group == Windows ? r.index > 2 : r.group == Internet && r.index == 16; };
    for (const Row& row : kCatalogue)
        if (!ownBase(row)) Plant(row, false);
    for (const Row& row : kCatalogue)
        if (!ownBase(row)) ModCleaning::CleanItem(row.group, row.index, nullptr, row.tag);
    for (const auto& p : gone) EXPECT_TRUE(Exists(p)) << "erased: " << p;
}

// An error ends the item and reaches the caller: here the clipboard, held open by
// another window, cannot be cleared.
TEST(GroupProcedures, AnErrorEndsTheItemAndReachesTheCaller) {
    HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(owner));
    EXPECT_THROW(ModCleaning::CleanSoftware(8, nullptr, "Clipboard Contents"), gf::Error);
    CloseClipboard();
    DestroyWindow(owner);
}

// Each key gets an entry granting the current user full control, added to the DACL it
// had: no null DACL, no entry lost, none piling up over repeated cleans. An account that
// cannot be looked up changes nothing.
TEST_F(AutoCompleteStore, GrantsTheUserFullControlAndKeepsTheEntriesThere) {
    Make("Child\\Grandchild");
    const std::string child = kStore + "\\Child", everyone = "(A;;KR;;;WD)";
    SetDacl(child, "D:P" + everyone + "(A;;KRWD;;;" + CurrentUser() + ")");
    const std::string before = Dacl(child);
    ASSERT_NE(before.find(everyone), std::string::npos) << before;
    AutoComplete::GrantKeyAccess(HKEY_CURRENT_USER, child, "no such account 7f3a");
    EXPECT_EQ(Dacl(child), before);
    ModCleaning::ClearProtectedStorage();
    for (const std::string& key : {kStore, child, child + "\\Grandchild"})
        EXPECT_NE(Dacl(key).find("(A;;KA;;;" + CurrentUser() + ")"), std::string::npos) << key << " " << Dacl(key);
    const std::string after = Dacl(child);
    EXPECT_NE(after.find(everyone), std::string::npos) << after;
    ModCleaning::ClearProtectedStorage();
    EXPECT_EQ(Dacl(child), after);
}

// The walk turns the message loop before each read of a subkey name (the one ending a list
// too), so the window stays responsive. A quit request stands for a message waiting at every
// turn: each turn takes it, puts it back and ends. Every key here goes, so the store goes too.
TEST_F(AutoCompleteStore, TheWalkTurnsTheMessageLoopAtEverySubkey) {
    for (const char* sub :
         {"Q\\SearchText", "Q\\Query", "P:StringData", "SearchText:StringData\\Q:StringIndex\\P:StringIndex"})
        Make(sub);  // 7 subkeys below the store
    quitsTaken = 0;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CountQuitsTaken, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    PostQuitMessage(0);
    ModCleaning::ClearProtectedStorage();
    UnhookWindowsHookEx(hook);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}  // the quit request put back last
    EXPECT_EQ(quitsTaken, 7 + 8);  // one per subkey, and one per key walked (the store and its 7)
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kStore));
}

// Refused (-1), a root (1), or a place below one (0).
TEST(Guard, TakesOnlyPathsThatNameOnePlaceOnADriveOrShare) {
    auto root = [](const char* path) { auto p = guarded::Parse(W(path)); return p ? int(p->IsRoot()) : -1; };
    for (const char* path : {"", "\\", "\\*", "\\Cache\\", "\\organize\\*.ARL", "*", "Cache\\*", "C:", "C:x\\*",
                             "D:Cache", "\\\\?\\C:\\x", "\\\\?\\UNC\\s\\h\\x", "\\\\.\\C:\\x", "\\\\.\\PhysicalDrive0",
                             "\\??\\C:\\x", "\\\\server", "\\\\server\\", "C:\\a\\..\\b", "C:\\a\\.\\b", "C:\\a\\...\\b",
                             "C:\\a\\ \\b", "C:\\a\\x:y", "C:\\a\\*\\b", "C:\\a?\\b", "C:\\a\\b\"c", "1:\\x"})
        EXPECT_EQ(root(path), -1) << path;
    for (const char* path : {"C:\\x", "c:/x/y", "C:\\x\\\\y\\", "C:\\x\\*.ARL", "C:\\x\\a?.t*",
                             "\\\\server\\share\\x", "C:\\x\\name with spaces.txt", "C:\\x\\.hidden"})
        EXPECT_EQ(root(path), 0) << path;
    for (const char* path : {"C:\\", "\\\\server\\share\\"}) EXPECT_EQ(root(path), 1) << path;
}

// Relative, drive-relative and device forms would, unguarded, reach the working folder, here
// a scratch folder full of bait. What the guard protects must resolve, or nothing at all is
// emptied: Wine's shell builds the profile from the machine's folder of profiles (not from
// USERPROFILE), so with that moved where nothing is, the profile cannot be resolved.
TEST(Guard, RefusedFormsAndAnUnresolvedProfileDeleteNothing) {
    ScratchDir dir;
    for (const char* name : {"a.txt", "sub\\b.txt", "inner\\c.txt"}) MakeFile(dir / name);
    auto cwd = WorkIn(dir.Path());
    const std::string p = dir.Path();
    for (const std::string& path : {"*"s, "sub\\"s, "sub\\*"s, ".\\*"s, "D:sub\\"s, p + "\\inner\\..\\*",
                                    p + "\\inner\\..\\sub\\", "\\\\?\\" + p + "\\sub\\", "\\\\.\\" + p + "\\sub\\"})
        ModCleaning::DeleteFolderEntries(W(path));
    for (const std::string& path :
         {"a.txt"s, "*.txt"s, "sub\\*"s, "D:a.txt"s, p + "\\inner\\..\\a.txt", "\\\\?\\" + p + "\\a.txt"})
        ModCleaning::DeleteFileIfExists(W(path));
    for (const std::string& path : {"sub"s, "sub\\"s, p + "\\inner\\..\\sub", "\\\\?\\" + p + "\\sub", p + "\\sub\\*"})
        EXPECT_FALSE(ModCleaning::RemoveFolder(W(path))) << path;
    auto profile = [] {
        wchar_t path[MAX_PATH] = {};
        return SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, path)) && Exists(path);
    };
    ASSERT_TRUE(profile());
    {
        auto moved = SetValue(HKEY_LOCAL_MACHINE, kProfileList, "ProfilesDirectory", "C:\\" + UniqueName("nowhere"));
        ASSERT_FALSE(profile());
        ModCleaning::DeleteFolderEntries(W(p + "\\"));
        EXPECT_FALSE(ModCleaning::RemoveFolder(W(p + "\\sub")));
    }
    for (const char* name : {"a.txt", "sub\\b.txt", "inner\\c.txt"}) EXPECT_TRUE(Exists(dir / name)) << name;
    ASSERT_TRUE(profile());
    ModCleaning::DeleteFolderEntries(W(p + "\\"));
    EXPECT_EQ(List(W(p)), std::vector<std::wstring>{});
}

// Every listed entry goes, file or folder with all it holds (told apart by what it is, not by a
// dot), hidden, read-only, non-ANSI, past 260 characters; system entries and a file held open
// stay. Only a "\" or "\*" argument is emptied. RemoveFolder is true when the folder was and went.
TEST(DeleteFolderEntries, DeletesEveryListedEntryAndLeavesSystemOnes) {
    for (const char* tail : {"\\", "\\*"}) {
        ScratchDir dir;
        std::string cache = dir / "cache";
        while (cache.size() < 280) cache += "\\folder_with_a_rather_long_name";
        std::wstring f = W(cache);
        for (const wchar_t* name : {L"a.txt", L"noext", L"x.y\\in.txt", L"sub\\deep\\c.txt", L"Журнал.txt", L"日本語",
                                    L"Папка\\файл.dat", L"emoji\U0001F600.dat", L"held\\held.dat", L"held\\free.dat"})
            MakeFile(f + L"\\" + name);
        MakeFile(f + L"\\hidden.dat", FILE_ATTRIBUTE_HIDDEN);
        MakeFile(f + L"\\held\\ro\\readonly.txt", FILE_ATTRIBUTE_READONLY);
        MakeFile(f + L"\\system.dat", FILE_ATTRIBUTE_SYSTEM);
        MakeFile(f + L"\\sysdir\\kept.txt");
        SetFileAttributesW(Long(f + L"\\sysdir").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
        MakeFile(dir / "cache2\\neighbour.txt");
        for (const std::string& wrong : {dir / "missing\\", cache, cache + "\\a.txt\\"})
            ModCleaning::DeleteFolderEntries(W(wrong));
        ASSERT_TRUE(Exists(f + L"\\a.txt"));
        HeldFile held("\\\\?\\" + cache + "\\held\\held.dat");
        ASSERT_TRUE(held.Holding());
        EXPECT_FALSE(ModCleaning::RemoveFolder(W(cache + "\\held\\")));
        EXPECT_EQ(List(f + L"\\held"), std::vector<std::wstring>{L"held.dat"});
        ModCleaning::DeleteFolderEntries(W(cache + tail));
        std::vector<std::wstring> left = List(f);
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::wstring>{L"held", L"sysdir", L"system.dat"})) << tail;
        EXPECT_TRUE(Exists(f + L"\\sysdir\\kept.txt") && Exists(dir / "cache2\\neighbour.txt"));
        held.Release();
        EXPECT_TRUE(ModCleaning::RemoveFolder(W(cache + "\\held\\")));
        EXPECT_FALSE(Exists(f + L"\\held"));
        EXPECT_FALSE(ModCleaning::RemoveFolder(W(cache + "\\held\\")));
    }
}

// The cache and temp cleans take what lies beside the links and leave the links and what
// they point at, also where the two names differ only in letter case; a link to a file
// handed to the helpers is not followed.
TEST(Links, CleansAndHelpersLeaveWhatLinksPointAt) {
    ASSERT_NE(Attrs(W(kFarm + "\\cache\\dirlink")) & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << "links_setup.sh has not run";
    for (const char* place : {"\\cache", "\\temp"})
        for (const char* file : {"\\a.txt", "\\nested\\b.txt", "\\plain\\c.txt"}) MakeFile(kFarm + place + file);
    for (const char* cache : {"\\cache", "\\INetCache"}) {
        ModCleaning::SetCacheFolder(W(kFarm + cache));
        ModCleaning::CleanInternet(1, nullptr, "Internet Explorer Cache");
    }
    auto tmp = SetEnv("TMP", kFarm + "\\temp\\");
    ModCleaning::CleanWindows(2, nullptr, "Windows Temp Folder");
    for (const char* place : {"\\cache", "\\temp"}) {
        for (const char* gone : {"\\a.txt", "\\nested\\b.txt", "\\plain"}) EXPECT_FALSE(Exists(kFarm + place + gone));
        for (const char* link : {"\\dirlink", "\\emptylink", "\\nested\\deeplink"})
            EXPECT_NE(Attrs(W(kFarm + place + link)) & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << place << link;
    }
    ModCleaning::DeleteFileIfExists(W(kFarm + "\\cache\\filelink"));
    ModCleaning::DeleteFileIfExists(W(kFarm + "\\cache\\*link"));
    for (const char* target :
         {"\\outside\\canary.txt", "\\outside\\sub\\deep.txt", "\\emptytarget", "\\INETCACHE\\precious.txt"})
        EXPECT_TRUE(Exists(kFarm + target)) << target;
}

// The Windows and system folders, the profile, its parent and the drive's root, named through
// E: (a second letter for C:), a link in the middle of the path and its 8.3 name, or a link
// straight to them: as the temp folder, the cache, and straight to the helpers, they keep
// everything, and each item runs to its end.
TEST(Links, TheSystemAndTheProfileStayByWhateverNameTheyAreReached) {
    const std::string profile = kProfile.substr(2), users = profile.substr(0, profile.rfind('\\'));  // "\users\<name>"
    char shortLink[MAX_PATH] = {};
    ASSERT_TRUE(GetShortPathNameA((kFarm + "\\system drive").c_str(), shortLink, MAX_PATH));
    ASSERT_EQ(std::string(shortLink).find(' '), std::string::npos) << "no 8.3 name: " << shortLink;
    std::vector<std::string> paths;
    for (const std::string& drive : {"E:"s, kFarm + "\\system drive", std::string(shortLink)})
        for (const std::string& folder :
             {""s, "\\windows"s, "\\windows\\system32"s, "\\windows\\syswow64"s, users, profile})
            paths.push_back(drive + folder);
    for (const char* link : {"\\to C", "\\to windows", "\\to system32", "\\to syswow64", "\\to users", "\\to profile"})
        paths.push_back(kFarm + link);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(Exists(path + "\\glimmerfold-canary.txt")) << "links_setup.sh has not run";
        auto tmp = SetEnv("TMP", path + "\\");
        ModCleaning::CleanWindows(2, nullptr, "Windows Temp Folder");
        ModCleaning::SetCacheFolder(W(path));
        ModCleaning::CleanInternet(1, nullptr, "Internet Explorer Cache");
        EXPECT_FALSE(ModCleaning::RemoveFolder(W(path + "\\")));
        ModCleaning::DeleteFileIfExists(W(path + "\\*.txt"));
        EXPECT_TRUE(Exists(path + "\\glimmerfold-canary.txt"));
        EXPECT_TRUE(Exists(path + "\\glimmerfold-canary\\canary.txt"));
    }
}

// Temp, the cache and the cookies moved to C: and linked back from D:: each item empties the
// folder where it lies and leaves the link found inside it, whose folder keeps its file. A
// folder to remove is removed where it lies.
TEST(Links, AnItemsOwnFolderIsFollowedToWhereItLiesAndNothingInsideIt) {
    const std::string moved = "C:\\users\\glimmerfold-moved";
    ASSERT_NE(Attrs(W(kFarm + "\\linked Temp")) & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << "links_setup.sh has not run";
    for (const char* folder : {"\\Temp", "\\Cache", "\\Cookies"})
        for (const char* file : {"\\a.txt", "\\sub\\b.txt", "\\noext"}) MakeFile(moved + folder + file);
    ModCleaning::SetCacheFolder(W(kFarm + "\\linked Cache"));
    ModCleaning::SetCookiesFolder(W(kFarm + "\\linked Cookies"));
    auto tmp = SetEnv("TMP", kFarm + "\\linked Temp\\");
    ModCleaning::CleanInternet(1, nullptr, "Internet Explorer Cache");
    ModCleaning::CleanInternet(2, nullptr, "Internet Explorer Cookies");
    ModCleaning::CleanWindows(2, nullptr, "Windows Temp Folder");
    for (const char* folder : {"\\Temp", "\\Cache", "\\Cookies"}) {
        EXPECT_EQ(List(W(moved + folder)), std::vector<std::wstring>{L"inner link"}) << folder;
        EXPECT_NE(Attrs(W(moved + folder + "\\inner link")) & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << folder;
    }
    EXPECT_TRUE(Exists(moved + "\\kept\\kept.txt"));
    EXPECT_TRUE(ModCleaning::RemoveFolder(W(kFarm + "\\linked Gone\\")));
    EXPECT_FALSE(Exists(moved + "\\Gone"));
}

// The Firefox profile is the first folder the Profiles folder lists, past files listed before
// it; a link there is followed, and the four Firefox items erase their traces where it leads.
TEST(Links, TheFirefoxItemsCleanAProfileThatIsALinkListedAfterFiles) {
    const std::string profiles = kFarm + "\\appdata\\Mozilla\\Firefox\\Profiles";
    const std::string real = "C:\\users\\glimmerfold-moved\\Profile";
    ASSERT_FALSE(List(W(profiles)).empty()) << "links_setup.sh has not run";
    for (int i = 0; i < 64 && List(W(profiles)).front() == L"linked.default"; ++i)
        MakeFile(profiles + "\\installs" + std::to_string(i) + ".ini");
    ASSERT_NE(List(W(profiles)).front(), L"linked.default") << "no file listed first";
    for (const char* file : {"\\history.dat", "\\Cache\\0\\e", "\\cookies.txt", "\\formhistory.dat", "\\places.sqlite"})
        MakeFile(real + file);
    auto noProgramFiles = SetEnv("ProgramFiles", "");
    ModCleaning::SetAppDataFolder(W(kFarm + "\\appdata"));
    for (short item = 4; item <= 7; ++item) ModCleaning::CleanInternet(item, nullptr, "NetScape/FireFox");
    std::vector<std::wstring> left = List(W(real));
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::wstring>{L"Cache", L"inner link", L"places.sqlite"}));
    EXPECT_EQ(List(W(real + "\\Cache")), std::vector<std::wstring>{});
}

namespace {

// A timer's tick, come through a turn of the message loop, stops the walk emptying this
// folder and notes how many entries it left.
std::wstring cache;
size_t leftAtStop;
void CALLBACK StopTheWalk(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    pacing::RequestStop();
    leftAtStop = List(cache).size();
}

}  // namespace

// A long walk turns the message loop as it goes (a timer's tick comes through), and a stop
// asked for in a turn ends it there: nothing more goes. A stop before an item's steps skips
// them all. A new run starts without the stop.
TEST(Pacing, ALongWalkTurnsTheMessageLoopAndAStopEndsItThere) {
    ScratchDir dir;
    cache = W(dir / "cache");
    leftAtStop = 0;
    for (int i = 0; i < 1500; ++i) MakeFile(cache + L"\\entry" + std::to_wstring(i) + L".tmp");
    auto tmp = SetEnv("TMP", dir / "cache\\");
    {
        pacing::StopScope run;
        PlantedKeys keys;
        const char* const winRar = "Software\\WinRAR\\ArchHistory";
        keys.Create(HKEY_CURRENT_USER, winRar);
        ModCleaning::CleanSoftware(
            11, [](const std::string&) { pacing::RequestStop(); }, "WinRAR Recent Files");
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, winRar));
        pacing::StopScope next;
        SetTimer(nullptr, 0, 1, StopTheWalk);
        ModCleaning::DeleteFolderEntries(cache + L"\\");
        ASSERT_GT(leftAtStop, 0u) << "no turn of the message loop";
        EXPECT_EQ(List(cache).size(), leftAtStop);
    }
    ModCleaning::CleanWindows(2, nullptr, "Windows Temp Folder");
    EXPECT_EQ(List(cache).size(), 0u);
}
