#include "framework/Bitmap.h"

#include <cstdlib>

#include "framework/App.h"
#include "framework/Gdi.h"

namespace gf {

namespace {

HBITMAP LoadResourceBitmap(int id, HINSTANCE module) {
    return static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace

Bitmap::Image::~Image() {
    if (handle) DeleteObject(handle);
}

void Bitmap::Image::Adopt(HBITMAP owned) {
    handle = owned;
    BITMAP info{};
    if (owned && GetObjectA(owned, sizeof info, &info)) {
        width = info.bmWidth;
        height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    }
}

Bitmap::Bitmap(HBITMAP owned) {
    if (owned) image_ = std::make_shared<Image>(owned);
}

Bitmap Bitmap::FromFile(const std::string& path) {
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

Bitmap Bitmap::FromResource(int id, HINSTANCE module) {
    return Bitmap(LoadResourceBitmap(id, module ? module : GetModuleHandleA(nullptr)));
}

Bitmap Bitmap::FromDesign(const std::string& value) {
    if (value.empty()) return {};
    if (value[0] == '#') {
        Bitmap later;
        int id = std::atoi(value.c_str() + 1);
        HINSTANCE module = GetModuleHandleA(nullptr);
        later.image_ = std::make_shared<Image>([id, module] { return LoadResourceBitmap(id, module); });
        return later;
    }
    bool absolute = value.size() > 1 && (value[1] == ':' || (value[0] == '\\' && value[1] == '\\'));
    return FromFile(absolute ? value : App::Path() + "\\" + value);
}

const Bitmap::Image* Bitmap::Loaded() const {
    if (!image_) return nullptr;
    if (image_->load) {
        auto load = std::move(image_->load);
        image_->load = nullptr;
        image_->Adopt(load());
    }
    return image_->handle ? image_.get() : nullptr;
}

HBITMAP Bitmap::Handle() const {
    const Image* image = Loaded();
    return image ? image->handle : nullptr;
}

int Bitmap::Width() const {
    const Image* image = Loaded();
    return image ? image->width : 0;
}

int Bitmap::Height() const {
    const Image* image = Loaded();
    return image ? image->height : 0;
}

void Bitmap::Draw(HDC dc, int x, int y) const { Draw(dc, x, y, RECT{0, 0, Width(), Height()}); }

void Bitmap::Draw(HDC dc, int x, int y, const RECT& src) const {
    const Image* image = Loaded();
    if (!image) return;
    MemoryDC mem(dc);
    SelectGuard sel(mem.Get(), image->handle);
    BitBlt(dc, x, y, src.right - src.left, src.bottom - src.top, mem.Get(), src.left, src.top, SRCCOPY);
}

void Bitmap::DrawMasked(HDC dc, int x, int y, COLORREF mask) const {
    const Image* image = Loaded();
    if (!image) return;
    MemoryDC mem(dc);
    SelectGuard sel(mem.Get(), image->handle);
    TransparentBlt(dc, x, y, image->width, image->height, mem.Get(), 0, 0, image->width, image->height, mask);
}

}  // namespace gf
