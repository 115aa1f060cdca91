// The window shaping class on real windows under the virtual display: regions read
// back from the windows and pixels from the screen.
// GF_EXCLUSIVE_DISPLAY (reads screen pixels)
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/clsTransForm.h"
#include "framework/Error.h"

using namespace testing_support;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kInk = RGB(20, 40, 200);
constexpr COLORREF kHostFill = RGB(30, 120, 60);
using PixelFn = std::function<COLORREF(int, int)>;

// A window of a given kind name that paints a fixed pattern: a form (top level) or a
// control inside a parent.
class PaintedTarget : public gf::Control {
public:
    PaintedTarget(const char* kind, HWND parent, int x, int y, int w, int h, PixelFn pixel)
        : Control("target"), kind_(kind), image_(PaintedBitmap(w, h, pixel)) {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "GfShapeTarget";
            RegisterClassA(&wc);
            registered = true;
        }
        DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
        hwnd_ = CreateWindowExA(parent ? 0 : WS_EX_TOPMOST, "GfShapeTarget", "", style, x, y, w, h, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(image_));
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    }
    ~PaintedTarget() override {
        DestroyWindow(hwnd_);
        DeleteObject(image_);
    }
    const char* TypeName() const override { return kind_; }
    HWND Hwnd() const override { return hwnd_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            HDC src = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(src, reinterpret_cast<HBITMAP>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
            RECT r;
            GetClientRect(hwnd, &r);
            BitBlt(dc, 0, 0, r.right, r.bottom, src, 0, 0, SRCCOPY);
            SelectObject(src, old);
            DeleteDC(src);
            EndPaint(hwnd, &ps);
            return 0;
        }
        if (msg == WM_ERASEBKGND) return 1;
        return DefWindowProcA(hwnd, msg, wp, lp);
    }

    const char* kind_;
    HBITMAP image_;
    HWND hwnd_ = nullptr;
};

// A graphical command button: a 2-pixel grey border, its back colour, a picture (ink
// inside the given rectangle) and its caption.
class PictureButton : public gf::Control, public ShapeableButton {
public:
    PictureButton(HWND parent, RECT picture) : Control("cmdShape"), picture_(picture) {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "GfShapeButton";
            RegisterClassA(&wc);
            registered = true;
        }
        hwnd_ = CreateWindowExA(0, "GfShapeButton", "", WS_CHILD | WS_VISIBLE, 200, 20, 40, 30, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        UpdateWindow(hwnd_);
    }
    ~PictureButton() override { DestroyWindow(hwnd_); }
    const char* TypeName() const override { return "CommandButton"; }
    HWND Hwnd() const override { return hwnd_; }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    void SetBackColor(gf::OLE_COLOR color) override { back_ = gf::TranslateColor(color); }
    void Refresh() override { RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

    std::string caption_ = "Shape";
    COLORREF back_ = RGB(212, 208, 200);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<PictureButton*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (msg == WM_PAINT && self) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r{0, 0, 40, 30};
            Fill(dc, r, RGB(90, 90, 90));
            InflateRect(&r, -2, -2);
            Fill(dc, r, self->back_);
            Fill(dc, self->picture_, kInk);
            if (!self->caption_.empty()) TextOutA(dc, 3, 3, self->caption_.c_str(), int(self->caption_.size()));
            EndPaint(hwnd, &ps);
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    static void Fill(HDC dc, RECT r, COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc, &r, b);
        DeleteObject(b);
    }

    RECT picture_;
    HWND hwnd_ = nullptr;
};

HRGN RegionOf(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, region) == ERROR) {
        DeleteObject(region);
        return nullptr;
    }
    return region;
}

bool SameRegion(HRGN region, RECT r) {
    HRGN expected = CreateRectRgnIndirect(&r);
    bool same = EqualRgn(region, expected);
    DeleteObject(expected);
    return same;
}

class ShapeMeTest : public ::testing::Test {
protected:
    HostWindow host{100, 100, 300, 120, kHostFill};
    clsTransForm shaper;
};

}  // namespace

