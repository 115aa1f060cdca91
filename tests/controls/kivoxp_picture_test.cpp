// Pictures and captions of the drawn XP-style button: the pixel rules of DrawPicture,
// icons, the caption and picture layout, caption modes and relief effects.
#include <gtest/gtest.h>

#include "kivoxp_surface.h"

using namespace kivoxp;
using kivoxp_test::Canvas;
using kivoxp_test::MakePicture;
using kivoxp_test::Surface;

namespace {

constexpr COLORREF kMask = RGB(192, 192, 192);

void Draw(Canvas& c, const PictureView& pic, int x, int y, int w, int h, PixelRules rules) {
    DrawPicture(c.dc(), x, y, w, h, pic, rules, kMask);
}

// The bounding box of the pixels of one colour.
RECT BoxOf(Surface& s, COLORREF c) {
    RECT box{10000, 10000, -1, -1};
    Canvas& cv = s.canvas();
    for (int y = 0; y < cv.height(); ++y)
        for (int x = 0; x < cv.width(); ++x)
            if (cv.Pixel(x, y) == c) {
                box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

}  // namespace

TEST(KivoXPPicture, MaskColourPixelsAreNeverDrawn) {
    // Left half mask colour, right half blue.
    auto pic = MakePicture(16, 16, [](int x, int) { return x < 8 ? kMask : RGB(0, 0, 255); });
    Canvas c(40, 40);
    c.Fill(RGB(9, 9, 9));
    Draw(c, pic.ref, 10, 10, 16, 16, {long(kMask)});
    EXPECT_EQ(c.Pixel(12, 12), RGB(9, 9, 9));
    EXPECT_EQ(c.Pixel(20, 12), RGB(0, 0, 255));
    EXPECT_EQ(c.Pixel(26, 12), RGB(9, 9, 9));  // nothing beyond the width

    PixelRules silhouette{long(kMask), long(RGB(50, 60, 70))};
    c.Fill(RGB(9, 9, 9));
    Draw(c, pic.ref, 10, 10, 16, 16, silhouette);
    EXPECT_EQ(c.Pixel(12, 12), RGB(9, 9, 9));
    EXPECT_EQ(c.Pixel(20, 12), RGB(50, 60, 70));

    // Without a mask colour every pixel is drawn.
    c.Fill(RGB(9, 9, 9));
    Draw(c, pic.ref, 10, 10, 16, 16, {-1});
    EXPECT_EQ(c.Pixel(12, 12), kMask);

    // Width or height 0: nothing.
    c.Fill(RGB(9, 9, 9));
    Draw(c, pic.ref, 10, 10, 0, 16, {-1});
    Draw(c, pic.ref, 10, 10, 16, 0, {-1});
    EXPECT_EQ(c.CountOther(RGB(9, 9, 9), {0, 0, 40, 40}), 0);
}

TEST(KivoXPPicture, PixelRules) {
    // Columns: sum 384, sum 385, white, red, black.
    const COLORREF cols[] = {RGB(128, 128, 128), RGB(129, 128, 128), RGB(255, 255, 255), RGB(255, 0, 0),
                             RGB(0, 0, 0)};
    auto pic = MakePicture(5, 1, [&](int x, int) { return cols[x]; });
    Canvas c(10, 3);

    c.Fill(RGB(255, 255, 255));
    Draw(c, pic.ref, 0, 0, 5, 1, {-1, long(RGB(1, 2, 3)), true});
    EXPECT_EQ(c.Pixel(0, 0), RGB(1, 2, 3));        // dark enough
    EXPECT_EQ(c.Pixel(1, 0), RGB(255, 255, 255));  // one too light
    EXPECT_EQ(c.Pixel(4, 0), RGB(1, 2, 3));

    PixelRules grey{-1};
    grey.Greyscale = true;
    Draw(c, pic.ref, 0, 0, 5, 1, grey);
    EXPECT_EQ(c.Pixel(2, 0), RGB(254, 254, 254));
    EXPECT_EQ(c.Pixel(3, 0), RGB(76, 76, 76));

    PixelRules blend{-1};
    blend.Blend = true;
    c.Fill(RGB(0, 0, 0));
    Draw(c, pic.ref, 0, 0, 5, 1, blend);
    EXPECT_EQ(c.Pixel(2, 0), RGB(170, 170, 170));  // white over black
    c.Fill(RGB(255, 255, 255));
    Draw(c, pic.ref, 0, 0, 5, 1, blend);
    EXPECT_EQ(c.Pixel(4, 0), RGB(85, 85, 85));  // black over white
    EXPECT_EQ(c.Pixel(3, 0), RGB(255, 85, 85));

    // A silhouette wins over greyscale and blend.
    PixelRules all{-1, long(RGB(7, 7, 7))};
    all.Greyscale = all.Blend = true;
    Draw(c, pic.ref, 0, 0, 5, 1, all);
    EXPECT_EQ(c.Pixel(2, 0), RGB(7, 7, 7));
}

TEST(KivoXPPicture, OddWidthsAndRowsAreDrawnWhole) {
    // 15 pixels wide: rows of 45 bytes padded to 48.
    auto pic = MakePicture(15, 7, [](int x, int y) { return RGB(x * 10, y * 30, 100); });
    Canvas c(30, 20);
    c.Fill(0);
    Draw(c, pic.ref, 3, 4, 15, 7, {-1});
    int wrong = 0;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 15; ++x) wrong += c.Pixel(3 + x, 4 + y) != RGB(x * 10, y * 30, 100);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(c.Pixel(18, 4), 0u);
    EXPECT_EQ(c.Pixel(3, 11), 0u);
}

TEST(KivoXPPicture, IconsShowTheBackgroundThroughTheirTransparentParts) {
    kivoxp_test::TestIcon icon;
    kivoxp_test::MakeIcon(
        icon, 16, [](int, int) { return RGB(0, 128, 0); }, [](int x, int) { return x >= 8; });
    ASSERT_NE(icon.icon, nullptr);
    Canvas c(20, 20);
    c.Fill(RGB(9, 9, 9));
    Draw(c, icon.ref, 2, 2, 16, 16, {long(kMask)});
    EXPECT_EQ(c.Pixel(4, 8), RGB(0, 128, 0));
    EXPECT_EQ(c.Pixel(14, 8), RGB(9, 9, 9));
}

TEST(KivoXPPicture, CaptionAndPictureLayout) {
    Surface s{97, 25};
    s.Setup(3, 1);
    auto pic = MakePicture(16, 16, [](int, int) { return 0; });
    s.look.PictureNormal = pic.ref;
    s.look.CalcPictureSize();
    s.look.Caption = "Internet";
    s.look.CalcCaptionRect();
    const RECT& c = s.look.CaptionRect;
    const int tw = s.look.CaptionWidth, th = s.look.CaptionHeight;
    EXPECT_GT(tw, 20);
    EXPECT_EQ(c.right - c.left, tw);
    // Left: the text starts after the picture's room and the pair is centred.
    EXPECT_EQ(c.left, 17 + (97 - (17 + tw)) / 2);
    EXPECT_EQ(c.top, 1 + (25 - (1 + th)) / 2);
    EXPECT_EQ(s.look.PictureX, c.left - 20);
    EXPECT_EQ(s.look.PictureY, 4);
    EXPECT_EQ(s.look.CaptionRectDown.left, c.left + 1);
    EXPECT_EQ(s.look.CaptionRectDown.top, c.top + 1);

    s.look.PicturePosition = 1;
    s.look.CalcCaptionRect();
    EXPECT_EQ(s.look.CaptionRect.left, 1 + (97 - 16 - (1 + tw) - 4) / 2);
    EXPECT_EQ(s.look.PictureX, s.look.CaptionRect.right + 4);

    Surface tall{80, 60};
    tall.Setup(3, 1);
    tall.look.PictureNormal = pic.ref;
    tall.look.CalcPictureSize();
    tall.look.Caption = "Go";
    tall.look.PicturePosition = 2;
    tall.look.CalcCaptionRect();
    EXPECT_EQ(tall.look.PictureY, tall.look.CaptionRect.top - 18);
    EXPECT_EQ(tall.look.PictureX, 32);
    tall.look.PicturePosition = 3;
    tall.look.CalcCaptionRect();
    EXPECT_EQ(tall.look.CaptionRect.top, 1 + (60 - 16 - (1 + tall.look.CaptionHeight) - 4) / 2);
    EXPECT_EQ(tall.look.PictureY, tall.look.CaptionRect.bottom + 2);

    // A blank caption or a picture behind it: the picture is centred.
    for (auto [caption, position] : {std::pair{"   ", 0L}, {"", 2L}, {"Go", 4L}}) {
        tall.look.Caption = caption;
        tall.look.PicturePosition = position;
        tall.look.CalcCaptionRect();
        EXPECT_EQ(tall.look.PictureX, 32) << caption << position;
        EXPECT_EQ(tall.look.PictureY, 22) << caption << position;
    }
}

TEST(KivoXPPicture, PictureBehindTheCaptionIsOverdrawnByIt) {
    Surface s{60, 30};
    s.Setup(7, 3);
    auto pic = MakePicture(40, 20, [](int, int) { return RGB(255, 255, 0); });
    s.look.PictureNormal = pic.ref;
    s.look.CalcPictureSize();
    s.look.Caption = "WWW";
    s.look.PicturePosition = 4;
    s.look.CalcCaptionRect();
    s.look.DrawButton(kStateUp, true);
    // Black caption pixels lie inside the yellow picture.
    const RECT text = BoxOf(s, RGB(0, 0, 0));
    ASSERT_GT(text.right, text.left);
    RECT inner{s.look.PictureX, s.look.PictureY, s.look.PictureX + 40, s.look.PictureY + 20};
    RECT both;
    EXPECT_TRUE(IntersectRect(&both, &text, &inner));
    EXPECT_EQ(s.look.LastCaptionMode, 0);
}

TEST(KivoXPPicture, PictureStates) {
    Surface s{40, 30};
    s.Setup(9, 3);  // hot colour &H00800000, shadow &H00808080
    auto pic = MakePicture(16, 16, [](int, int) { return RGB(255, 0, 0); });
    s.look.Caption = "";
    s.look.PictureNormal = pic.ref;
    s.look.CalcPictureSize();
    s.look.CalcCaptionRect();
    const int x = s.look.PictureX, y = s.look.PictureY;

    // Type 9 under the mouse: a shadow at (+1, +1), the picture raised to (-1, -1).
    s.look.IsOver = true;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.Pixel(x - 1, y - 1), RGB(255, 0, 0));
    EXPECT_EQ(s.Pixel(x + 16, y + 16), 0x808080u);
    // Not hovered, type 9 blends the picture into the face.
    s.look.IsOver = false;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.Pixel(x, y), RGB((2 * 255 + 192) / 3, 192 / 3, 192 / 3));

    // A hover picture replaces the picture under the mouse (type 9 keeps its own).
    auto over = MakePicture(16, 16, [](int, int) { return RGB(0, 0, 255); });
    s.look.PictureOver = over.ref;
    s.look.ButtonType = 7;
    s.look.IsOver = true;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.Pixel(x, y), RGB(0, 0, 255));
    s.look.DrawButton(kStateDown, true);  // pressed: the hover picture at (1, 1)
    EXPECT_EQ(s.Pixel(x + 16, y + 16), RGB(0, 0, 255));
    s.look.IsOver = false;
    s.look.PictureOver = {};

    // Type 3 disabled: greyscale at (+1, +1).
    s.look.ButtonType = 3;
    s.look.Enabled = false;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.Pixel(x + 1, y + 1), RGB(76, 76, 76));
    // Other types disabled: a light silhouette at (+1, +1) under a shadow one at (0, 0).
    s.look.ButtonType = 7;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.Pixel(x, y), 0x808080u);
    EXPECT_EQ(s.Pixel(x + 16, y + 16), 0xFFFFFFu);
    // Pressed: the picture moves by (1, 1).
    s.look.Enabled = true;
    s.look.DrawButton(kStateDown, true);
    EXPECT_EQ(s.Pixel(x + 16, y + 16), RGB(255, 0, 0));
    EXPECT_NE(s.Pixel(x, y), RGB(255, 0, 0));
}

