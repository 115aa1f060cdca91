// The painter of the drawn XP-style button, read back pixel by pixel from a memory
// device context: the rounded type-3 look in its states, the gradient's rounding, the
// repaint rules, regions, and the types without a look.
#include <gtest/gtest.h>

#include "controls/KivoXPButtonDraw.h"
#include "kivoxp_surface.h"

using namespace kivoxp;
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
        s.look.Caption = "";
        s.look.CalcCaptionRect();
    }
    COLORREF At(int x, int y) { return s.Pixel(x, y); }
};

int RegionPixels(HRGN region, int w, int h) {
    int n = 0;
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x) n += PtInRegion(region, x, y) ? 1 : 0;
    return n;
}

}  // namespace

TEST_F(Type3, PlainUpLookIsExact) {
    s.look.DrawButton(kStateUp, true);
    // Gradient rows: shift(XP, k, blue), k = -(25/23) * row rounded.
    EXPECT_EQ(At(30, 3), RGB(173, 173, 158));   // k = -3
    EXPECT_EQ(At(30, 12), RGB(163, 163, 150));  // k = -13
    EXPECT_EQ(At(30, 19), RGB(155, 155, 143));  // k = -21
    EXPECT_EQ(At(3, 11), At(71, 11));           // each row is one colour
    // Outline and corner pixels.
    for (POINT p : {POINT{0, 5}, {74, 5}, {30, 0}, {30, 22}, {2, 0}, {0, 2}})
        EXPECT_EQ(At(p.x, p.y), kOutline) << p.x << "," << p.y;
    for (POINT p : {POINT{1, 1}, {1, 21}, {73, 1}, {73, 21}}) EXPECT_EQ(At(p.x, p.y), kCorner);
    // The eight plain edges.
    EXPECT_EQ(At(40, 21), RGB(128, 128, 120));  // bottom, -48
    EXPECT_EQ(At(40, 20), RGB(144, 144, 134));  // above the bottom, -32
    EXPECT_EQ(At(73, 10), RGB(140, 140, 130));  // right, -36
    EXPECT_EQ(At(72, 10), RGB(152, 152, 140));  // inside the right, -24
    EXPECT_EQ(At(40, 1), RGB(192, 192, 173));   // top, +16
    EXPECT_EQ(At(40, 2), RGB(186, 186, 168));   // below the top, +10
    EXPECT_EQ(At(1, 10), RGB(171, 171, 156));   // left, -5
    EXPECT_EQ(At(2, 10), RGB(166, 166, 152));   // inside the left, -10
    EXPECT_EQ(At(1, 2), RGB(171, 171, 156));    // the left edge is drawn after the second row
    EXPECT_EQ(At(74, 2), kOutline);
}

TEST_F(Type3, HoverAndFocusDrawTheirEdgeSets) {
    s.look.IsOver = true;
    s.look.HasFocus = true;  // hover wins over focus
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(At(1, 10), 0x31B2FFu);
    EXPECT_EQ(At(73, 10), 0x31B2FFu);
    EXPECT_EQ(At(40, 20), 0x31B2FFu);  // frame (1, 2, W-2, H-4) ends on row 20
    EXPECT_EQ(At(40, 21), 0x0096E7u);
    EXPECT_EQ(At(72, 10), 0x6BCBFFu);
    EXPECT_EQ(At(40, 1), 0xCEF3FFu);
    EXPECT_EQ(At(40, 2), 0x8CDBFFu);
    EXPECT_EQ(At(73, 2), 0x8CDBFFu);  // this line runs one pixel further right
    EXPECT_EQ(At(2, 10), 0x6BCBFFu);
    EXPECT_EQ(At(40, 19), RGB(155, 155, 143));  // row 19 stays gradient

    s.look.IsOver = false;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(At(1, 10), 0xE7AE8Cu);
    EXPECT_EQ(At(40, 21), 0xEF826Bu);
    EXPECT_EQ(At(72, 10), 0xF0D1B5u);
    EXPECT_EQ(At(40, 1), 0xFFE7CEu);
    EXPECT_EQ(At(40, 2), 0xF7D7BDu);
    EXPECT_EQ(At(2, 10), 0xF0D1B5u);

    // Without ShowFocusRect the focus is not shown; a default button shows it unfocused.
    s.look.ShowFocusRect = false;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(At(40, 21), RGB(128, 128, 120));
    s.look.ShowFocusRect = true;
    s.look.HasFocus = false;
    s.displayAsDefault = true;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(At(40, 21), 0xEF826Bu);
}

