// Framework services against the real registry and real windows: the settings store,
// what the program knows of itself (App), the message-loop turn; the saved-properties
// store of user controls, and a hosted control's notifications in their order, with its
// mouse pointer. GF_EXCLUSIVE_DISPLAY: the control's host window takes the activation.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostWindow.h"
#include "Process.h"
#include "TestSupport.h"
#include "framework/App.h"
#include "framework/Error.h"
#include "framework/PropertyBag.h"
#include "framework/Runtime.h"
#include "framework/Settings.h"
#include "framework/UserControl.h"

using namespace testing_support;
using gf::PropertyBag;
using Log = std::vector<std::string>;

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
    // Long texts read whole (the caption list's keys are window titles of any length).
    for (size_t n : {255u, 256u, 4000u}) {
        std::string text(n, 'x');
        text.back() = 'y';
        gf::SaveSetting(app, "S", "long", text);
        EXPECT_EQ(gf::GetSetting(app, "S", "long", "dflt"), text) << n;
    }
    // A section held open reads and writes as the single calls do.
    {
        gf::SettingsSection writer(app, "Held", gf::SettingsSection::ForWriting);
        writer.Save("chkInternet0", "1");
    }
    gf::SettingsSection reader(app, "held");
    EXPECT_EQ(reader.Get("CHKINTERNET0", "0"), "1");
    EXPECT_EQ(reader.Get("chkInternet1", "dflt"), "dflt");
    gf::SaveSetting(app, "Held", "chkInternet0", "0");
    EXPECT_EQ(reader.Get("chkInternet0", "1"), "0");
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
    EXPECT_EQ(gf::App::EXEName(), "framework_services_test");
    EXPECT_EQ(gf::App::Title(), "framework_services_test");
    gf::App::SetTitle("Glimmerfold");
    EXPECT_EQ(gf::App::Title(), "Glimmerfold");
    // This process asks first, so it follows no previous instance; a second process of
    // the same executable does.
    EXPECT_FALSE(gf::App::PrevInstance());
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    EXPECT_EQ(RunChild(self, "--gtest_filter=AppChild.IsFollower --gf_child"), 0u);
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

namespace {

// Records the notifications of its life, with the size it has at each.
class Recorder : public gf::UserControl {
public:
    using UserControl::UserControl;
    ~Recorder() override { Unload(); }
    const char* TypeName() const override { return "Recorder"; }
    Log Take() { return std::exchange(log, {}); }
    Log log;

    void UserControl_Initialize() override {
        log.push_back("Initialize");
        SetExtent(1200, 360);
    }
    void UserControl_InitProperties() override { log.push_back("InitProperties"); }
    void UserControl_ReadProperties(const PropertyBag& bag) override {
        log.push_back("ReadProperties " + Size() + " " + bag.ReadString("Caption", "?"));
    }
    void UserControl_WriteProperties(PropertyBag& bag) override { bag.WriteProperty("Caption", "Saved", ""); }
    void UserControl_Resize() override { log.push_back("Resize " + Size()); }
    void UserControl_Show() override { log.push_back("Show"); }
    void UserControl_Hide() override { log.push_back("Hide"); }
    void UserControl_Terminate() override { log.push_back("Terminate"); }

private:
    std::string Size() {
        return std::to_string(int(Surface().ScaleWidth())) + "x" + std::to_string(int(Surface().ScaleHeight()));
    }
};

}  // namespace

TEST(PropertyBag, KeysIgnoreCaseDefaultsAreLeftOutAndReadsConvert) {
    PropertyBag bag;
    bag.WriteProperty("Caption", "Go", "ButtonEx1");
    bag.WriteProperty("Enabled", true, true);  // equal to its default: left out
    EXPECT_EQ(bag.ReadString("CAPTION", "x"), "Go");
    EXPECT_FALSE(bag.Contains("Enabled"));
    EXPECT_EQ(bag.ReadLong("Value", 7), 7);
    bag.WriteProperty("caption", "ButtonEx1", "ButtonEx1");  // back at its default: gone
    EXPECT_TRUE(bag.Entries().empty());
    bag.WriteProperty("Flag", true);
    bag.WriteProperty("Half", 2.5);
    EXPECT_EQ(bag.ReadLong("Flag", 0), -1);  // saved Booleans are -1 and 0
    EXPECT_EQ(bag.ReadString("Flag", ""), "True");
    EXPECT_EQ(bag.ReadLong("Half", 0), 2);  // half to even
    bag.WriteProperty("Colour", 4294967296.0);  // beyond a colour's signed and unsigned forms
    EXPECT_THROW(bag.ReadColor("Colour", 0), gf::Error);
}

TEST(Hosting, NewAndSavedControlsStartUpInOrderAndEndWithTheirContainer) {
    HostWindow host(100, 100, 300, 200, RGB(30, 120, 60));
    Recorder fresh("Fresh");
    fresh.Move(150, 300, 0, 0);
    fresh.Load(host.Hwnd());
    EXPECT_EQ(fresh.Take(), (Log{"Initialize", "InitProperties", "Resize 80x24", "Show"}));
    RECT r;
    GetWindowRect(fresh.Hwnd(), &r);
    EXPECT_EQ(Xy(r.left, r.top), "110,120");
    PropertyBag saved;
    fresh.SaveProperties(saved);
    EXPECT_EQ(saved.ReadLong("_ExtentX", 0), 2117);
    EXPECT_EQ(saved.ReadLong("_ExtentY", 0), 635);
    EXPECT_EQ(saved.ReadString("Caption", ""), "Saved");

    // The saved extent is in place before the control reads its properties.
    PropertyBag bag;
    bag.WriteProperty("_ExtentX", 4180L);
    bag.WriteProperty("_ExtentY", 2117L);
    bag.WriteProperty("caption", "Hello");
    Recorder loaded("Loaded");
    loaded.Load(host.Hwnd(), &bag);
    EXPECT_EQ(loaded.Take(), (Log{"Initialize", "ReadProperties 158x80 Hello", "Resize 158x80", "Show"}));
    loaded.SetVisible(false);
    loaded.SetVisible(false);
    loaded.SetVisible(true);
    loaded.Unload();
    EXPECT_EQ(loaded.Take(), (Log{"Hide", "Show", "Terminate"}));

    // The pointer: a standard one by number, or the control's own icon.
    LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    fresh.SetMousePointer(11);
    SendMessageA(fresh.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(fresh.Hwnd()), hit);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    auto icon = gf::StdPicture::FromIcon(CopyIcon(LoadIconA(nullptr, IDI_QUESTION)));
    fresh.SetMouseIcon(icon);
    fresh.SetMousePointer(99);
    SendMessageA(fresh.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(fresh.Hwnd()), hit);
    EXPECT_EQ(GetCursor(), static_cast<HCURSOR>(icon->Handle()));

    DestroyWindow(host.Hwnd());  // the container goes: its controls terminate
    EXPECT_EQ(fresh.Take(), Log{"Terminate"});
    EXPECT_FALSE(fresh.Loaded());
}