TEST_F(ShapeMeTest, RunsEndAtTheRightEdgeAndASinglePixelBetweenRunsStays) {
    // Row 1: key from column 15 to the right edge. Row 3: key at 2-4 and 6-8, ink at 5.
    PaintedTarget form("Form", nullptr, 120, 120, 20, 6, [](int x, int y) {
        if (y == 1 && x >= 15) return kKey;
        if (y == 3 && ((x >= 2 && x <= 4) || (x >= 6 && x <= 8))) return kKey;
        return kInk;
    });
    PumpFor(50);
    shaper.ShapeMe(form, kKey);
    EXPECT_EQ(shaper.TargetWidth(), 20);
    EXPECT_EQ(shaper.TargetHeight(), 6);
    HRGN region = RegionOf(form.Hwnd());
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(PtInRegion(region, 14, 1));
    for (int x = 15; x < 20; ++x) EXPECT_FALSE(PtInRegion(region, x, 1)) << x;
    EXPECT_TRUE(PtInRegion(region, 0, 2));  // the run never wraps into the next row
    EXPECT_TRUE(PtInRegion(region, 19, 2));
    EXPECT_FALSE(PtInRegion(region, 4, 3));
    EXPECT_TRUE(PtInRegion(region, 5, 3));
    EXPECT_FALSE(PtInRegion(region, 6, 3));
    DeleteObject(region);
    // What lies behind shows through the cut pixels.
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(form.Hwnd(), 17, 1) == kHostFill; }, 2000));
    EXPECT_EQ(ClientPixel(form.Hwnd(), 5, 3), kInk);
}

TEST_F(ShapeMeTest, TargetsWithoutTheColourKeepTheirRectangle) {
    PaintedTarget picture("PictureBox", host.Hwnd(), 10, 10, 30, 20, [](int, int) { return kInk; });
    PumpFor(50);
    shaper.ShapeMe(picture, kKey);
    HRGN region = RegionOf(picture.Hwnd());
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(SameRegion(region, RECT{0, 0, 30, 20}));
    DeleteObject(region);

    // A button whose picture fills its face: only its border goes.
    PictureButton full(host.Hwnd(), RECT{2, 2, 38, 28});
    PumpFor(50);
    shaper.ShapeMe(full, kKey);
    EXPECT_EQ(full.caption_, "");
    EXPECT_EQ(full.back_, kKey);
    region = RegionOf(full.Hwnd());
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(SameRegion(region, RECT{2, 2, 38, 28}));
    DeleteObject(region);
}

TEST_F(ShapeMeTest, AButtonTakesTheShapeOfItsPicture) {
    PictureButton button(host.Hwnd(), RECT{10, 8, 30, 22});
    PumpFor(50);
    shaper.ShapeMe(button, kKey);
    HRGN region = RegionOf(button.Hwnd());
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(SameRegion(region, RECT{10, 8, 30, 22}));
    DeleteObject(region);
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(button.Hwnd(), 5, 5) == kHostFill; }, 2000));
    EXPECT_EQ(ClientPixel(button.Hwnd(), 15, 15), kInk);
}

TEST_F(ShapeMeTest, OtherKindsRaiseTheErrorAndStayUntouched) {
    PaintedTarget label("Label", host.Hwnd(), 10, 10, 30, 20, [](int, int) { return kKey; });
    try {
        shaper.ShapeMe(label, kKey);
        FAIL() << "a label cannot be shaped";
    } catch (const gf::Error& e) {
        EXPECT_EQ(e.Number, static_cast<long>(0x800409D0));
        EXPECT_EQ(e.Source, "TransForm");
        EXPECT_EQ(e.Description,
                  "Must pass in the name of a Form, PictureBox, CommandButton, CheckBox or OptionButton.  "
                  "TransForm ShapeMe method failed.");
    }
    EXPECT_EQ(RegionOf(label.Hwnd()), nullptr);
}

namespace {
std::vector<std::pair<WPARAM, LPARAM>> g_ncPresses;
LRESULT CALLBACK RecordNcPress(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCLBUTTONDOWN) {
        g_ncPresses.emplace_back(wp, lp);
        return 0;  // no move loop in a test
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}
}  // namespace

TEST(DragForm, TheLeftButtonGrabsTheCaptionAtThePointer) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordNcPress;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GfDragTarget";
    RegisterClassA(&wc);
    HWND form = CreateWindowExA(0, "GfDragTarget", "", WS_POPUP | WS_VISIBLE, 50, 50, 80, 60, nullptr, nullptr,
                                wc.hInstance, nullptr);
    SetCapture(form);
    SetCursorPos(70, 65);
    clsTransForm shaper;
    shaper.DragForm(form, 2);
    EXPECT_TRUE(g_ncPresses.empty());
    EXPECT_EQ(GetCapture(), form);
    shaper.DragForm(form, 1);
    ASSERT_EQ(g_ncPresses.size(), 1u);
    EXPECT_EQ(g_ncPresses[0].first, static_cast<WPARAM>(HTCAPTION));
    POINT at{};
    GetCursorPos(&at);
    EXPECT_EQ(g_ncPresses[0].second, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(form);
}
