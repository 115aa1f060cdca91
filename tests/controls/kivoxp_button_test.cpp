// KivoXPButton as a hosted control on the virtual display: defaults of new and restored
// controls, saving and restoring, setters and their repaints, DisableRefresh / Refresh,
// the window region; and real messages: mouse buttons, double clicks, Space and the
// arrow keys, hover with its leave poll. (The saved designs of the program's buttons
// load in the main window's and the caption dialog's tests.)
// GF_EXCLUSIVE_DISPLAY (moves the focus and the mouse pointer, reads the screen)
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/KivoXPButton.h"
#include "controls/KivoXPButtonDesigns.h"

using namespace testing_support;
using gf::PropertyBag;
using Log = std::vector<std::string>;

namespace {

constexpr COLORREF kHostFill = RGB(30, 120, 60), kMarker = RGB(1, 2, 3), kOutline = 0x733C00;

gf::PictureRef Square(int size) {
    return gf::StdPicture::FromBitmap(PaintedBitmap(size, size, [](int, int) { return RGB(200, 30, 30); }));
}

class Button : public ::testing::Test {
protected:
    HostWindow host{60, 60, 400, 300, kHostFill};
    Log log;

    // A button at (x, y) of the host, its events logged with its name.
    std::unique_ptr<KivoXPButton> Make(const std::string& name, int w = 75, int h = 23, const PropertyBag* bag = nullptr,
                                       int x = 10, int y = 10) {
        auto b = std::make_unique<KivoXPButton>(name);
        b->Move(gf::PixelsToTwipsX(x), gf::PixelsToTwipsY(y), gf::PixelsToTwipsX(w), gf::PixelsToTwipsY(h));
        b->Load(host.Hwnd(), bag);
        KivoXPButton* p = b.get();
        auto mouse = [this, name](const char* what) {
            return [this, name, what](short& button, short&, float& x, float& y) {
                log.push_back(name + " " + what + " " + std::to_string(button) + " " + std::to_string(int(x)) + "," +
                              std::to_string(int(y)));
            };
        };
        b->MouseDown = mouse("MouseDown");
        b->MouseUp = mouse("MouseUp");
        // The released look is painted before the host hears of the click.
        b->Click = [this, name, p] { log.push_back(name + " Click " + std::to_string(p->Look().LastState)); };
        b->KeyDown = [this, name](short& key, short&) { log.push_back(name + " KeyDown " + std::to_string(key)); };
        b->KeyUp = [this, name](short& key, short&) { log.push_back(name + " KeyUp " + std::to_string(key)); };
        b->MouseOver = [this, name] { log.push_back(name + " MouseOver"); };
        b->MOUSEOUT = [this, name] { log.push_back(name + " MOUSEOUT"); };
        return b;
    }
    Log Take() { return std::exchange(log, {}); }
    static COLORREF At(KivoXPButton& b, int x, int y) { return GetPixel(b.Surface().hDC(), x, y); }
    // Marks the surface so that a later paint shows.
    static void Mark(KivoXPButton& b) {
        HBRUSH brush = CreateSolidBrush(kMarker);
        RECT r{0, 0, 4000, 4000};
        FillRect(b.Surface().hDC(), &r, brush);
        DeleteObject(brush);
    }
    static bool Painted(KivoXPButton& b) { return At(b, 10, 10) != kMarker; }
    static SIZE ClientSize(KivoXPButton& b) {
        RECT r;
        GetClientRect(b.Hwnd(), &r);
        return {r.right, r.bottom};
    }
    // Moves the pointer and waits until the system reports it there (the display may
    // still deliver an older position first).
    static bool PointerAt(POINT p) {
        return PumpUntil(
            [p] {
                POINT now{};
                GetCursorPos(&now);
                if (now.x == p.x && now.y == p.y) return true;
                SetCursorPos(p.x, p.y);
                return false;
            },
            3000);
    }
    static void Key(HWND h, UINT msg, WPARAM key) { SendMessageA(h, msg, key, msg == WM_KEYUP ? 0xC0000001 : 1); }
};

}  // namespace

