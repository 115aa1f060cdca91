// The test sandbox itself: nothing a test does can reach the Linux file system
// through a drive letter, a rooted path or the user's folders.
// GF_EXCLUSIVE_PROFILE: a cleaning test moves the profile away for a moment.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

using namespace testing_support;

namespace {

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

}  // namespace

// Drives C: and D: only, and E: as a second name of C: when the cleaning tests made it
// (they reach the system through it); a rooted path lists the build folder.
TEST(Sandbox, OnlyDrivesCAndDExistAndRootedPathsListTheBuildFolder) {
    DWORD drives = GetLogicalDrives();
    EXPECT_EQ(drives & ~(1u << 4), (1u << 2) | (1u << 3)) << "drive mask " << drives;
    std::string marker = "C:\\users\\Public\\" + UniqueName("marker");
    WriteFileText(marker, "x");
    EXPECT_TRUE(!(drives & (1u << 4)) || PathExists("E:" + marker.substr(2))) << "E: is not C:";
    DeleteFileA(marker.c_str());
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    EXPECT_EQ(std::string(cwd).substr(0, 2), "D:");
    EXPECT_TRUE(PathExists("\\CMakeCache.txt")) << "\\ is not the build folder";
    for (const char* linuxDir : {"etc", "usr", "proc", "sys", "boot", "var"})
        EXPECT_FALSE(PathExists(std::string("\\") + linuxDir)) << "\\ holds " << linuxDir;
}

// A file made or recycled through a Windows folder must show up inside the build folder.
TEST(Sandbox, UserFoldersAndTheRecycleBinLeadIntoTheBuildFolder) {
    EXPECT_EQ(ShellFolder(CSIDL_PROFILE).substr(0, 3), "C:\\");
    const std::pair<std::string, const char*> folders[] = {
        {ShellFolder(CSIDL_DESKTOPDIRECTORY), "sandbox\\home\\Desktop"},
        {ShellFolder(CSIDL_PERSONAL), "sandbox\\home\\Documents"}};
    for (const auto& [folder, inBuild] : folders) {
        ASSERT_FALSE(folder.empty());
        const std::string name = UniqueName("marker") + ".txt";
        WriteFileText(folder + "\\" + name, "x");
        EXPECT_TRUE(PathExists(BuildDrive() + inBuild + "\\" + name)) << folder << " does not lead to " << inBuild;
        DeleteFileA((folder + "\\" + name).c_str());
    }
    ScratchDir dir;
    const std::string name = UniqueName("recycled") + ".txt", from = dir / name + std::string(1, '\0');
    WriteFileText(dir / name, "x");
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    ASSERT_EQ(SHFileOperationA(&op), 0);
    EXPECT_FALSE(PathExists(dir / name));
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
