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
    // Shown while the pointer rests on the image (needs the form's tip window).
    std::string ToolTipText;

    void ApplyDesign(const DesignProperties& props) override;
    void PaintWindowless(HDC dc) override;

private:
    Bitmap picture_;
    bool masked_ = false;
    unsigned long mask_ = 0;
};

// Shapes: a rectangle (0), square (1), oval (2), circle (3), rounded rectangle (4) or
// rounded square (5), with an optional border and fill.
class Shape : public WindowlessControl {
public:
    using WindowlessControl::WindowlessControl;
    const char* TypeName() const override { return "Shape"; }

    int Kind = 0;
    int BackStyle = 0;   // 0 transparent, 1 filled with BackColor
    unsigned long BackColor = 0x80000005;
    int BorderStyle = 1; // 0 none, 1 solid
    unsigned long BorderColor = 0x80000008;
    int BorderWidth = 1;

    void ApplyDesign(const DesignProperties& props) override;
    void PaintWindowless(HDC dc) override;
};

}  // namespace gf
