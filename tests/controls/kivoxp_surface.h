#pragma once
// Test surfaces for the drawn XP-style button: a memory device context with a 32-bit
// DIB section that the painter draws on and the tests read back pixel by pixel, and
// generated test pictures.
#include <windows.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/KivoXPButtonGdi.h"
#include "controls/KivoXPButtonLook.h"

namespace kivoxp_test {

// A 32-bit top-down DIB section selected into its own memory device context.
class Canvas {
public:
    Canvas(int w, int h) : dc_(nullptr) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        old_ = SelectObject(dc_, bitmap_.get());
        w_ = w, h_ = h;
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return w_; }
    int height() const { return h_; }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }
    void Fill(COLORREF c) {
        kivoxp::gdi::Brush b(CreateSolidBrush(c));
        RECT r{0, 0, w_, h_};
        FillRect(dc_, &r, b.get());
    }
    // Counts the pixels of a rectangle that differ from a colour.
    int CountOther(COLORREF c, RECT r) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += Pixel(x, y) != c;
        return n;
    }
    // Writes the canvas as a 24-bit BMP file.
    bool SaveBmp(const std::string& path) const;

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
    kivoxp::gdi::Bitmap bitmap_;
    int w_ = 0, h_ = 0;
};

// A painter host on a canvas, with a caption font that can turn bold.
class Surface : public kivoxp::LookHost {
public:
    Surface(int w, int h) { Resize(w, h); }
    void Resize(int w, int h);

    HDC SurfaceDC() override { return canvas_->dc(); }
    bool DisplayAsDefault() override { return displayAsDefault; }
    bool FontBold() override { return bold_; }
    void SetFontBold(bool bold) override;
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }

    Canvas& canvas() { return *canvas_; }
    COLORREF Pixel(int x, int y) const { return canvas_->Pixel(x, y); }

    bool displayAsDefault = false;
    kivoxp::Look look{*this};

    // A button of the given type in the usual new-control state, shown and laid out.
    void Setup(long type, long scheme, DWORD back = 0xFFFFFF);

private:
    void SelectFont();
    std::unique_ptr<Canvas> canvas_;
    kivoxp::gdi::Object<HFONT> font_;
    bool bold_ = false;
};

// A 24-bit bitmap whose pixels come from a function, sized 16 px = 423 HiMetric.
struct TestPicture {
    kivoxp::gdi::Bitmap bitmap;
    kivoxp::PictureView ref;
};
TestPicture MakePicture(int w, int h, const std::function<COLORREF(int, int)>& pixel);

// An icon from a colour function; transparent where transparent(x, y) is true.
struct TestIcon {
    HICON icon = nullptr;
    kivoxp::PictureView ref;
    ~TestIcon() {
        if (icon) DestroyIcon(icon);
    }
};
void MakeIcon(TestIcon& out, int size, const std::function<COLORREF(int, int)>& pixel,
              const std::function<bool(int, int)>& transparent);

long HimetricOf(int pixels);

// ---- implementation (header-only: every test executable is one source file) ----

inline bool Canvas::SaveBmp(const std::string& path) const {
    const int stride = (w_ * 3 + 3) / 4 * 4;
    std::vector<BYTE> rows(static_cast<size_t>(stride) * h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            COLORREF c = Pixel(x, h_ - 1 - y);
            BYTE* p = &rows[static_cast<size_t>(y) * stride + x * 3];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = w_;
    ih.biHeight = h_;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(rows.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    out.write(reinterpret_cast<const char*>(rows.data()), static_cast<std::streamsize>(rows.size()));
    return static_cast<bool>(out);
}

inline void Surface::Resize(int w, int h) {
    canvas_ = std::make_unique<Canvas>(w, h);
    canvas_->Fill(RGB(255, 0, 255));
    SelectFont();
    look.Resize(RECT{0, 0, w, h});
}

inline void Surface::SelectFont() {
    font_.reset(CreateFontA(-11, 0, 0, 0, bold_ ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                            NONANTIALIASED_QUALITY, 0, "Tahoma"));
    SelectObject(canvas_->dc(), font_.get());
}

inline void Surface::SetFontBold(bool bold) {
    bold_ = bold;
    HFONT old = font_.release();
    SelectFont();
    if (old) DeleteObject(old);
    look.CalcCaptionRect();
}

inline void Surface::Setup(long type, long scheme, DWORD back) {
    look.ButtonType = type;
    look.ColorScheme = scheme;
    look.BackColor = look.BackOver = back;
    look.ForeColor = 0;
    look.ForeOver = 0xFF0000;
    look.MaskColor = 0xC0C0C0;
    look.Enabled = look.ShowFocusRect = look.UseMaskColor = true;
    look.IsShown = true;
    look.SetColors();
    look.Resize(RECT{0, 0, canvas_->width(), canvas_->height()});
}

inline long HimetricOf(int pixels) { return static_cast<long>(pixels * 2540 / 96); }

inline TestPicture MakePicture(int w, int h, const std::function<COLORREF(int, int)>& pixel) {
    TestPicture pic;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    pic.bitmap.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    const int stride = (w * 3 + 3) / 4 * 4;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = pixel(x, y);
            BYTE* p = static_cast<BYTE*>(bits) + y * stride + x * 3;
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    GdiFlush();
    pic.ref = {kivoxp::kPictureBitmap, pic.bitmap.get(), HimetricOf(w), HimetricOf(h)};
    return pic;
}

inline void MakeIcon(TestIcon& out, int size, const std::function<COLORREF(int, int)>& pixel,
                     const std::function<bool(int, int)>& transparent) {
    TestPicture colour = MakePicture(size, size, [&](int x, int y) { return transparent(x, y) ? 0 : pixel(x, y); });
    const int stride = (size + 15) / 16 * 2;  // monochrome rows are WORD-aligned
    std::vector<BYTE> maskBits(static_cast<size_t>(stride) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (transparent(x, y)) maskBits[static_cast<size_t>(y) * stride + x / 8] |= 0x80 >> (x % 8);
    kivoxp::gdi::Bitmap mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
    ICONINFO ii{};
    ii.fIcon = TRUE;
    ii.hbmColor = colour.bitmap.get();
    ii.hbmMask = mask.get();
    out.icon = CreateIconIndirect(&ii);
    out.ref = {kivoxp::kPictureIcon, out.icon, HimetricOf(size), HimetricOf(size)};
}

}  // namespace kivoxp_test
