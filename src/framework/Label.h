#pragma once
// A label: text painted by its container, transparent by default so that it sits
// cleanly on a skin picture. Text wraps at the label's width; "\r\n" breaks lines.
#include <string>

#include "framework/Font.h"
#include "framework/Windowless.h"

namespace gf {

class Label : public WindowlessControl {
public:
    using WindowlessControl::WindowlessControl;
    const char* TypeName() const override { return "Label"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // A caption that may hold characters outside the ANSI code page (a file's name):
    // drawn as it is; Caption() then gives its ANSI form, "" when it has none.
    void SetCaption(const std::wstring& caption);
    // 0 left, 1 right, 2 centre.
    int Alignment() const { return alignment_; }
    void SetAlignment(int alignment);
    // 0 transparent (default), 1 opaque BackColor.
    int BackStyle() const { return backStyle_; }
    void SetBackStyle(int style);
    void SetBackColor(unsigned long color);
    unsigned long ForeColor() const { return foreColor_; }
    void SetForeColor(unsigned long color);
    const FontSpec& Font() const { return font_; }
    void SetFont(const FontSpec& font);
    void ScaleFont(double factor) override;

    void ApplyDesign(const DesignProperties& props) override;
    void PaintWindowless(HDC dc) override;

private:
    void Draw(HDC dc, RECT rc, UINT flags) const;

    std::string caption_;
    std::wstring wideCaption_;  // when set, what is drawn
    int alignment_ = 0;
    int backStyle_ = 0;
    unsigned long backColor_ = 0x8000000F;
    unsigned long foreColor_ = 0x80000012;
    FontSpec font_;
};

}  // namespace gf
