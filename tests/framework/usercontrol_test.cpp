// User-control hosting: the saved-properties store, colour references, picture sizes,
// and a real control window under the virtual display driven by real messages.
// GF_EXCLUSIVE_DISPLAY (moves the focus and reads screen pixels)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostWindow.h"
#include "TestSupport.h"
#include "framework/Error.h"
#include "framework/OleColor.h"
#include "framework/PropertyBag.h"
#include "framework/UserControl.h"

using namespace testing_support;
using gf::PictureRef;
using gf::PropertyBag;
using gf::StdPicture;

namespace {

constexpr COLORREF kHostFill = RGB(30, 120, 60);

// Records every notification it gets, with its arguments.
class Recorder : public gf::UserControl {
public:
    using UserControl::UserControl;
    ~Recorder() override { Unload(); }
    using UserControl::PropertyChanged;
    using UserControl::SetExtent;
    const char* TypeName() const override { return "Recorder"; }

    std::vector<std::string> log;
    std::vector<std::string> Take() { return std::exchange(log, {}); }

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
    void UserControl_GotFocus() override { log.push_back("GotFocus"); }
    void UserControl_LostFocus() override { log.push_back("LostFocus"); }
    void UserControl_AmbientChanged(const std::string& name) override { log.push_back("AmbientChanged " + name); }
    void UserControl_AccessKeyPress(int key) override { log.push_back("AccessKeyPress " + std::to_string(key)); }
    void UserControl_Click() override { log.push_back("Click"); }
    void UserControl_DblClick() override { log.push_back("DblClick"); }
    void UserControl_MouseDown(int b, int s, float x, float y) override { Mouse("MouseDown", b, x, y); }
    void UserControl_MouseMove(int b, int s, float x, float y) override { Mouse("MouseMove", b, x, y); }
    void UserControl_MouseUp(int b, int s, float x, float y) override { Mouse("MouseUp", b, x, y); }
    void UserControl_KeyDown(int k, int s) override { log.push_back("KeyDown " + std::to_string(k)); }
    void UserControl_KeyPress(int k) override { log.push_back("KeyPress " + std::to_string(k)); }
    void UserControl_KeyUp(int k, int s) override { log.push_back("KeyUp " + std::to_string(k)); }

private:
    std::string Size() {
        return std::to_string(static_cast<int>(Surface().ScaleWidth())) + "x" +
               std::to_string(static_cast<int>(Surface().ScaleHeight()));
    }
    void Mouse(const char* what, int button, float x, float y) {
        log.push_back(std::string(what) + " " + std::to_string(button) + " " + std::to_string(static_cast<int>(x)) +
                      "," + std::to_string(static_cast<int>(y)));
    }
};

std::vector<std::string> Only(const std::vector<std::string>& log, const std::string& prefix) {
    std::vector<std::string> kept;
    for (const auto& line : log)
        if (line.rfind(prefix, 0) == 0) kept.push_back(line);
    return kept;
}

using Log = std::vector<std::string>;

class Hosting : public ::testing::Test {
protected:
    // The pointer waits far off, so that the display reports no moves of its own here.
    void SetUp() override { SetCursorPos(1270, 1010); }
    HostWindow host{100, 100, 300, 200, kHostFill};
};

}  // namespace

TEST(PropertyBag, KeysIgnoreCaseDefaultsAreLeftOutAndRewritesKeepTheirPlace) {
    PropertyBag bag;
    bag.WriteProperty("Caption", "Go", "ButtonEx1");
    bag.WriteProperty("Enabled", true, true);
    bag.WriteProperty("Style", 1L, 0L);
    bag.WriteProperty("Value", 1L, 1L);
    ASSERT_EQ(bag.Entries().size(), 2u);
    EXPECT_EQ(bag.Entries()[0].Name, "Caption");
    EXPECT_EQ(bag.ReadString("CAPTION", "x"), "Go");
    EXPECT_EQ(bag.ReadLong("style", 0), 1);
    EXPECT_FALSE(bag.Contains("Enabled"));
    EXPECT_EQ(bag.ReadLong("Value", 7), 7);

    bag.WriteProperty("caption", "Stop", "ButtonEx1");
    ASSERT_EQ(bag.Entries().size(), 2u);
    EXPECT_EQ(bag.ReadString("Caption", ""), "Stop");
    EXPECT_EQ(bag.Entries()[0].Name, "Caption");

    bag.WriteProperty("Caption", "ButtonEx1", "ButtonEx1");  // back at its default: gone
    EXPECT_FALSE(bag.Contains("Caption"));
    EXPECT_EQ(bag.Entries().size(), 1u);
}

