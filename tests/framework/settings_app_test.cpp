// The settings store in the real registry, and what the program knows of itself.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "framework/App.h"
#include "framework/Runtime.h"
#include "framework/Settings.h"

using namespace testing_support;

namespace {

struct AppName {
    std::string name = UniqueName("GfStore");
    ~AppName() { RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + name).c_str()); }
};

std::string RunChild(const std::string& exe, const std::string& args) {
    std::string cmd = "\"" + exe + "\" " + args;
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return "start failed";
    WaitForSingleObject(pi.hProcess, 20000);
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return std::to_string(code);
}

}  // namespace

TEST(Settings, DefaultsOverwriteAndCase) {
    AppName app;
    EXPECT_EQ(gf::GetSetting(app.name, "ProgramSettings", "AutoRun", "0"), "0");
    EXPECT_EQ(gf::GetSetting(app.name, "ProgramSettings", "AutoRun"), "");
    gf::SaveSetting(app.name, "ProgramSettings", "AutoRun", "1");
    EXPECT_EQ(gf::GetSetting(app.name, "ProgramSettings", "AutoRun", "0"), "1");
    gf::SaveSetting(app.name, "ProgramSettings", "autorun", "True");
    EXPECT_EQ(gf::GetSetting(app.name, "programsettings", "AUTORUN", "0"), "True");
    // Stored as REG_SZ where the store says it lives.
    HKEY h;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\" + app.name + "\\ProgramSettings").c_str(),
                            0, KEY_READ, &h),
              ERROR_SUCCESS);
    DWORD type = 0;
    RegQueryValueExA(h, "AutoRun", nullptr, &type, nullptr, nullptr);
    RegCloseKey(h);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    // An empty text is a stored value, not an absence.
    gf::SaveSetting(app.name, "S", "blank", "");
    EXPECT_EQ(gf::GetSetting(app.name, "S", "blank", "dflt"), "");
    gf::DeleteSetting(app.name, "S", "blank");
    EXPECT_EQ(gf::GetSetting(app.name, "S", "blank", "dflt"), "dflt");
    // Sections are separate.
    EXPECT_EQ(gf::GetSetting(app.name, "Settings", "AutoRun", "none"), "none");
    // Long texts read whole (the caption list's keys are window titles of any length).
    for (size_t n : {255u, 256u, 257u, 4000u}) {
        std::string text(n, 'x');
        text.back() = 'y';
        gf::SaveSetting(app.name, "S", "long", text);
        EXPECT_EQ(gf::GetSetting(app.name, "S", "long", "dflt"), text) << n;
    }
    // A value of another type, short or long, is not a setting: the default comes back.
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\" + app.name + "\\S").c_str(), 0, KEY_SET_VALUE, &h),
              ERROR_SUCCESS);
    DWORD number = 7;
    std::string blob(600, '\1');
    RegSetValueExA(h, "number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegSetValueExA(h, "blob", 0, REG_BINARY, reinterpret_cast<const BYTE*>(blob.data()), 600);
    RegCloseKey(h);
    EXPECT_EQ(gf::GetSetting(app.name, "S", "number", "dflt"), "dflt");
    EXPECT_EQ(gf::GetSetting(app.name, "S", "blob", "dflt"), "dflt");
}

TEST(Settings, ASectionHeldOpenReadsAndWritesAsTheSingleCallsDo) {
    AppName app;
    {
        // Missing when opened for reading: every key reads as its default.
        gf::SettingsSection missing(app.name, "Settings");
        EXPECT_EQ(missing.Get("chkInternet0", "0"), "0");
    }
    {
        gf::SettingsSection writer(app.name, "Settings", gf::SettingsSection::ForWriting);  // creates it
        writer.Save("chkInternet0", "1");
        writer.Save("chkInternet1", "");
    }
    gf::SettingsSection reader(app.name, "settings");
    EXPECT_EQ(reader.Get("CHKINTERNET0", "0"), "1");
    EXPECT_EQ(reader.Get("chkInternet1", "dflt"), "");
    EXPECT_EQ(reader.Get("chkInternet2", "dflt"), "dflt");
    // A write through another handle while the reader is open is seen at once.
    gf::SaveSetting(app.name, "Settings", "chkInternet0", "0");
    EXPECT_EQ(reader.Get("chkInternet0", "1"), "0");
    EXPECT_EQ(gf::GetSetting(app.name, "Settings", "chkInternet1", "dflt"), "");
}

