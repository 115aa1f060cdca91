#include "framework/PixelBuffer.h"

namespace gf {

PixelBuffer::PixelBuffer(int width, int height, HDC like) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(like);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_) {
        bits_ = static_cast<std::uint32_t*>(bits);
        original_ = SelectObject(dc_, bitmap_);
    }
}

PixelBuffer::~PixelBuffer() {
    if (dc_ && original_) SelectObject(dc_, original_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
}

COLORREF PixelBuffer::At(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    std::uint32_t p = Raw(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

HBITMAP PixelBuffer::Release() {
    GdiFlush();
    if (dc_ && original_) SelectObject(dc_, original_);
    original_ = nullptr;
    bits_ = nullptr;
    HBITMAP bitmap = bitmap_;
    bitmap_ = nullptr;
    return bitmap;
}

}  // namespace gf
