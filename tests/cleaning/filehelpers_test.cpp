// The file and folder helpers on real files in the sandbox: what goes, what stays,
// links, files in use, long and non-ANSI names, and the folder finders.
#include <windows.h>

#include <gtest/gtest.h>

#include "CleaningTestSupport.h"
#include "cleaning/FileHelpers.h"
#include "cleaning/ModCleaning.h"
#include "cleaning/ShellFolders.h"

using namespace cleaning_test;
using testing_support::ScratchDir;
using testing_support::UniqueName;

TEST(DeleteFolderEntries, TellsFilesAndFoldersApartByAttributes) {
    for (const char* tail : {"\\", "\\*"}) {
        ScratchDir dir;
        std::string f = dir / "cache";
        MakeFile(f + "\\a.txt");
        MakeFile(f + "\\noext");
        MakeFile(f + "\\sub\\inner\\deep.dat", FILE_ATTRIBUTE_READONLY);
        MakeFile(f + "\\Content.IE5\\x.htm");
        MakeFile(f + "\\hidden.dat", FILE_ATTRIBUTE_HIDDEN);
        MakeFile(f + "\\readonly.txt", FILE_ATTRIBUTE_READONLY);
        MakeFile(f + "\\system.dat", FILE_ATTRIBUTE_SYSTEM);
        MakeFile(f + "\\sysdir\\kept.txt");
        SetFileAttributesA((f + "\\sysdir").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
        MakeFile(dir / "cache2\\neighbour.txt");
        ModCleaning::DeleteFolderEntries(f + tail);
        for (const char* gone : {"a.txt", "noext", "sub", "Content.IE5", "hidden.dat", "readonly.txt"})
            EXPECT_FALSE(Exists(f + "\\" + gone)) << gone << " with " << tail;
        EXPECT_TRUE(Exists(f + "\\system.dat"));
        EXPECT_TRUE(Exists(f + "\\sysdir\\kept.txt"));
        EXPECT_TRUE(Exists(f));
        EXPECT_TRUE(Exists(dir / "cache2\\neighbour.txt"));
    }
}

TEST(DeleteFolderEntries, MissingFolderOrNoFolderArgumentChangesNothing) {
    ScratchDir dir;
    MakeFile(dir / "keep\\a.txt");
    ModCleaning::DeleteFolderEntries(dir / "missing\\");
    ModCleaning::DeleteFolderEntries(dir / "keep");  // neither "\" nor "\*" at the end
    ModCleaning::DeleteFolderEntries(dir / "keep\\a.txt\\");
    EXPECT_TRUE(Exists(dir / "keep\\a.txt"));
}

TEST(DeleteFolderEntries, ReachesLongPathsAndNamesOutsideTheCodePage) {
    ScratchDir dir;
    std::wstring f = W(dir / "cache");
    std::wstring deep = f;
    while (deep.size() < 300) deep += L"\\folder_with_a_rather_long_name_" + std::to_wstring(deep.size());
    MakeFile(deep + L"\\bottom.dat");
    MakeFile(f + L"\\Журнал.txt");
    MakeFile(f + L"\\日本語");
    MakeFile(f + L"\\Папка\\файл.dat");
    MakeFile(f + L"\\emoji\U0001F600.dat");
    ASSERT_TRUE(Exists(deep + L"\\bottom.dat"));
    ModCleaning::DeleteFolderEntries(dir / "cache\\*");
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((f + L"\\*").c_str(), &fd);
    int left = 0;
    do left += wcscmp(fd.cFileName, L".") && wcscmp(fd.cFileName, L"..");
    while (FindNextFileW(h, &fd));
    FindClose(h);
    EXPECT_EQ(left, 0);
    // A cache folder whose own path is over 260 characters.
    std::string longCache = dir.Path();
    while (longCache.size() < 280) longCache += "\\another_long_folder_name_for_the_cache";
    MakeFile(longCache + "\\entry.txt");
    MakeFile(longCache + "\\sub\\x.txt");
    ModCleaning::DeleteFolderEntries(longCache + "\\");
    EXPECT_FALSE(Exists(longCache + "\\entry.txt"));
    EXPECT_FALSE(Exists(longCache + "\\sub"));
    EXPECT_TRUE(Exists(longCache));
}

TEST(DeleteFileIfExists, DeletesTheNormalFilesThePatternNames) {
    ScratchDir dir;
    std::string o = dir / "organize";
    for (const char* name : {"a.ARL", "B.arl", "ro.ARL", "c.ARLX", "d.txt", "hidden.ARL", "Журнал.ARL"})
        MakeFile(W(o + "\\") + W(name));
    SetFileAttributesA((o + "\\ro.ARL").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((o + "\\hidden.ARL").c_str(), FILE_ATTRIBUTE_HIDDEN);
    MakeFile(o + "\\folder.ARL\\inside.txt");
    ModCleaning::DeleteFileIfExists(o + "\\*.ARL");
    for (const char* gone : {"a.ARL", "B.arl", "ro.ARL"}) EXPECT_FALSE(Exists(o + "\\" + gone)) << gone;
    EXPECT_FALSE(Exists(W(o) + L"\\Журнал.ARL"));
    for (const char* stays : {"c.ARLX", "d.txt", "hidden.ARL", "folder.ARL\\inside.txt"})
        EXPECT_TRUE(Exists(o + "\\" + stays)) << stays;
    ModCleaning::DeleteFileIfExists(o + "\\d.txt");
    ModCleaning::DeleteFileIfExists(o + "\\missing.txt");
    EXPECT_FALSE(Exists(o + "\\d.txt"));
}

TEST(RemoveFolder, RemovesAnExistingFolderWholeAndSaysSo) {
    ScratchDir dir;
    MakeFile(dir / "x\\a.txt", FILE_ATTRIBUTE_READONLY);
    MakeFile(dir / "x\\sub\\b.txt");
    EXPECT_TRUE(ModCleaning::RemoveFolder(dir / "x\\"));
    EXPECT_FALSE(Exists(dir / "x"));
    EXPECT_FALSE(ModCleaning::RemoveFolder(dir / "x\\"));
    MakeDirs(dir / "y");
    EXPECT_FALSE(ModCleaning::RemoveFolder(dir / "y\\*"));
    EXPECT_TRUE(Exists(dir / "y"));
}

// A process that holds a file open without sharing it keeps that file; the rest of
// the folder goes and the run goes on.
TEST(DeleteFolderEntries, FileHeldOpenByAnotherProcessStays) {
    ScratchDir dir;
    std::string f = dir / "cache";
    MakeFile(f + "\\held.dat");
    MakeFile(f + "\\sub\\held2.dat");
    MakeFile(f + "\\free.dat");
    MakeFile(f + "\\sub\\free2.dat");
    std::wstring ready = W(UniqueName("gf_ready")), quit = W(UniqueName("gf_quit"));
    HANDLE readyEvent = CreateEventW(nullptr, TRUE, FALSE, ready.c_str());
    HANDLE quitEvent = CreateEventW(nullptr, TRUE, FALSE, quit.c_str());
    auto hold = [&](const std::string& file) {
        std::wstring cmd = L"\"" + W(ExeFolder()) + L"\\holdfile.exe\" \"" + W(file) + L"\" " + ready +
                           L" " + quit;
        STARTUPINFOW si = {sizeof si};
        PROCESS_INFORMATION pi = {};
        EXPECT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &si, &pi));
        CloseHandle(pi.hThread);
        EXPECT_EQ(WaitForSingleObject(readyEvent, 20000), WAIT_OBJECT_0);
        ResetEvent(readyEvent);
        return pi.hProcess;
    };
    HANDLE p1 = hold(f + "\\held.dat");
    HANDLE p2 = hold(f + "\\sub\\held2.dat");
    ModCleaning::DeleteFolderEntries(f + "\\*");
    EXPECT_TRUE(Exists(f + "\\held.dat"));
    EXPECT_TRUE(Exists(f + "\\sub\\held2.dat"));
    EXPECT_FALSE(Exists(f + "\\free.dat"));
    EXPECT_FALSE(Exists(f + "\\sub\\free2.dat"));
    EXPECT_FALSE(ModCleaning::RemoveFolder(f + "\\sub"));
    SetEvent(quitEvent);
    for (HANDLE p : {p1, p2}) {
        WaitForSingleObject(p, 20000);
        CloseHandle(p);
    }
    CloseHandle(readyEvent);
    CloseHandle(quitEvent);
}

