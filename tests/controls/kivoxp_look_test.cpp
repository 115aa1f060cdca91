// The painter of the drawn XP-style button, read back pixel by pixel from a memory
// device context: the rounded type-3 look in its states, the gradient's rounding, the
// repaint rules, regions, and the types without a look.
#include <gtest/gtest.h>

#include "controls/KivoXPButtonDraw.h"
#include "kivoxp_surface.h"

using namespace kivoxp;
using kivoxp_test::ExpectPixels;
using kivoxp_test::Surface;

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

TEST_F(Type3, SystemSchemeMatchesTheCustomSchemeOnTheSystemFace) {
    Surface sys{75, 23}, custom{75, 23};
    sys.Setup(3, 1);
    custom.Setup(3, 2, GetSysColor(COLOR_BTNFACE));
    custom.look.ForeColor = GetSysColor(COLOR_BTNTEXT);
    custom.look.SetColors();
    for (Surface* v : {&sys, &custom}) {
        v->Lay("OK");
        v->look.DrawButton(kStateUp, true);
    }
    int differing = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 75; ++x) differing += sys.Pixel(x, y) != custom.Pixel(x, y);
    EXPECT_EQ(differing, 0);
    // The caption really is drawn (in the system text colour).
    EXPECT_GT(sys.canvas().CountOther(sys.Pixel(30, 12), {20, 6, 55, 17}), 0);
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
    s.canvas().Fill(RGB(1, 2, 3));
    s.look.DrawButton(kStateUp, false);
    EXPECT_EQ(s.Pixel(20, 10), RGB(1, 2, 3));
    // A changed caption paints without force.
    s.look.Caption = "B";
    s.look.DrawButton(kStateUp, false);
    EXPECT_EQ(s.Pixel(20, 1), 0xC0C0C0u);
    // Suspended painting or no height: nothing, and the last state and caption stay.
    s.look.IsShown = false;
    s.canvas().Fill(RGB(1, 2, 3));
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
        gdi::Region r(MakeRegion(type, cw, ch));
        int n = 0;
        for (int y = -1; y <= ch; ++y)
            for (int x = -1; x <= cw; ++x) n += PtInRegion(r.get(), x, y) ? 1 : 0;
        return n;
    };
    const std::pair<long, int> missing[] = {{3, 12}, {4, 12}, {1, 4}, {14, 4}, {5, 2}, {2, 0}, {6, 0},
                                            {10, 0}, {11, 0}, {12, 0}, {0, 0}, {15, 0}};
    for (auto [type, fewer] : missing) EXPECT_EQ(count(type), w * h - fewer) << "type " << type;
    gdi::Region r3(MakeRegion(3, w, h)), r5(MakeRegion(5, w, h)), ellipse(MakeRegion(13, 80, 40));
    EXPECT_FALSE(PtInRegion(r3.get(), 1, 0) || PtInRegion(r3.get(), w - 1, h - 2));
    EXPECT_TRUE(PtInRegion(r3.get(), 1, 1));
    EXPECT_FALSE(PtInRegion(r5.get(), 0, h - 1));
    EXPECT_TRUE(PtInRegion(r5.get(), 0, 0));
    EXPECT_NEAR(count(13, 80, 40), 3.14159 * 40 * 20, 150);
    EXPECT_TRUE(PtInRegion(ellipse.get(), 40, 20));
    EXPECT_FALSE(PtInRegion(ellipse.get(), 2, 2));
}

TEST(KivoXPLook, TypesWithoutALookDrawOnlyTheFaceAndThePicture) {
    auto pic = kivoxp_test::MakePicture(16, 16, [](int, int) { return RGB(200, 0, 0); });
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

TEST(KivoXPLook, DefaultType14ButtonHasABoldCaption) {
    Surface plain{80, 30}, bold{80, 30};
    for (Surface* s : {&plain, &bold}) {
        s->Setup(14, 3);
        s->Lay("MMMM");
    }
    bold.displayAsDefault = true;
    plain.look.DrawButton(kStateUp, true);
    bold.look.DrawButton(kStateUp, true);
    // The bold caption covers more of the face (more black pixels), and the font and
    // layout are as before afterwards.
    auto inked = [](Surface& s) { return 72 * 22 - s.canvas().CountOther(0, {4, 4, 76, 26}); };
    EXPECT_GT(inked(plain), 0);
    EXPECT_GT(inked(bold), inked(plain));
    EXPECT_FALSE(bold.FontBold());
    EXPECT_TRUE(bold.look.IsShown);
    EXPECT_EQ(bold.look.CaptionWidth, plain.look.CaptionWidth);
}
