// ButtonEx on a real window under the virtual display: real mouse, focus and key
// messages, faces read back from the control's device context and from the screen.
// GF_EXCLUSIVE_DISPLAY (moves the pointer and the focus, reads screen pixels)
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/ButtonEx.h"
#include "controls/PageButtons.h"
#include "framework/Forms.h"

using namespace testing_support;
using gf::PictureRef;
using gf::PropertyBag;
using gf::StdPicture;

namespace {

using Log = std::vector<std::string>;

constexpr COLORREF kHostFill = RGB(30, 120, 60);
constexpr COLORREF kUp = RGB(200, 40, 40), kOver = RGB(40, 160, 40), kDown = RGB(40, 40, 160),
                   kDisabled = RGB(128, 128, 128), kFocus = RGB(220, 200, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255), kYellow = RGB(255, 255, 0);

PictureRef Skin(COLORREF colour, int width = 158, int height = 80) {
    return StdPicture::FromBitmap(PaintedBitmap(width, height, [=](int, int) { return colour; }));
}

COLORREF Face(ButtonEx& b, int x = 5, int y = 5) { return GetPixel(b.Surface().hDC(), x, y); }

SIZE WindowSize(const ButtonEx& b) {
    RECT r;
    GetWindowRect(b.Hwnd(), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// The smallest rectangle holding every pixel of a colour on the control's face.
RECT Extent(ButtonEx& b, COLORREF colour) {
    int w = static_cast<int>(b.Surface().ScaleWidth()), h = static_cast<int>(b.Surface().ScaleHeight());
    HDC dc = b.Surface().hDC();
    RECT r{w, h, -1, -1};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (GetPixel(dc, x, y) == colour) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x);
                r.bottom = std::max<LONG>(r.bottom, y);
            }
    return r;
}

Log Only(const Log& log, const std::string& name) {
    Log kept;
    for (const auto& line : log)
        if (line == name) kept.push_back(line);
    return kept;
}

bool Found(const RECT& r) { return r.right >= 0; }

class ButtonExTest : public ::testing::Test {
protected:
    void TearDown() override { gf::Screen::OverrideTwipsPerPixel(0, 0); }

    // A skinned button loaded from saved properties, at (10, 10) in the host.
    std::unique_ptr<ButtonEx> Skinned(PropertyBag bag = {}) {
        if (!bag.Contains("SkinUp")) bag.WriteProperty("SkinUp", Skin(kUp));
        auto b = std::make_unique<ButtonEx>("ButtonEx1", 0);
        b->Move(150, 150, 2370, 1200);
        b->Load(host.Hwnd(), &bag);
        Wire(*b);
        return b;
    }

    void Wire(ButtonEx& b) {
        b.Click = [&] { events.push_back("Click"); };
        b.MouseEnter = [&] { events.push_back("MouseEnter"); };
        b.MouseExit = [&] { events.push_back("MouseExit"); };
        b.MouseDown = [&](short& button, short&, float& x, float& y) {
            events.push_back("MouseDown " + std::to_string(button) + " " + std::to_string(int(x)) + "," +
                             std::to_string(int(y)));
        };
        b.MouseUp = [&](short& button, short&, float&, float&) { events.push_back("MouseUp " + std::to_string(button)); };
    }

