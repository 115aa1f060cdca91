#include "framework/Gdi.h"

namespace gf {

BufferedPaint::BufferedPaint(HDC target, const RECT& area) : target_(target), area_(area), mem_(target) {
    int w = area.right - area.left, h = area.bottom - area.top;
    if (!mem_.Get() || w <= 0 || h <= 0) return;
    bitmap_.Reset(CreateCompatibleBitmap(target, w, h));
    if (!bitmap_) return;
    oldBitmap_ = SelectObject(mem_.Get(), bitmap_.Get());
    SetViewportOrgEx(mem_.Get(), -area.left, -area.top, &oldOrigin_);
}

BufferedPaint::~BufferedPaint() {
    if (!oldBitmap_) return;
    SetViewportOrgEx(mem_.Get(), 0, 0, nullptr);
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
           mem_.Get(), 0, 0, SRCCOPY);
    SelectObject(mem_.Get(), oldBitmap_);
}

void FillSolid(HDC dc, const RECT& rc, COLORREF color) {
    COLORREF old = SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

COLORREF ResolveColor(unsigned long color) {
    if (color & 0x80000000UL) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

}  // namespace gf
