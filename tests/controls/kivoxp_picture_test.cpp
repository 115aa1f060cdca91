// Pictures and captions of the drawn XP-style button: the pixel rules of DrawPicture,
// icons, the caption and picture layout, caption modes and relief effects.
#include <gtest/gtest.h>

#include "kivoxp_surface.h"

using namespace kivoxp;
using kivoxp_test::Canvas;
using kivoxp_test::MakePicture;
using kivoxp_test::Surface;

namespace {

constexpr COLORREF kMask = RGB(192, 192, 192), kBack = RGB(9, 9, 9);

// Draws a picture at (x, y) on a canvas filled with back first.
void Draw(Canvas& c, COLORREF back, const PictureView& pic, int x, int y, int w, int h, PixelRules rules) {
    c.Fill(back);
    DrawPicture(c.Dc(), x, y, w, h, pic, rules, kMask);
}

// The bounding box of the pixels of one colour.
RECT BoxOf(Surface& s, COLORREF c) {
    RECT box{10000, 10000, -1, -1};
    for (int y = 0; y < s.canvas().Height(); ++y)
        for (int x = 0; x < s.canvas().Width(); ++x)
            if (s.Pixel(x, y) == c) {
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

TEST(KivoXPPicture, OddWidthsAndIconsAreDrawnWhole) {
    // 15 pixels wide: rows of 45 bytes padded to 48.
    auto pic = MakePicture(15, 7, [](int x, int y) { return RGB(x * 10, y * 30, 100); });
    Canvas c(30, 20);
    Draw(c, 0, pic->ref, 3, 4, 15, 7, {-1});
    int wrong = 0;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 15; ++x) wrong += c.Pixel(3 + x, 4 + y) != RGB(x * 10, y * 30, 100);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(c.Pixel(18, 4) + c.Pixel(3, 11), 0u);
    // An icon shows the background through its transparent half.
    auto icon = kivoxp_test::MakeIcon(16, RGB(0, 128, 0), [](int x, int) { return x >= 8; });
    ASSERT_NE(icon->icon, nullptr);
    Draw(c, kBack, icon->ref, 2, 2, 16, 16, {long(kMask)});
    EXPECT_EQ(c.Pixel(4, 8), RGB(0, 128, 0));
    EXPECT_EQ(c.Pixel(14, 8), kBack);
}

TEST(KivoXPPicture, CaptionAndPictureLayout) {
    auto pic = MakePicture(16, 16, [](int, int) { return 0; });
    Surface s{97, 25};
    s.Setup(3, 1);
    s.Lay("Internet", &pic->ref);
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
    s.look.PicturePosition = 1;  // right
    s.look.CalcCaptionRect();
    EXPECT_EQ(s.look.CaptionRect.left, 1 + (97 - 16 - (1 + tw) - 4) / 2);
    EXPECT_EQ(s.look.PictureX, s.look.CaptionRect.right + 4);

    Surface tall{80, 60};
    tall.Setup(3, 1);
    tall.look.PicturePosition = 2;  // above
    tall.Lay("Go", &pic->ref);
    EXPECT_EQ(tall.look.PictureY, tall.look.CaptionRect.top - 18);
    EXPECT_EQ(tall.look.PictureX, 32);
    tall.look.PicturePosition = 3;  // below
    tall.look.CalcCaptionRect();
    EXPECT_EQ(tall.look.CaptionRect.top, 1 + (60 - 16 - (1 + tall.look.CaptionHeight) - 4) / 2);
    EXPECT_EQ(tall.look.PictureY, tall.look.CaptionRect.bottom + 2);
    // A blank caption or a picture behind it: the picture is centred.
    for (auto [caption, position] : {std::pair{"   ", 0L}, {"", 2L}, {"Go", 4L}}) {
        tall.look.PicturePosition = position;
        tall.Lay(caption);
        EXPECT_EQ(tall.look.PictureX * 100 + tall.look.PictureY, 3222) << '"' << caption << '"' << position;
    }
}

TEST(KivoXPPicture, PictureBehindTheCaptionIsOverdrawnByIt) {
    Surface s{60, 30};
    s.Setup(7, 3);
    auto pic = MakePicture(40, 20, [](int, int) { return RGB(255, 255, 0); });
    s.look.PicturePosition = 4;
    s.Lay("WWW", &pic->ref);
    s.look.DrawButton(kStateUp, true);
    // Black caption pixels lie inside the yellow picture.
    const RECT text = BoxOf(s, RGB(0, 0, 0));
    ASSERT_GT(text.right, text.left);
    RECT inner{s.look.PictureX, s.look.PictureY, s.look.PictureX + 40, s.look.PictureY + 20}, both;
    EXPECT_TRUE(IntersectRect(&both, &text, &inner));
    EXPECT_EQ(s.look.LastCaptionMode, 0);
}

TEST(KivoXPPicture, PictureStates) {
    Surface s{40, 30};
    s.Setup(9, 3);  // hot colour &H00800000, shadow &H00808080
    auto pic = MakePicture(16, 16, [](int, int) { return RGB(255, 0, 0); });
    s.Lay("", &pic->ref);
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
    // A hover picture replaces the picture under the mouse (type 9 keeps its own),
    // pressed at (1, 1).
    auto over = MakePicture(16, 16, [](int, int) { return RGB(0, 0, 255); });
    s.look.PictureOver = over->ref;
    s.look.ButtonType = 7;
    s.look.IsOver = true;
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.Pixel(x, y), RGB(0, 0, 255));
    s.look.DrawButton(kStateDown, true);
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
    s.Lay("HH");
    const COLORREF dark = RGB(152, 152, 152), light = RGB(232, 232, 232);
    auto boxes = [&](long effect) {
        s.look.SpecialEffect = effect;
        s.look.DrawButton(kStateUp, true);
        return std::pair{BoxOf(s, dark), BoxOf(s, light)};
    };
    EXPECT_EQ(boxes(0).second.right, -1);
    auto [d, l] = boxes(1);  // darker below right, lighter above left
    ASSERT_GT(d.right, d.left);
    EXPECT_EQ(d.left - l.left, 2);
    EXPECT_EQ(d.top - l.top, 2);
    std::tie(d, l) = boxes(2);  // reversed
    EXPECT_EQ(l.left - d.left, 2);
    std::tie(d, l) = boxes(3);  // only the darker copy
    EXPECT_GT(d.right, 0);
    EXPECT_EQ(l.right, -1);
    // Pictures get the same silhouettes around them.
    auto pic = MakePicture(16, 16, [](int, int) { return RGB(0, 0, 255); });
    s.Lay("", &pic->ref);
    boxes(1);
    const int x = s.look.PictureX, y = s.look.PictureY;
    kivoxp_test::ExpectPixels(s, {{x + 16, y + 16, dark}, {x - 1, y - 1, light}, {x, y, RGB(0, 0, 255)}});
}

TEST(KivoXPPicture, EngravedAndDisabledCaptionModes) {
    Surface s{80, 40};
    s.Setup(8, 3);
    s.Lay("HH");
    s.look.Enabled = false;  // type 8 disabled: engraved, white at (+1, +1) under grey
    s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(s.look.LastCaptionMode, 3);
    const RECT hi = BoxOf(s, 0xFFFFFF), sh = BoxOf(s, 0x808080);
    ASSERT_GT(sh.right, sh.left);
    EXPECT_EQ(hi.right - sh.right, 1);
    EXPECT_EQ(hi.bottom - sh.bottom, 1);
    const std::pair<long, int> modes[] = {{3, 5}, {14, 6}};
    for (auto [type, mode] : modes) {
        s.look.ButtonType = type;
        s.look.SetColors();
        s.look.DrawButton(kStateUp, true);
        EXPECT_EQ(s.look.LastCaptionMode, mode) << "type " << type;
    }
    s.look.Enabled = true;
    s.look.DrawButton(kStateDown, true);
    EXPECT_EQ(s.look.LastCaptionMode, 7);
}
