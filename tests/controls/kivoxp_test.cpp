// KivoXPButton. The painter, read back pixel by pixel from memory device contexts:
// colour arithmetic and palettes; the rounded type-3 look of the program's buttons in
// its states, the gradient's rounding, the repaint rules, regions, the types without a
// look; the pixel rules of DrawPicture, the caption and picture layout; every
// type in every state painted side by side into one picture (kivoxp_looks.bmp beside
// the test executable) for a person to look at, where each type's looks must differ.
// The hosted control on the virtual display: defaults of new and restored controls,
// saving and restoring, setters and their repaints, DisableRefresh / Refresh, the
// window region; real mouse buttons, double clicks, Space and the arrow keys, hover with
// its leave poll. (The saved designs of the program's buttons load in the main window's
// and the caption dialog's tests.)
// GF_EXCLUSIVE_DISPLAY (moves the focus and the mouse pointer, reads the screen)
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/KivoXPButton.h"
#include "controls/KivoXPButtonColors.h"
#include "controls/KivoXPButtonDesigns.h"
#include "controls/KivoXPButtonDraw.h"
#include "framework/Gdi.h"
#include "controls/KivoXPButtonLook.h"

using namespace kivoxp;
using testing_support::Xy;
using namespace testing_support;
using gf::PropertyBag;
using Log = std::vector<std::string>;

namespace {

using Canvas = testing_support::DibCanvas;

// A painter host on a canvas (magenta until painted), with a caption font.
class Surface : public kivoxp::LookHost {
public:
    Surface(int w, int h) : canvas(w, h) {
        canvas.Fill(RGB(255, 0, 255));
        SetFontBold(false);
    }
    HDC SurfaceDC() override { return canvas.Dc(); }
    bool DisplayAsDefault() override { return displayAsDefault; }
    bool FontBold() override { return bold_; }
    void SetFontBold(bool bold) override {
        HFONT font = CreateFontA(-11, 0, 0, 0, (bold_ = bold) ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                 NONANTIALIASED_QUALITY, 0, "Tahoma");
        SelectObject(canvas.Dc(), font);
        font_.Reset(font);  // the old one is no longer selected
        look.CalcCaptionRect();
    }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    COLORREF Pixel(int x, int y) const { return canvas.Pixel(x, y); }

    // A button of the given type in the usual new-control state, shown and laid out.
    void Setup(long type, long scheme, DWORD back = 0xFFFFFF) {
        look.ButtonType = type;
        look.ColorScheme = scheme;
        look.BackColor = look.BackOver = back;
        look.ForeColor = 0;
        look.ForeOver = 0xFF0000;
        look.MaskColor = 0xC0C0C0;
        look.Enabled = look.ShowFocusRect = look.UseMaskColor = look.IsShown = true;
        look.SetColors();
        look.Resize(RECT{0, 0, canvas.Width(), canvas.Height()});
    }
    // Lays out a caption (and a picture).
    void Lay(const std::string& caption, const kivoxp::PictureView* picture = nullptr) {
        look.Caption = caption;
        if (picture) look.PictureNormal = *picture;
        look.CalcPictureSize();
        look.CalcCaptionRect();
    }

