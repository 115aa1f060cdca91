// Colour arithmetic and palettes of the drawn XP-style button.
#include <gtest/gtest.h>

#include "controls/KivoXPButtonColors.h"

using namespace kivoxp;

TEST(KivoXPColors, ShiftColorMovesClampsAndScalesBlue) {
    struct Case {
        COLORREF from;
        long amount;
        bool blue, soft;
        COLORREF to;
    };
    const Case cases[] = {
        {RGB(128, 128, 128), 48, false, false, RGB(176, 176, 176)},
        {RGB(128, 128, 128), 48, false, true, RGB(152, 152, 152)},
        {RGB(64, 128, 192), 48, true, false, RGB(112, 176, 240)},
        {RGB(64, 64, 64), -104, true, false, RGB(0, 0, 30)},
        // Blue moves by its share of 192, truncated toward zero: 160 * -13 / 192 = -10.8.
        {RGB(176, 176, 160), -13, true, false, RGB(163, 163, 150)},
        {RGB(10, 20, 30), 0, false, false, RGB(10, 20, 30)},
        {RGB(10, 20, 30), 1, false, true, RGB(10, 20, 30)},
        {RGB(10, 20, 30), -1, false, true, RGB(10, 20, 30)},
        // Soft bevel halves toward zero: -25 becomes -12, not -13.
        {RGB(100, 100, 100), -25, false, true, RGB(88, 88, 88)},
        {RGB(255, 255, 255), 48, false, false, RGB(255, 255, 255)},
        {RGB(255, 255, 255), 48, true, false, RGB(255, 255, 255)},
        {RGB(0, 0, 0), -40, false, false, RGB(0, 0, 0)},
        {RGB(250, 5, 100), 10, false, false, RGB(255, 15, 110)},
        {RGB(250, 5, 100), -10, false, false, RGB(240, 0, 90)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShiftColor(c.from, c.amount, c.blue, c.soft), c.to)
            << std::hex << c.from << " by " << std::dec << c.amount << (c.blue ? " blue" : "") << (c.soft ? " soft" : "");
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
    const COLORREF hard[] = {p.FaceColor, p.ShadowColor, p.LightColor, p.HiliteColor, p.DarkShadowColor,
                             p.HotColor, p.HotLightColor, p.TextColor, p.TextOverColor, p.MaskRGBColor};
    const COLORREF hardExpected[] = {0xFFFFFF, 0xBFBFBF, 0xFFFFFF, 0xFFFFFF, 0x3F3F3F,
                                     0x7F7F7F, 0xFFFFFF, GetSysColor(COLOR_BTNTEXT), 0xFF0000, 0xC0C0C0};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(hard[i], hardExpected[i]) << "entry " << i;
    s.SoftBevel = true;
    p = ComputePalette(s);
    const COLORREF soft[] = {p.ShadowColor, p.LightColor, p.HiliteColor, p.DarkShadowColor, p.HotColor,
                             p.HotLightColor};
    const COLORREF softExpected[] = {0xDFDFDF, 0xFFFFFF, 0xFFFFFF, 0x9F9F9F, 0xBFBFBF, 0xFFFFFF};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(soft[i], softExpected[i]) << "soft entry " << i;

    // The XP face is blue-scaled only for the rounded type.
    s.BackColor = RGB(128, 128, 128);
    s.SoftBevel = false;
    const std::pair<long, COLORREF> faces[] = {{3, RGB(176, 176, 160)}, {4, RGB(176, 176, 176)}};
    for (auto [type, face] : faces) {
        s.ButtonType = type;
        EXPECT_EQ(ComputePalette(s).XPFaceColor, face) << "type " << type;
    }
    s.SoftBevel = true;
    EXPECT_EQ(ComputePalette(s).XPFaceColor, RGB(152, 152, 152));
}

TEST(KivoXPColors, UnknownSchemesTakeTheSystemColours) {
    PaletteSource s;
    s.BackColor = RGB(1, 2, 3);  // ignored outside scheme 2
    s.MaskColor = 0xC0C0C0;
    s.ColorScheme = 1;
    const Palette p = ComputePalette(s);
    const COLORREF got[] = {p.FaceColor, p.ShadowColor, p.LightColor, p.HiliteColor, p.DarkShadowColor,
                            p.TextColor, p.TextOverColor, p.HotColor, p.HotLightColor};
    const COLORREF expected[] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW),
                                 GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT),
                                 GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNTEXT),
                                 GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_HIGHLIGHT),
                                 LightenColor(GetSysColor(COLOR_HIGHLIGHT), 176)};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(got[i], expected[i]) << "entry " << i;
    for (long scheme : {0L, 7L, -1L}) {
        s.ColorScheme = scheme;
        EXPECT_EQ(ComputePalette(s), p) << "scheme " << scheme;
    }
}

TEST(KivoXPColors, ParentSchemeReadsTheParentsDeviceContext) {
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
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