// A new control and one restored from nothing take different defaults; the hover
// colours of a restored one follow the saved colours.
TEST_F(Button, NewAndRestoredControlsTakeTheirOwnDefaults) {
    auto fresh = Make("cmdFresh");
    EXPECT_EQ(fresh->ButtonType(), 3);
    EXPECT_EQ(fresh->Caption(), "cmdFresh");
    EXPECT_EQ(fresh->Version(), "2.0.6");
    PropertyBag empty, partial;
    auto restored = Make("cmdRestored", 75, 23, &empty);
    EXPECT_EQ(restored->ButtonType(), 2);
    EXPECT_EQ(restored->Caption(), "");
    EXPECT_EQ(restored->BackColor(), GetSysColor(COLOR_BTNFACE));
    partial.WriteProperty("BCOL", 0x123456L);
    partial.WriteProperty("FCOL", 0x654321L);
    auto chained = Make("cmdChained", 75, 23, &partial);
    EXPECT_EQ(chained->BackOver(), 0x123456u);
    EXPECT_EQ(chained->ForeOver(), 0x654321u);
}

// Saved with the keys in their order; set, saved, restored and saved again, every entry
// but the hand comes back the same.
TEST_F(Button, SavesEveryKeyInOrderAndRestoresThem) {
    auto b = Make("cmdSave", 80, 30);
    PropertyBag bag;
    b->SaveProperties(bag);
    std::vector<std::string> keys;
    for (const auto& e : bag.Entries()) keys.push_back(e.Name);
    EXPECT_EQ(keys, (std::vector<std::string>{"_ExtentX", "_ExtentY", "BTYPE", "TX", "ENAB", "FONT", "COLTYPE",
                                              "FOCUSR", "BCOL", "BCOLO", "FCOL", "FCOLO", "MCOL", "MPTR", "MICON",
                                              "PICN", "PICH", "UMCOL", "SOFT", "PICPOS", "NGREY", "FX", "HAND",
                                              "CHECK", "VALUE"}));
    EXPECT_EQ(bag.ReadLong("HAND", 0), -1);  // a Boolean True
    b->SetImageIndex(5);
    b->SetCaption("&Go");
    b->SetButtonType(7);
    b->SetColorScheme(2);
    b->SetBackOver(0x405060);
    b->SetSoftBevel(true);
    b->SetPicturePosition(2);
    b->SetSpecialEffect(1);
    b->SetCheckBoxBehaviour(true);
    b->SetValue(true);
    b->SetMousePointer(11);
    b->SetPictureNormal(Square(16));
    PropertyBag second, third;
    b->SaveProperties(second);
    EXPECT_EQ(second.Entries().back().Name, "ImageIndex");
    auto copy = Make("cmdCopy", 10, 10, &second);
    EXPECT_EQ(copy->AccessKeys(), "g");
    EXPECT_EQ(copy->Look().PictureWidth, 16);
    EXPECT_EQ(ClientSize(*copy).cx, 80);  // the saved extent wins over the placement
    copy->SaveProperties(third);
    EXPECT_EQ(third.ReadLong("HAND", -1), 0);  // a restored control has no hand unless saved
    ASSERT_EQ(third.Entries().size(), second.Entries().size());
    for (size_t i = 0; i < second.Entries().size(); ++i)
        if (second.Entries()[i].Name != "HAND")
            EXPECT_TRUE(gf::SamePropertyValue(third.Entries()[i].Value, second.Entries()[i].Value))
                << second.Entries()[i].Name;
}

