// ButtonEx and the window shaping class on real windows under the virtual display: real
// mouse, focus and key messages, faces read back from the control's device context and
// from the screen, regions read back from the windows. (Dragging by the surface is the
// main window's, tested whole in tests/e2e/first_start_test.sh.)
// GF_EXCLUSIVE_DISPLAY (moves the pointer and the focus, reads screen pixels)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/ButtonEx.h"
#include "controls/PageButtons.h"
#include "controls/clsTransForm.h"
#include "framework/Error.h"
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

std::string WindowSize(const ButtonEx& b) {
    RECT r;
    GetWindowRect(b.Hwnd(), &r);
    return Xy(r.right - r.left, r.bottom - r.top);
}

Log Keys(const PropertyBag& bag) {
    Log keys;
    for (const auto& e : bag.Entries()) keys.push_back(e.Name);
    return keys;
}

// The smallest rectangle holding every pixel of a colour on the control's face.
RECT Extent(ButtonEx& b, COLORREF colour) {
    int w = static_cast<int>(b.Surface().ScaleWidth()), h = static_cast<int>(b.Surface().ScaleHeight());
    HDC dc = b.Surface().hDC();
    RECT r{w, h, -1, -1};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (GetPixel(dc, x, y) == colour) {
                r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x), r.bottom = std::max<LONG>(r.bottom, y);
            }
    return r;
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
        b->Click = [&] { events.push_back("Click"); };
        b->MouseEnter = [&] { events.push_back("MouseEnter"); };
        b->MouseExit = [&] { events.push_back("MouseExit"); };
        b->MouseDown = [&](short& button, short&, float& x, float& y) {
            events.push_back("MouseDown " + std::to_string(button) + " " + std::to_string(int(x)) + "," +
                             std::to_string(int(y)));
        };
        b->MouseUp = [&](short& button, short&, float&, float&) { events.push_back("MouseUp " + std::to_string(button)); };
        return b;
    }

    // Puts the pointer over a client point of the button (the leave poll reads it). The
    // moves the display reports for the jump are dropped: each test sends its own.
    void PointerAt(ButtonEx& b, int x, int y) {
        POINT p = HostWindow::ScreenPoint(b.Hwnd(), x, y);
        SetCursorPos(p.x, p.y);
        MSG m;
        for (DWORD start = GetTickCount(); GetTickCount() - start < 60; Sleep(5))
            while (PeekMessageA(&m, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) continue;
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
    for (auto [key, colour] : {std::pair{"SkinUp", kUp}, {"SkinOver", kOver}, {"SkinDown", kDown}, {"SkinDisabled", kDisabled}})
        bag.WriteProperty(key, Skin(colour));
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
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 1);

    SetForegroundWindow(host.Hwnd());
    SetFocus(b->Hwnd());
    EXPECT_EQ(Face(*b), kFocus);  // drawn as up with the focus skin
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
    EXPECT_EQ(WindowSize(*b), "158,80");
    b->Refresh();
    EXPECT_FALSE(WindowRegion(b->Hwnd()).Exists());  // the whole rectangle again
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
    EXPECT_EQ(Xy(over.left, over.top), Xy(up.left, up.top));

    SendMouse(b->Hwnd(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    RECT down = Extent(*b, kYellow);
    EXPECT_EQ(Xy(down.left, down.top), Xy(up.left + 1, up.top + 1));
    SendMouse(b->Hwnd(), WM_LBUTTONUP, 5, 5);

    b->SetCaptionOffsetX(-7);
    b->SetCaptionOffsetY(5);
    RECT moved = Extent(*b, kWhite);
    EXPECT_EQ(Xy(moved.left, moved.top), Xy(up.left - 7, up.top + 5));

    b->SetCaption("");
    EXPECT_FALSE(Found(Extent(*b, kWhite)));
}

TEST_F(ButtonExTest, AccessKeyComesFromTheCaptionAndClicks) {
    auto b = Skinned();
    // A caption without a single "&" keeps the key the button had.
    const std::pair<const char*, const char*> table[] = {
        {"&Save", "S"}, {"Fish && &Chips", "C"}, {"No marks", "C"}, {"A&&B", "C"}, {"&&&Go", "G"}};
    for (auto [caption, key] : table) {
        b->SetCaption(caption);
        EXPECT_EQ(b->AccessKeys(), key) << caption;
    }
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
    PropertyBag saved;
    fresh.SaveProperties(saved);
    // A new control's pictures are present though empty, so they are saved.
    EXPECT_EQ(Keys(saved), (Log{"_ExtentX", "_ExtentY", "MouseIcon", "SkinDisabled", "SkinDown", "SkinFocus", "SkinOver",
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
    EXPECT_EQ(Keys(bag), (Log{"_ExtentX", "_ExtentY", "Appearance", "Enabled", "Caption", "ForeColor", "RightToLeft",
                         "TransparentColor", "MousePointer", "SkinDisabled", "SkinFocus", "SkinOver", "SkinUp",
                         "Style", "ToolTipText", "Value", "WhatsThisHelpID"}));
    EXPECT_EQ(bag.ReadLong("Enabled", 1), 0);
    // Loaded and saved again, every entry comes back the same.
    ButtonEx loaded;
    loaded.Load(host.Hwnd(), &bag);
    EXPECT_FALSE(loaded.Enabled());
    EXPECT_EQ(loaded.AccessKeys(), "G");
    EXPECT_EQ(loaded.SkinUp(), fresh.SkinUp());
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

namespace {

const gf::DesignRow kPagesDesign[] = {
    {"ButtonEx", "ButtonEx1", 0, "", 0, 0, 2370, 1200},
    {"ButtonEx", "ButtonEx1", 1, "", 0, 1200, 2370, 1200},
    {"ButtonEx", "ButtonEx1", 2, "", 0, 2400, 2370, 1200},
};

class PagesForm : public gf::Form {
public:
    PagesForm() : gf::Form("frmPages") {
        SetBorderStyle(gf::FormBorder::None);
        SetClientSize(2370, 3600);
        Build(kPagesDesign);
    }
};

}  // namespace

// The main window's page buttons: design rows loaded with their saved properties, the
// size of their skin, no caption, the disabled page showing its over skin, clicks only
// on enabled ones, and all of it again after the window unloads and loads.
TEST(ButtonExOnAForm, PageButtonsLoadTheirSavedPropertiesAndLoadAgainAfterUnload) {
    ButtonEx::RegisterType();
    PagesForm form;
    std::vector<int> clicked;
    for (int i = 0; i < 3; ++i) {
        auto& b = form.Get<ButtonEx>("ButtonEx1", i);
        b.SetSavedProperties(PageButtonProperties(Skin(RGB(10, 10 + 60 * i, 90)), Skin(RGB(250, 10 + 60 * i, 90))));
        b.Click = [&clicked, i] { clicked.push_back(i); };
    }
    form.Move(1500, 1500, 2370, 3600);
    for (int round = 0; round < 2; ++round) {
        form.Show();
        PumpFor(100);
        SetWindowPos(form.Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        auto& second = form.Get<ButtonEx>("ButtonEx1", 1);
        ASSERT_NE(second.Hwnd(), nullptr);
        EXPECT_EQ(GetParent(second.Hwnd()), form.Hwnd());
        second.SetEnabled(false);
        for (int i = 0; i < 3; ++i) {
            auto& b = form.Get<ButtonEx>("ButtonEx1", i);
            EXPECT_EQ(WindowSize(b), "158,80");
            EXPECT_EQ(b.Caption(), "");
            EXPECT_EQ(b.Font().Name, "MS Sans Serif");
        }
        EXPECT_EQ(Face(form.Get<ButtonEx>("ButtonEx1", 0)), RGB(10, 10, 90));
        EXPECT_EQ(Face(second), RGB(250, 70, 90));  // the over skin stands for the disabled page
        EXPECT_TRUE(PumpUntil([&] { return ClientPixel(second.Hwnd(), 40, 40) == RGB(250, 70, 90); }, 2000));
        // Pressed, a page button shows its up skin: it has no SkinDown.
        SendMouse(form.Get<ButtonEx>("ButtonEx1", 0).Hwnd(), WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
        EXPECT_EQ(Face(form.Get<ButtonEx>("ButtonEx1", 0)), RGB(10, 10, 90));
        SendMouse(form.Get<ButtonEx>("ButtonEx1", 0).Hwnd(), WM_LBUTTONUP, 30, 30);
        RealClick(form.Get<ButtonEx>("ButtonEx1", 2).Hwnd(), 30, 30);
        RealClick(second.Hwnd(), 30, 30);
        EXPECT_EQ(clicked, (std::vector<int>{0, 2})) << "round " << round;
        clicked.clear();
        form.Unload();
        EXPECT_EQ(second.Hwnd(), nullptr);
        second.SetEnabled(true);
    }
}

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255), kInk = RGB(20, 40, 200);
using PixelFn = std::function<COLORREF(int x, int y, COLORREF back)>;

// A window of a given kind name that paints pixel(x, y, back colour), and its caption
// in the corner: a form (top level) or a control inside a parent. As a button it takes
// the caption and back colour ShapeMe sets.
class Target : public gf::Control, public ShapeableButton {
public:
    Target(const char* kind, HWND parent, RECT r, PixelFn pixel) : Control("target"), kind_(kind), pixel_(pixel) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "GfShapeTarget";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(parent ? 0 : WS_EX_TOPMOST, wc.lpszClassName, "",
                                (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, parent, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        Refresh();
        PumpFor(50);
    }
    ~Target() override { DestroyWindow(hwnd_); }
    const char* TypeName() const override { return kind_; }
    HWND Hwnd() const override { return hwnd_; }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    void SetBackColor(gf::OLE_COLOR color) override { back_ = gf::TranslateColor(color); }
    void Refresh() override { RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

    std::string caption_;
    COLORREF back_ = RGB(212, 208, 200);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<Target*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (msg == WM_ERASEBKGND) return 1;
        if (msg != WM_PAINT || !self) return DefWindowProcA(hwnd, msg, wp, lp);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        HBITMAP image = PaintedBitmap(r.right, r.bottom, [self](int x, int y) { return self->pixel_(x, y, self->back_); });
        HDC src = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(src, image);
        BitBlt(dc, 0, 0, r.right, r.bottom, src, 0, 0, SRCCOPY);
        SelectObject(src, old);
        DeleteDC(src);
        DeleteObject(image);
        if (!self->caption_.empty()) TextOutA(dc, 3, 3, self->caption_.c_str(), int(self->caption_.size()));
        EndPaint(hwnd, &ps);
        return 0;
    }
    const char* kind_;
    PixelFn pixel_;
    HWND hwnd_ = nullptr;
};

// A graphical command button of 40 x 30: a 2-pixel grey border, its back colour, ink
// inside the picture rectangle.
PixelFn PictureButton(RECT picture) {
    return [picture](int x, int y, COLORREF back) {
        if (x < 2 || y < 2 || x >= 38 || y >= 28) return RGB(90, 90, 90);
        return PtInRect(&picture, POINT{x, y}) ? kInk : back;
    };
}

class ShapeMeTest : public ::testing::Test {
protected:
    HostWindow host{100, 100, 300, 120, kHostFill};
    clsTransForm shaper;
};

}  // namespace

TEST_F(ShapeMeTest, RunsEndAtTheRightEdgeAndASinglePixelBetweenRunsStays) {
    // Row 1: key from column 15 to the right edge. Row 3: key at 2-4 and 6-8, ink at 5.
    Target form("Form", nullptr, {120, 120, 140, 126}, [](int x, int y, COLORREF) {
        if (y == 1 && x >= 15) return kKey;
        if (y == 3 && ((x >= 2 && x <= 4) || (x >= 6 && x <= 8))) return kKey;
        return kInk;
    });
    shaper.ShapeMe(form, kKey);
    EXPECT_EQ(Xy(shaper.TargetWidth(), shaper.TargetHeight()), "20,6");
    WindowRegion region(form.Hwnd());
    ASSERT_TRUE(region.Exists());
    EXPECT_TRUE(region.Contains(14, 1));
    for (int x = 15; x < 20; ++x) EXPECT_FALSE(region.Contains(x, 1)) << x;
    EXPECT_TRUE(region.Contains(0, 2) && region.Contains(19, 2));  // the run never wraps into the next row
    EXPECT_FALSE(region.Contains(4, 3));
    EXPECT_TRUE(region.Contains(5, 3));
    EXPECT_FALSE(region.Contains(6, 3));
    // What lies behind shows through the cut pixels.
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(form.Hwnd(), 17, 1) == kHostFill; }, 2000));
    EXPECT_EQ(ClientPixel(form.Hwnd(), 5, 3), kInk);
}

TEST_F(ShapeMeTest, TargetsWithoutTheColourKeepTheirRectangle) {
    Target picture("PictureBox", host.Hwnd(), {10, 10, 40, 30}, [](int, int, COLORREF) { return kInk; });
    shaper.ShapeMe(picture, kKey);
    EXPECT_TRUE(WindowRegion(picture.Hwnd()).Equals({0, 0, 30, 20}));
    // A button whose picture fills its face: only its border goes.
    Target full("CommandButton", host.Hwnd(), {200, 20, 240, 50}, PictureButton({2, 2, 38, 28}));
    full.caption_ = "Shape";
    shaper.ShapeMe(full, kKey);
    EXPECT_EQ(full.caption_, "");
    EXPECT_EQ(full.back_, kKey);
    EXPECT_TRUE(WindowRegion(full.Hwnd()).Equals({2, 2, 38, 28}));
}

TEST_F(ShapeMeTest, AButtonTakesTheShapeOfItsPicture) {
    Target button("CommandButton", host.Hwnd(), {200, 20, 240, 50}, PictureButton({10, 8, 30, 22}));
    button.caption_ = "Shape";
    shaper.ShapeMe(button, kKey);
    EXPECT_TRUE(WindowRegion(button.Hwnd()).Equals({10, 8, 30, 22}));
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(button.Hwnd(), 5, 5) == kHostFill; }, 2000));
    EXPECT_EQ(ClientPixel(button.Hwnd(), 15, 15), kInk);
}

TEST_F(ShapeMeTest, OtherKindsRaiseTheErrorAndStayUntouched) {
    Target label("Label", host.Hwnd(), {10, 10, 40, 30}, [](int, int, COLORREF) { return kKey; });
    try {
        shaper.ShapeMe(label, kKey);
        ADD_FAILURE() << "a label cannot be shaped";
    } catch (const gf::Error& e) {
        EXPECT_EQ(e.Number, static_cast<long>(0x800409D0));
        EXPECT_EQ(e.Source, "TransForm");
        EXPECT_EQ(e.Description,
                  "Must pass in the name of a Form, PictureBox, CommandButton, CheckBox or OptionButton.  "
                  "TransForm ShapeMe method failed.");
    }
    EXPECT_FALSE(WindowRegion(label.Hwnd()).Exists());
}
