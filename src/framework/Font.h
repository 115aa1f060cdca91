#pragma once
// Fonts of the controls: a face, a size in points and a style. The program's windows
// use Tahoma 8 pt; each distinct font is made once and kept for the program's life.
#include <windows.h>

#include <string>

namespace gf {

struct FontSpec {
    std::string name = "Tahoma";
    double size = 8;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator<(const FontSpec& o) const;
    bool operator==(const FontSpec& o) const = default;
    // The same font, its size multiplied by factor.
    FontSpec Scaled(double factor) const {
        FontSpec scaled = *this;
        scaled.size *= factor;
        return scaled;
    }
};

// The shared font for spec; never deleted by callers.
HFONT GetFont(const FontSpec& spec);

class DesignProperties;
// Reads "FontName", "FontSize", "FontBold", "FontItalic", "FontUnderline" over base.
FontSpec FontFromDesign(const DesignProperties& props, FontSpec base = {});

// Size of text drawn in font, in pixels (several lines when it holds line breaks).
SIZE MeasureText(HFONT font, const std::string& text);

}  // namespace gf