    Canvas canvas;
    bool displayAsDefault = false;
    kivoxp::Look look{*this};

private:
    gf::GdiObject<HFONT> font_;
    bool bold_ = false;
};

// Pixels a table says a surface must show.
struct Px {
    int x, y;
    COLORREF colour;
};
void ExpectPixels(Surface& s, std::initializer_list<Px> table) {
    for (const Px& p : table) EXPECT_EQ(s.Pixel(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
}

// A 24-bit bitmap picture (16 px = 423 HiMetric) from a colour function.
struct TestPicture {
    gf::GdiObject<HBITMAP> bitmap;
    kivoxp::PictureView ref;
};
long HimetricOf(int pixels) { return static_cast<long>(pixels * 2540 / 96); }

std::unique_ptr<TestPicture> MakePicture(int w, int h, const std::function<COLORREF(int, int)>& pixel) {
    auto pic = std::make_unique<TestPicture>();
    pic->bitmap.Reset(testing_support::PaintedBitmap(w, h, pixel));
    pic->ref = {kivoxp::kPictureBitmap, pic->bitmap.Get(), HimetricOf(w), HimetricOf(h)};
    return pic;
}

}  // namespace

TEST(KivoXPColors, ShiftColorMovesClampsAndScalesBlue) {
    const struct {
        COLORREF from;
        long amount;
        bool blue, soft;
        COLORREF to;
    } cases[] = {
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
    for (const auto& c : cases)
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

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);  // XPFaceColor (176, 176, 160) for type 3
constexpr COLORREF kOutline = 0x733C00;
constexpr COLORREF kCorner = 0x7B4D10;

// A type-3 button of 75 x 23 on a grey face, without a caption.
struct Type3 : ::testing::Test {
    Surface s{75, 23};
    void SetUp() override {
        s.Setup(3, 2, kGrey);
        s.Lay("");
    }
};

}  // namespace

TEST_F(Type3, PlainUpLookIsExact) {
    s.look.DrawButton(kStateUp, true);
    ExpectPixels(s, {
        // Gradient rows: shift(XP, k, blue), k = -(25/23) * row rounded; each row one colour.
        {30, 3, RGB(173, 173, 158)}, {30, 12, RGB(163, 163, 150)}, {30, 19, RGB(155, 155, 143)},
        {3, 11, s.Pixel(71, 11)},
        // Outline and corner pixels.
        {0, 5, kOutline}, {74, 5, kOutline}, {30, 0, kOutline}, {30, 22, kOutline}, {2, 0, kOutline},
        {0, 2, kOutline}, {74, 2, kOutline},
        {1, 1, kCorner}, {1, 21, kCorner}, {73, 1, kCorner}, {73, 21, kCorner},
        // The eight plain edges: bottom -48, above it -32, right -36, inside it -24,
        // top +16, below it +10, left -5, inside it -10 (drawn after the second row).
        {40, 21, RGB(128, 128, 120)}, {40, 20, RGB(144, 144, 134)}, {73, 10, RGB(140, 140, 130)},
        {72, 10, RGB(152, 152, 140)}, {40, 1, RGB(192, 192, 173)}, {40, 2, RGB(186, 186, 168)},
        {1, 10, RGB(171, 171, 156)}, {2, 10, RGB(166, 166, 152)}, {1, 2, RGB(171, 171, 156)},
    });
}

TEST_F(Type3, HoverAndFocusDrawTheirEdgeSets) {
    s.look.IsOver = true;
    s.look.HasFocus = true;  // hover wins over focus
    s.look.DrawButton(kStateUp, true);
    ExpectPixels(s, {{1, 10, 0x31B2FF}, {73, 10, 0x31B2FF}, {40, 20, 0x31B2FF}, {40, 21, 0x0096E7},
                     {72, 10, 0x6BCBFF}, {40, 1, 0xCEF3FF}, {40, 2, 0x8CDBFF},
                     {73, 2, 0x8CDBFF},  // this line runs one pixel further right
                     {2, 10, 0x6BCBFF}, {40, 19, RGB(155, 155, 143)}});  // row 19 stays gradient
    s.look.IsOver = false;
    s.look.DrawButton(kStateUp, true);
    ExpectPixels(s, {{1, 10, 0xE7AE8C}, {40, 21, 0xEF826B}, {72, 10, 0xF0D1B5}, {40, 1, 0xFFE7CE},
                     {40, 2, 0xF7D7BD}, {2, 10, 0xF0D1B5}});
    // Without ShowFocusRect the focus is not shown; a default button shows it unfocused.
    s.look.ShowFocusRect = false;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.Pixel(40, 21), RGB(128, 128, 120));
    s.look.ShowFocusRect = true;
    s.look.HasFocus = false;
    s.displayAsDefault = true;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.Pixel(40, 21), 0xEF826Bu);
}

TEST_F(Type3, PressedLookIsUpsideDownWithoutHoverOrFocus) {
    s.look.IsOver = true;
    s.look.HasFocus = true;
    s.look.DrawButton(kStateDown, true);
    EXPECT_EQ(s.look.LastState, kStateDown);
    // base = shift(XP, -32, blue) = (144, 144, 134); row H - i gets k of row i, so the
    // darkest row is at the top; edges +16, +10, +5, XPFaceColor, -32, -24, -32, -22.
    ExpectPixels(s, {{30, 19, RGB(140, 140, 132)}, {30, 12, RGB(132, 132, 126)}, {30, 3, RGB(122, 122, 119)},
                     {30, 0, kOutline}, {1, 21, kCorner},
                     {40, 21, RGB(160, 160, 145)}, {40, 20, RGB(154, 154, 140)}, {73, 10, RGB(149, 149, 137)},
                     {72, 10, RGB(176, 176, 160)}, {40, 1, RGB(112, 112, 112)}, {40, 2, RGB(120, 120, 118)},
                     {1, 10, RGB(112, 112, 112)}, {2, 10, RGB(122, 122, 119)}});
}

TEST_F(Type3, DisabledLookIgnoresHoverAndFocus) {
    s.look.Enabled = false;
    s.look.HasFocus = true;
    s.look.DrawButton(kStateUp, true);
    // Fill -24, frame -84, corners -72, no edge lines.
    ExpectPixels(s, {{30, 10, RGB(152, 152, 140)}, {0, 10, RGB(92, 92, 90)}, {1, 1, RGB(104, 104, 100)},
                     {40, 21, s.Pixel(40, 10)}});
    // Under the mouse the custom scheme paints from the hover colour, and puts the
    // palette back afterwards.
    s.look.IsOver = true;
    s.look.BackOver = RGB(64, 64, 64);  // XP (112, 112, 80)
    s.look.DrawButton(kStateUp, true);
    ExpectPixels(s, {{30, 10, RGB(88, 88, 70)}, {40, 21, s.Pixel(40, 10)}});
    EXPECT_EQ(s.look.BackColor, kGrey);
    EXPECT_EQ(s.look.FaceColor, kGrey);
}

TEST(KivoXPLook, GradientRoundsHalvesToEven) {
    Surface s{75, 50};
    s.Setup(3, 2, kGrey);  // XP (176, 176, 160); step 0.5
    s.Lay("");
    s.look.DrawButton(kStateUp, true);
    // -1.5 -> -2, -2, -2.5 -> -2, -3.5 -> -4, -4.5 -> -4
    for (int row : {3, 4, 5}) EXPECT_EQ(s.Pixel(30, row), RGB(174, 174, 159)) << row;
    for (int row : {7, 9}) EXPECT_EQ(s.Pixel(30, row), RGB(172, 172, 157)) << row;
    s.look.SoftBevel = true;  // XP (152, 152, 144); every shift halved toward zero
    s.look.SetColors();
    s.look.DrawButton(kStateUp, true);
    ExpectPixels(s, {{30, 3, RGB(151, 151, 144)}, {30, 5, RGB(151, 151, 144)}, {30, 7, RGB(150, 150, 143)}});
}

