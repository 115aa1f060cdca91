// Framework services against the real registry and real windows: the settings store, the
// message-loop turn, the saved-properties store and a hosted control's notifications in
// their order. GF_EXCLUSIVE_DISPLAY: the host takes the activation.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostWindow.h"
#include "TestSupport.h"
#include "framework/Error.h"
#include "framework/PropertyBag.h"
#include "framework/Runtime.h"
#include "framework/Settings.h"
#include "framework/UserControl.h"

using namespace testing_support;
using gf::PropertyBag;
using Log = std::vector<std::string>;

// Texts per user under HKCU\Software\<application>\<section>, one REG_SZ value per key,
// names in any letter case, a default for what is missing.
TEST(Settings, StoredAsTextsPerApplicationAndSectionWithDefaults) {
    const std::string app = UniqueName("GfStore");
    auto get = [&](const char* section, const char* key) { return gf::GetSetting(app, section, key, "dflt"); };
    EXPECT_EQ(get("ProgramSettings", "AutoRun") + gf::GetSetting(app, "ProgramSettings", "AutoRun"), "dflt");
    gf::SaveSetting(app, "ProgramSettings", "AutoRun", "1");
    EXPECT_EQ(get("ProgramSettings", "AutoRun"), "1");
    gf::SaveSetting(app, "ProgramSettings", "autorun", "True");
    EXPECT_EQ(get("programsettings", "AUTORUN"), "True");
    DWORD type = 0, size = 0;
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\" + app + "\\ProgramSettings").c_str(), 0, KEY_ALL_ACCESS, &key);
    RegQueryValueExW(key, L"AutoRun", nullptr, &type, nullptr, &size);
    EXPECT_EQ(Xy(type, size), Xy(REG_SZ, 10));  // "True" and its NUL, as stored
    // A value of another type is no text: the default.
    RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&size), sizeof size);
    RegCloseKey(key);
    gf::SaveSetting(app, "S", "blank", "");  // an empty text is a stored value, not an absence
    // Sections and applications are separate.
    EXPECT_EQ(get("ProgramSettings", "Number") + "|" + get("S", "blank") + "|" + get("Settings", "AutoRun") + "|" +
                  gf::GetSetting(UniqueName("GfOther"), "ProgramSettings", "AutoRun", "dflt"),
              "dflt||dflt|dflt");
    // Long texts read whole (the caption list's keys are window titles of any length).
    for (size_t n : {255u, 256u, 4000u}) {
        std::string text(n, 'x');
        text.back() = 'y';
        gf::SaveSetting(app, "S", "long", text);
        EXPECT_EQ(get("S", "long"), text) << n;
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + app).c_str());
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

TEST(PropertyBag, KeysIgnoreCaseDefaultsAreLeftOutAndReadsConvert) {
    PropertyBag bag;
    bag.WriteProperty("Caption", "Go", "ButtonEx1");
    EXPECT_EQ(bag.ReadString("CAPTION", "x"), "Go");
    bag.WriteProperty("caption", "ButtonEx1", "ButtonEx1");  // back at its default: gone
    EXPECT_TRUE(bag.Entries().empty());
    bag.WriteProperty("Flag", true);
    bag.WriteProperty("Half", 2.5);
    bag.WriteProperty("Colour", -2147483633L);
    bag.WriteProperty("Count", "12");
    bag.WriteProperty("flag", false);  // replaced in its place
    EXPECT_EQ(Xy(bag.Entries().size(), bag.ReadLong("Flag", 9)) + bag.Entries()[0].Name, "4,0Flag");
    bag.WriteProperty("Flag", true);
    // Saved Booleans are -1 and 0; halves go to even; numbers read as texts and texts as numbers.
    EXPECT_EQ(Xy(bag.ReadLong("Flag", 0), bag.ReadLong("Half", 0)) + bag.ReadString("Flag", "") + bag.ReadString("Half", ""),
              "-1,2True2.5");
    EXPECT_EQ(bag.ReadDouble("Colour", 0), -2147483633.0);
    EXPECT_EQ(bag.ReadLong("Count", 0), 12);
    bag.WriteProperty("Caption", "Go");
    EXPECT_THROW(bag.ReadLong("Caption", 0), gf::Error);  // a text that is no number
    bag.WriteProperty("Colour", 4294967296.0);  // beyond a colour's signed and unsigned forms
    EXPECT_THROW(bag.ReadColor("Colour", 0), gf::Error);
}

namespace {

// Records the notifications of its life, with the size it has at each.
class Recorder : public gf::UserControl {
public:
    using UserControl::UserControl;
    ~Recorder() override { Unload(); }
    const char* TypeName() const override { return "Recorder"; }
    Log Take() { return std::exchange(log, {}); }
    std::string Size() { return Xy(long(Surface().ScaleWidth()), long(Surface().ScaleHeight())); }
    Log log;

    void UserControl_Initialize() override { log.push_back("Initialize"), SetExtent(1200, 360); }
    void UserControl_InitProperties() override { log.push_back("InitProperties"); }
    void UserControl_ReadProperties(const PropertyBag& bag) override {
        log.push_back("ReadProperties " + Size() + " " + bag.ReadString("Caption", "?"));
    }
    void UserControl_WriteProperties(PropertyBag& bag) override { bag.WriteProperty("Caption", "Saved", ""); }
    void UserControl_Resize() override { log.push_back("Resize " + Size()); }
    void UserControl_Show() override { log.push_back("Show"); }
    void UserControl_Hide() override { log.push_back("Hide"); }
    void UserControl_Terminate() override { log.push_back("Terminate"); }
};

}  // namespace

TEST(Hosting, NewAndSavedControlsStartUpInOrderAndEndWithTheirContainer) {
    HostWindow host(100, 100, 300, 200, RGB(30, 120, 60));
    Recorder fresh("Fresh"), loaded("Loaded");
    fresh.Move(150, 300, 0, 0);
    fresh.Load(host.Hwnd());
    EXPECT_EQ(fresh.Take(), (Log{"Initialize", "InitProperties", "Resize 80,24", "Show"}));
    RECT r;
    GetWindowRect(fresh.Hwnd(), &r);
    PropertyBag saved, bag;
    fresh.SaveProperties(saved);
    EXPECT_EQ(Xy(r.left, r.top) + " " + Xy(saved.ReadLong("_ExtentX", 0), saved.ReadLong("_ExtentY", 0)) + " " +
                  saved.ReadString("Caption", ""),
              "110,120 2117,635 Saved");
    // The saved extent is in place before the control reads its properties.
    bag.WriteProperty("_ExtentX", 4180L);
    bag.WriteProperty("_ExtentY", 2117L);
    bag.WriteProperty("caption", "Hello");
    loaded.Load(host.Hwnd(), &bag);
    EXPECT_EQ(loaded.Take(), (Log{"Initialize", "ReadProperties 158,80 Hello", "Resize 158,80", "Show"}));
    loaded.SetVisible(false), loaded.SetVisible(false), loaded.SetVisible(true);
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