    // Puts the pointer over a client point of the button (the leave poll reads it). The
    // moves the display reports for the jump are dropped: each test sends its own.
    void PointerAt(ButtonEx& b, int x, int y) {
        POINT p = HostWindow::ScreenPoint(b.Hwnd(), x, y);
        SetCursorPos(p.x, p.y);
        DWORD start = GetTickCount();
        MSG m;
        while (GetTickCount() - start < 60) {
            while (PeekMessageA(&m, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
            }
            Sleep(5);
        }
    }

    void Move(ButtonEx& b, int x, int y, WPARAM keys = 0) {
        PointerAt(b, x, y);
        SendMouse(b.Hwnd(), WM_MOUSEMOVE, x, y, keys);
    }

    HostWindow host{100, 100, 400, 300, kHostFill};
    Log events;
};

PropertyBag AllSkins() {
    PropertyBag bag;
    bag.WriteProperty("SkinUp", Skin(kUp));
    bag.WriteProperty("SkinOver", Skin(kOver));
    bag.WriteProperty("SkinDown", Skin(kDown));
    bag.WriteProperty("SkinDisabled", Skin(kDisabled));
    bag.WriteProperty("Caption", "");
    return bag;
}

}  // namespace

TEST_F(ButtonExTest, PushButtonFollowsTheMouseAndTheLeavePoll) {
    auto b = Skinned(AllSkins());
    ASSERT_EQ(Face(*b), kUp);

    Move(*b, 20, 20);  // the first move only starts the leave poll
    EXPECT_EQ(Face(*b), kUp);
    Move(*b, 21, 20);
    EXPECT_EQ(Face(*b), kOver);
    EXPECT_EQ(b->DrawnState(), ButtonEx::StateOver);

    SendMouse(b->Hwnd(), WM_LBUTTONDOWN, 10, 7, MK_LBUTTON);
    EXPECT_EQ(Face(*b), kDown);
    SendMouse(b->Hwnd(), WM_LBUTTONUP, 10, 7);
    EXPECT_EQ(Face(*b), kUp);  // up until the mouse moves again
    Move(*b, 11, 7);
    EXPECT_EQ(Face(*b), kOver);
    // Positions reach the events in twips.
    EXPECT_EQ(events, (Log{"MouseEnter", "MouseDown 1 150,105", "MouseUp 1", "Click"}));
    events.clear();

    // Leaving is noticed by the poll, which draws up and stops.
    PointerAt(*b, -30, -30);
    EXPECT_TRUE(PumpUntil([&] { return Face(*b) == kUp; }, 2000));
    EXPECT_EQ(events, (Log{"MouseExit"}));
    PumpFor(250);
    EXPECT_EQ(events, (Log{"MouseExit"}));

    // The pixel just past the last column and row still counts as inside.
    events.clear();
    Move(*b, 158, 80);
    Move(*b, 158, 80);
    EXPECT_EQ(Face(*b), kOver);
    PumpFor(250);
    EXPECT_EQ(Face(*b), kOver);
    EXPECT_EQ(events, (Log{"MouseEnter"}));
    PointerAt(*b, 159, 40);
    EXPECT_TRUE(PumpUntil([&] { return Face(*b) == kUp; }, 2000));
}

TEST_F(ButtonExTest, EnterAndExitAlternateAndCapturedMovesOutsideRaiseNothing) {
    auto b = Skinned(AllSkins());
    Log moves;
    b->MouseMove = [&](short&, short&, float& x, float&) { moves.push_back(std::to_string(int(x))); };
    Move(*b, 5, 5);
    Move(*b, 6, 5);
    Move(*b, 7, 5);
    EXPECT_EQ(events, (Log{"MouseEnter"}));
    EXPECT_EQ(moves, (Log{"75", "90", "105"}));

    // A held button dragged outside: captured moves raise nothing, and the poll's exit
    // comes once however often the timer is restarted.
    SendMouse(b->Hwnd(), WM_LBUTTONDOWN, 7, 5, MK_LBUTTON);
    PointerAt(*b, -20, 5);
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, -20, 5, MK_LBUTTON);
    EXPECT_TRUE(PumpUntil([&] { return events.back() == "MouseExit"; }, 2000));
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, -21, 5, MK_LBUTTON);
    PumpFor(300);
    SendMouse(b->Hwnd(), WM_LBUTTONUP, -21, 5);
    EXPECT_EQ(events, (Log{"MouseEnter", "MouseDown 1 105,75", "MouseExit", "MouseUp 1"}));
    for (const auto& x : moves) EXPECT_GE(std::stoi(x), 0) << "a move outside was raised";
    events.clear();
    Move(*b, 5, 5);
    EXPECT_EQ(events, (Log{"MouseEnter"}));
}