TEST(KivoXPLook, RepaintRules) {
    Surface s{40, 20};
    s.Setup(7, 3);
    s.look.Caption = "A";
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.look.LastCaption, "A");
    // Unforced with the same state and caption: nothing is drawn.
    s.canvas.Fill(RGB(1, 2, 3));
    s.look.DrawButton(kStateUp, false);
    EXPECT_EQ(s.Pixel(20, 10), RGB(1, 2, 3));
    // A changed caption paints without force.
    s.look.Caption = "B";
    s.look.DrawButton(kStateUp, false);
    EXPECT_EQ(s.Pixel(20, 1), 0xC0C0C0u);
    // Suspended painting or no height: nothing, and the last state and caption stay.
    s.look.IsShown = false;
    s.canvas.Fill(RGB(1, 2, 3));
    s.look.DrawButton(kStateDown, true);
    s.look.IsShown = true;
    s.look.ButtonHeight = 0;
    s.look.Caption = "C";
    s.look.DrawButton(kStateDown, true);
    EXPECT_EQ(s.Pixel(20, 1), RGB(1, 2, 3));
    EXPECT_EQ(s.look.LastState, kStateUp);
    EXPECT_EQ(s.look.LastCaption, "B");
    s.look.ButtonHeight = 20;
    // A latched toggle looks pressed whatever state it is asked for.
    s.look.CheckBoxBehaviour = true;
    s.look.value = true;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.look.LastState, kStateDown);
    EXPECT_EQ(s.Pixel(0, 0), 0x808080u);  // type 7 down: shadow at the top left
}

TEST(KivoXPLook, RegionsGiveEachTypeItsOutline) {
    const int w = 75, h = 23;
    auto count = [&](long type, int cw = 75, int ch = 23) {
        gf::GdiObject<HRGN> r(MakeRegion(type, cw, ch));
        int n = 0;
        for (int y = -1; y <= ch; ++y)
            for (int x = -1; x <= cw; ++x) n += PtInRegion(r.Get(), x, y) ? 1 : 0;
        return n;
    };
    const std::pair<long, int> missing[] = {{3, 12}, {4, 12}, {1, 4}, {14, 4}, {5, 2}, {2, 0}, {6, 0},
                                            {10, 0}, {11, 0}, {12, 0}, {0, 0}, {15, 0}};
    for (auto [type, fewer] : missing) EXPECT_EQ(count(type), w * h - fewer) << "type " << type;
    gf::GdiObject<HRGN> r3(MakeRegion(3, w, h)), r5(MakeRegion(5, w, h)), ellipse(MakeRegion(13, 80, 40));
    EXPECT_FALSE(PtInRegion(r3.Get(), 1, 0) || PtInRegion(r3.Get(), w - 1, h - 2));
    EXPECT_TRUE(PtInRegion(r3.Get(), 1, 1));
    EXPECT_FALSE(PtInRegion(r5.Get(), 0, h - 1));
    EXPECT_TRUE(PtInRegion(r5.Get(), 0, 0));
    EXPECT_NEAR(count(13, 80, 40), 3.14159 * 40 * 20, 150);
    EXPECT_TRUE(PtInRegion(ellipse.Get(), 40, 20));
    EXPECT_FALSE(PtInRegion(ellipse.Get(), 2, 2));
}

TEST(KivoXPLook, TypesWithoutALookDrawOnlyTheFaceAndThePicture) {
    auto pic = MakePicture(16, 16, [](int, int) { return RGB(200, 0, 0); });
    for (long type : {10L, 0L, 15L}) {
        Surface s{60, 30};
        s.Setup(type, 3);
        s.Lay("Xyz", &pic->ref);
        const RECT picture{s.look.PictureX, s.look.PictureY, s.look.PictureX + 16, s.look.PictureY + 16};
        for (int pass = 0; pass < 3; ++pass) {  // hovered, pressed, disabled
            s.look.Enabled = pass != 2;
            s.look.IsOver = pass == 0;
            s.look.HasFocus = true;
            s.look.DrawButton(pass == 1 ? kStateDown : kStateUp, true);
            // The pressed picture moves by (1, 1); the disabled one adds a copy there.
            RECT moved = picture;
            if (pass == 1) OffsetRect(&moved, 1, 1);
            if (pass == 2) moved.right++, moved.bottom++;
            int stray = 0;
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 60; ++x) stray += !PtInRect(&moved, POINT{x, y}) && s.Pixel(x, y) != 0xC0C0C0;
            EXPECT_EQ(stray, 0) << "type " << type << " pass " << pass;
            EXPECT_NE(s.Pixel(moved.left + 8, moved.top + 8), 0xC0C0C0u) << "type " << type;
        }
    }
}

