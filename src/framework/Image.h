#pragma once
// An image: a picture painted at its top-left corner by its container, never stretched
// (the control's size only clips it). With a mask colour, pixels of that colour are
// left out so the container shows through.
#include <string>

#include "framework/Bitmap.h"
#include "framework/Windowless.h"

namespace gf {

class Image : public WindowlessControl {
public:
    using WindowlessControl::WindowlessControl;
    const char* TypeName() const override { return "Image"; }

    const Bitmap& Picture() const { return picture_; }
    void SetPicture(const Bitmap& picture);
    void SetMaskColor(unsigned long color);
    void ClearMaskColor();

    void ApplyDesign(const DesignProperties& props) override;
    void PaintWindowless(HDC dc) override;

private:
    Bitmap picture_;
    bool masked_ = false;
    unsigned long mask_ = 0;
};

}  // namespace gf
