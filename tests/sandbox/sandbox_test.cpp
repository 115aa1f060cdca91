// The test sandbox itself: nothing a test does can reach the Linux file system
// through a drive letter, a rooted path or the user's folders.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "TestSupport.h"

using namespace testing_support;

namespace {

std::set<std::string> ListFolder(const std::string& pattern) {
    std::set<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.insert(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// A marker made through a Windows path must show up inside the build folder.
void ExpectLeadsIntoBuild(const std::string& folder, const std::string& buildRelative) {
    ASSERT_FALSE(folder.empty());
    std::string name = UniqueName("marker") + ".txt";
    WriteFileText(folder + "\\" + name, "x");
    std::string inBuild = BuildDrive() + buildRelative + "\\" + name;
    bool found = PathExists(inBuild);
    DeleteFileA((folder + "\\" + name).c_str());
    EXPECT_TRUE(found) << folder << " does not lead to " << inBuild;
}

}  // namespace

// E: only as a second name of C: (the cleaning tests reach the system through it).
TEST(Sandbox, OnlyDrivesCAndDExistAndEIsCAgain) {
    EXPECT_EQ(GetFileAttributesA("Z:\\"), INVALID_FILE_ATTRIBUTES);
    DWORD drives = GetLogicalDrives();
    EXPECT_EQ(drives & ~((1u << 2) | (1u << 3) | (1u << 4)), 0u) << "drive mask " << drives;
    std::string marker = "C:\\users\\Public\\" + UniqueName("marker");
    WriteFileText(marker, "x");
    EXPECT_TRUE(!(drives & (1u << 4)) || PathExists("E:" + marker.substr(2))) << "E: is not C:";
    DeleteFileA(marker.c_str());
}

TEST(Sandbox, RootedPathListsTheBuildFolderNotLinuxRoot) {
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    EXPECT_EQ(std::string(cwd).substr(0, 2), "D:");
    auto names = ListFolder("\\*");
    EXPECT_TRUE(names.count("CMakeCache.txt")) << "\\* did not list the build folder";
    for (const char* linuxDir : {"etc", "usr", "proc", "sys", "boot", "var"})
        EXPECT_FALSE(names.count(linuxDir)) << "\\* lists " << linuxDir;
}

TEST(Sandbox, UserFoldersLeadIntoTheBuildFolder) {
    ExpectLeadsIntoBuild(ShellFolder(CSIDL_DESKTOPDIRECTORY), "sandbox\\home\\Desktop");
    ExpectLeadsIntoBuild(ShellFolder(CSIDL_PERSONAL), "sandbox\\home\\Documents");
    std::string profile = ShellFolder(CSIDL_PROFILE);
    EXPECT_EQ(profile.substr(0, 3), "C:\\");
}

TEST(Sandbox, RecycleBinLeadsIntoTheBuildFolder) {
    ScratchDir dir;
    std::string name = UniqueName("recycled") + ".txt";
    std::string file = dir / name;
    WriteFileText(file, "x");
    std::string from = file + std::string(1, '\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    ASSERT_EQ(SHFileOperationA(&op), 0);
    EXPECT_FALSE(PathExists(file));
    EXPECT_TRUE(PathExists(BuildDrive() + "sandbox\\home\\.local\\share\\Trash\\files\\" + name));
}

// The program is 32-bit and is tested as 64-bit Windows runs it: under WoW64, with the
// 32-bit Program Files folder and the 32-bit view of HKLM\Software.
TEST(Sandbox, RunsAs32BitProgramUnderWow64) {
    static_assert(sizeof(void*) == 4, "the tests are built for 32-bit Windows");
    BOOL wow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    EXPECT_TRUE(wow64);
    char programFiles[MAX_PATH] = {};
    GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH);
    EXPECT_STREQ(programFiles, "C:\\Program Files (x86)");
    // A key written through the redirected view shows up under Wow6432Node in the 64-bit one.
    const char* probe = "SOFTWARE\\GlimmerfoldViewProbe";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, probe, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    HKEY seen = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\GlimmerfoldViewProbe", 0,
                            KEY_READ | KEY_WOW64_64KEY, &seen),
              ERROR_SUCCESS);
    if (seen) RegCloseKey(seen);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, probe, KEY_WOW64_32KEY, 0);
}
