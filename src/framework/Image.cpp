#include "framework/Image.h"

#include "framework/Design.h"
#include "framework/Gdi.h"

namespace gf {

void Image::SetPicture(const Bitmap& picture) {
    picture_ = picture;
    Refresh();
}

void Image::SetMaskColor(unsigned long color) {
    masked_ = true;
    mask_ = color;
    Refresh();
}

void Image::ClearMaskColor() {
    masked_ = false;
    Refresh();
}

void Image::ApplyDesign(const DesignProperties& props) {
    WindowlessControl::ApplyDesign(props);
    if (props.Has("Picture")) picture_ = Bitmap::FromDesign(props.Get("Picture"));
    if (props.Has("MaskColor")) {
        masked_ = true;
        mask_ = props.GetColor("MaskColor", 0);
    }
    Refresh();
}

void Image::PaintWindowless(HDC dc) {
    RECT rc = PixelRect();
    IntersectClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
    if (masked_)
        picture_.DrawMasked(dc, rc.left, rc.top, ResolveColor(mask_));
    else
        picture_.Draw(dc, rc.left, rc.top);
}

}  // namespace gf