TEST_F(ButtonExTest, LatchingButtonStaysDownUntilPressedAgain) {
    PropertyBag bag = AllSkins();
    bag.WriteProperty("Style", 1L);
    auto b = Skinned(std::move(bag));
    Move(*b, 5, 5);
    Move(*b, 6, 5);
    EXPECT_EQ(Face(*b), kOver);
    SendClick(b->Hwnd(), 6, 5);
    EXPECT_EQ(b->value(), 0);
    EXPECT_EQ(Face(*b), kDown);
    Move(*b, 7, 5);
    EXPECT_EQ(Face(*b), kDown);  // moves ask for over, the latch keeps it down
    SendMouse(b->Hwnd(), WM_LBUTTONDOWN, 7, 5, MK_LBUTTON);
    EXPECT_EQ(b->value(), 1);
    EXPECT_EQ(Face(*b), kUp);  // the second press unlatches: drawn up at once
    SendMouse(b->Hwnd(), WM_LBUTTONUP, 7, 5);
    Move(*b, 8, 5);
    EXPECT_EQ(Face(*b), kOver);
    // Value set in code draws its state; the latch keeps 0 down.
    b->SetValue(0);
    EXPECT_EQ(Face(*b), kDown);
    b->SetStyle(0);
    b->SetValue(2);
    EXPECT_EQ(Face(*b), kOver);
    b->SetValue(3);  // the disabled skin although enabled
    EXPECT_EQ(Face(*b), kDisabled);
}

TEST_F(ButtonExTest, DisabledFocusedAndActiveLooks) {
    PropertyBag bag = AllSkins();
    bag.WriteProperty("SkinFocus", Skin(kFocus));
    auto b = Skinned(std::move(bag));
    b->SetEnabled(false);
    EXPECT_EQ(Face(*b), kDisabled);
    EXPECT_EQ(b->DrawnState(), ButtonEx::StateDisabled);
    RealClick(b->Hwnd(), 5, 5);  // a disabled window gets no input
    EXPECT_TRUE(events.empty());
    b->SetEnabled(true);
    EXPECT_EQ(Face(*b), kUp);
    EXPECT_EQ(b->DrawnState(), ButtonEx::StateUp);
    RealClick(b->Hwnd(), 5, 5);
    EXPECT_EQ(Only(events, "Click"), (Log{"Click"}));

    SetForegroundWindow(host.Hwnd());
    SetFocus(b->Hwnd());
    EXPECT_EQ(Face(*b), kFocus);
    EXPECT_EQ(b->DrawnState(), ButtonEx::StateUp);
    SetFocus(host.Hwnd());
    EXPECT_EQ(Face(*b), kUp);
    b->SetAmbientDisplayAsDefault(true);  // the default-button marking shares the look
    EXPECT_EQ(Face(*b), kFocus);
    b->SetAmbientUserMode(false);  // no focus look while designing
    b->SetValue(1);
    EXPECT_EQ(Face(*b), kUp);
    b->SetAmbientUserMode(true);

    b->SetActiveButton(true);
    EXPECT_EQ(Face(*b), kDown);
    b->SetEnabled(false);
    EXPECT_EQ(Face(*b), kDown);
    b->SetActiveButton(false);
    EXPECT_EQ(Face(*b), kDisabled);
}

TEST_F(ButtonExTest, MissingSkinsFallBackToUpAndEmptyOnesShowNothing) {
    PropertyBag bag;
    bag.WriteProperty("SkinUp", Skin(kUp));
    bag.WriteProperty("SkinOver", StdPicture::Empty());
    bag.WriteProperty("Caption", "");
    auto b = Skinned(std::move(bag));
    SendMouse(b->Hwnd(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_EQ(Face(*b), kUp);  // no SkinDown
    SendMouse(b->Hwnd(), WM_LBUTTONUP, 5, 5);
    b->SetEnabled(false);
    EXPECT_EQ(Face(*b), kUp);  // no SkinDisabled
    b->SetEnabled(true);
    b->SetBackColor(0x00FFFF);
    b->SetValue(2);  // an empty SkinOver: no picture, same size, no mask
    EXPECT_EQ(Face(*b), kYellow);
    EXPECT_EQ(WindowSize(*b).cx, 158);
    EXPECT_EQ(WindowSize(*b).cy, 80);
    b->Refresh();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(b->Hwnd(), region), ERROR);  // the whole rectangle again
    DeleteObject(region);
}

TEST_F(ButtonExTest, TheControlTakesTheSizeAndShapeOfItsSkin) {
    // Blue (the transparent colour) in the top-left corner.
    auto shaped = StdPicture::FromBitmap(PaintedBitmap(158, 80, [](int x, int y) {
        return x < 10 && y < 10 ? RGB(0, 0, 255) : kUp;
    }));
    PropertyBag bag;
    bag.WriteProperty("_ExtentX", 2117L);  // 1200 x 360 twips saved
    bag.WriteProperty("_ExtentY", 635L);
    bag.WriteProperty("SkinUp", shaped);
    bag.WriteProperty("Caption", "");
    auto b = Skinned(std::move(bag));
    EXPECT_EQ(WindowSize(*b).cx, 158);
    EXPECT_EQ(WindowSize(*b).cy, 80);
    EXPECT_NEAR(b->Width(), 2375, 1);
    EXPECT_NEAR(b->Height(), 1203, 1);
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(b->Hwnd(), 50, 40) == kUp; }, 2000));
    EXPECT_EQ(ClientPixel(b->Hwnd(), 3, 3), kHostFill);

    // On a 120 dpi screen a 158 x 80 skin still gives 158 x 80 pixels.
    gf::Screen::OverrideTwipsPerPixel(12, 12);
    auto b120 = Skinned();
    b120->SetSkinUp(Skin(kUp));
    EXPECT_EQ(WindowSize(*b120).cx, 158);
    EXPECT_EQ(WindowSize(*b120).cy, 80);
}

