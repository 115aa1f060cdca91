// ButtonEx on real windows under the virtual display: real mouse, focus and key
// messages; faces, regions and screen pixels read back.
// GF_EXCLUSIVE_DISPLAY (moves the pointer and the focus, reads screen pixels)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/ButtonEx.h"
#include "controls/PageButtons.h"

using namespace testing_support;
using gf::PropertyBag;
using gf::StdPicture;
using Log = std::vector<std::string>;

namespace {

constexpr COLORREF kHostFill = RGB(30, 120, 60);
constexpr COLORREF kUp = RGB(200, 40, 40), kOver = RGB(40, 160, 40), kDown = RGB(40, 40, 160),
                   kDisabled = RGB(128, 128, 128), kFocus = RGB(220, 200, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255), kYellow = RGB(255, 255, 0);

gf::PictureRef Skin(COLORREF colour) { return SolidPicture(colour, 158, 80); }
COLORREF Face(ButtonEx& b) { return GetPixel(b.Surface().hDC(), 5, 5); }

std::string WindowSize(const ButtonEx& b) {
    RECT r;
    GetWindowRect(b.Hwnd(), &r);
    return Xy(r.right - r.left, r.bottom - r.top);
}

// The smallest rectangle holding every pixel of a colour on the face (right < 0: none).
RECT Extent(ButtonEx& b, COLORREF colour) {
    RECT r{1000, 1000, -1, -1};
    for (LONG y = 0; y < b.Surface().ScaleHeight(); ++y)
        for (LONG x = 0; x < b.Surface().ScaleWidth(); ++x)
            if (GetPixel(b.Surface().hDC(), x, y) == colour)
                r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x), std::max(r.bottom, y)};
    return r;
}

std::string Corner(ButtonEx& b, COLORREF colour) {
    const RECT r = Extent(b, colour);
    return r.right < 0 ? "" : Xy(r.left, r.top);
}

// The frame look's colours as letters: f the face, i the face inverted (the focus
// rectangle's dots), c the caption's ink, K the window frame, L, H, S, D the 3-D light,
// highlight, shadow and dark shadow; '?' anything else.
constexpr COLORREF kFrameFace = RGB(200, 120, 40), kInk = RGB(150, 0, 150);
char Letter(COLORREF c) {
    const std::pair<char, COLORREF> palette[] = {
        {'f', kFrameFace}, {'i', kFrameFace ^ 0xFFFFFF}, {'c', kInk}, {'K', GetSysColor(COLOR_WINDOWFRAME)},
        {'L', GetSysColor(COLOR_3DLIGHT)}, {'H', GetSysColor(COLOR_BTNHIGHLIGHT)},
        {'S', GetSysColor(COLOR_BTNSHADOW)}, {'D', GetSysColor(COLOR_3DDKSHADOW)}};
    for (auto [letter, colour] : palette)
        if (c == colour) return letter;
    return '?';
}

// Six pixels inwards from the left, top, right and bottom side, across the middle; a
// pixel and its neighbour along the side count as one, so a dotted line shows whole.
std::string Rims(ButtonEx& b) {
    HDC dc = b.Surface().hDC();
    const int w = int(b.Surface().ScaleWidth()), h = int(b.Surface().ScaleHeight());
    int sides[4][4] = {{0, h / 2, 1, 0}, {w / 2, 0, 0, 1}, {w - 1, h / 2, -1, 0}, {w / 2, h - 1, 0, -1}};
    std::string rims;
    for (auto [x, y, dx, dy] : sides) {
        if (!rims.empty()) rims += ' ';
        for (int d = 0; d < 6; ++d, x += dx, y += dy) {
            char here = Letter(GetPixel(dc, x, y));
            rims += here != 'f' ? here : Letter(GetPixel(dc, x + (dy != 0), y + (dx != 0)));
        }
    }
    return rims;
}

