// Colour arithmetic and palettes of the drawn XP-style button.
#include <gtest/gtest.h>

#include "controls/KivoXPButtonColors.h"

using namespace kivoxp;

namespace {

COLORREF Shift(COLORREF c, long a, bool blue = false, bool soft = false) { return ShiftColor(c, a, blue, soft); }

}  // namespace

TEST(KivoXPColors, ShiftColorMovesClampsAndScalesBlue) {
    EXPECT_EQ(Shift(RGB(128, 128, 128), 48), RGB(176, 176, 176));
    EXPECT_EQ(Shift(RGB(128, 128, 128), 48, false, true), RGB(152, 152, 152));
    EXPECT_EQ(Shift(RGB(64, 128, 192), 48, true), RGB(112, 176, 240));
    EXPECT_EQ(Shift(RGB(64, 64, 64), -104, true), RGB(0, 0, 30));
    // Blue moves by its share of 192, truncated toward zero: 160 * -13 / 192 = -10.8.
    EXPECT_EQ(Shift(RGB(176, 176, 160), -13, true), RGB(163, 163, 150));
    EXPECT_EQ(Shift(RGB(10, 20, 30), 0), RGB(10, 20, 30));
    EXPECT_EQ(Shift(RGB(10, 20, 30), 1, false, true), RGB(10, 20, 30));
    EXPECT_EQ(Shift(RGB(10, 20, 30), -1, false, true), RGB(10, 20, 30));
    // Soft bevel halves toward zero: -25 becomes -12, not -13.
    EXPECT_EQ(Shift(RGB(100, 100, 100), -25, false, true), RGB(88, 88, 88));
    EXPECT_EQ(Shift(RGB(255, 255, 255), 48), RGB(255, 255, 255));
    EXPECT_EQ(Shift(RGB(255, 255, 255), 48, true), RGB(255, 255, 255));
    EXPECT_EQ(Shift(RGB(0, 0, 0), -40), RGB(0, 0, 0));
    EXPECT_EQ(Shift(RGB(250, 5, 100), 10), RGB(255, 15, 110));
    EXPECT_EQ(Shift(RGB(250, 5, 100), -10), RGB(240, 0, 90));
}

TEST(KivoXPColors, LightenColorMovesTowardWhite) {
    EXPECT_EQ(LightenColor(RGB(10, 36, 106), 176), RGB(179, 187, 208));
    EXPECT_EQ(LightenColor(RGB(0, 0, 0), 176), RGB(176, 176, 176));
    EXPECT_EQ(LightenColor(RGB(255, 255, 255), 176), RGB(255, 255, 255));
    EXPECT_EQ(LightenColor(RGB(0, 128, 255), 128), RGB(128, 191, 255));
}

TEST(KivoXPColors, CustomSchemeShiftsFromTheBackColour) {
    PaletteSource s;
    s.ColorScheme = 2;
    s.BackColor = 0xFFFFFF;
    s.ForeColor = 0x80000000 | COLOR_BTNTEXT;
    s.ForeOver = 0xFF0000;
    s.MaskColor = 0xC0C0C0;
    Palette p = ComputePalette(s);
    EXPECT_EQ(p.FaceColor, 0xFFFFFFu);
    EXPECT_EQ(p.ShadowColor, 0xBFBFBFu);
    EXPECT_EQ(p.LightColor, 0xFFFFFFu);
    EXPECT_EQ(p.HiliteColor, 0xFFFFFFu);
    EXPECT_EQ(p.DarkShadowColor, 0x3F3F3Fu);
    EXPECT_EQ(p.HotColor, 0x7F7F7Fu);
    EXPECT_EQ(p.HotLightColor, 0xFFFFFFu);
    EXPECT_EQ(p.TextColor, GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(p.TextOverColor, 0xFF0000u);
    EXPECT_EQ(p.MaskRGBColor, 0xC0C0C0u);

    s.SoftBevel = true;
    p = ComputePalette(s);
    EXPECT_EQ(p.ShadowColor, 0xDFDFDFu);
    EXPECT_EQ(p.LightColor, 0xFFFFFFu);
    EXPECT_EQ(p.HiliteColor, 0xFFFFFFu);
    EXPECT_EQ(p.DarkShadowColor, 0x9F9F9Fu);
    EXPECT_EQ(p.HotColor, 0xBFBFBFu);
    EXPECT_EQ(p.HotLightColor, 0xFFFFFFu);
}

TEST(KivoXPColors, XPFaceIsBlueScaledOnlyForTheRoundedType) {
    PaletteSource s;
    s.ColorScheme = 2;
    s.BackColor = RGB(128, 128, 128);
    s.ButtonType = 3;
    EXPECT_EQ(ComputePalette(s).XPFaceColor, RGB(176, 176, 160));
    s.ButtonType = 4;
    EXPECT_EQ(ComputePalette(s).XPFaceColor, RGB(176, 176, 176));
    s.SoftBevel = true;
    EXPECT_EQ(ComputePalette(s).XPFaceColor, RGB(152, 152, 152));
}

TEST(KivoXPColors, UnknownSchemesTakeTheSystemColours) {
    PaletteSource s;
    s.BackColor = RGB(1, 2, 3);  // ignored outside schemes 2
    s.MaskColor = 0xC0C0C0;
    s.ColorScheme = 1;
    const Palette system = ComputePalette(s);
    EXPECT_EQ(system.FaceColor, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(system.ShadowColor, GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(system.LightColor, GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(system.HiliteColor, GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(system.DarkShadowColor, GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(system.TextColor, GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(system.TextOverColor, GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(system.HotColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(system.HotLightColor, LightenColor(GetSysColor(COLOR_HIGHLIGHT), 176));
    for (long scheme : {0L, 7L, -1L}) {
        s.ColorScheme = scheme;
        const Palette p = ComputePalette(s);
        EXPECT_EQ(p, system) << "scheme " << scheme;
    }
}

TEST(KivoXPColors, ParentSchemeReadsTheParentsDeviceContext) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KivoXPParentScheme";
    RegisterClassA(&wc);
    HWND parent = CreateWindowA("KivoXPParentScheme", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    HDC probe = GetDC(parent);
    const COLORREF back = GetBkColor(probe), text = GetTextColor(probe);
    ReleaseDC(parent, probe);

    PaletteSource s;
    s.ColorScheme = 4;
    s.ParentWindow = parent;
    const Palette p = ComputePalette(s);
    EXPECT_EQ(p.FaceColor, back);
    EXPECT_EQ(p.ShadowColor, ShiftColor(back, -64, false, false));
    EXPECT_EQ(p.TextColor, text);
    EXPECT_EQ(p.TextOverColor, text);
    EXPECT_EQ(p.HotColor, GetSysColor(COLOR_HIGHLIGHT));
    DestroyWindow(parent);
}
