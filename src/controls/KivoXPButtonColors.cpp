#include "controls/KivoXPButtonColors.h"

#include <ole2.h>
#include <olectl.h>

#include "framework/Gdi.h"

namespace kivoxp {

namespace {

long Clamp(long value, long amount) {
    if (amount > 0 && value > 255) return 255;
    if (amount < 0 && value < 0) return 0;
    return value;
}

// Scheme 4: the colours a device context of the parent window starts with. Each
// context is given back as soon as its colour is read.
COLORREF ParentBackColor(HWND parent) {
    gf::WindowDC dc(parent);
    return dc.Get() ? GetBkColor(dc.Get()) : 0;
}

COLORREF ParentTextColor(HWND parent) {
    gf::WindowDC dc(parent);
    return dc.Get() ? GetTextColor(dc.Get()) : 0;
}

}  // namespace

COLORREF ShiftColor(COLORREF color, long amount, bool scaleBlue, bool softBevel) {
    long a = softBevel ? amount / 2 : amount;  // C++ division truncates toward zero
    long r = GetRValue(color) + a;
    long g = GetGValue(color) + a;
    long b = GetBValue(color);
    b = scaleBlue ? b + (b * a) / 192 : b + a;
    r = Clamp(r, a);
    g = Clamp(g, a);
    b = Clamp(b, a);
    return static_cast<COLORREF>(r + g * 256 + b * 65536);
}

COLORREF LightenColor(COLORREF color, long amount) {
    auto lighten = [amount](long c) {
        long v = c * (255 - amount) / 255 + amount;
        return v > 255 ? 255 : v;
    };
    return static_cast<COLORREF>(lighten(GetRValue(color)) + lighten(GetGValue(color)) * 256 +
                                 lighten(GetBValue(color)) * 65536);
}

COLORREF TranslateColor(DWORD oleColor) {
    COLORREF rgb = 0;
    if (FAILED(OleTranslateColor(oleColor, nullptr, &rgb))) return 0;
    return rgb;
}

Palette ComputePalette(const PaletteSource& s) {
    auto shift = [&s](COLORREF c, long a) { return ShiftColor(c, a, false, s.SoftBevel); };
    Palette p;
    switch (s.ColorScheme) {
    case 2:
    case 4:
        p.FaceColor = s.ColorScheme == 2 ? TranslateColor(s.BackColor) : ParentBackColor(s.ParentWindow);
        p.ShadowColor = shift(p.FaceColor, -64);
        p.LightColor = shift(p.FaceColor, 31);
        p.HiliteColor = shift(p.FaceColor, 47);
        p.DarkShadowColor = shift(p.FaceColor, -192);
        if (s.ColorScheme == 2) {
            p.TextColor = TranslateColor(s.ForeColor);
            p.TextOverColor = TranslateColor(s.ForeOver);
            p.HotColor = shift(p.FaceColor, -128);
            p.HotLightColor = p.FaceColor;
        } else {
            p.TextColor = ParentTextColor(s.ParentWindow);
            p.TextOverColor = p.TextColor;
            p.HotColor = GetSysColor(COLOR_HIGHLIGHT);
            p.HotLightColor = LightenColor(p.HotColor, 176);
        }
        break;
    case 3:
        p.FaceColor = 0xC0C0C0;
        p.ShadowColor = 0x808080;
        p.LightColor = 0xDFDFDF;
        p.HiliteColor = 0xFFFFFF;
        p.DarkShadowColor = 0;
        p.TextColor = 0;
        p.TextOverColor = 0;
        p.HotColor = 0x800000;
        p.HotLightColor = 0xD1ADAD;
        break;
    default:
        p.FaceColor = GetSysColor(COLOR_BTNFACE);
        p.ShadowColor = GetSysColor(COLOR_BTNSHADOW);
        p.LightColor = GetSysColor(COLOR_3DLIGHT);
        p.HiliteColor = GetSysColor(COLOR_BTNHIGHLIGHT);
        p.DarkShadowColor = GetSysColor(COLOR_3DDKSHADOW);
        p.TextColor = GetSysColor(COLOR_BTNTEXT);
        p.TextOverColor = p.TextColor;
        p.HotColor = GetSysColor(COLOR_HIGHLIGHT);
        p.HotLightColor = LightenColor(p.HotColor, 176);
        break;
    }
    p.MaskRGBColor = TranslateColor(s.MaskColor);
    p.XPFaceColor = ShiftColor(p.FaceColor, 48, s.ButtonType == 3, s.SoftBevel);
    return p;
}

}  // namespace kivoxp
