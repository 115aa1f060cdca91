#include "framework/StdPicture.h"

#include <cmath>
#include <cstring>

#include "framework/Control.h"

namespace gf {

namespace {

double ScreenDpiX() { return 1440.0 / Screen::TwipsPerPixelX(); }
double ScreenDpiY() { return 1440.0 / Screen::TwipsPerPixelY(); }

bool EndsWithNoCase(const std::string& text, const char* suffix) {
    size_t n = std::strlen(suffix);
    return text.size() >= n && _stricmp(text.c_str() + text.size() - n, suffix) == 0;
}

}  // namespace

long PixelsToHiMetricX(int pixels) { return std::lround(pixels * 2540.0 / ScreenDpiX()); }
long PixelsToHiMetricY(int pixels) { return std::lround(pixels * 2540.0 / ScreenDpiY()); }
double HiMetricToPixelsX(double himetric) { return himetric * ScreenDpiX() / 2540.0; }
double HiMetricToPixelsY(double himetric) { return himetric * ScreenDpiY() / 2540.0; }

StdPicture::~StdPicture() {
    if (!handle_) return;
    if (kind_ == Kind::Icon)
        DestroyIcon(static_cast<HICON>(handle_));
    else
        DeleteObject(handle_);
}

void StdPicture::SetPixelSize(int width, int height) {
    pixelWidth_ = width;
    pixelHeight_ = height;
    himetricWidth_ = PixelsToHiMetricX(width);
    himetricHeight_ = PixelsToHiMetricY(height);
}

std::shared_ptr<StdPicture> StdPicture::Empty() { return std::make_shared<StdPicture>(); }

std::shared_ptr<StdPicture> StdPicture::FromBitmap(HBITMAP bitmap) {
    auto picture = std::make_shared<StdPicture>();
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) {
        if (bitmap) DeleteObject(bitmap);
        return picture;
    }
    picture->kind_ = Kind::Bitmap;
    picture->handle_ = bitmap;
    picture->SetPixelSize(info.bmWidth, std::abs(info.bmHeight));
    return picture;
}

std::shared_ptr<StdPicture> StdPicture::FromIcon(HICON icon) {
    auto picture = std::make_shared<StdPicture>();
    if (!icon) return picture;
    ICONINFO ii{};
    int width = 0, height = 0;
    if (GetIconInfo(icon, &ii)) {
        BITMAP bm{};
        if (ii.hbmColor && GetObjectA(ii.hbmColor, sizeof bm, &bm)) {
            width = bm.bmWidth;
            height = bm.bmHeight;
        } else if (ii.hbmMask && GetObjectA(ii.hbmMask, sizeof bm, &bm)) {
            width = bm.bmWidth;
            height = bm.bmHeight / 2;  // AND and XOR masks stacked
        }
        if (ii.hbmColor) DeleteObject(ii.hbmColor);
        if (ii.hbmMask) DeleteObject(ii.hbmMask);
    }
    picture->kind_ = Kind::Icon;
    picture->handle_ = icon;
    picture->SetPixelSize(width, height);
    return picture;
}

std::shared_ptr<StdPicture> StdPicture::LoadFile(const std::string& path) {
    if (EndsWithNoCase(path, ".ico") || EndsWithNoCase(path, ".cur")) {
        HANDLE icon = LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
        return icon ? FromIcon(static_cast<HICON>(icon)) : nullptr;
    }
    HANDLE bitmap = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    return bitmap ? FromBitmap(static_cast<HBITMAP>(bitmap)) : nullptr;
}

std::shared_ptr<StdPicture> StdPicture::LoadBitmapResource(HINSTANCE module, const char* name) {
    HANDLE bitmap = LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    return bitmap ? FromBitmap(static_cast<HBITMAP>(bitmap)) : nullptr;
}

void StdPicture::Render(HDC dc, int x, int y) const {
    if (!handle_) return;
    if (kind_ == Kind::Icon) {
        DrawIconEx(dc, x, y, static_cast<HICON>(handle_), pixelWidth_, pixelHeight_, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, handle_);
    BitBlt(dc, x, y, pixelWidth_, pixelHeight_, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

LOGFONTA StdFont::ToLogFont(double pixelsPerInchY) const {
    LOGFONTA lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(Size * pixelsPerInchY / 72.0));
    lf.lfWeight = Weight;
    lf.lfItalic = Italic;
    lf.lfUnderline = Underline;
    lf.lfStrikeOut = Strikethrough;
    lf.lfCharSet = static_cast<BYTE>(Charset);
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, Name.c_str(), LF_FACESIZE);
    return lf;
}

}  // namespace gf
