#pragma once
// A shape painted by its container: decoration such as a band or a border.
#include "framework/Windowless.h"

namespace gf {

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
