#include "framework/UserControlSurface.h"

#include "framework/PixelBuffer.h"

#include <algorithm>
#include <vector>

#include "framework/Control.h"

namespace gf {

namespace {

void FillSolid(HDC dc, int width, int height, COLORREF color) {
    RECT r{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

UserControlSurface::UserControlSurface() = default;

UserControlSurface::~UserControlSurface() {
    if (!dc_) return;
    SelectObject(dc_, originalBitmap_);
    if (originalFont_) SelectObject(dc_, originalFont_);
    if (bitmap_) DeleteObject(bitmap_);
    if (fontHandle_) DeleteObject(fontHandle_);
    DeleteDC(dc_);
}

void UserControlSurface::EnsureImage() {
    if (dc_) return;
    dc_ = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(screen, std::max(width_, 1), std::max(height_, 1));
    ReleaseDC(nullptr, screen);
    originalBitmap_ = SelectObject(dc_, bitmap_);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, TranslateColor(foreColor_));
    SelectFont();
    FillBackground(width_, height_);
}

void UserControlSurface::SelectFont() {
    LOGFONTA lf = font_.ToLogFont(Screen::FontPixelsPerInch());
    HFONT created = CreateFontIndirectA(&lf);
    if (!created) return;
    HGDIOBJ previous = SelectObject(dc_, created);
    if (!originalFont_) originalFont_ = previous;
    if (fontHandle_) DeleteObject(fontHandle_);
    fontHandle_ = created;
}

void UserControlSurface::Invalidate() {
    if (!window_ || invalid_) return;
    InvalidateRect(window_, nullptr, FALSE);
    invalid_ = true;
}

void UserControlSurface::FillBackground(int width, int height) {
    FillSolid(dc_, width, height, TranslateColor(backColor_));
    if (picture_) picture_->Render(dc_, 0, 0);
}

HDC UserControlSurface::hDC() {
    EnsureImage();
    Invalidate();
    return dc_;
}

void UserControlSurface::Cls() {
    EnsureImage();
    FillBackground(width_, height_);
    Invalidate();
}

void UserControlSurface::ResizeTo(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_ && dc_) return;
    if (!dc_) {  // the first size: the image is made at that size
        width_ = width;
        height_ = height;
        EnsureImage();
        Invalidate();
        return;
    }
    // Keep what was drawn where it still fits; new parts show the background.
    HDC screen = GetDC(nullptr);
    HBITMAP larger = CreateCompatibleBitmap(screen, std::max(width, 1), std::max(height, 1));
    ReleaseDC(nullptr, screen);
    HDC old = CreateCompatibleDC(nullptr);
    SelectObject(dc_, larger);
    HGDIOBJ held = SelectObject(old, bitmap_);
    FillBackground(width, height);
    BitBlt(dc_, 0, 0, std::min(width, width_), std::min(height, height_), old, 0, 0, SRCCOPY);
    SelectObject(old, held);
    DeleteDC(old);
    DeleteObject(bitmap_);
    bitmap_ = larger;
    width_ = width;
    height_ = height;
    Invalidate();
}

void UserControlSurface::PaintTo(HDC target, const RECT& area) const {
    if (!dc_) return;
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_, area.left, area.top,
           SRCCOPY);
}

void UserControlSurface::SetPicture(PictureRef picture) {
    picture_ = std::move(picture);
    Cls();
}

void UserControlSurface::SetMaskPicture(PictureRef picture) {
    maskPicture_ = std::move(picture);
    Invalidate();
}

void UserControlSurface::SetMaskColor(OLE_COLOR color) {
    maskColor_ = color;
    Invalidate();
}

void UserControlSurface::SetBackStyle(int style) {
    backStyle_ = style;
    Invalidate();
}

void UserControlSurface::SetBackColor(OLE_COLOR color) {
    backColor_ = color;
    Cls();
}

void UserControlSurface::SetForeColor(OLE_COLOR color) {
    foreColor_ = color;
    EnsureImage();
    SetTextColor(dc_, TranslateColor(color));
}

void UserControlSurface::SetFont(const StdFont& font) {
    font_ = font;
    EnsureImage();
    SelectFont();
}

double UserControlSurface::TextWidth(const std::string& text) {
    EnsureImage();
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

double UserControlSurface::TextHeight(const std::string& text) {
    EnsureImage();
    // A line's height, also for an empty text.
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.empty() ? " " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()),
                          &size);
    return size.cy;
}

std::string UserControlSurface::RegionKey() const {
    bool masked = backStyle_ == Transparent && maskPicture_ && maskPicture_->HasImage();
    if (!masked) return "whole";
    char key[96];
    snprintf(key, sizeof key, "%p/%08lx/%dx%d", maskPicture_->Handle(), static_cast<unsigned long>(maskColor_), width_,
             height_);
    return key;
}

HRGN UserControlSurface::BuildRegion() const {
    if (backStyle_ != Transparent || !maskPicture_ || !maskPicture_->HasImage()) return nullptr;
    int w = std::min(width_, maskPicture_->PixelWidth());
    int h = std::min(height_, maskPicture_->PixelHeight());
    std::vector<RECT> runs;
    if (w > 0 && h > 0) {
        COLORREF clear = TranslateColor(maskColor_);
        gf::PixelBuffer mask(w, h);
        if (!mask.Valid()) return nullptr;
        // Parts of an icon that it leaves uncovered count as the mask colour.
        FillSolid(mask.Dc(), w, h, clear);
        maskPicture_->Render(mask.Dc(), 0, 0);
        GdiFlush();
        for (int y = 0; y < h; ++y) {
            int x = 0;
            while (x < w) {
                while (x < w && mask.At(x, y) == clear) ++x;
                int start = x;
                while (x < w && mask.At(x, y) != clear) ++x;
                if (x > start) runs.push_back(RECT{start, y, x, y + 1});
            }
        }
    }
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(runs.size());
    header->nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    header->rcBound = RECT{0, 0, w, h};
    std::copy(runs.begin(), runs.end(), reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
    HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
    return region ? region : CreateRectRgn(0, 0, 0, 0);
}

}  // namespace gf
