// User-control hosting: the saved-properties store, and a real control window's
// notifications in their order, with its mouse pointer.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostWindow.h"
#include "TestSupport.h"
#include "framework/Error.h"
#include "framework/PropertyBag.h"
#include "framework/UserControl.h"

using namespace testing_support;
using gf::PropertyBag;
using Log = std::vector<std::string>;

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
    bag.WriteProperty("Font", gf::StdFont{"Verdana", 8.25});
    EXPECT_EQ(bag.ReadLong("Flag", 0), -1);  // saved Booleans are -1 and 0
    EXPECT_EQ(bag.ReadString("Flag", ""), "True");
    EXPECT_EQ(bag.ReadLong("Half", 0), 2);  // half to even
    try {
        bag.ReadLong("Font", 0);
        ADD_FAILURE() << "a font read as a number must fail";
    } catch (const gf::Error& e) {
        EXPECT_EQ(e.Number, 13);
    }
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