namespace {

constexpr COLORREF kMask = RGB(192, 192, 192), kBack = RGB(9, 9, 9);

// Draws a picture at (x, y) on a canvas filled with back first.
void Draw(Canvas& c, COLORREF back, const PictureView& pic, int x, int y, int w, int h, PixelRules rules) {
    c.Fill(back);
    DrawPicture(c.Dc(), x, y, w, h, pic, rules, kMask);
}

}  // namespace

TEST(KivoXPPicture, MaskColourPixelsAreNeverDrawn) {
    // Left half mask colour, right half blue.
    auto pic = MakePicture(16, 16, [](int x, int) { return x < 8 ? kMask : RGB(0, 0, 255); });
    Canvas c(40, 40);
    Draw(c, kBack, pic->ref, 10, 10, 16, 16, {long(kMask)});
    EXPECT_EQ(c.Pixel(12, 12), kBack);
    EXPECT_EQ(c.Pixel(20, 12), RGB(0, 0, 255));
    EXPECT_EQ(c.Pixel(26, 12), kBack);  // nothing beyond the width
    Draw(c, kBack, pic->ref, 10, 10, 16, 16, {long(kMask), long(RGB(50, 60, 70))});  // a silhouette
    EXPECT_EQ(c.Pixel(12, 12), kBack);
    EXPECT_EQ(c.Pixel(20, 12), RGB(50, 60, 70));
    Draw(c, kBack, pic->ref, 10, 10, 16, 16, {-1});  // without a mask colour every pixel is drawn
    EXPECT_EQ(c.Pixel(12, 12), kMask);
    Draw(c, kBack, pic->ref, 10, 10, 0, 16, {-1});  // width or height 0: nothing
    DrawPicture(c.Dc(), 10, 10, 16, 0, pic->ref, {-1}, kMask);
    EXPECT_EQ(c.CountOther(kBack, {0, 0, 40, 40}), 0);
}

TEST(KivoXPPicture, PixelRules) {
    // Columns: sum 384, sum 385, white, red, black.
    const COLORREF cols[] = {RGB(128, 128, 128), RGB(129, 128, 128), RGB(255, 255, 255), RGB(255, 0, 0), 0};
    auto pic = MakePicture(5, 1, [&](int x, int) { return cols[x]; });
    Canvas c(10, 3);
    const COLORREF white = RGB(255, 255, 255);
    Draw(c, white, pic->ref, 0, 0, 5, 1, {-1, long(RGB(1, 2, 3)), true});  // dark pixels only
    EXPECT_EQ(c.Pixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(c.Pixel(1, 0), white);  // one too light
    EXPECT_EQ(c.Pixel(4, 0), RGB(1, 2, 3));
    PixelRules grey{-1}, blend{-1}, all{-1, long(RGB(7, 7, 7))};
    grey.Greyscale = blend.Blend = all.Greyscale = all.Blend = true;
    Draw(c, white, pic->ref, 0, 0, 5, 1, grey);
    EXPECT_EQ(c.Pixel(2, 0), RGB(254, 254, 254));
    EXPECT_EQ(c.Pixel(3, 0), RGB(76, 76, 76));
    Draw(c, 0, pic->ref, 0, 0, 5, 1, blend);
    EXPECT_EQ(c.Pixel(2, 0), RGB(170, 170, 170));  // white over black
    Draw(c, white, pic->ref, 0, 0, 5, 1, blend);
    EXPECT_EQ(c.Pixel(4, 0), RGB(85, 85, 85));  // black over white
    EXPECT_EQ(c.Pixel(3, 0), RGB(255, 85, 85));
    Draw(c, white, pic->ref, 0, 0, 5, 1, all);  // a silhouette wins over greyscale and blend
    EXPECT_EQ(c.Pixel(2, 0), RGB(7, 7, 7));
}

TEST(KivoXPPicture, OddWidthsAreDrawnWhole) {
    // 15 pixels wide: rows of 45 bytes padded to 48.
    auto pic = MakePicture(15, 7, [](int x, int y) { return RGB(x * 10, y * 30, 100); });
    Canvas c(30, 20);
    Draw(c, 0, pic->ref, 3, 4, 15, 7, {-1});
    int wrong = 0;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 15; ++x) wrong += c.Pixel(3 + x, 4 + y) != RGB(x * 10, y * 30, 100);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(c.Pixel(18, 4) + c.Pixel(3, 11), 0u);
}

// The program's buttons put the picture left of the caption: the pair is centred, the
// text starts after the picture's room, and pressed it moves by (1, 1). A blank caption
// or a picture behind it leaves the picture centred.
TEST(KivoXPPicture, CaptionAndPictureLayout) {
    auto pic = MakePicture(16, 16, [](int, int) { return 0; });
    Surface s{97, 25};
    s.Setup(3, 1);
    s.Lay("Internet", &pic->ref);
    const RECT& c = s.look.CaptionRect;
    const int tw = s.look.CaptionWidth, th = s.look.CaptionHeight;
    EXPECT_GT(tw, 20);
    EXPECT_EQ(c.right - c.left, tw);
    EXPECT_EQ(Xy(c.left, c.top), Xy(17 + (97 - (17 + tw)) / 2, 1 + (25 - (1 + th)) / 2));
    EXPECT_EQ(Xy(s.look.PictureX, s.look.PictureY), Xy(c.left - 20, 4));
    EXPECT_EQ(Xy(s.look.CaptionRectDown.left, s.look.CaptionRectDown.top), Xy(c.left + 1, c.top + 1));
    Surface tall{80, 60};
    tall.Setup(3, 1);
    for (auto [caption, position] : {std::pair{"   ", 0L}, {"", 2L}, {"Go", 4L}}) {
        tall.look.PicturePosition = position;
        tall.Lay(caption, &pic->ref);
        EXPECT_EQ(Xy(tall.look.PictureX, tall.look.PictureY), "32,22") << '"' << caption << '"' << position;
    }
}

