// The deletion guard: which paths the helpers act on at all, and that the refused
// forms leave real files alone.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "CleaningTestSupport.h"
#include "cleaning/FileHelpers.h"
#include "cleaning/GuardedPath.h"

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