TEST_F(Button, ResizeShapesTheWindowAndPlacesTheFocusRectangle) {
    auto b = Make("cmdShape", 75, 23);
    EXPECT_EQ(WindowRegion(b->Hwnd()).Count(75, 23), 75 * 23 - 12);
    // A paint of the window does not take the shape away.
    RedrawWindow(b->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(WindowRegion(b->Hwnd()).Contains(0, 0));
    b->SetButtonType(13);  // an ellipse now
    WindowRegion ellipse(b->Hwnd());
    EXPECT_FALSE(ellipse.Contains(1, 1));
    EXPECT_TRUE(ellipse.Contains(37, 11));
    EXPECT_EQ(b->Look().FocusRect.left, 3);
    b->Move(b->Left(), b->Top(), gf::PixelsToTwipsX(120), gf::PixelsToTwipsY(40));
    EXPECT_EQ(b->Look().ButtonWidth, 120);
    EXPECT_EQ(b->Look().FocusRect.right, 117);
}

TEST_F(Button, SettersAndAmbientChangesRepaintAsTheyShould) {
    auto b = Make("cmdSet", 75, 23);
    Mark(*b);
    b->SetPictureOver(Square(16));  // not hovered
    b->SetUseMaskColor(false);      // no picture
    b->SetUseGreyscale(true);
    b->SetValue(true);  // not a toggle
    EXPECT_FALSE(Painted(*b));
    b->SetPictureNormal(Square(16));
    EXPECT_TRUE(Painted(*b));
    Mark(*b);
    b->SetUseMaskColor(true);
    EXPECT_TRUE(Painted(*b));
    // Enabled: the framework's state follows, and the disabled look is painted.
    b->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(b->Hwnd()));
    EXPECT_NE(At(*b, 0, 10), kOutline);
    b->SetEnabled(true);
    EXPECT_EQ(At(*b, 0, 10), kOutline);
    // Becoming the default button shows the focus edges, unless the scheme is custom.
    Mark(*b);
    b->SetAmbientDisplayAsDefault(true);
    EXPECT_EQ(At(*b, 40, 21), 0xEF826Bu);
    b->SetColorScheme(2);
    Mark(*b);
    b->SetAmbientDisplayAsDefault(false);
    EXPECT_FALSE(Painted(*b));
}

TEST_F(Button, FontSizeRoundsHalvesToEven) {
    auto b = Make("cmdFont", 75, 23);
    gf::StdFont f = b->Font();
    for (auto [size, rounded] : {std::pair{8.5, 8}, {9.5, 10}}) {
        f.Size = size;
        b->SetFont(f);
        EXPECT_EQ(b->FontSize(), rounded) << size;
    }
    const int small = b->Look().CaptionHeight;
    b->SetFontSize(20);
    EXPECT_EQ(b->Font().Size, 20);
    EXPECT_GT(b->Look().CaptionHeight, small);  // the caption was measured again
}

TEST_F(Button, DisableRefreshHoldsPaintingUntilRefresh) {
    auto b = Make("cmdHold", 75, 23);
    b->DisableRefresh();
    Mark(*b);
    b->SetColorScheme(2);
    b->SetBackColor(0x0000FF);
    b->SetCaption("Later");
    EXPECT_FALSE(Painted(*b));
    EXPECT_NE(b->Look().LastCaption, "Later");
    b->Refresh();
    EXPECT_TRUE(Painted(*b));
    EXPECT_EQ(b->Look().LastCaption, "Later");
    // Hide also suspends painting; Show paints again.
    b->SetVisible(false);
    Mark(*b);
    b->SetCaption("Hidden");
    EXPECT_FALSE(Painted(*b));
    b->SetVisible(true);
    EXPECT_TRUE(Painted(*b));
}

TEST(KivoXPAccessKey, DerivedFromTheCaption) {
    const std::pair<const char*, const char*> table[] = {
        {"&Save", "s"}, {"Save&", ""}, {"&", ""}, {"S", ""}, {"&A", "a"}, {"A&&B", ""},
        {"&&&Go", "g"}, {"Fish && &Chips", "c"}, {"A&&B&&C", ""}, {"&&&", ""}, {"No key", ""}};
    for (auto [caption, key] : table) EXPECT_EQ(KivoXPButton::AccessKeyOf(caption), key) << caption;
}