TEST_F(ButtonExTest, CaptionIsCentredOffsetShiftedWhenPressedAndHighlightedOver) {
    PropertyBag bag = AllSkins();
    bag.WriteProperty("Caption", "Go");
    bag.WriteProperty("ForeColor", double(0xFFFFFF));
    bag.WriteProperty("HighlightColor", double(0x00FFFF));
    auto b = Skinned(std::move(bag));
    RECT up = Extent(*b, kWhite);
    ASSERT_TRUE(Found(up));
    EXPECT_NEAR((up.left + up.right) / 2.0, 79, 3);
    EXPECT_NEAR((up.top + up.bottom) / 2.0, 40, 4);
    EXPECT_FALSE(Found(Extent(*b, kYellow)));

    b->SetValue(2);
    RECT over = Extent(*b, kYellow);
    EXPECT_FALSE(Found(Extent(*b, kWhite)));
    EXPECT_EQ(over.left, up.left);
    EXPECT_EQ(over.top, up.top);

    SendMouse(b->Hwnd(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    RECT down = Extent(*b, kYellow);
    EXPECT_EQ(down.left, up.left + 1);
    EXPECT_EQ(down.top, up.top + 1);
    SendMouse(b->Hwnd(), WM_LBUTTONUP, 5, 5);

    b->SetCaptionOffsetX(-7);
    b->SetCaptionOffsetY(5);
    RECT moved = Extent(*b, kWhite);
    EXPECT_EQ(moved.left, up.left - 7);
    EXPECT_EQ(moved.top, up.top + 5);

    b->SetCaption("");
    EXPECT_FALSE(Found(Extent(*b, kWhite)));
}

TEST_F(ButtonExTest, FrameLookWithoutSkinsDrawsEdgesForOverAndDownOnly) {
    auto b = std::make_unique<ButtonEx>();
    PropertyBag bag;  // no picture keys: pictures absent
    b->Load(host.Hwnd(), &bag);
    EXPECT_EQ(b->SkinUp(), nullptr);
    int w = static_cast<int>(b->Surface().ScaleWidth()), h = static_cast<int>(b->Surface().ScaleHeight());
    COLORREF face = GetSysColor(COLOR_BTNFACE), dark = GetSysColor(COLOR_3DDKSHADOW);
    EXPECT_EQ(Face(*b, w - 1, h - 1), face);
    b->SetValue(2);
    EXPECT_EQ(Face(*b, w - 1, h - 1), dark);
    b->SetValue(0);
    EXPECT_EQ(Face(*b, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    b->SetValue(1);
    EXPECT_EQ(Face(*b, w - 1, h - 1), face);
    b->SetAppearance(1);  // the raised up look
    EXPECT_EQ(Face(*b, w - 1, h - 1), dark);
}

TEST_F(ButtonExTest, AccessKeyComesFromTheCaptionAndClicks) {
    auto b = Skinned();
    b->SetCaption("&Save");
    EXPECT_EQ(b->AccessKeys(), "S");
    b->SetCaption("Fish && &Chips");
    EXPECT_EQ(b->AccessKeys(), "C");
    b->SetCaption("No marks");  // keeps the key it had
    EXPECT_EQ(b->AccessKeys(), "C");
    b->SetCaption("A&&B");
    EXPECT_EQ(b->AccessKeys(), "C");
    b->SetCaption("&&&Go");
    EXPECT_EQ(b->AccessKeys(), "G");
    PostMessageA(host.Hwnd(), WM_SYSCHAR, 'g', 0x20000001);
    PumpFor(50);
    EXPECT_EQ(events, (Log{"Click"}));
    b->SetCaption("Save&");  // a single "&" at the end clears the key
    EXPECT_EQ(b->AccessKeys(), "");
}

TEST_F(ButtonExTest, SavedPropertiesRoundTripInTheirOrderWithDefaultsLeftOut) {
    ButtonEx fresh;
    Log notices;
    fresh.OnPropertyChanged = [&](const std::string& name) { notices.push_back(name); };
    fresh.Load(host.Hwnd());
    EXPECT_EQ(fresh.Caption(), "ButtonEx1");
    EXPECT_EQ(fresh.Width(), 1200);
    EXPECT_EQ(fresh.Height(), 360);
    EXPECT_EQ(notices.size(), 22u);
    PropertyBag saved;
    fresh.SaveProperties(saved);
    Log keys;
    for (const auto& e : saved.Entries()) keys.push_back(e.Name);
    // A new control's pictures are present though empty, so they are saved.
    EXPECT_EQ(keys, (Log{"_ExtentX", "_ExtentY", "MouseIcon", "SkinDisabled", "SkinDown", "SkinFocus", "SkinOver",
                         "SkinUp"}));

    fresh.SetAppearance(1);
    fresh.SetEnabled(false);
    fresh.SetCaption("&Go");
    fresh.SetForeColor(0x0000FF);
    fresh.SetRightToLeft(true);
    fresh.SetTransparentColor(0x00FF00);
    fresh.SetMouseIcon(nullptr);
    fresh.SetSkinDown(nullptr);
    fresh.SetStyle(1);
    fresh.SetToolTipText("tip");
    fresh.SetValue(0);
    fresh.SetWhatsThisHelpID(7);
    notices.clear();
    fresh.SetMousePointer(3);
    EXPECT_EQ(notices, (Log{"MousePointer"}));
    PropertyBag bag;
    fresh.SaveProperties(bag);
    keys.clear();
    for (const auto& e : bag.Entries()) keys.push_back(e.Name);
    EXPECT_EQ(keys, (Log{"_ExtentX", "_ExtentY", "Appearance", "Enabled", "Caption", "ForeColor", "RightToLeft",
                         "TransparentColor", "MousePointer", "SkinDisabled", "SkinFocus", "SkinOver", "SkinUp",
                         "Style", "ToolTipText", "Value", "WhatsThisHelpID"}));
    EXPECT_EQ(bag.ReadLong("Enabled", 1), 0);

    ButtonEx loaded;
    loaded.Load(host.Hwnd(), &bag);
    EXPECT_EQ(loaded.Appearance(), 1);
    EXPECT_FALSE(loaded.Enabled());
    EXPECT_EQ(loaded.Caption(), "&Go");
    EXPECT_EQ(loaded.AccessKeys(), "G");
    EXPECT_EQ(loaded.TransparentColor(), 0x00FF00u);
    EXPECT_EQ(loaded.SkinDown(), nullptr);
    EXPECT_EQ(loaded.SkinUp(), fresh.SkinUp());
    EXPECT_EQ(loaded.value(), 0);
    EXPECT_EQ(loaded.MousePointer(), 3);
    PropertyBag again;
    loaded.SaveProperties(again);
    ASSERT_EQ(again.Entries().size(), bag.Entries().size());
    for (size_t i = 0; i < bag.Entries().size(); ++i) {
        EXPECT_EQ(again.Entries()[i].Name, bag.Entries()[i].Name);
        EXPECT_TRUE(gf::SamePropertyValue(again.Entries()[i].Value, bag.Entries()[i].Value)) << bag.Entries()[i].Name;
    }
    // System colours saved as negative numbers read back whole.
    PropertyBag signedColour;
    signedColour.WriteProperty("BackColor", -2147483633L);
    ButtonEx fromSigned;
    fromSigned.Load(host.Hwnd(), &signedColour);
    EXPECT_EQ(fromSigned.BackColor(), 0x8000000Fu);
}

TEST_F(ButtonExTest, PageButtonsShowTheirSkinsAndTheDisabledOneShowsOver) {
    std::vector<std::unique_ptr<ButtonEx>> pages;
    std::vector<int> clicked;
    for (int i = 0; i < 3; ++i) {
        auto b = std::make_unique<ButtonEx>("ButtonEx1", i);
        b->Move(0, i * 1200, 2370, 1200);
        b->Click = [&clicked, i] { clicked.push_back(i); };
        PropertyBag saved = PageButtonProperties(Skin(RGB(10, 10 + 60 * i, 90)), Skin(RGB(250, 10 + 60 * i, 90)));
        b->Load(host.Hwnd(), &saved);
        pages.push_back(std::move(b));
    }
    pages[1]->SetEnabled(false);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(WindowSize(*pages[i]).cx, 158);
        EXPECT_EQ(WindowSize(*pages[i]).cy, 80);
        EXPECT_EQ(pages[i]->Caption(), "");
        EXPECT_EQ(pages[i]->Font().Name, "MS Sans Serif");
    }
    EXPECT_EQ(Face(*pages[0]), RGB(10, 10, 90));
    EXPECT_EQ(Face(*pages[1]), RGB(250, 70, 90));
    RealClick(pages[2]->Hwnd(), 30, 30);
    RealClick(pages[1]->Hwnd(), 30, 30);
    EXPECT_EQ(clicked, (std::vector<int>{2}));
    // Pressed, a page button shows its up skin: it has no SkinDown.
    SendMouse(pages[0]->Hwnd(), WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    EXPECT_EQ(Face(*pages[0]), RGB(10, 10, 90));
    SendMouse(pages[0]->Hwnd(), WM_LBUTTONUP, 30, 30);
}

namespace {

// A placeholder skin: a vertical gradient in a rounded frame; the corners outside the
// rounding are pure blue, the transparent colour.
PictureRef GradientSkin(COLORREF top, COLORREF bottom, COLORREF frame) {
    const int w = 120, h = 40, radius = 8;
    return StdPicture::FromBitmap(PaintedBitmap(w, h, [=](int x, int y) {
        int dx = x < radius ? radius - x : x >= w - radius ? x - (w - radius - 1) : 0;
        int dy = y < radius ? radius - y : y >= h - radius ? y - (h - radius - 1) : 0;
        int d2 = dx * dx + dy * dy;
        if (d2 > radius * radius) return RGB(0, 0, 255);
        if (d2 > (radius - 2) * (radius - 2) || ((dx == 0 || dy == 0) && (x < 2 || y < 2 || x >= w - 2 || y >= h - 2)))
            return frame;
        auto mix = [&](int a, int b) { return a + (b - a) * y / (h - 1); };
        return RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
                   mix(GetBValue(top), GetBValue(bottom)));
    }));
}

}  // namespace

TEST_F(ButtonExTest, ScreenshotOfEveryState) {
    PictureRef up = GradientSkin(RGB(40, 110, 170), RGB(20, 60, 110), RGB(10, 30, 60));
    PictureRef over = GradientSkin(RGB(70, 160, 220), RGB(30, 90, 150), RGB(10, 30, 60));
    PictureRef down = GradientSkin(RGB(15, 45, 85), RGB(35, 95, 150), RGB(5, 15, 30));
    PictureRef off = GradientSkin(RGB(150, 155, 160), RGB(110, 115, 120), RGB(80, 80, 85));
    PictureRef focus = GradientSkin(RGB(40, 110, 170), RGB(20, 60, 110), RGB(250, 200, 40));
    const char* captions[] = {"&Up", "&Over", "&Down", "D&isabled", "&Focus"};
    std::vector<std::unique_ptr<ButtonEx>> buttons;
    for (int i = 0; i < 10; ++i) {
        PropertyBag bag;
        bool skinned = i < 5;
        if (skinned) {
            bag.WriteProperty("SkinUp", up);
            bag.WriteProperty("SkinOver", over);
            bag.WriteProperty("SkinDown", down);
            bag.WriteProperty("SkinDisabled", off);
            bag.WriteProperty("SkinFocus", focus);
            bag.WriteProperty("ForeColor", double(0xFFFFFF));
            bag.WriteProperty("HighlightColor", double(0x40D0FF));
        } else {
            bag.WriteProperty("Appearance", 1L);
            bag.WriteProperty("_ExtentX", 3175L);  // 120 x 40 pixels
            bag.WriteProperty("_ExtentY", 1058L);
        }
        bag.WriteProperty("Caption", captions[i % 5]);
        gf::StdFont font{"Tahoma", 9};
        font.SetBold(true);
        bag.WriteProperty("Font", font);
        auto b = std::make_unique<ButtonEx>("ButtonEx1", i);
        b->Move((10 + (i % 5) * 130) * 15.0, (10 + (i / 5) * 50) * 15.0, 1800, 600);
        b->Load(host.Hwnd(), &bag);
        buttons.push_back(std::move(b));
    }
    MoveWindow(host.Hwnd(), 100, 100, 670, 120, TRUE);
    for (int row = 0; row < 2; ++row) {
        ButtonEx& over = *buttons[row * 5 + 1];
        ButtonEx& down = *buttons[row * 5 + 2];
        over.SetValue(ButtonEx::StateOver);
        SendMouse(down.Hwnd(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
        SendMouse(down.Hwnd(), WM_LBUTTONUP, -50, -50);  // released elsewhere
        down.SetValue(ButtonEx::StateDown);
        buttons[row * 5 + 3]->SetEnabled(false);
        buttons[row * 5 + 4]->SetAmbientDisplayAsDefault(true);
    }
    for (auto& b : buttons) b->Refresh();
    PumpFor(300);
    EXPECT_EQ(ClientPixel(buttons[0]->Hwnd(), 0, 0), kHostFill);  // a rounded corner
    EXPECT_NE(ClientPixel(buttons[0]->Hwnd(), 4, 20), ClientPixel(buttons[1]->Hwnd(), 4, 20));
    EXPECT_NE(ClientPixel(buttons[3]->Hwnd(), 4, 20), ClientPixel(buttons[0]->Hwnd(), 4, 20));
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path = exe;
    path = path.substr(0, path.find_last_of('\\')) + "\\buttonex_states.bmp";
    EXPECT_TRUE(SaveScreenBitmap(path, 100, 100, 670, 120));
}

namespace {

const gf::DesignRow kPagesDesign[] = {
    {"ButtonEx", "ButtonEx1", 0, "", 0, 0, 2370, 1200},
    {"ButtonEx", "ButtonEx1", 1, "", 0, 1200, 2370, 1200},
};

class PagesForm : public gf::Form {
public:
    PagesForm() : gf::Form("frmPages") {
        SetBorderStyle(gf::FormBorder::None);
        SetClientSize(2370, 2400);
        Build(kPagesDesign);
    }
};

}  // namespace

TEST(ButtonExOnAForm, DesignRowsLoadWithTheirSavedPropertiesAndReloadAfterUnload) {
    ButtonEx::RegisterType();
    PagesForm form;
    std::vector<int> clicked;
    for (int i = 0; i < 2; ++i) {
        auto& b = form.Get<ButtonEx>("ButtonEx1", i);
        b.SetSavedProperties(PageButtonProperties(Skin(kUp), Skin(kOver)));
        b.Click = [&clicked, i] { clicked.push_back(i); };
    }
    form.Move(1500, 1500, 2370, 2400);
    form.Show();
    PumpFor(100);
    auto& second = form.Get<ButtonEx>("ButtonEx1", 1);
    ASSERT_NE(second.Hwnd(), nullptr);
    EXPECT_EQ(GetParent(second.Hwnd()), form.Hwnd());
    EXPECT_EQ(gf::Control::FromWindow(second.Hwnd()), &second);
    EXPECT_EQ(Face(second), kUp);
    SendClick(second.Hwnd(), 20, 20);
    EXPECT_EQ(clicked, (std::vector<int>{1}));

    form.Unload();
    EXPECT_EQ(second.Hwnd(), nullptr);
    form.Show();
    PumpFor(100);
    ASSERT_NE(second.Hwnd(), nullptr);
    second.SetEnabled(false);
    EXPECT_EQ(Face(second), kOver);  // the over skin stands for the disabled page
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(second.Hwnd(), 40, 40) == kOver; }, 2000));
    form.Unload();
}