TEST(PropertyBag, TypedReadsConvertAndPicturesKeepTheirIdentity) {
    PropertyBag bag;
    bag.WriteProperty("Flag", true);
    bag.WriteProperty("Zero", 0L, 5L);
    bag.WriteProperty("Text", "12");
    bag.WriteProperty("Half", 2.5);
    bag.WriteProperty("Font", gf::StdFont{"Verdana", 8.25});
    EXPECT_EQ(bag.ReadLong("Flag", 0), -1);  // saved Booleans are -1 and 0
    EXPECT_FALSE(bag.ReadBool("Zero", true));
    EXPECT_EQ(bag.ReadLong("Text", 0), 12);
    EXPECT_EQ(bag.ReadLong("Half", 0), 2);  // half to even
    EXPECT_EQ(bag.ReadString("Flag", ""), "True");
    EXPECT_EQ(bag.ReadFont("font", {}).Name, "Verdana");
    try {
        bag.ReadLong("Font", 0);
        FAIL() << "a font read as a number must fail";
    } catch (const gf::Error& e) {
        EXPECT_EQ(e.Number, 13);
    }

    PictureRef empty = StdPicture::Empty();
    bag.WriteProperty("Absent", PictureRef{}, PictureRef{});
    bag.WriteProperty("EmptyPicture", empty, PictureRef{});
    EXPECT_FALSE(bag.Contains("Absent"));
    EXPECT_EQ(bag.ReadPicture("emptypicture", nullptr), empty);
    EXPECT_EQ(bag.ReadPicture("Missing", nullptr), nullptr);
}