TEST_F(Button, MouseButtonsPressAndClick) {
    auto b = Make("A");
    HWND h = b->Hwnd();
    SendMouse(h, WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    SendMouse(h, WM_LBUTTONUP, 5, 6);
    EXPECT_EQ(b->Look().LastState, 0);
    EXPECT_EQ(Take(), (Log{"A MouseDown 1 5,6", "A MouseUp 1 5,6", "A Click 0"}));

    // Right: the events, no pressed look, no click.
    SendMouse(h, WM_RBUTTONDOWN, 3, 3, MK_RBUTTON);
    EXPECT_EQ(b->Look().LastState, 0);
    SendMouse(h, WM_RBUTTONUP, 3, 3);
    EXPECT_EQ(Take(), (Log{"A MouseDown 2 3,3", "A MouseUp 2 3,3"}));

    // Middle: pressed look, no click.
    SendMouse(h, WM_MBUTTONDOWN, 3, 3, MK_MBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    SendMouse(h, WM_MBUTTONUP, 3, 3);
    EXPECT_EQ(b->Look().LastState, 0);
    EXPECT_EQ(Take(), (Log{"A MouseDown 4 3,3", "A MouseUp 4 3,3"}));

    // A double click presses again (reported at 0, 0) and clicks only once.
    SendClick(h, 7, 7);
    SendMouse(h, WM_LBUTTONDBLCLK, 7, 7, MK_LBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    EXPECT_EQ(GetCapture(), h);
    SendMouse(h, WM_LBUTTONUP, 7, 7);
    EXPECT_EQ(b->Look().LastState, 0);
    EXPECT_EQ(Take(), (Log{"A MouseDown 1 7,7", "A MouseUp 1 7,7", "A Click 0", "A MouseDown 1 0,0",
                           "A MouseUp 1 7,7"}));

    // Disabled: a click raises nothing.
    b->SetEnabled(false);
    SendClick(h, 7, 7);
    for (const auto& line : Take()) EXPECT_EQ(line.find("Click"), std::string::npos);
}

TEST_F(Button, SpaceClicksOnReleaseAndArrowsMoveTheFocus) {
    auto a = Make("A");
    auto b = Make("B", 75, 23, nullptr, 10, 50);
    SetForegroundWindow(host.Hwnd());
    SetFocus(a->Hwnd());
    ASSERT_EQ(GetFocus(), a->Hwnd());
    EXPECT_TRUE(a->Look().HasFocus);
    Take();

    Key(a->Hwnd(), WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(a->Look().LastState, 2);
    Key(a->Hwnd(), WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Take(), (Log{"A KeyDown 32", "A KeyUp 32", "A Click 0"}));
    // The last key down stays Space: a lone Space release clicks again.
    Key(a->Hwnd(), WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Take(), (Log{"A KeyUp 32", "A Click 0"}));
    // A Space release after another key: nothing.
    Key(a->Hwnd(), WM_KEYDOWN, 'X');
    Key(a->Hwnd(), WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Take(), (Log{"A KeyDown 88", "A KeyUp 32"}));

    Key(a->Hwnd(), WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(GetFocus(), b->Hwnd());
    EXPECT_FALSE(a->Look().HasFocus);
    Key(b->Hwnd(), WM_KEYDOWN, VK_UP);
    EXPECT_EQ(GetFocus(), a->Hwnd());
    Key(a->Hwnd(), WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(GetFocus(), b->Hwnd());
    Key(b->Hwnd(), WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(GetFocus(), a->Hwnd());
    for (const auto& line : Take()) EXPECT_EQ(line.find("Click"), std::string::npos) << line;
}

TEST_F(Button, HoverStartsOnEntryAndEndsWhenThePointerLeaves) {
    auto b = Make("A", 75, 23, nullptr, 40, 40);
    SetForegroundWindow(host.Hwnd());
    POINT inside = HostWindow::ScreenPoint(b->Hwnd(), 20, 10);
    ASSERT_TRUE(PointerAt(inside));
    ASSERT_EQ(WindowFromPoint(inside), b->Hwnd());
    // The display may send its own move on the way in: one entry either way.
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 20, 10);
    EXPECT_TRUE(b->Look().IsOver);
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 21, 10);  // still inside: no second entry
    EXPECT_EQ(Take(), (Log{"A MouseOver"}));
    // The hover look of type 3 is painted.
    EXPECT_EQ(GetPixel(b->Surface().hDC(), 40, 21), 0x0096E7u);

    // Dragging with the left button shows the pressed look.
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 22, 10, MK_LBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    EXPECT_FALSE(b->Look().IsOver);
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 22, 10);  // counts as an entry again
    EXPECT_EQ(Take(), (Log{"A MouseOver"}));

    POINT outside = HostWindow::ScreenPoint(host.Hwnd(), 300, 250);
    ASSERT_TRUE(PointerAt(outside));
    EXPECT_TRUE(PumpUntil([&] { return !b->Look().IsOver; }, 3000));
    EXPECT_EQ(Take(), (Log{"A MOUSEOUT"}));
    EXPECT_NE(GetPixel(b->Surface().hDC(), 40, 21), 0x0096E7u);
    PumpFor(50);
    EXPECT_TRUE(Take().empty());  // the poll has stopped
}