TEST_F(Type3, PressedLookIsUpsideDownWithoutHoverOrFocus) {
    s.look.IsOver = true;
    s.look.HasFocus = true;
    s.look.DrawButton(kStateDown, true);
    EXPECT_EQ(s.look.LastState, kStateDown);
    // base = shift(XP, -32, blue) = (144, 144, 134); row H - i gets k of row i.
    EXPECT_EQ(At(30, 19), RGB(140, 140, 132));  // i = 4, k = -4
    EXPECT_EQ(At(30, 12), RGB(132, 132, 126));  // i = 11, k = -12
    EXPECT_EQ(At(30, 3), RGB(122, 122, 119));   // i = 20, k = -22: darkest at the top
    EXPECT_EQ(At(30, 0), kOutline);
    EXPECT_EQ(At(1, 21), kCorner);
    EXPECT_EQ(At(40, 21), RGB(160, 160, 145));  // +16
    EXPECT_EQ(At(40, 20), RGB(154, 154, 140));  // +10
    EXPECT_EQ(At(73, 10), RGB(149, 149, 137));  // +5
    EXPECT_EQ(At(72, 10), RGB(176, 176, 160));  // XPFaceColor
    EXPECT_EQ(At(40, 1), RGB(112, 112, 112));   // -32
    EXPECT_EQ(At(40, 2), RGB(120, 120, 118));   // -24
    EXPECT_EQ(At(1, 10), RGB(112, 112, 112));   // -32
    EXPECT_EQ(At(2, 10), RGB(122, 122, 119));   // -22
}

TEST_F(Type3, DisabledLookIgnoresHoverAndFocus) {
    s.look.Enabled = false;
    s.look.HasFocus = true;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(At(30, 10), RGB(152, 152, 140));  // fill, -24
    EXPECT_EQ(At(0, 10), RGB(92, 92, 90));      // frame, -84
    EXPECT_EQ(At(1, 1), RGB(104, 104, 100));    // corners, -72
    EXPECT_EQ(At(40, 21), At(40, 10));          // no edge lines

    // Under the mouse the custom scheme still paints from the hover colour, and puts
    // the palette back afterwards.
    s.look.IsOver = true;
    s.look.BackOver = RGB(64, 64, 64);  // XP (112, 112, 80)
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(At(30, 10), RGB(88, 88, 70));
    EXPECT_EQ(At(40, 21), At(40, 10));
    EXPECT_EQ(s.look.BackColor, kGrey);
    EXPECT_EQ(s.look.FaceColor, kGrey);
}