// The letters found inside the rims (the caption), the face and '?' left out.
std::string Inks(ButtonEx& b) {
    std::string inks;
    for (int y = 8; y < b.Surface().ScaleHeight() - 8; ++y)
        for (int x = 8; x < b.Surface().ScaleWidth() - 8; ++x)
            if (char c = Letter(GetPixel(b.Surface().hDC(), x, y)); c != 'f' && c != '?' && inks.find(c) == inks.npos)
                inks += c;
    std::sort(inks.begin(), inks.end());
    return inks;
}

class ButtonExTest : public ::testing::Test {
protected:
    void TearDown() override { gf::Screen::OverrideTwipsPerPixel(0, 0); }
    std::unique_ptr<ButtonEx> Skinned(PropertyBag bag = {}) {
        if (!bag.Contains("SkinUp")) bag.WriteProperty("SkinUp", Skin(kUp));
        auto b = std::make_unique<ButtonEx>("ButtonEx1", 0);
        b->Move(150, 150, 2370, 1200);
        b->Load(host.Hwnd(), &bag);
        b->Click = [&] { events.push_back("Click"); };
        b->MouseEnter = [&] { events.push_back("MouseEnter"); };
        b->MouseExit = [&] { events.push_back("MouseExit"); };
        b->MouseDown = LogMouse(events, "MouseDown");
        b->MouseUp = LogMouse(events, "MouseUp");
        return b;
    }

    // Puts the pointer over a client point of the button (the leave poll reads it). The
    // move the display reports for the jump is dropped: each test sends its own.
    void PointerAt(ButtonEx& b, int x, int y) {
        POINT p = HostWindow::ScreenPoint(b.Hwnd(), x, y), now;
        if (GetCursorPos(&now) && now.x == p.x && now.y == p.y) return;
        SetCursorPos(p.x, p.y);
        MSG m;
        for (DWORD start = GetTickCount(); GetTickCount() - start < 2000; MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_MOUSEMOVE))
            if (PeekMessageA(&m, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) return;
    }

    // Runs the message loop until the leave poll has ticked n times.
    void Polls(ButtonEx& b, int n) {
        MSG m;
        for (DWORD start = GetTickCount(); n > 0 && GetTickCount() - start < 3000;)
            if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
                n -= m.message == WM_TIMER && m.hwnd == b.Hwnd(), DispatchMessageA(&m);
            else
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }

    void Move(ButtonEx& b, int x, int y) { PointerAt(b, x, y), SendMouse(b.Hwnd(), WM_MOUSEMOVE, x, y); }

    struct Step { const char* what; std::function<void()> act; COLORREF face; };
    void ExpectFaces(ButtonEx& b, std::initializer_list<Step> steps) {
        for (const auto& step : steps) {
            step.act();
            EXPECT_EQ(Face(b), step.face) << step.what;
        }
    }

    HostWindow host{100, 100, 400, 300, kHostFill};
    Log events;
};

using Entries = std::initializer_list<std::pair<const char*, gf::PropertyValue>>;
PropertyBag Saved(Entries entries, PropertyBag bag = {}) {
    for (const auto& [key, value] : entries) bag.WriteProperty(key, value);
    return bag;
}
PropertyBag AllSkins(Entries more = {}) {
    return Saved(more, Saved({{"SkinUp", Skin(kUp)}, {"SkinOver", Skin(kOver)}, {"SkinDown", Skin(kDown)},
                              {"SkinDisabled", Skin(kDisabled)}, {"Caption", ""}}));
}

}  // namespace

