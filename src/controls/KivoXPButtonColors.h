#pragma once
// Colour arithmetic and the palette of the drawn XP-style button. Colours are plain
// RGB references (red in the low byte); OLE colours that may name a system colour go
// through TranslateColor first.
#include <windows.h>

namespace kivoxp {

// Adds amount to every channel, clamped to 0..255 in the direction of the shift. With
// softBevel the amount is halved toward zero first; with scaleBlue the blue channel
// moves in proportion to its own value (b + b * a / 192).
COLORREF ShiftColor(COLORREF color, long amount, bool scaleBlue, bool softBevel);

// Moves every channel toward white: c * (255 - amount) / 255 + amount.
COLORREF LightenColor(COLORREF color, long amount);

// An OLE colour (plain RGB or a system-colour reference with the top bit set) as RGB;
// black when it cannot be translated.
COLORREF TranslateColor(DWORD oleColor);

// The palette slots every look is drawn from.
struct Palette {
    COLORREF HotColor = 0;
    COLORREF HotLightColor = 0;
    COLORREF FaceColor = 0;
    COLORREF LightColor = 0;
    COLORREF HiliteColor = 0;
    COLORREF ShadowColor = 0;
    COLORREF DarkShadowColor = 0;
    COLORREF TextColor = 0;
    COLORREF TextOverColor = 0;
    COLORREF MaskRGBColor = 0;
    COLORREF XPFaceColor = 0;
    bool operator==(const Palette&) const = default;
};

// What the palette is derived from.
struct PaletteSource {
    long ColorScheme = 1;  // 2 custom, 3 classic greys, 4 parent's colours, else system
    DWORD BackColor = 0, ForeColor = 0, ForeOver = 0, MaskColor = 0;  // OLE colours
    bool SoftBevel = false;
    long ButtonType = 3;
    HWND ParentWindow = nullptr;  // scheme 4 reads its device context's colours
};

Palette ComputePalette(const PaletteSource& source);

}  // namespace kivoxp