namespace {

constexpr int kW = 97, kH = 31, kGap = 8;

enum State { Up, Hover, Focus, Down, Disabled, kLooks };

// Paints one button and copies it, cut to its region, onto the sheet.
void PaintCell(Canvas& sheet, int left, int top, long type, long scheme, State look, const PictureView& pic) {
    Surface s{kW, kH};
    s.Setup(type, scheme, 0xFFFFFF);
    s.Lay("Type " + std::to_string(type), &pic);
    s.look.IsOver = look == Hover;
    s.look.HasFocus = look == Focus;
    s.look.Enabled = look != Disabled;
    // Type 11 shows what lies behind it: a striped stand-in for the parent.
    Canvas behind(kW, kH);
    behind.Fill(RGB(255, 255, 255));
    for (int y = 0; y < kH; y += 2) {
        RECT r{0, y, kW, y + 1};
        gf::Brush b(CreateSolidBrush(RGB(200, 220, 255)));
        FillRect(behind.Dc(), &r, b.Get());
    }
    if (type == 11) s.look.BackgroundDC = behind.Dc();
    s.look.DrawButton(look == Down ? kStateDown : kStateUp, true);
    gf::GdiObject<HRGN> region(MakeRegion(type, kW, kH));
    OffsetRgn(region.Get(), left, top);
    SelectClipRgn(sheet.Dc(), region.Get());
    BitBlt(sheet.Dc(), left, top, kW, kH, s.SurfaceDC(), 0, 0, SRCCOPY);
    SelectClipRgn(sheet.Dc(), nullptr);
}

bool CellsDiffer(Canvas& sheet, int x1, int x2, int y) {
    for (int dy = 0; dy < kH; ++dy)
        for (int dx = 0; dx < kW; ++dx)
            if (sheet.Pixel(x1 + dx, y + dy) != sheet.Pixel(x2 + dx, y + dy)) return true;
    return false;
}

}  // namespace

TEST(KivoXPSheet, EveryTypeInEveryState) {
    auto pic = MakePicture(16, 16, [](int x, int y) {
        const int dx = x - 8, dy = y - 8;
        if (dx * dx + dy * dy > 42) return RGB(192, 192, 192);
        return dx + dy < 0 ? RGB(40, 170, 60) : RGB(20, 110, 40);
    });
    Canvas sheet(kGap + kLooks * 2 * (kW + kGap) + kGap, kGap + 14 * (kH + kGap));
    sheet.Fill(RGB(236, 233, 216));
    auto cellX = [](int col) { return kGap + col * (kW + kGap); };
    for (int type = 1; type <= 14; ++type)
        for (int si = 0; si < 2; ++si)  // schemes 1 and 2
            for (int look = 0; look < kLooks; ++look)
                PaintCell(sheet, cellX(si * kLooks + look) + si * kGap, kGap + (type - 1) * (kH + kGap), type, si + 1,
                          static_cast<State>(look), pic->ref);
    EXPECT_TRUE(sheet.SaveBmp(testing_support::ExeFolder() + "\\kivoxp_looks.bmp"));
    for (int type = 1; type <= 14; ++type) {
        if (type == 10) continue;  // no look: only the picture moves
        const int y = kGap + (type - 1) * (kH + kGap);
        EXPECT_TRUE(CellsDiffer(sheet, cellX(Up), cellX(Down), y)) << "type " << type;
        EXPECT_TRUE(CellsDiffer(sheet, cellX(Up), cellX(Disabled), y)) << "type " << type;
    }
}

namespace {

constexpr COLORREF kHostFill = RGB(30, 120, 60), kMarker = RGB(1, 2, 3);

gf::PictureRef Square(int size) {
    return gf::StdPicture::FromBitmap(PaintedBitmap(size, size, [](int, int) { return RGB(200, 30, 30); }));
}

// How many more regions the process could make (each freed again): a leak eats into it.
int SpareRegions() {
    std::vector<gf::GdiObject<HRGN>> made;
    while (HRGN r = CreateRectRgn(0, 0, 1, 1)) made.emplace_back(r);
    return static_cast<int>(made.size());
}

class Button : public ::testing::Test {
protected:
    HostWindow host{60, 60, 400, 300, kHostFill};
    Log log;

