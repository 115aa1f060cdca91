#pragma once
// A 32-bit top-down DIB section with a memory device context of its own: GDI draws
// into Dc(), and the pixels are read and written directly.
#include <windows.h>

#include <cstdint>

namespace gf {

class PixelBuffer {
public:
    PixelBuffer(int width, int height, HDC like = nullptr);
    ~PixelBuffer();
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;

    bool Valid() const { return bits_ && dc_; }
    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // 0x00RRGGBB; call GdiFlush() after drawing with GDI and before reading.
    std::uint32_t Raw(int x, int y) const { return bits_[y * width_ + x]; }
    void SetRaw(int x, int y, std::uint32_t v) { bits_[y * width_ + x] = v; }
    // The pixel as a colour; a point outside reads as CLR_INVALID.
    COLORREF At(int x, int y) const;

    // Hands the bitmap over; the buffer must not be used afterwards.
    HBITMAP Release();

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ original_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

}  // namespace gf
