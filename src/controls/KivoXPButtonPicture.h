#pragma once
// Pictures of the drawn XP-style button and the pixel-buffer routine that draws them:
// masked, as a silhouette (optionally of the dark pixels only), in greyscale or
// blended with what is already on the surface.
#include <windows.h>

namespace kivoxp {

// A non-owning view of a picture: a bitmap (type 1) or an icon (type 3) with its size
// in HiMetric units (hundredths of a millimetre).
struct PictureView {
    short Type = 0;  // 0 none, 1 bitmap, 3 icon
    HANDLE Handle = nullptr;
    long HimetricWidth = 0;
    long HimetricHeight = 0;
    explicit operator bool() const { return Type != 0 && Handle != nullptr; }
    bool operator==(const PictureView&) const = default;
};

constexpr short kPictureBitmap = 1;
constexpr short kPictureIcon = 3;

// Per-pixel rules; colours are RGB references, -1 meaning "none".
struct PixelRules {
    long MaskColor = -1;        // picture pixels of this colour are never drawn
    long SilhouetteColor = -1;  // draw every other pixel in this colour instead
    bool DarkOnly = false;      // silhouette only of pixels with r + g + b <= 384
    bool Greyscale = false;
    bool Blend = false;  // (2 x picture + background) / 3
};

// Applies the rules to two bottom-up 24-bit pixel buffers of w x h pixels (rows padded
// to 4 bytes): the result is left in background.
void ApplyPicturePixels(BYTE* background, const BYTE* picture, int w, int h, const PixelRules& rules);

// Draws the top-left w x h pixels of the picture at (x, y) of dc over what is there.
// An icon is first drawn at its own size on a canvas filled with iconBackground.
// Nothing happens for w or h of 0 or less, or for pictures other than bitmaps and icons.
void DrawPicture(HDC dc, int x, int y, int w, int h, const PictureView& picture, const PixelRules& rules,
                 COLORREF iconBackground);

// Rounds to the nearest whole number, halves to the even one.
long RoundHalfEven(double value);

// A HiMetric length in pixels at the given twips per pixel, halves to even.
long HimetricToPixels(long himetric, double twipsPerPixel);

}  // namespace kivoxp