TEST(OleColor, SystemReferencesTranslateAndUnknownOnesFail) {
    EXPECT_EQ(gf::TranslateColor(0x8000000F), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(gf::TranslateColor(0x80000012), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(gf::TranslateColor(0x00FF0000), RGB(0, 0, 255));
    COLORREF out = 123;
    EXPECT_FALSE(gf::TranslateOleColor(0x80000063, out));
    EXPECT_FALSE(gf::TranslateOleColor(0x40000000, out));
    EXPECT_EQ(out, 123u);
    EXPECT_EQ(gf::TranslateColor(0x80000063), 0u);
}

TEST(StdPicture, HiMetricSizeFollowsTheScreenResolution) {
    auto at96 = StdPicture::FromBitmap(PaintedBitmap(158, 80, [](int, int) { return RGB(1, 2, 3); }));
    EXPECT_EQ(at96->Width(), 4180);
    EXPECT_EQ(at96->Height(), 2117);
    EXPECT_EQ(at96->Type(), StdPicture::Kind::Bitmap);
    gf::Screen::OverrideTwipsPerPixel(12, 12);  // 120 dots per inch
    auto at120 = StdPicture::FromBitmap(PaintedBitmap(158, 80, [](int, int) { return RGB(1, 2, 3); }));
    gf::Screen::OverrideTwipsPerPixel(0, 0);
    EXPECT_EQ(at120->Width(), 3344);
    EXPECT_EQ(at120->Height(), 1693);
    EXPECT_FALSE(StdPicture::Empty()->HasImage());
}

TEST_F(Hosting, NewAndSavedControlsStartUpInOrder) {
    Recorder fresh("Fresh");
    fresh.Move(150, 300, 0, 0);
    fresh.Load(host.Hwnd());
    EXPECT_EQ(fresh.Take(), (Log{"Initialize", "InitProperties", "Resize 80x24", "Show"}));
    RECT r;
    GetWindowRect(fresh.Hwnd(), &r);
    EXPECT_EQ(r.left, 110);
    EXPECT_EQ(r.top, 120);

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
    EXPECT_EQ(loaded.Take(), (Log{"Hide", "Show"}));
    loaded.Unload();
    EXPECT_EQ(loaded.Take(), (Log{"Terminate"}));
    EXPECT_FALSE(loaded.Loaded());

    DestroyWindow(host.Hwnd());  // the container goes: its controls terminate
    EXPECT_EQ(Only(fresh.Take(), "Terminate"), (Log{"Terminate"}));
    EXPECT_FALSE(fresh.Loaded());
}

TEST_F(Hosting, MouseMessagesBecomeClicksOnlyWhenReleasedInside) {
    Recorder c("Mouse");
    c.Load(host.Hwnd());
    HWND h = c.Hwnd();
    c.Take();
    SendMouse(h, WM_MOUSEMOVE, 5, 6);
    SendClick(h, 10, 7);
    EXPECT_EQ(Only(c.Take(), "Mouse") , (Log{"MouseMove 0 5,6", "MouseDown 1 10,7", "MouseUp 1 10,7"}));
    SendClick(h, 10, 7);
    EXPECT_EQ(Only(c.Take(), "Click"), (Log{"Click"}));

    // Pressed inside, dragged and released outside: captured moves, no click.
    SendMouse(h, WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), h);
    SendMouse(h, WM_MOUSEMOVE, -4, 30, MK_LBUTTON);
    SendMouse(h, WM_LBUTTONUP, -4, 30);
    EXPECT_EQ(GetCapture(), nullptr);
    Log dragged = c.Take();
    EXPECT_EQ(Only(dragged, "M"), (Log{"MouseDown 1 3,3", "MouseMove 1 -4,30", "MouseUp 1 -4,30"}));
    EXPECT_TRUE(Only(dragged, "Click").empty());

    SendMouse(h, WM_RBUTTONDOWN, 3, 3, MK_RBUTTON);
    SendMouse(h, WM_RBUTTONUP, 3, 3);
    SendMouse(h, WM_MBUTTONDOWN, 3, 3, MK_MBUTTON);
    SendMouse(h, WM_MBUTTONUP, 3, 3);
    EXPECT_EQ(Only(c.Take(), "M"), (Log{"MouseDown 2 3,3", "MouseUp 2 3,3", "MouseDown 4 3,3", "MouseUp 4 3,3"}));

    // A double click: its second press is DblClick, and its release clicks nothing.
    SendClick(h, 2, 2);
    SendMouse(h, WM_LBUTTONDBLCLK, 2, 2, MK_LBUTTON);
    SendMouse(h, WM_LBUTTONUP, 2, 2);
    Log log = c.Take();
    std::erase_if(log, [](const std::string& s) { return s == "GotFocus" || s == "LostFocus"; });
    EXPECT_EQ(log, (Log{"MouseDown 1 2,2", "MouseUp 1 2,2", "Click", "DblClick", "MouseUp 1 2,2"}));
}

TEST_F(Hosting, FocusAndKeysReachTheControl) {
    Recorder c("Keys");
    c.Load(host.Hwnd());
    SetForegroundWindow(host.Hwnd());
    SetFocus(host.Hwnd());
    c.Take();
    SetFocus(c.Hwnd());
    SendMessageA(c.Hwnd(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageA(c.Hwnd(), WM_CHAR, 'a', 0x001E0001);
    SendMessageA(c.Hwnd(), WM_KEYUP, VK_SPACE, 0xC0390001);
    SetFocus(host.Hwnd());
    EXPECT_EQ(c.Take(), (Log{"GotFocus", "KeyDown 32", "KeyPress 97", "KeyUp 32", "LostFocus"}));
    // A press of the mouse takes the focus.
    SendMouse(c.Hwnd(), WM_LBUTTONDOWN, 1, 1, MK_LBUTTON);
    SendMouse(c.Hwnd(), WM_LBUTTONUP, 1, 1);
    EXPECT_EQ(c.Take().front(), "GotFocus");
}

TEST_F(Hosting, AltKeysReachTheEnabledControlThatOwnsThem) {
    Recorder save("Save"), exit("Exit");
    save.Load(host.Hwnd());
    exit.Move(0, 600, 1200, 360);
    exit.Load(host.Hwnd());
    save.SetAccessKeys("s");
    exit.SetAccessKeys("X");
    save.Take();
    exit.Take();

    PostMessageA(host.Hwnd(), WM_SYSCHAR, 'S', 0x20000001);
    PumpFor(50);
    EXPECT_EQ(save.Take(), (Log{"AccessKeyPress 83"}));
    EXPECT_TRUE(exit.Take().empty());

    save.SetEnabled(false);
    PostMessageA(host.Hwnd(), WM_SYSCHAR, 's', 0x20000001);
    PumpFor(50);
    EXPECT_TRUE(save.Take().empty());

    EXPECT_TRUE(gf::UserControl::DeliverAccessKey(host.Hwnd(), 'x'));
    EXPECT_EQ(exit.Take(), (Log{"AccessKeyPress 120"}));
    EXPECT_FALSE(gf::UserControl::DeliverAccessKey(host.Hwnd(), 'q'));
}

TEST_F(Hosting, AmbientChangesAndPropertyNoticesReachTheirListeners) {
    Recorder c("Pages", 2);
    EXPECT_EQ(c.Ambient().DisplayName, "Pages(2)");
    std::vector<std::string> notices;
    c.OnPropertyChanged = [&](const std::string& name) { notices.push_back(name); };
    c.Load(host.Hwnd());
    c.Take();
    c.SetAmbientDisplayAsDefault(true);
    c.SetAmbientDisplayAsDefault(true);
    c.SetAmbientUserMode(false);
    c.SetAmbientFont(gf::StdFont{"Tahoma", 8});
    EXPECT_EQ(c.Take(), (Log{"AmbientChanged DisplayAsDefault", "AmbientChanged UserMode", "AmbientChanged Font"}));
    c.PropertyChanged("Caption");
    EXPECT_EQ(notices, (Log{"Caption"}));
}

TEST_F(Hosting, TransparentBackStyleCutsTheMaskColourOut) {
    Recorder c("Shape");
    c.Load(host.Hwnd());
    c.SetExtent(40 * 15, 20 * 15);
    // Blue (the mask colour) in the left half and the last four columns, red between.
    auto face = StdPicture::FromBitmap(
        PaintedBitmap(40, 20, [](int x, int) { return x < 20 || x >= 36 ? RGB(0, 0, 255) : RGB(200, 0, 0); }));
    auto& s = c.Surface();
    s.SetPicture(face);
    s.SetMaskPicture(face);
    s.SetMaskColor(0xFF0000);
    s.SetBackStyle(gf::UserControlSurface::Transparent);
    c.Refresh();
    PumpFor(100);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(c.Hwnd(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 19, 5));
    EXPECT_TRUE(PtInRegion(region, 20, 5));
    EXPECT_TRUE(PtInRegion(region, 35, 19));
    EXPECT_FALSE(PtInRegion(region, 36, 19));
    DeleteObject(region);
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(c.Hwnd(), 30, 10) == RGB(200, 0, 0); }, 2000));
    EXPECT_EQ(ClientPixel(c.Hwnd(), 5, 10), kHostFill);

    // Opaque again: the whole face shows, mask colour included.
    s.SetBackStyle(gf::UserControlSurface::Opaque);
    c.Refresh();
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(c.Hwnd(), 5, 10) == RGB(0, 0, 255); }, 2000));

    // A mask smaller than the control: the rest is cut away as well.
    c.SetExtent(60 * 15, 20 * 15);
    s.SetBackStyle(gf::UserControlSurface::Transparent);
    c.Refresh();
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(c.Hwnd(), 50, 10) == kHostFill; }, 2000));
}

