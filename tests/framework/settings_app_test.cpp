// The settings store in the real registry, and what the program knows of itself.
#include <windows.h>

#include <gtest/gtest.h>

#include "Process.h"
#include "TestSupport.h"
#include "framework/App.h"
#include "framework/Runtime.h"
#include "framework/Settings.h"

using namespace testing_support;

namespace {

// Runs a copy of this test program with arguments; its exit code.
DWORD RunChild(const std::string& exe, const std::string& args) {
    return ChildProcess("\"" + exe + "\" " + args).Wait();
}

}  // namespace

TEST(Settings, DefaultsOverwriteAndCase) {
    const std::string app = UniqueName("GfStore");
    EXPECT_EQ(gf::GetSetting(app, "ProgramSettings", "AutoRun", "0"), "0");
    EXPECT_EQ(gf::GetSetting(app, "ProgramSettings", "AutoRun"), "");
    gf::SaveSetting(app, "ProgramSettings", "AutoRun", "1");
    EXPECT_EQ(gf::GetSetting(app, "ProgramSettings", "AutoRun", "0"), "1");
    gf::SaveSetting(app, "ProgramSettings", "autorun", "True");
    EXPECT_EQ(gf::GetSetting(app, "programsettings", "AUTORUN", "0"), "True");
    // Stored as REG_SZ where the store says it lives.
    DWORD type = 0;
    RegGetValueA(HKEY_CURRENT_USER, ("Software\\" + app + "\\ProgramSettings").c_str(), "AutoRun", RRF_RT_ANY, &type,
                 nullptr, nullptr);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    // An empty text is a stored value, not an absence.
    gf::SaveSetting(app, "S", "blank", "");
    EXPECT_EQ(gf::GetSetting(app, "S", "blank", "dflt"), "");
    gf::DeleteSetting(app, "S", "blank");
    EXPECT_EQ(gf::GetSetting(app, "S", "blank", "dflt"), "dflt");
    EXPECT_EQ(gf::GetSetting(app, "Settings", "AutoRun", "none"), "none");  // sections are separate
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + app).c_str());
}

TEST(Settings, ARenamedExecutableReadsItsOwnPartOfTheStore) {
    // The child writes under its own executable name; a copy under another name
    // reads its own (empty) part.
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string nameA = UniqueName("StoreA"), nameB = UniqueName("StoreB");
    std::string exeA = ExeFolder() + "\\" + nameA + ".exe", exeB = ExeFolder() + "\\" + nameB + ".exe";
    ASSERT_TRUE(CopyFileA(self, exeA.c_str(), FALSE) && CopyFileA(self, exeB.c_str(), FALSE));
    std::string filter = "--gtest_filter=SettingsChild.WriteThenRead";
    EXPECT_EQ(RunChild(exeA, filter + " --gf_write"), 0u);
    EXPECT_EQ(gf::GetSetting(nameA, "ProgramSettings", "marker", "none"), nameA);
    EXPECT_EQ(gf::GetSetting(nameB, "ProgramSettings", "marker", "none"), "none");
    EXPECT_EQ(RunChild(exeB, filter), 0u);  // reads "none" in its own part
    for (const std::string& name : {nameA, nameB}) {
        DeleteFileA((ExeFolder() + "\\" + name + ".exe").c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + name).c_str());
    }
}

// Runs only inside the renamed copies above.
TEST(SettingsChild, WriteThenRead) {
    if (gf::App::EXEName().rfind("Store", 0) != 0) GTEST_SKIP() << "child only";
    if (std::string(GetCommandLineA()).find("--gf_write") != std::string::npos)
        gf::SaveSetting(gf::App::EXEName(), "ProgramSettings", "marker", gf::App::EXEName());
    else
        EXPECT_EQ(gf::GetSetting(gf::App::EXEName(), "ProgramSettings", "marker", "none"), "none");
}

TEST(App, KnowsItsFolderNameTitleAndPreviousInstance) {
    EXPECT_EQ(gf::App::Path(), ExeFolder());
    EXPECT_EQ(gf::App::EXEName(), "framework_settings_app_test");
    EXPECT_EQ(gf::App::Title(), "framework_settings_app_test");
    gf::App::SetTitle("Glimmerfold");
    EXPECT_EQ(gf::App::Title(), "Glimmerfold");
    // This process asks first, so it follows no previous instance; a second process of
    // the same executable does.
    EXPECT_FALSE(gf::App::PrevInstance());
    EXPECT_EQ(RunChild(ExeFolder() + "\\framework_settings_app_test.exe", "--gtest_filter=AppChild.IsFollower --gf_child"),
              0u);
}

TEST(AppChild, IsFollower) {
    if (std::string(GetCommandLineA()).find("--gf_child") == std::string::npos) GTEST_SKIP() << "child only";
    EXPECT_TRUE(gf::App::PrevInstance());
}

TEST(Runtime, DoEventsRunsPendingMessagesAndKeepsQuit) {
    int seen = 0;
    MessageProbe probe([&] { ++seen; });
    probe.Post();
    probe.Post();
    gf::DoEvents();
    EXPECT_EQ(seen, 2);
    PostQuitMessage(3);
    gf::DoEvents();
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}
