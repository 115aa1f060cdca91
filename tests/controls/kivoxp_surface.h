#pragma once
// Test surfaces for the drawn XP-style button: the painter drawing on a memory device
// context that the tests read back pixel by pixel, and generated test pictures.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "HostWindow.h"
#include "controls/KivoXPButtonGdi.h"
#include "controls/KivoXPButtonLook.h"

namespace kivoxp_test {

using Canvas = testing_support::DibCanvas;

// A painter host on a canvas, with a caption font that can turn bold.
class Surface : public kivoxp::LookHost {
public:
    Surface(int w, int h) : canvas_(std::make_unique<Canvas>(w, h)) {
        canvas_->Fill(RGB(255, 0, 255));
        SelectFont();
        look.Resize(RECT{0, 0, w, h});
    }
    HDC SurfaceDC() override { return canvas_->Dc(); }
    bool DisplayAsDefault() override { return displayAsDefault; }
    bool FontBold() override { return bold_; }
    void SetFontBold(bool bold) override {
        bold_ = bold;
        SelectFont();
        look.CalcCaptionRect();
    }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    Canvas& canvas() { return *canvas_; }
    COLORREF Pixel(int x, int y) const { return canvas_->Pixel(x, y); }

    // A button of the given type in the usual new-control state, shown and laid out,
    // with a caption (and laid out again when one is given).
    void Setup(long type, long scheme, DWORD back = 0xFFFFFF) {
        look.ButtonType = type;
        look.ColorScheme = scheme;
        look.BackColor = look.BackOver = back;
        look.ForeColor = 0;
        look.ForeOver = 0xFF0000;
        look.MaskColor = 0xC0C0C0;
        look.Enabled = look.ShowFocusRect = look.UseMaskColor = true;
        look.IsShown = true;
        look.SetColors();
        look.Resize(RECT{0, 0, canvas_->Width(), canvas_->Height()});
    }
    void Lay(const std::string& caption, const kivoxp::PictureView* picture = nullptr) {
        look.Caption = caption;
        if (picture) look.PictureNormal = *picture;
        look.CalcPictureSize();
        look.CalcCaptionRect();
    }

    bool displayAsDefault = false;
    kivoxp::Look look{*this};

private:
    void SelectFont() {
        HFONT font = CreateFontA(-11, 0, 0, 0, bold_ ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                 NONANTIALIASED_QUALITY, 0, "Tahoma");
        SelectObject(canvas_->Dc(), font);
        font_.reset(font);  // the old one is no longer selected
    }
    std::unique_ptr<Canvas> canvas_;
    kivoxp::gdi::Object<HFONT> font_;
    bool bold_ = false;
};

// Pixels a table says a surface must show.
struct Px {
    int x, y;
    COLORREF colour;
};
inline void ExpectPixels(Surface& s, std::initializer_list<Px> table) {
    for (const Px& p : table) EXPECT_EQ(s.Pixel(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
}

// A 24-bit bitmap picture (16 px = 423 HiMetric) or an icon, from colour functions.
struct TestPicture {
    kivoxp::gdi::Bitmap bitmap;
    HICON icon = nullptr;
    kivoxp::PictureView ref;
    ~TestPicture() {
        if (icon) DestroyIcon(icon);
    }
};
inline long HimetricOf(int pixels) { return static_cast<long>(pixels * 2540 / 96); }

inline std::unique_ptr<TestPicture> MakePicture(int w, int h, const std::function<COLORREF(int, int)>& pixel) {
    auto pic = std::make_unique<TestPicture>();
    pic->bitmap.reset(testing_support::PaintedBitmap(w, h, pixel));
    pic->ref = {kivoxp::kPictureBitmap, pic->bitmap.get(), HimetricOf(w), HimetricOf(h)};
    return pic;
}

// An icon, transparent where transparent(x, y) holds.
inline std::unique_ptr<TestPicture> MakeIcon(int size, COLORREF colour, const std::function<bool(int, int)>& transparent) {
    auto pic = MakePicture(size, size, [&](int x, int y) { return transparent(x, y) ? 0 : colour; });
    const int stride = (size + 15) / 16 * 2;  // monochrome rows are WORD-aligned
    std::vector<BYTE> maskBits(static_cast<size_t>(stride) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (transparent(x, y)) maskBits[static_cast<size_t>(y) * stride + x / 8] |= 0x80 >> (x % 8);
    kivoxp::gdi::Bitmap mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
    ICONINFO ii{TRUE, 0, 0, mask.get(), pic->bitmap.get()};
    pic->icon = CreateIconIndirect(&ii);
    pic->ref = {kivoxp::kPictureIcon, pic->icon, HimetricOf(size), HimetricOf(size)};
    return pic;
}

}  // namespace kivoxp_test