TEST(Settings, ARenamedExecutableReadsItsOwnPartOfTheStore) {
    // The child writes under its own executable name; a copy under another name
    // reads its own (empty) part.
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string self = exe;
    std::string dir = self.substr(0, self.find_last_of('\\'));
    std::string nameA = UniqueName("StoreA"), nameB = UniqueName("StoreB");
    std::string exeA = dir + "\\" + nameA + ".exe", exeB = dir + "\\" + nameB + ".exe";
    ASSERT_TRUE(CopyFileA(self.c_str(), exeA.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(self.c_str(), exeB.c_str(), FALSE));
    std::string filter = "--gtest_filter=SettingsChild.WriteThenRead";
    EXPECT_EQ(RunChild(exeA, filter + " --gf_write"), "0");
    EXPECT_EQ(gf::GetSetting(nameA, "ProgramSettings", "marker", "none"), nameA);
    EXPECT_EQ(gf::GetSetting(nameB, "ProgramSettings", "marker", "none"), "none");
    EXPECT_EQ(RunChild(exeB, filter), "0");  // reads "none" in its own part
    DeleteFileA(exeA.c_str());
    DeleteFileA(exeB.c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + nameA).c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + nameB).c_str());
}

// Runs only inside the renamed copies above.
TEST(SettingsChild, WriteThenRead) {
    std::string cmd = GetCommandLineA();
    if (gf::App::EXEName().rfind("Store", 0) != 0) GTEST_SKIP() << "child only";
    if (cmd.find("--gf_write") != std::string::npos)
        gf::SaveSetting(gf::App::EXEName(), "ProgramSettings", "marker", gf::App::EXEName());
    else
        EXPECT_EQ(gf::GetSetting(gf::App::EXEName(), "ProgramSettings", "marker", "none"), "none");
}

TEST(App, KnowsItsFolderNameAndTitle) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string self = exe;
    EXPECT_EQ(gf::App::Path(), self.substr(0, self.find_last_of('\\')));
    EXPECT_EQ(gf::App::EXEName(), "framework_settings_app_test");
    EXPECT_EQ(gf::App::Title(), "framework_settings_app_test");
    gf::App::SetTitle("Glimmerfold");
    EXPECT_EQ(gf::App::Title(), "Glimmerfold");
}

TEST(App, PrevInstanceSeesAnEarlierProcessOfTheSameName) {
    // This process asks first, so it is not a previous instance's follower...
    EXPECT_FALSE(gf::App::PrevInstance());
    // ...and a second process of the same executable is.
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    EXPECT_EQ(RunChild(exe, "--gtest_filter=AppChild.IsFollower --gf_child"), "0");
}

TEST(AppChild, IsFollower) {
    if (std::string(GetCommandLineA()).find("--gf_child") == std::string::npos)
        GTEST_SKIP() << "child only";
    EXPECT_TRUE(gf::App::PrevInstance());
}

TEST(Runtime, DoEventsRunsPendingMessagesAndKeepsQuit) {
    static int seen = 0;
    struct Proc {
        static LRESULT CALLBACK Wnd(HWND h, UINT m, WPARAM w, LPARAM l) {
            if (m == WM_APP + 1) ++seen;
            return DefWindowProcA(h, m, w, l);
        }
    };
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc::Wnd;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GfDoEventsTest";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowA("GfDoEventsTest", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    PostMessageA(hwnd, WM_APP + 1, 0, 0);
    PostMessageA(hwnd, WM_APP + 1, 0, 0);
    gf::DoEvents();
    EXPECT_EQ(seen, 2);
    PostQuitMessage(3);
    gf::DoEvents();
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    DestroyWindow(hwnd);
}