// The links are made by links_setup.sh before the tests run: in the cache and in the
// temp folder, links to a folder with contents, to an empty folder, to a file, and one
// inside a subfolder that is removed.
class Links : public testing::Test {
protected:
    std::string farm = ExeFolder() + "\\linkfarm";
    void SetUp() override {
        ASSERT_TRUE(Exists(farm + "\\outside\\canary.txt")) << "links_setup.sh has not run";
        ASSERT_NE(Attrs(W(farm + "\\cache\\dirlink")) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    }
    void Plant(const std::string& place) {
        MakeFile(place + "\\a.txt");
        MakeFile(place + "\\nested\\b.txt");
        MakeFile(place + "\\plain\\c.txt");
    }
    void ExpectOnlyTracesGone(const std::string& place) {
        EXPECT_FALSE(Exists(place + "\\a.txt"));
        EXPECT_FALSE(Exists(place + "\\nested\\b.txt"));
        EXPECT_FALSE(Exists(place + "\\plain"));
        EXPECT_TRUE(Exists(farm + "\\outside\\canary.txt"));
        EXPECT_TRUE(Exists(farm + "\\outside\\sub\\deep.txt"));
        EXPECT_TRUE(Exists(farm + "\\emptytarget"));
        for (const char* link : {"\\dirlink", "\\emptylink", "\\nested\\deeplink"})
            EXPECT_NE(Attrs(W(place + link)) & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << link;
        EXPECT_TRUE(Exists(place + "\\filelink"));
    }
};

TEST_F(Links, CacheCleanLeavesWhatLinksPointAt) {
    std::string cache = farm + "\\cache";
    Plant(cache);
    ModCleaning::SetCacheFolder(cache);
    ModCleaning::CleanInternet(1, nullptr, "Internet Explorer Cache");
    ExpectOnlyTracesGone(cache);
}

TEST_F(Links, TempCleanLeavesWhatLinksPointAt) {
    std::string temp = farm + "\\temp";
    Plant(temp);
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
    EXPECT_TRUE(Exists(farm + "\\outside\\canary.txt"));
    EXPECT_TRUE(Exists(farm + "\\outside\\sub\\deep.txt"));
    EXPECT_TRUE(Exists(farm + "\\emptytarget"));
}

TEST(FolderFinders, AolPathEndsInABackslash) {
    cleaning_test::PlantedKeys keys;
    const char* key = "Software\\America Online\\America Online\\CurrentVersion";
    EXPECT_EQ(ModCleaning::GetAOLPath(), "\\");
    keys.Create(HKEY_LOCAL_MACHINE, key);
    for (const char* stored : {"C:\\AOL", "C:\\AOL\\"}) {
        HKEY h;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
        RegSetValueExA(h, "AppPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(stored),
                       static_cast<DWORD>(strlen(stored) + 1));
        RegCloseKey(h);
        EXPECT_EQ(ModCleaning::GetAOLPath(), "C:\\AOL\\");
    }
}

TEST(FolderFinders, TempFolderAsWindowsGivesIt) {
    ScratchDir dir;
    {
        EnvOverride tmp("TMP", dir.Path());
        EXPECT_EQ(ModCleaning::GetTempFolder(), dir.Path() + "\\");
    }
    std::string tooLong = dir.Path();
    while (tooLong.size() < 300) tooLong += "\\abcdefghijklmnop";
    MakeDirs(tooLong);
    EnvOverride tmp("TMP", tooLong);
    EXPECT_EQ(ModCleaning::GetTempFolder(), "");
}

TEST(FolderFinders, FirefoxProfileIsTheFirstListedEntry) {
    ScratchDir dir;
    std::string profiles = dir / "Profiles";
    EXPECT_EQ(ModCleaning::GetFirefoxProfile(profiles), "");
    MakeFile(profiles + "\\.hidden\\x", 0);
    SetFileAttributesA((profiles + "\\.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(ModCleaning::GetFirefoxProfile(profiles), "");
    MakeDirs(profiles + "\\abc.default");
    EXPECT_EQ(ModCleaning::GetFirefoxProfile(profiles), profiles + "\\abc.default");
    EXPECT_EQ(ModCleaning::GetFirefoxProfile(""), "");
}
