// The test sandbox itself: nothing a test does can reach the Linux file system
// through a drive letter, a rooted path or the user's folders.
// GF_EXCLUSIVE_PROFILE: a cleaning test moves the profile away for a moment.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

using namespace testing_support;

// Drives C: and D: only, and E: as a second name of C: when the cleaning tests made it
// (they reach the system through it); a rooted path lists the build folder.
TEST(Sandbox, OnlyDrivesCAndDExistAndRootedPathsListTheBuildFolder) {
    DWORD drives = GetLogicalDrives();
    EXPECT_EQ(drives & ~(1u << 4), (1u << 2) | (1u << 3)) << "drive mask " << drives;
    std::string marker = "C:\\users\\Public\\" + UniqueName("marker");
    WriteFileText(marker, "x");
    EXPECT_TRUE(!(drives & (1u << 4)) || PathExists("E:" + marker.substr(2))) << "E: is not C:";
    DeleteFileA(marker.c_str());
    EXPECT_TRUE(PathExists("\\CMakeCache.txt")) << "\\ is not the build folder";  // D:, where the test started
    for (const char* linuxDir : {"etc", "usr", "proc", "sys", "boot", "var"})
        EXPECT_FALSE(PathExists(std::string("\\") + linuxDir)) << "\\ holds " << linuxDir;
}

// The profile is on C:; a file made in a user folder or recycled shows up in the build folder.
TEST(Sandbox, UserFoldersAndTheRecycleBinLeadIntoTheBuildFolder) {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, folder);
    EXPECT_EQ(std::string(folder).substr(0, 3), "C:\\");
    ScratchDir dir;
    for (auto [csidl, inBuild] : {std::pair{CSIDL_DESKTOPDIRECTORY, "Desktop"}, {CSIDL_PERSONAL, "Documents"},
                                  {-1, ".local\\share\\Trash\\files"}}) {
        const std::string name = UniqueName("marker") + ".txt";
        ASSERT_TRUE(csidl < 0 || SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder) == S_OK);
        const std::string path = (csidl < 0 ? dir.Path() : std::string(folder)) + "\\" + name;
        WriteFileText(path, "x");
        if (csidl < 0) {
            ASSERT_TRUE(Recycle(path));
        }
        EXPECT_TRUE(PathExists("D:\\sandbox\\home\\" + std::string(inBuild) + "\\" + name)) << path;
        DeleteFileA(path.c_str());
    }
}

// The program is 32-bit and is tested as 64-bit Windows runs it: under WoW64, with the
// 32-bit Program Files folder and the 32-bit view of HKLM\Software.
TEST(Sandbox, RunsAs32BitProgramUnderWow64) {
    static_assert(sizeof(void*) == 4, "the tests are built for 32-bit Windows");
    BOOL wow64 = FALSE;
    EXPECT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
    char programFiles[MAX_PATH] = {};
    GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH);
    EXPECT_STREQ(programFiles, "C:\\Program Files (x86)");
    // A key written through the redirected view shows up under Wow6432Node in the 64-bit one.
    ScratchKey probe(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\" + probe.Path().substr(9), KEY_WOW64_64KEY));
}