TEST_F(ButtonExTest, PushButtonFollowsTheMouseAndTheLeavePoll) {
    auto b = Skinned(AllSkins());
    Log moves;
    b->MouseMove = [&](short&, short&, float& x, float&) { moves.push_back(std::to_string(int(x))); };
    ExpectFaces(*b, {
        {"the first move only starts the leave poll", [&] { Move(*b, 20, 20); }, kUp},
        {"the second draws over", [&] { Move(*b, 21, 20); }, kOver},
        {"pressed", [&] { SendMouse(b->Hwnd(), WM_LBUTTONDOWN, 10, 7, MK_LBUTTON); }, kDown},
        {"released: up until the mouse moves again", [&] { SendMouse(b->Hwnd(), WM_LBUTTONUP, 10, 7); }, kUp},
        {"moved", [&] { Move(*b, 11, 7); }, kOver},
    });
    // Positions in twips; entering is raised once for many moves.
    EXPECT_EQ(events, (Log{"MouseEnter", "MouseDown 1 150,105", "MouseUp 1 150,105", "Click"}));
    EXPECT_EQ(moves, (Log{"300", "315", "165"}));

    // Held and dragged outside: captured moves raise nothing, the exit comes once however
    // often the timer is restarted, and the face goes up.
    events.clear(), moves.clear();
    SendMouse(b->Hwnd(), WM_LBUTTONDOWN, 7, 5, MK_LBUTTON);
    PointerAt(*b, -20, 5);
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, -20, 5, MK_LBUTTON);
    EXPECT_TRUE(PumpUntil([&] { return events.back() == "MouseExit"; }, 2000));
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, -21, 5, MK_LBUTTON);
    Polls(*b, 1);  // the tick that stops the restarted timer
    SendMouse(b->Hwnd(), WM_LBUTTONUP, -21, 5);
    EXPECT_EQ(events, (Log{"MouseDown 1 105,75", "MouseExit", "MouseUp 1 -315,75"}));
    EXPECT_TRUE(moves.empty());
    EXPECT_EQ(Face(*b), kUp);

    // Coming back starts the poll again first; the pixel just past the last column and
    // row still counts as inside.
    events.clear();
    ExpectFaces(*b, {
        {"the first move back", [&] { Move(*b, 158, 80); }, kUp},
        {"the second", [&] { Move(*b, 158, 80); }, kOver},
        {"the poll finds it inside", [&] { Polls(*b, 2); }, kOver},
    });
    PointerAt(*b, 159, 40);
    EXPECT_TRUE(PumpUntil([&] { return Face(*b) == kUp; }, 2000));
    EXPECT_EQ(events, (Log{"MouseEnter", "MouseExit"}));
}

TEST_F(ButtonExTest, LatchingButtonStaysDownUntilPressedAgain) {
    auto b = Skinned(AllSkins({{"Style", 1L}}));
    ExpectFaces(*b, {
        {"over", [&] { Move(*b, 5, 5), Move(*b, 6, 5); }, kOver},
        {"latched by a click", [&] { SendClick(b->Hwnd(), 6, 5); EXPECT_EQ(b->value(), 0); }, kDown},
        {"moves ask for over, the latch keeps it down", [&] { Move(*b, 7, 5); }, kDown},
        {"the second press unlatches at once",
         [&] { SendMouse(b->Hwnd(), WM_LBUTTONDOWN, 7, 5, MK_LBUTTON); EXPECT_EQ(b->value(), 1); }, kUp},
        {"released and moved: over", [&] { SendMouse(b->Hwnd(), WM_LBUTTONUP, 7, 5), Move(*b, 8, 5); }, kOver},
        {"Value 0 set in code: latched", [&] { b->SetValue(0); }, kDown},
        {"Value 2 of a push button: over", [&] { b->SetStyle(0), b->SetValue(2); }, kOver},
        {"Value 3: the disabled skin although enabled", [&] { b->SetValue(3); }, kDisabled},
    });
}

