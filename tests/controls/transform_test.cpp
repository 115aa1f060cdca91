// The window shaping class on real windows under the virtual display: regions read
// back from the windows and pixels from the screen. (Dragging by the surface is the
// main window's, tested whole in tests/e2e/first_start_test.sh.)
// GF_EXCLUSIVE_DISPLAY (reads screen pixels)
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/clsTransForm.h"
#include "framework/Error.h"

using namespace testing_support;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255), kInk = RGB(20, 40, 200), kHostFill = RGB(30, 120, 60);
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