    // A button at (x, y) of the host, its events logged with its name.
    std::unique_ptr<KivoXPButton> Make(const std::string& name, int w = 75, int h = 23, const PropertyBag* bag = nullptr,
                                       int x = 10, int y = 10) {
        auto b = std::make_unique<KivoXPButton>(name);
        b->Move(gf::PixelsToTwipsX(x), gf::PixelsToTwipsY(y), gf::PixelsToTwipsX(w), gf::PixelsToTwipsY(h));
        b->Load(host.Hwnd(), bag);
        KivoXPButton* p = b.get();
        auto mouse = [this, name](const char* what) {
            return [this, name, what](short& button, short&, float& x, float& y) {
                log.push_back(name + " " + what + " " + std::to_string(button) + " " + std::to_string(int(x)) + "," +
                              std::to_string(int(y)));
            };
        };
        b->MouseDown = mouse("MouseDown");
        b->MouseUp = mouse("MouseUp");
        // The released look is painted before the host hears of the click.
        b->Click = [this, name, p] { log.push_back(name + " Click " + std::to_string(p->Look().LastState)); };
        b->KeyDown = [this, name](short& key, short&) { log.push_back(name + " KeyDown " + std::to_string(key)); };
        b->KeyUp = [this, name](short& key, short&) { log.push_back(name + " KeyUp " + std::to_string(key)); };
        b->MouseOver = [this, name] { log.push_back(name + " MouseOver"); };
        b->MOUSEOUT = [this, name] { log.push_back(name + " MOUSEOUT"); };
        return b;
    }
    Log Take() { return std::exchange(log, {}); }
    static COLORREF At(KivoXPButton& b, int x, int y) { return GetPixel(b.Surface().hDC(), x, y); }
    // Marks the surface so that a later paint shows.
    static void Mark(KivoXPButton& b) {
        HBRUSH brush = CreateSolidBrush(kMarker);
        RECT r{0, 0, 4000, 4000};
        FillRect(b.Surface().hDC(), &r, brush);
        DeleteObject(brush);
    }
    static bool Painted(KivoXPButton& b) { return At(b, 10, 10) != kMarker; }
    static SIZE ClientSize(KivoXPButton& b) {
        RECT r;
        GetClientRect(b.Hwnd(), &r);
        return {r.right, r.bottom};
    }
    // Moves the pointer and waits until the system reports it there (the display may
    // still deliver an older position first).
    static bool PointerAt(POINT p) {
        return PumpUntil(
            [p] {
                POINT now{};
                GetCursorPos(&now);
                if (now.x == p.x && now.y == p.y) return true;
                SetCursorPos(p.x, p.y);
                return false;
            },
            3000);
    }
    static void Key(HWND h, UINT msg, WPARAM key) { SendMessageA(h, msg, key, msg == WM_KEYUP ? 0xC0000001 : 1); }
};

}  // namespace

// A new control and one restored from nothing take different defaults; the hover
// colours of a restored one follow the saved colours.
TEST_F(Button, NewAndRestoredControlsTakeTheirOwnDefaults) {
    auto fresh = Make("cmdFresh");
    EXPECT_EQ(fresh->ButtonType(), 3);
    EXPECT_EQ(fresh->Caption(), "cmdFresh");
    EXPECT_EQ(fresh->Version(), "2.0.6");
    PropertyBag empty, partial;
    auto restored = Make("cmdRestored", 75, 23, &empty);
    EXPECT_EQ(restored->ButtonType(), 2);
    EXPECT_EQ(restored->Caption(), "");
    EXPECT_EQ(restored->BackColor(), GetSysColor(COLOR_BTNFACE));
    partial.WriteProperty("BCOL", 0x123456L);
    partial.WriteProperty("FCOL", 0x654321L);
    auto chained = Make("cmdChained", 75, 23, &partial);
    EXPECT_EQ(chained->BackOver(), 0x123456u);
    EXPECT_EQ(chained->ForeOver(), 0x654321u);
    // A system colour saved unsigned (as ButtonEx saves colours) loads as one saved signed.
    PropertyBag both;
    both.WriteProperty("BCOL", double(0x8000000F));
    both.WriteProperty("FCOL", long(-2147483630));
    auto systemColours = Make("cmdSystem", 75, 23, &both);
    EXPECT_EQ(systemColours->BackColor(), 0x8000000Fu);
    EXPECT_EQ(systemColours->ForeColor(), 0x80000012u);
}

// Saved with the keys in their order; set, saved, restored and saved again, every entry
// but the hand comes back the same.
TEST_F(Button, SavesEveryKeyInOrderAndRestoresThem) {
    auto b = Make("cmdSave", 80, 30);
    PropertyBag bag;
    b->SaveProperties(bag);
    std::vector<std::string> keys;
    for (const auto& e : bag.Entries()) keys.push_back(e.Name);
    EXPECT_EQ(keys, (std::vector<std::string>{"_ExtentX", "_ExtentY", "BTYPE", "TX", "ENAB", "FONT", "COLTYPE",
                                              "FOCUSR", "BCOL", "BCOLO", "FCOL", "FCOLO", "MCOL", "MPTR", "MICON",
                                              "PICN", "PICH", "UMCOL", "SOFT", "PICPOS", "NGREY", "FX", "HAND",
                                              "CHECK", "VALUE"}));
    EXPECT_EQ(bag.ReadLong("HAND", 0), -1);  // a Boolean True
    b->SetImageIndex(5);
    b->SetCaption("&Go");
    b->SetButtonType(7);
    b->SetColorScheme(2);
    b->SetBackOver(0x405060);
    b->SetSoftBevel(true);
    b->SetPicturePosition(2);
    b->SetSpecialEffect(1);
    b->SetCheckBoxBehaviour(true);
    b->SetValue(true);
    b->SetMousePointer(11);
    b->SetPictureNormal(Square(16));
    PropertyBag second, third;
    b->SaveProperties(second);
    EXPECT_EQ(second.Entries().back().Name, "ImageIndex");
    auto copy = Make("cmdCopy", 10, 10, &second);
    EXPECT_EQ(copy->AccessKeys(), "g");
    EXPECT_EQ(copy->Look().PictureWidth, 16);
    EXPECT_EQ(ClientSize(*copy).cx, 80);  // the saved extent wins over the placement
    copy->SaveProperties(third);
    EXPECT_EQ(third.ReadLong("HAND", -1), 0);  // a restored control has no hand unless saved
    ASSERT_EQ(third.Entries().size(), second.Entries().size());
    for (size_t i = 0; i < second.Entries().size(); ++i) {
        const auto& [name, value] = second.Entries()[i];
        EXPECT_TRUE(name == "HAND" || gf::SamePropertyValue(third.Entries()[i].Value, value)) << name;
    }
}

