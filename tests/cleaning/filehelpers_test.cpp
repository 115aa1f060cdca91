// The file and folder helpers on real files in the sandbox: the deletion guard (which
// paths they act on at all, and that the refused forms leave real files alone), what
// goes and what stays, links, files in use, long and non-ANSI names.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "CleaningTestSupport.h"
#include "Process.h"
#include "cleaning/FileHelpers.h"
#include "cleaning/GuardedPath.h"
#include "cleaning/ModCleaning.h"
#include "cleaning/ShellFolders.h"

using namespace cleaning_test;
using testing_support::ScratchDir;

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

TEST(Guard, ProtectsFoldersThatHoldTheSystemOrTheProfile) {
    wchar_t profile[MAX_PATH] = {}, windows[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, 0, profile)));
    GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring p = profile;
    for (const std::wstring& folder : {p, p.substr(0, p.find_last_of(L'\\')), std::wstring(windows),
                                       std::wstring(windows) + L"\\system32"})
        EXPECT_TRUE(guarded::IsProtected(*guarded::Parse(std::wstring_view(folder))));
    for (const std::wstring& folder : {p + L"\\AppData", p + L"\\Temp", std::wstring(L"C:\\Other")})
        EXPECT_FALSE(guarded::IsProtected(*guarded::Parse(std::wstring_view(folder))));
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

TEST(FolderFinders, TempAndFirefoxProfile) {
    ScratchDir dir;
    EnvOverride tmp("TMP", dir.Path());
    EXPECT_EQ(ModCleaning::GetTempFolder(), dir.Path() + "\\");
    std::string profiles = dir / "Profiles";
    MakeDirs(profiles + "\\.hidden");
    SetFileAttributesA((profiles + "\\.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(ModCleaning::GetFirefoxProfile(profiles), "");
    MakeDirs(profiles + "\\abc.default");
    EXPECT_EQ(ModCleaning::GetFirefoxProfile(profiles), profiles + "\\abc.default");
}
