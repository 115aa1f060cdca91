#include "controls/KivoXPButtonPicture.h"

#include <cmath>
#include <vector>

#include "framework/Gdi.h"

namespace kivoxp {

long RoundHalfEven(double value) { return static_cast<long>(std::nearbyint(value)); }

long HimetricToPixels(long himetric, double twipsPerPixel) {
    return RoundHalfEven(himetric * 1440.0 / 2540.0 / twipsPerPixel);
}

namespace {

int RowSize(int w) { return (w * 3 + 3) / 4 * 4; }

BYTE GreyOf(BYTE r, BYTE g, BYTE b) {
    double sum = static_cast<double>(RoundHalfEven(r * 0.3));
    sum = sum + g * 0.59;
    sum = sum + b * 0.11;
    return static_cast<BYTE>(RoundHalfEven(sum));
}

BITMAPINFO BufferHeader(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// Copies w x h pixels of src at (x, y) into a new buffer through a compatible bitmap.
std::vector<BYTE> ReadArea(HDC like, HDC src, int x, int y, int w, int h) {
    std::vector<BYTE> buffer(static_cast<size_t>(RowSize(w)) * h);
    gf::MemoryDC work(like);
    gf::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(like, w, h));
    {
        gf::SelectGuard sel(work.Get(), bitmap.Get());
        BitBlt(work.Get(), 0, 0, w, h, src, x, y, SRCCOPY);
    }
    BITMAPINFO bi = BufferHeader(w, h);
    GetDIBits(work.Get(), bitmap.Get(), 0, h, buffer.data(), &bi, DIB_RGB_COLORS);
    return buffer;
}

}  // namespace

void ApplyPicturePixels(BYTE* background, const BYTE* picture, int w, int h, const PixelRules& rules) {
    const int stride = RowSize(w);
    const bool silhouette = rules.SilhouetteColor >= 0;
    const BYTE sr = GetRValue(rules.SilhouetteColor), sg = GetGValue(rules.SilhouetteColor),
               sb = GetBValue(rules.SilhouetteColor);
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            const BYTE* p = picture + row * stride + col * 3;  // blue, green, red
            BYTE* bg = background + row * stride + col * 3;
            const BYTE b = p[0], g = p[1], r = p[2];
            if (static_cast<long>(RGB(r, g, b)) == rules.MaskColor) continue;
            if (silhouette) {
                if (rules.DarkOnly && r + g + b > 384) continue;
                bg[0] = sb, bg[1] = sg, bg[2] = sr;
            } else if (rules.Greyscale) {
                bg[0] = bg[1] = bg[2] = GreyOf(r, g, b);
            } else if (rules.Blend) {
                bg[0] = static_cast<BYTE>((2 * b + bg[0]) / 3);
                bg[1] = static_cast<BYTE>((2 * g + bg[1]) / 3);
                bg[2] = static_cast<BYTE>((2 * r + bg[2]) / 3);
            } else {
                bg[0] = b, bg[1] = g, bg[2] = r;
            }
        }
    }
}

void DrawPicture(HDC dc, int x, int y, int w, int h, const PictureView& picture, const PixelRules& rules,
                 COLORREF iconBackground) {
    if (w <= 0 || h <= 0 || !picture) return;
    if (picture.Type != kPictureBitmap && picture.Type != kPictureIcon) return;

    gf::MemoryDC source(dc);
    gf::GdiObject<HBITMAP> iconCanvas;
    std::vector<BYTE> pixels;
    if (picture.Type == kPictureBitmap) {
        gf::SelectGuard sel(source.Get(), picture.Handle);
        pixels = ReadArea(dc, source.Get(), 0, 0, w, h);
    } else {
        // The icon's see-through parts take the mask colour, so that they stay unpainted.
        iconCanvas.Reset(CreateCompatibleBitmap(dc, w, h));
        gf::SelectGuard sel(source.Get(), iconCanvas.Get());
        gf::Brush fill(CreateSolidBrush(iconBackground));
        RECT all{0, 0, w, h};
        FillRect(source.Get(), &all, fill.Get());
        DrawIconEx(source.Get(), 0, 0, static_cast<HICON>(picture.Handle), 0, 0, 0, nullptr, DI_NORMAL);
        pixels = ReadArea(dc, source.Get(), 0, 0, w, h);
    }
    std::vector<BYTE> background = ReadArea(dc, dc, x, y, w, h);
    ApplyPicturePixels(background.data(), pixels.data(), w, h, rules);
    BITMAPINFO bi = BufferHeader(w, h);
    SetDIBitsToDevice(dc, x, y, w, h, 0, 0, 0, h, background.data(), &bi, DIB_RGB_COLORS);
}

}  // namespace kivoxp