TEST_F(ButtonExTest, DisabledFocusedAndActiveLooks) {
    auto b = Skinned(AllSkins({{"SkinFocus", Skin(kFocus)}}));
    ExpectFaces(*b, {
        {"disabled; its window gets no input", [&] { b->SetEnabled(false), RealClick(b->Hwnd(), 5, 5); }, kDisabled},
        {"enabled again", [&] { b->SetEnabled(true); }, kUp},
        {"clicked and focused: the focus skin",
         [&] { RealClick(b->Hwnd(), 5, 5), SetForegroundWindow(host.Hwnd()), SetFocus(b->Hwnd()); }, kFocus},
        {"another ambient change keeps it", [&] { b->SetAmbientDisplayName("Page"); }, kFocus},
        {"the focus gone", [&] { SetFocus(host.Hwnd()); }, kUp},
        {"the default-button marking shares the look", [&] { b->SetAmbientDisplayAsDefault(true); }, kFocus},
        {"no focus look while designing", [&] { b->SetAmbientUserMode(false), b->SetValue(1); }, kUp},
        {"the active flag shows the down skin", [&] { b->SetAmbientUserMode(true), b->SetActiveButton(true); }, kDown},
        {"even disabled and in the frame look", [&] { b->SetEnabled(false), b->SetAppearance(1); }, kDown},
        {"until it is cleared", [&] { b->SetAppearance(2), b->SetActiveButton(false); }, kDisabled},
    });
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 1);
}

// The main window's page buttons from their saved properties: the size of their skin, no
// caption, no SkinDown (pressed shows SkinUp), SkinOver as SkinDisabled. A missing skin
// falls back to SkinUp; an empty one shows no picture and keeps size and mask.
TEST_F(ButtonExTest, PageButtonsShowTheirSkinsWholeAndMissingSkinsFallBack) {
    auto b = Skinned(PageButtonProperties(Skin(kUp), Skin(kOver)));
    EXPECT_EQ(WindowSize(*b) + b->Caption() + " " + b->Font().Name, "158,80 MS Sans Serif");
    ExpectFaces(*b, {
        {"pressed", [&] { SendMouse(b->Hwnd(), WM_LBUTTONDOWN, 30, 30, MK_LBUTTON); }, kUp},
        {"disabled, on the screen too", [&] {
             SendMouse(b->Hwnd(), WM_LBUTTONUP, 30, 30), b->SetEnabled(false);
             EXPECT_TRUE(PumpUntil([&] { return ClientPixel(b->Hwnd(), 40, 40) == kOver; }, 2000));
         }, kOver},
        {"no SkinDisabled", [&] { b->SetSkinDisabled(nullptr); }, kUp},
        {"an empty SkinOver",
         [&] { b->SetEnabled(true), b->SetSkinOver(StdPicture::Empty()), b->SetBackColor(0x00FFFF), b->SetValue(2); },
         kYellow},
    });
    EXPECT_EQ(WindowSize(*b), "158,80");
    b->Refresh();
    EXPECT_FALSE(WindowRegion(b->Hwnd()).Exists());  // the whole rectangle again
}

TEST_F(ButtonExTest, TheControlTakesTheSizeAndShapeOfItsSkin) {
    // Saved at 1200 x 360 twips; the transparent colour in the skin's top left corner.
    auto shaped = PaintedBitmap(158, 80, [](int x, int y) { return x < 10 && y < 10 ? RGB(0, 0, 255) : kUp; });
    auto b = Skinned(
        Saved({{"_ExtentX", 2117L}, {"_ExtentY", 635L}, {"SkinUp", StdPicture::FromBitmap(shaped)}, {"Caption", ""}}));
    EXPECT_EQ(WindowSize(*b), "158,80");
    EXPECT_NEAR(b->Width(), 2375, 1);
    EXPECT_NEAR(b->Height(), 1203, 1);
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(b->Hwnd(), 50, 40) == kUp; }, 2000));
    EXPECT_EQ(ClientPixel(b->Hwnd(), 3, 3), kHostFill);
    // On a 120 dpi screen a 158 x 80 skin still gives 158 x 80 pixels.
    gf::Screen::OverrideTwipsPerPixel(12, 12);
    auto b120 = Skinned();
    b120->SetSkinUp(Skin(kUp));
    EXPECT_EQ(WindowSize(*b120), "158,80");
}