TEST_F(Button, ResizeShapesTheWindowAndPlacesTheFocusRectangle) {
    KivoXPButton early("cmdEarly");  // its type set before it has a window: no region
    const int spare = SpareRegions();
    for (int i = 0; i < 100; ++i) early.SetButtonType(i % 2 ? 13 : 7);
    EXPECT_LT(spare - SpareRegions(), 50);
    auto b = Make("cmdShape", 75, 23);
    EXPECT_EQ(WindowRegion(b->Hwnd()).Count(75, 23), 75 * 23 - 12);
    // A paint of the window does not take the shape away.
    RedrawWindow(b->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(WindowRegion(b->Hwnd()).Contains(0, 0));
    b->SetButtonType(13);  // an ellipse now
    WindowRegion ellipse(b->Hwnd());
    EXPECT_FALSE(ellipse.Contains(1, 1));
    EXPECT_TRUE(ellipse.Contains(37, 11));
    EXPECT_EQ(b->Look().FocusRect.left, 3);
    b->Move(b->Left(), b->Top(), gf::PixelsToTwipsX(120), gf::PixelsToTwipsY(40));
    EXPECT_EQ(b->Look().ButtonWidth, 120);
    EXPECT_EQ(b->Look().FocusRect.right, 117);
}

TEST_F(Button, SettersAndAmbientChangesRepaintAsTheyShould) {
    auto b = Make("cmdSet", 75, 23);
    Mark(*b);
    b->SetPictureOver(Square(16));  // not hovered
    b->SetUseMaskColor(false);      // no picture
    b->SetUseGreyscale(true);
    b->SetValue(true);  // not a toggle
    EXPECT_FALSE(Painted(*b));
    b->SetPictureNormal(Square(16));
    EXPECT_TRUE(Painted(*b));
    Mark(*b);
    b->SetUseMaskColor(true);
    EXPECT_TRUE(Painted(*b));
    // Enabled: the framework's state follows, and the disabled look is painted.
    b->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(b->Hwnd()));
    EXPECT_NE(At(*b, 0, 10), kOutline);
    b->SetEnabled(true);
    EXPECT_EQ(At(*b, 0, 10), kOutline);
    // Becoming the default button shows the focus edges, unless the scheme is custom.
    Mark(*b);
    b->SetAmbientDisplayAsDefault(true);
    EXPECT_EQ(At(*b, 40, 21), 0xEF826Bu);
    b->SetColorScheme(2);
    Mark(*b);
    b->SetAmbientDisplayAsDefault(false);
    EXPECT_FALSE(Painted(*b));
}

TEST_F(Button, FontSizeRoundsHalvesToEven) {
    auto b = Make("cmdFont", 75, 23);
    gf::StdFont f = b->Font();
    for (auto [size, rounded] : {std::pair{8.5, 8}, {9.5, 10}}) {
        f.Size = size;
        b->SetFont(f);
        EXPECT_EQ(b->FontSize(), rounded) << size;
    }
    const int small = b->Look().CaptionHeight;
    b->SetFontSize(20);
    EXPECT_EQ(b->Font().Size, 20);
    EXPECT_GT(b->Look().CaptionHeight, small);  // the caption was measured again
}

TEST_F(Button, DisableRefreshHoldsPaintingUntilRefresh) {
    auto b = Make("cmdHold", 75, 23);
    b->DisableRefresh();
    Mark(*b);
    b->SetColorScheme(2);
    b->SetBackColor(0x0000FF);
    b->SetCaption("Later");
    EXPECT_FALSE(Painted(*b));
    EXPECT_NE(b->Look().LastCaption, "Later");
    b->Refresh();
    EXPECT_TRUE(Painted(*b));
    EXPECT_EQ(b->Look().LastCaption, "Later");
    // Hide also suspends painting; Show paints again.
    b->SetVisible(false);
    Mark(*b);
    b->SetCaption("Hidden");
    EXPECT_FALSE(Painted(*b));
    b->SetVisible(true);
    EXPECT_TRUE(Painted(*b));
}

TEST(KivoXPAccessKey, DerivedFromTheCaption) {
    const std::pair<const char*, const char*> table[] = {
        {"&Save", "s"}, {"Save&", ""}, {"&", ""}, {"S", ""}, {"&A", "a"}, {"A&&B", ""},
        {"&&&Go", "g"}, {"Fish && &Chips", "c"}, {"A&&B&&C", ""}, {"&&&", ""}, {"No key", ""}};
    for (auto [caption, key] : table) EXPECT_EQ(KivoXPButton::AccessKeyOf(caption), key) << caption;
}

