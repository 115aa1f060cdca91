#include "framework/OleColor.h"

namespace gf {

namespace {
// COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30) are the indexes GetSysColor knows.
constexpr unsigned kLastSystemIndex = 30;
}  // namespace

bool TranslateOleColor(OLE_COLOR color, COLORREF& out) {
    switch (color >> 24) {
    case 0x80: {
        unsigned index = color & 0xFFFFFFu;
        if (index > kLastSystemIndex) return false;
        out = GetSysColor(static_cast<int>(index));
        return true;
    }
    case 0x00:
    case 0x01:  // palette index: no palette here, so the low bytes stand
    case 0x02:  // palette-relative RGB
        out = color & 0xFFFFFFu;
        return true;
    default:
        return false;
    }
}

COLORREF TranslateColor(OLE_COLOR color) {
    COLORREF rgb = 0;
    return TranslateOleColor(color, rgb) ? rgb : 0;
}

}  // namespace gf