TEST_F(ButtonExTest, CaptionIsCentredOffsetShiftedWhenPressedAndHighlightedOver) {
    auto b = Skinned(AllSkins({{"Caption", "Go"}, {"ForeColor", double(0xFFFFFF)}, {"HighlightColor", double(0x00FFFF)}}));
    const RECT up = Extent(*b, kWhite);
    EXPECT_NEAR((up.left + up.right) / 2.0, 79, 3);
    EXPECT_NEAR((up.top + up.bottom) / 2.0, 40, 4);
    auto at = [&](int dx, int dy) { return Xy(up.left + dx, up.top + dy); };
    // Each step, where the caption lies in white and in yellow.
    const struct { std::function<void()> act; std::string white, yellow; } steps[] = {
        {[] {}, at(0, 0), ""},
        {[&] { b->SetValue(2); }, "", at(0, 0)},
        {[&] { SendMouse(b->Hwnd(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON); }, "", at(1, 1)},
        {[&] { SendMouse(b->Hwnd(), WM_LBUTTONUP, 5, 5), b->SetCaptionOffsetX(-7), b->SetCaptionOffsetY(5); }, at(-7, 5), ""},
        {[&] { b->SetCaption(""); }, "", ""},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(Corner(*b, kWhite) + " / " + Corner(*b, kYellow), step.white + " / " + step.yellow) << &step - steps;
    }
}

// Without skins the face is drawn: 3-D edges by state, inside a window frame and with
// the focus rectangle when focused (or marked as the default button).
TEST_F(ButtonExTest, FrameLookDrawsTheEdgesFocusRectangleAndDisabledCaptionOfEachState) {
    const PropertyBag bag = Saved({{"Caption", "Go"}, {"BackColor", double(kFrameFace)}, {"ForeColor", double(kInk)}});
    ButtonEx b;
    b.Move(150, 150, 1800, 600);
    b.Load(host.Hwnd(), &bag);
    const struct { long appearance, value; bool focus; const char* rims; } looks[] = {
        // Up is raised with Appearance 1 only; then over, down, and any other state (3).
        {1, 1, false, "LHffff LHffff DSffff DSffff"}, {1, 1, true, "KLHfif KLHfif KDSfif KDSfif"},
        {2, 1, true, "ffffff ffffff ffffff ffffff"}, {2, 2, false, "LHffff LHffff DSffff DSffff"},
        {2, 2, true, "KLHfif KLHfif KDSfif KDSfif"}, {2, 0, false, "SDffff SDffff HLffff HLffff"},
        {2, 0, true, "KSffif KSffif KSffif KSffif"}, {2, 3, true, "ffffif ffffif ffffif ffffif"},
        {2, 3, false, "ffffff ffffff ffffff ffffff"},
    };
    for (const auto& look : looks) {
        b.SetAppearance(look.appearance), b.SetAmbientDisplayAsDefault(look.focus), b.SetValue(look.value);
        EXPECT_EQ(Rims(b), look.rims) << look.appearance << " " << look.value << " " << look.focus;
    }
    // Disabled, it keeps the edges of its state and embosses its caption.
    b.SetAmbientDisplayAsDefault(false), b.SetAppearance(1), b.SetValue(1);
    EXPECT_EQ(Inks(b), "c");
    b.SetEnabled(false);
    EXPECT_EQ(Rims(b) + " " + Inks(b), "LHffff LHffff DSffff DSffff HS");
}

TEST_F(ButtonExTest, AccessKeyComesFromTheCaptionAndClicks) {
    auto b = Skinned();
    // A caption without a single "&" keeps the key; one ending in "&" clears it.
    const std::pair<const char*, const char*> table[] = {{"&Save", "S"}, {"Fish && &Chips", "C"}, {"No marks", "C"},
                                                         {"A&&B", "C"}, {"Save&", ""}, {"&&&Go", "G"}};
    for (auto [caption, key] : table) {
        b->SetCaption(caption);
        EXPECT_EQ(b->AccessKeys(), key) << caption;
    }
    PostMessageA(host.Hwnd(), WM_SYSCHAR, 'g', 0x20000001);
    EXPECT_TRUE(PumpUntil([&] { return !events.empty(); }, 2000));
    EXPECT_EQ(events, (Log{"Click"}));
}

// The defaults of a new control and of one read without keys (pictures absent, not empty);
// every key saved in its order, defaults left out, and read back the same.
TEST_F(ButtonExTest, SavedPropertiesKeepTheirKeysOrderAndDefaults) {
    auto values = [](const ButtonEx& b) {
        std::ostringstream s;
        s << std::hex << b.Appearance() << " " << b.BackColor() << " " << b.Caption() << " " << b.CaptionOffsetX()
          << b.CaptionOffsetY() << b.Enabled() << " " << b.ForeColor() << " " << b.HighlightColor() << " "
          << b.MousePointer() << b.RightToLeft() << b.Style() << b.ToolTipText() << " " << b.TransparentColor() << " "
          << b.value() << b.WhatsThisHelpID() << " " << !!b.MouseIcon() << !!b.SkinDisabled() << !!b.SkinDown()
          << !!b.SkinFocus() << !!b.SkinOver() << !!b.SkinUp();
        return s.str();
    };
    ButtonEx fresh, read;
    Log notices;
    fresh.OnPropertyChanged = [&](const std::string& name) { notices.push_back(name); };
    fresh.Load(host.Hwnd());
    PropertyBag none, bag, again;
    read.Load(host.Hwnd(), &none);
    EXPECT_EQ(values(fresh), "2 8000000f ButtonEx1 001 80000012 80000012 000 ff0000 10 111111");
    EXPECT_EQ(values(read), "2 8000000f ButtonEx1 001 80000012 80000012 000 ff0000 10 000000");
    // Every key away from its default but the pictures (saved empty); SkinDown and MouseIcon made absent.
    fresh.SetAppearance(1), fresh.SetEnabled(false), fresh.SetCaption("&Go"), fresh.SetForeColor(0x0000FF);
    fresh.SetRightToLeft(true), fresh.SetTransparentColor(0x00FF00), fresh.SetMouseIcon(nullptr);
    fresh.SetSkinDown(nullptr), fresh.SetStyle(1), fresh.SetToolTipText("tip"), fresh.SetValue(0);
    fresh.SetWhatsThisHelpID(7);
    notices.clear();
    fresh.SetMousePointer(3);
    EXPECT_EQ(notices, (Log{"MousePointer"}));
    fresh.SaveProperties(bag);
    EXPECT_EQ(KeysOf(bag), (Log{"_ExtentX", "_ExtentY", "Appearance", "Enabled", "Caption", "ForeColor", "RightToLeft",
                                "TransparentColor", "MousePointer", "SkinDisabled", "SkinFocus", "SkinOver", "SkinUp",
                                "Style", "ToolTipText", "Value", "WhatsThisHelpID"}));
    EXPECT_EQ(Xy(bag.ReadLong("_ExtentX", 0), bag.ReadLong("_ExtentY", 0)) + " " + std::to_string(bag.ReadLong("Enabled", 1)),
              "2117,635 0");  // 1200 x 360 twips
    ButtonEx loaded;
    loaded.Load(host.Hwnd(), &bag);
    EXPECT_EQ(loaded.AccessKeys(), "G");
    loaded.SaveProperties(again);
    ASSERT_EQ(KeysOf(again), KeysOf(bag));
    for (size_t i = 0; i < bag.Entries().size(); ++i)
        EXPECT_TRUE(gf::SamePropertyValue(again.Entries()[i].Value, bag.Entries()[i].Value)) << bag.Entries()[i].Name;
    // A system colour saved as a negative number reads back whole.
    const PropertyBag signedColour = Saved({{"BackColor", -2147483633L}});
    read.Unload();
    read.Load(host.Hwnd(), &signedColour);
    EXPECT_EQ(read.BackColor(), 0x8000000Fu);
}