TEST_F(Type3, SystemSchemeMatchesTheCustomSchemeOnTheSystemFace) {
    Surface sys{75, 23};
    sys.Setup(3, 1);
    Surface custom{75, 23};
    custom.Setup(3, 2, GetSysColor(COLOR_BTNFACE));
    custom.look.ForeColor = GetSysColor(COLOR_BTNTEXT);
    custom.look.SetColors();
    for (Surface* v : {&sys, &custom}) {
        v->look.Caption = "OK";
        v->look.CalcCaptionRect();
        v->look.DrawButton(kStateUp, true);
    }
    EXPECT_EQ(sys.canvas().CountOther(0, {0, 0, 1, 1}), custom.canvas().CountOther(0, {0, 0, 1, 1}));
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
    s.look.Caption = "";
    s.look.CalcCaptionRect();
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.Pixel(30, 3), RGB(174, 174, 159));  // -1.5 -> -2
    EXPECT_EQ(s.Pixel(30, 4), RGB(174, 174, 159));  // -2
    EXPECT_EQ(s.Pixel(30, 5), RGB(174, 174, 159));  // -2.5 -> -2
    EXPECT_EQ(s.Pixel(30, 7), RGB(172, 172, 157));  // -3.5 -> -4
    EXPECT_EQ(s.Pixel(30, 9), RGB(172, 172, 157));  // -4.5 -> -4

    s.look.SoftBevel = true;  // XP (152, 152, 144); every shift halved toward zero
    s.look.SetColors();
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.Pixel(30, 3), RGB(151, 151, 144));  // -2 -> -1
    EXPECT_EQ(s.Pixel(30, 5), RGB(151, 151, 144));
    EXPECT_EQ(s.Pixel(30, 7), RGB(150, 150, 143));  // -4 -> -2
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
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.Pixel(20, 1), 0xC0C0C0u);

    // A changed caption paints without force.
    s.canvas().Fill(RGB(1, 2, 3));
    s.look.Caption = "B";
    s.look.DrawButton(kStateUp, false);
    EXPECT_EQ(s.Pixel(20, 1), 0xC0C0C0u);

    // Suspended painting or no height: nothing, and the last state stays.
    s.look.IsShown = false;
    s.canvas().Fill(RGB(1, 2, 3));
    s.look.DrawButton(kStateDown, true);
    EXPECT_EQ(s.Pixel(20, 1), RGB(1, 2, 3));
    EXPECT_EQ(s.look.LastState, kStateUp);
    s.look.IsShown = true;
    s.look.ButtonHeight = 0;
    s.look.Caption = "C";
    s.look.DrawButton(kStateDown, true);
    EXPECT_EQ(s.Pixel(20, 1), RGB(1, 2, 3));
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
    auto count = [&](long type) {
        gdi::Region r(MakeRegion(type, w, h));
        return RegionPixels(r.get(), w, h);
    };
    EXPECT_EQ(count(3), w * h - 12);
    EXPECT_EQ(count(4), w * h - 12);
    EXPECT_EQ(count(1), w * h - 4);
    EXPECT_EQ(count(14), w * h - 4);
    EXPECT_EQ(count(5), w * h - 2);
    for (long t : {2L, 6L, 10L, 11L, 12L, 0L, 15L}) EXPECT_EQ(count(t), w * h) << t;

    gdi::Region r3(MakeRegion(3, w, h));
    EXPECT_FALSE(PtInRegion(r3.get(), 1, 0));
    EXPECT_FALSE(PtInRegion(r3.get(), w - 1, h - 2));
    EXPECT_TRUE(PtInRegion(r3.get(), 1, 1));
    gdi::Region r5(MakeRegion(5, w, h));
    EXPECT_FALSE(PtInRegion(r5.get(), 0, h - 1));
    EXPECT_TRUE(PtInRegion(r5.get(), 0, 0));

    gdi::Region ellipse(MakeRegion(13, 80, 40));
    const int n = RegionPixels(ellipse.get(), 80, 40);
    EXPECT_NEAR(n, 3.14159 * 40 * 20, 150);
    EXPECT_TRUE(PtInRegion(ellipse.get(), 40, 20));
    EXPECT_FALSE(PtInRegion(ellipse.get(), 2, 2));
}

TEST(KivoXPLook, TypesWithoutALookDrawOnlyTheFaceAndThePicture) {
    auto pic = kivoxp_test::MakePicture(16, 16, [](int x, int y) { return RGB(200, 0, 0); });
    for (long type : {10L, 0L, 15L}) {
        Surface s{60, 30};
        s.Setup(type, 3);
        s.look.Caption = "Xyz";
        s.look.PictureNormal = pic.ref;
        s.look.CalcPictureSize();
        s.look.CalcCaptionRect();
        const RECT picture{s.look.PictureX, s.look.PictureY, s.look.PictureX + 16, s.look.PictureY + 16};
        for (int pass = 0; pass < 3; ++pass) {
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
                for (int x = 0; x < 60; ++x) {
                    POINT p{x, y};
                    if (!PtInRect(&moved, p)) stray += s.Pixel(x, y) != 0xC0C0C0;
                }
            EXPECT_EQ(stray, 0) << "type " << type << " pass " << pass;
            EXPECT_NE(s.Pixel(moved.left + 8, moved.top + 8), 0xC0C0C0u) << "type " << type;
        }
    }
}

TEST(KivoXPLook, DefaultType14ButtonHasABoldCaption) {
    auto inked = [](Surface& s) {  // black caption pixels
        const RECT area{4, 4, 76, 26};
        return (area.right - area.left) * (area.bottom - area.top) - s.canvas().CountOther(0, area);
    };
    Surface plain{80, 30}, bold{80, 30};
    for (Surface* s : {&plain, &bold}) {
        s->Setup(14, 3);
        s->look.Caption = "MMMM";
        s->look.CalcCaptionRect();
    }
    bold.displayAsDefault = true;
    plain.look.DrawButton(kStateUp, true);
    bold.look.DrawButton(kStateUp, true);
    // The bold caption covers more of the face.
    EXPECT_GT(inked(plain), 0);
    EXPECT_GT(inked(bold), inked(plain));
    // The font and painting are as before afterwards.
    EXPECT_FALSE(bold.FontBold());
    EXPECT_TRUE(bold.look.IsShown);
    EXPECT_EQ(bold.look.CaptionWidth, plain.look.CaptionWidth);
}