TEST_F(Hosting, DrawingOnTheSurfaceSurvivesRepaints) {
    Recorder c("Paint");
    c.Load(host.Hwnd());
    auto& s = c.Surface();
    s.SetBackColor(0x00FFFF);  // yellow
    RECT mark{4, 4, 12, 12};
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 200));
    FillRect(s.hDC(), &mark, brush);
    DeleteObject(brush);
    c.Refresh();
    InvalidateRect(c.Hwnd(), nullptr, TRUE);
    PumpFor(100);
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(c.Hwnd(), 6, 6) == RGB(0, 0, 200); }, 2000));
    EXPECT_EQ(ClientPixel(c.Hwnd(), 30, 6), RGB(255, 255, 0));
    s.Cls();
    c.Refresh();
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(c.Hwnd(), 6, 6) == RGB(255, 255, 0); }, 2000));
    // Drawing alone, without a refresh, reaches the screen at the next turns of the
    // message loop: after each repaint the next drawing marks the window again.
    for (COLORREF colour : {RGB(200, 0, 0), RGB(0, 160, 0), RGB(200, 0, 0)}) {
        HBRUSH fill = CreateSolidBrush(colour);
        FillRect(s.hDC(), &mark, fill);
        DeleteObject(fill);
        EXPECT_TRUE(PumpUntil([&] { return ClientPixel(c.Hwnd(), 6, 6) == colour; }, 2000)) << std::hex << colour;
    }
    EXPECT_GT(s.TextWidth("WW"), s.TextWidth("W"));
    EXPECT_GT(s.TextHeight("W"), 0);
}

TEST_F(Hosting, TimersTickOnlyWhileEnabledAndPointersPickTheCursor) {
    Recorder c("Tick");
    int ticks = 0;
    gf::UserControlTimer timer(c, 20, [&] { ++ticks; });
    c.Load(host.Hwnd());
    EXPECT_EQ(ticks, 0);
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }, 2000));
    timer.SetEnabled(false);
    int stopped = ticks;
    PumpFor(120);
    EXPECT_EQ(ticks, stopped);

    LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    c.SetMousePointer(11);
    SendMessageA(c.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(c.Hwnd()), hit);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    auto icon = StdPicture::FromIcon(CopyIcon(LoadIconA(nullptr, IDI_QUESTION)));
    c.SetMouseIcon(icon);
    c.SetMousePointer(99);
    SendMessageA(c.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(c.Hwnd()), hit);
    EXPECT_EQ(GetCursor(), static_cast<HCURSOR>(icon->Handle()));
}
