#include "framework/Font.h"

#include <cmath>
#include <map>
#include <tuple>

#include "framework/Control.h"
#include "framework/Design.h"
#include "framework/Gdi.h"

namespace gf {

bool FontSpec::operator<(const FontSpec& o) const {
    return std::tie(name, size, bold, italic, underline) <
           std::tie(o.name, o.size, o.bold, o.italic, o.underline);
}

HFONT GetFont(const FontSpec& spec) {
    // Fonts live as long as the program: controls hand them to windows freely.
    static std::map<std::pair<FontSpec, double>, GdiObject<HFONT>> cache;
    const double dpi = Screen::FontPixelsPerInch();
    auto it = cache.find({spec, dpi});
    if (it != cache.end()) return it->second.Get();
    LOGFONTA lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(spec.size * dpi / 72.0));
    lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = spec.italic;
    lf.lfUnderline = spec.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, spec.name.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&lf);
    return cache.emplace(std::make_pair(spec, dpi), GdiObject<HFONT>(font)).first->second.Get();
}

FontSpec FontFromDesign(const DesignProperties& props, FontSpec base) {
    base.name = props.Get("FontName", base.name);
    base.size = props.GetDouble("FontSize", base.size);
    base.bold = props.GetBool("FontBold", base.bold);
    base.italic = props.GetBool("FontItalic", base.italic);
    base.underline = props.GetBool("FontUnderline", base.underline);
    return base;
}

SIZE MeasureText(HFONT font, const std::string& text) {
    WindowDC screen(nullptr);
    SelectGuard sel(screen.Get(), font);
    RECT rc{0, 0, 0, 0};
    DrawTextA(screen.Get(), text.empty() ? " " : text.c_str(), -1, &rc,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    SIZE size{rc.right - rc.left, rc.bottom - rc.top};
    if (text.empty()) size.cx = 0;
    return size;
}

}  // namespace gf