TEST_F(Button, MouseButtonsPressAndClick) {
    auto b = Make("A");
    HWND h = b->Hwnd();
    SendMouse(h, WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    SendMouse(h, WM_LBUTTONUP, 5, 6);
    EXPECT_EQ(b->Look().LastState, 0);
    EXPECT_EQ(Take(), (Log{"A MouseDown 1 5,6", "A MouseUp 1 5,6", "A Click 0"}));

    // Right: the events, no pressed look, no click.
    SendMouse(h, WM_RBUTTONDOWN, 3, 3, MK_RBUTTON);
    EXPECT_EQ(b->Look().LastState, 0);
    SendMouse(h, WM_RBUTTONUP, 3, 3);
    EXPECT_EQ(Take(), (Log{"A MouseDown 2 3,3", "A MouseUp 2 3,3"}));

    // Middle: pressed look, no click.
    SendMouse(h, WM_MBUTTONDOWN, 3, 3, MK_MBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    SendMouse(h, WM_MBUTTONUP, 3, 3);
    EXPECT_EQ(b->Look().LastState, 0);
    EXPECT_EQ(Take(), (Log{"A MouseDown 4 3,3", "A MouseUp 4 3,3"}));

    // A double click presses again (reported at 0, 0) and clicks only once.
    SendClick(h, 7, 7);
    SendMouse(h, WM_LBUTTONDBLCLK, 7, 7, MK_LBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    EXPECT_EQ(GetCapture(), h);
    SendMouse(h, WM_LBUTTONUP, 7, 7);
    EXPECT_EQ(b->Look().LastState, 0);
    EXPECT_EQ(Take(), (Log{"A MouseDown 1 7,7", "A MouseUp 1 7,7", "A Click 0", "A MouseDown 1 0,0",
                           "A MouseUp 1 7,7"}));

    // Disabled: a click raises nothing.
    b->SetEnabled(false);
    SendClick(h, 7, 7);
    for (const auto& line : Take()) EXPECT_EQ(line.find("Click"), std::string::npos);
}

TEST_F(Button, SpaceClicksOnReleaseAndArrowsMoveTheFocus) {
    auto a = Make("A");
    auto b = Make("B", 75, 23, nullptr, 10, 50);
    SetForegroundWindow(host.Hwnd());
    SetFocus(a->Hwnd());
    ASSERT_EQ(GetFocus(), a->Hwnd());
    EXPECT_TRUE(a->Look().HasFocus);
    Take();

    Key(a->Hwnd(), WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(a->Look().LastState, 2);
    Key(a->Hwnd(), WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Take(), (Log{"A KeyDown 32", "A KeyUp 32", "A Click 0"}));
    // The last key down stays Space: a lone Space release clicks again.
    Key(a->Hwnd(), WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Take(), (Log{"A KeyUp 32", "A Click 0"}));
    // A Space release after another key: nothing.
    Key(a->Hwnd(), WM_KEYDOWN, 'X');
    Key(a->Hwnd(), WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Take(), (Log{"A KeyDown 88", "A KeyUp 32"}));

    Key(a->Hwnd(), WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(GetFocus(), b->Hwnd());
    EXPECT_FALSE(a->Look().HasFocus);
    Key(b->Hwnd(), WM_KEYDOWN, VK_UP);
    EXPECT_EQ(GetFocus(), a->Hwnd());
    Key(a->Hwnd(), WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(GetFocus(), b->Hwnd());
    Key(b->Hwnd(), WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(GetFocus(), a->Hwnd());
    for (const auto& line : Take()) EXPECT_EQ(line.find("Click"), std::string::npos) << line;
}

TEST_F(Button, HoverStartsOnEntryAndEndsWhenThePointerLeaves) {
    auto b = Make("A", 75, 23, nullptr, 40, 40);
    SetForegroundWindow(host.Hwnd());
    POINT inside = HostWindow::ScreenPoint(b->Hwnd(), 20, 10);
    ASSERT_TRUE(PointerAt(inside));
    ASSERT_EQ(WindowFromPoint(inside), b->Hwnd());
    // The display may send its own move on the way in: one entry either way.
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 20, 10);
    EXPECT_TRUE(b->Look().IsOver);
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 21, 10);  // still inside: no second entry
    EXPECT_EQ(Take(), (Log{"A MouseOver"}));
    // The hover look of type 3 is painted.
    EXPECT_EQ(GetPixel(b->Surface().hDC(), 40, 21), 0x0096E7u);

    // Dragging with the left button shows the pressed look.
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 22, 10, MK_LBUTTON);
    EXPECT_EQ(b->Look().LastState, 2);
    EXPECT_FALSE(b->Look().IsOver);
    SendMouse(b->Hwnd(), WM_MOUSEMOVE, 22, 10);  // counts as an entry again
    EXPECT_EQ(Take(), (Log{"A MouseOver"}));

    POINT outside = HostWindow::ScreenPoint(host.Hwnd(), 300, 250);
    ASSERT_TRUE(PointerAt(outside));
    EXPECT_TRUE(PumpUntil([&] { return !b->Look().IsOver; }, 3000));
    EXPECT_EQ(Take(), (Log{"A MOUSEOUT"}));
    EXPECT_NE(GetPixel(b->Surface().hDC(), 40, 21), 0x0096E7u);
    PumpFor(50);
    EXPECT_TRUE(Take().empty());  // the poll has stopped
}
