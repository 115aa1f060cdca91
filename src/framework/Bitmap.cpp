#include "framework/Bitmap.h"

#include <cstdlib>

#include "framework/App.h"
#include "framework/Gdi.h"

namespace gf {

Bitmap::Bitmap(HBITMAP owned) {
    if (!owned) return;
    bmp_.reset(owned, Deleter{});
    BITMAP info{};
    if (GetObjectA(owned, sizeof info, &info)) {
        width_ = info.bmWidth;
        height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    }
}

Bitmap Bitmap::FromFile(const std::string& path) {
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

Bitmap Bitmap::FromResource(int id, HINSTANCE module) {
    if (!module) module = GetModuleHandleA(nullptr);
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

Bitmap Bitmap::FromDesign(const std::string& value) {
    if (value.empty()) return {};
    if (value[0] == '#') return FromResource(std::atoi(value.c_str() + 1));
    bool absolute = value.size() > 1 && (value[1] == ':' || (value[0] == '\\' && value[1] == '\\'));
    return FromFile(absolute ? value : App::Path() + "\\" + value);
}

void Bitmap::Draw(HDC dc, int x, int y) const { Draw(dc, x, y, RECT{0, 0, width_, height_}); }

void Bitmap::Draw(HDC dc, int x, int y, const RECT& src) const {
    if (!bmp_) return;
    MemoryDC mem(dc);
    SelectGuard sel(mem.Get(), bmp_.get());
    BitBlt(dc, x, y, src.right - src.left, src.bottom - src.top, mem.Get(), src.left, src.top, SRCCOPY);
}

void Bitmap::DrawMasked(HDC dc, int x, int y, COLORREF mask) const {
    if (!bmp_) return;
    MemoryDC mem(dc);
    SelectGuard sel(mem.Get(), bmp_.get());
    TransparentBlt(dc, x, y, width_, height_, mem.Get(), 0, 0, width_, height_, mask);
}

}  // namespace gf