TEST(KivoXPPicture, ReliefEffectsOnCaptionAndPicture) {
    Surface s{80, 40};
    s.Setup(7, 3);  // face &H00C0C0C0: darker copy (152..), lighter copy (232..)
    s.look.Caption = "HH";
    s.look.CalcCaptionRect();
    const COLORREF dark = RGB(152, 152, 152), light = RGB(232, 232, 232);

    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(BoxOf(s, light).right, -1);

    s.look.SpecialEffect = 1;  // darker below right, lighter above left
    s.look.DrawButton(kStateUp, true);
    RECT d = BoxOf(s, dark), l = BoxOf(s, light);
    ASSERT_GT(d.right, d.left);
    EXPECT_EQ(d.left - l.left, 2);
    EXPECT_EQ(d.top - l.top, 2);

    s.look.SpecialEffect = 2;  // reversed
    s.look.DrawButton(kStateUp, true);
    d = BoxOf(s, dark), l = BoxOf(s, light);
    EXPECT_EQ(l.left - d.left, 2);

    s.look.SpecialEffect = 3;  // only the darker copy
    s.look.DrawButton(kStateUp, true);
    EXPECT_GT(BoxOf(s, dark).right, 0);
    EXPECT_EQ(BoxOf(s, light).right, -1);

    // Pictures get the same silhouettes around them.
    auto pic = MakePicture(16, 16, [](int, int) { return RGB(0, 0, 255); });
    s.look.Caption = "";
    s.look.SpecialEffect = 1;
    s.look.PictureNormal = pic.ref;
    s.look.CalcPictureSize();
    s.look.CalcCaptionRect();
    s.look.DrawButton(kStateUp, true);
    const int x = s.look.PictureX, y = s.look.PictureY;
    EXPECT_EQ(s.Pixel(x + 16, y + 16), dark);
    EXPECT_EQ(s.Pixel(x - 1, y - 1), light);
    EXPECT_EQ(s.Pixel(x, y), RGB(0, 0, 255));
}

TEST(KivoXPPicture, EngravedAndDisabledCaptionModes) {
    Surface s{80, 40};
    s.Setup(8, 3);
    s.look.Caption = "HH";
    s.look.CalcCaptionRect();
    s.look.Enabled = false;  // type 8 disabled: engraved, white at (+1, +1) under grey
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.look.LastCaptionMode, 3);
    const RECT hi = BoxOf(s, 0xFFFFFF), sh = BoxOf(s, 0x808080);
    ASSERT_GT(sh.right, sh.left);
    EXPECT_EQ(hi.right - sh.right, 1);
    EXPECT_EQ(hi.bottom - sh.bottom, 1);
    s.look.ButtonType = 3;
    s.look.SetColors();
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.look.LastCaptionMode, 5);
    s.look.ButtonType = 14;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.look.LastCaptionMode, 6);
    s.look.Enabled = true;
    s.look.DrawButton(kStateDown, true);
    EXPECT_EQ(s.look.LastCaptionMode, 7);
}
