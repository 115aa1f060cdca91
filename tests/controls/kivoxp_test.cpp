// KivoXPButton: the painter read back from memory device contexts (palettes, every type's
// look in each state, repaints, regions, picture pixels and layout) and the hosted control
// (saved keys, setters, region, mouse, keys, hover). GF_EXCLUSIVE_DISPLAY (moves the focus
// and the mouse pointer, reads the screen)
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/KivoXPButton.h"
#include "controls/KivoXPButtonDraw.h"
#include "controls/KivoXPButtonLook.h"
#include "framework/Gdi.h"

using namespace kivoxp;
using namespace testing_support;
using gf::PropertyBag;
using Log = std::vector<std::string>;

namespace {

// A painter host on a canvas (magenta until painted), with a caption font.
struct Surface : kivoxp::LookHost {
    Surface(int w, int h) : canvas(w, h) { canvas.Fill(RGB(255, 0, 255)), SetFontBold(false); }
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

    // A shown button of the given type as a new control sets it up, its caption and
    // picture laid out.
    void Setup(long type, long scheme, DWORD back = 0xFFFFFF, const std::string& caption = "",
               const PictureView* picture = nullptr) {
        look.ButtonType = type, look.ColorScheme = scheme, look.BackColor = look.BackOver = back;
        look.ForeColor = 0, look.ForeOver = 0xFF0000, look.MaskColor = 0xC0C0C0;
        look.Enabled = look.ShowFocusRect = look.UseMaskColor = look.IsShown = true;
        look.SetColors(), look.Resize(RECT{0, 0, canvas.Width(), canvas.Height()});
        Lay(caption, picture);
    }
    void Lay(const std::string& caption, const PictureView* picture) {
        look.Caption = caption;
        if (picture) look.PictureNormal = *picture;
        look.CalcPictureSize(), look.CalcCaptionRect();
    }
    DibCanvas canvas;
    bool displayAsDefault = false;
    kivoxp::Look look{*this};
    gf::GdiObject<HFONT> font_;
    bool bold_ = false;
};

// Pixels a table says a surface must show.
struct Px { int x, y; COLORREF colour; };
void ExpectPixels(Surface& s, std::initializer_list<Px> table) {
    for (const Px& p : table) EXPECT_EQ(s.Pixel(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
}

// A 24-bit bitmap picture from a colour function (16 px = 423 HiMetric).
struct TestPicture { gf::GdiObject<HBITMAP> bitmap; PictureView ref; };
TestPicture MakePicture(int w, int h, const std::function<COLORREF(int, int)>& pixel) {
    HBITMAP bitmap = PaintedBitmap(w, h, pixel);
    return {gf::GdiObject<HBITMAP>(bitmap), {kPictureBitmap, bitmap, w * 2540L / 96, h * 2540L / 96}};
}

constexpr COLORREF kPicture = RGB(200, 0, 0);  // dark; in greyscale (60, 60, 60)

}  // namespace

TEST(KivoXPColors, ShiftAndLighten) {
    // Channels clamp in the direction of the shift (the blue share, the soft halving and the
    // truncations show in the type-3 pixels and the palettes).
    EXPECT_EQ(ShiftColor(RGB(250, 5, 100), 10, false, false), RGB(255, 15, 110));
    EXPECT_EQ(ShiftColor(RGB(250, 5, 100), -10, false, false), RGB(240, 0, 90));
    for (auto [from, to] : {std::pair<COLORREF, COLORREF>{RGB(10, 36, 106), RGB(179, 187, 208)}, {0, 0xB0B0B0},
                            {0xFFFFFF, 0xFFFFFF}})
        EXPECT_EQ(LightenColor(from, 176), to) << std::hex << from;
}

TEST(KivoXPColors, PaletteOfEachScheme) {
    // The back colour is used by scheme 2 only.
    PaletteSource s{1, RGB(200, 150, 100), 0x80000000 | COLOR_BTNTEXT, 0xFF0000, 0x80000000 | COLOR_BTNFACE};
    auto sys = [](int i) { return GetSysColor(i); };
    const COLORREF hot = sys(COLOR_HIGHLIGHT), text = sys(COLOR_BTNTEXT), mask = sys(COLOR_BTNFACE);
    // Hot, hot light, face, light, hilite, shadow, dark shadow, text, text over, mask, XP face
    // (blue-scaled for type 3).
    const struct { long scheme; bool soft; Palette p; } rows[] = {
        {2, false, {0x001648, 0x6496C8, 0x6496C8, 0x83B5E7, 0x93C5F7, 0x245688, 0x000008, text, 0xFF0000, mask, 0x7DC6F8}},
        {2, true, {0x245688, 0x6496C8, 0x6496C8, 0x73A5D7, 0x7BADDF, 0x4476A8, 0x043668, text, 0xFF0000, mask, 0x70AEE0}},
        {3, false, {0x800000, 0xD1ADAD, 0xC0C0C0, 0xDFDFDF, 0xFFFFFF, 0x808080, 0, 0, 0, mask, 0xF0F0F0}},
        // The parent's colours: a device context starts black on white.
        {4, false, {hot, LightenColor(hot, 176), 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xBFBFBF, 0x3F3F3F, 0, 0, mask, 0xFFFFFF}},
        {1, false, {hot, LightenColor(hot, 176), sys(COLOR_BTNFACE), sys(COLOR_3DLIGHT), sys(COLOR_BTNHIGHLIGHT),
                    sys(COLOR_BTNSHADOW), sys(COLOR_3DDKSHADOW), text, text, mask,
                    ShiftColor(sys(COLOR_BTNFACE), 48, true, false)}},
    };
    for (const auto& row : rows)
        for (long scheme : row.scheme == 1 ? std::vector{1L, 0L, 7L, -1L} : std::vector{row.scheme}) {
            s.ColorScheme = scheme, s.SoftBevel = row.soft;
            EXPECT_EQ(ComputePalette(s), row.p) << "scheme " << scheme << (row.soft ? " soft" : "");
        }
    s.ColorScheme = 2, s.ButtonType = 4;
    EXPECT_EQ(ComputePalette(s).XPFaceColor, 0x94C6F8u);  // not blue-scaled
}

constexpr COLORREF kGrey = RGB(128, 128, 128), kOutline = 0x733C00, kCorner = 0x7B4D10, kMarker = RGB(1, 2, 3);

// A type-3 button of 75 x 23 on a grey face (XP face (176, 176, 160)), without a caption,
// its 4 x 4 picture at (35, 9): up, hovered, focused, pressed and disabled; its gradient.
TEST(KivoXPType3, EachLookIsExact) {
    auto pic = MakePicture(4, 4, [](int, int) { return kPicture; });
    Surface s{75, 23};
    s.Setup(3, 2, kGrey, "", &pic.ref);
    auto paint = [&](bool over, bool focus, bool enabled, BYTE state = kStateUp) {
        s.look.IsOver = over, s.look.HasFocus = focus, s.look.Enabled = enabled;
        s.look.DrawButton(state, true);
    };
    paint(false, false, true);
    ExpectPixels(s, {
        // Gradient rows: shift(XP, k, blue), k = -(25/23) * row rounded; each row one colour.
        {30, 3, RGB(173, 173, 158)}, {30, 12, RGB(163, 163, 150)}, {30, 19, RGB(155, 155, 143)},
        {3, 11, s.Pixel(71, 11)}, {35, 9, kPicture}, {34, 9, s.Pixel(30, 9)},
        // Outline and corner pixels.
        {0, 5, kOutline}, {74, 5, kOutline}, {30, 0, kOutline}, {30, 22, kOutline}, {2, 0, kOutline}, {0, 2, kOutline},
        {74, 2, kOutline}, {1, 1, kCorner}, {1, 21, kCorner}, {73, 1, kCorner}, {73, 21, kCorner},
        // The eight plain edges: bottom -48, above it -32, right -36, inside it -24,
        // top +16, below it +10, left -5, inside it -10 (drawn after the second row).
        {40, 21, RGB(128, 128, 120)}, {40, 20, RGB(144, 144, 134)}, {73, 10, RGB(140, 140, 130)},
        {72, 10, RGB(152, 152, 140)}, {40, 1, RGB(192, 192, 173)}, {40, 2, RGB(186, 186, 168)},
        {1, 10, RGB(171, 171, 156)}, {2, 10, RGB(166, 166, 152)}, {1, 2, RGB(171, 171, 156)},
    });
    paint(true, true, true);  // hover wins over focus; its top line runs one pixel further right
    ExpectPixels(s, {{1, 10, 0x31B2FF}, {73, 10, 0x31B2FF}, {40, 20, 0x31B2FF}, {40, 21, 0x0096E7}, {72, 10, 0x6BCBFF},
                     {40, 1, 0xCEF3FF}, {40, 2, 0x8CDBFF}, {73, 2, 0x8CDBFF}, {2, 10, 0x6BCBFF},
                     {40, 19, RGB(155, 155, 143)}});
    paint(false, true, true);
    ExpectPixels(s, {{1, 10, 0xE7AE8C}, {40, 21, 0xEF826B}, {72, 10, 0xF0D1B5}, {40, 1, 0xFFE7CE},
                     {40, 2, 0xF7D7BD}, {2, 10, 0xF0D1B5}});
    // Without ShowFocusRect the focus is not shown; a default button shows it unfocused.
    s.look.ShowFocusRect = false, paint(false, true, true);
    EXPECT_EQ(s.Pixel(40, 21), RGB(128, 128, 120));
    s.look.ShowFocusRect = s.displayAsDefault = true, paint(false, false, true);
    EXPECT_EQ(s.Pixel(40, 21), 0xEF826Bu);
    s.displayAsDefault = false;
    // Pressed: base = shift(XP, -32, blue) = (144, 144, 134); row H - i gets k of row i, so
    // the darkest row is at the top; edges +16, +10, +5, XPFaceColor, -32, -24, -32, -22; the
    // picture moves by (1, 1); no hover or focus edges.
    paint(true, true, true, kStateDown);
    ExpectPixels(s, {{30, 19, RGB(140, 140, 132)}, {30, 12, RGB(132, 132, 126)}, {30, 3, RGB(122, 122, 119)},
                     {30, 0, kOutline}, {1, 21, kCorner}, {36, 10, kPicture}, {35, 9, s.Pixel(30, 9)},
                     {40, 21, RGB(160, 160, 145)}, {40, 20, RGB(154, 154, 140)}, {73, 10, RGB(149, 149, 137)},
                     {72, 10, RGB(176, 176, 160)}, {40, 1, RGB(112, 112, 112)}, {40, 2, RGB(120, 120, 118)},
                     {1, 10, RGB(112, 112, 112)}, {2, 10, RGB(122, 122, 119)}});
    // Disabled: fill -24, frame -84, corners -72, no edges, the picture in greyscale at (1, 1).
    paint(false, true, false);
    ExpectPixels(s, {{30, 10, RGB(152, 152, 140)}, {0, 10, RGB(92, 92, 90)}, {1, 1, RGB(104, 104, 100)},
                     {40, 21, s.Pixel(40, 10)}, {35, 9, s.Pixel(40, 10)}, {36, 10, RGB(60, 60, 60)}});
    // Under the mouse the custom scheme paints from the hover colour and puts the palette back.
    s.look.BackOver = RGB(64, 64, 64), paint(true, true, false);  // XP (112, 112, 80)
    ExpectPixels(s, {{30, 10, RGB(88, 88, 70)}, {40, 21, s.Pixel(40, 10)}});
    EXPECT_EQ(Xy(s.look.BackColor, s.look.FaceColor), Xy(kGrey, kGrey));
    // 50 high the step is 0.5 and the shifts round half to even: rows 3 to 5 and 7 and 9 get
    // -2, -2, -2, -4, -4; soft (XP (152, 152, 144)), each halved toward zero (-3 to -1).
    Surface tall{75, 50};
    tall.Setup(3, 2, kGrey), tall.look.DrawButton(kStateUp, true);
    for (int row : {3, 4, 5, 7, 9}) EXPECT_EQ(tall.Pixel(30, row), row < 7 ? RGB(174, 174, 159) : RGB(172, 172, 157)) << row;
    tall.look.SoftBevel = true, tall.look.SetColors(), tall.look.DrawButton(kStateUp, true);
    ExpectPixels(tall, {{30, 3, RGB(151, 151, 144)}, {30, 6, RGB(151, 151, 144)}, {30, 7, RGB(150, 150, 143)}});
}

TEST(KivoXPLook, RepaintRules) {
    Surface s{40, 20};
    s.Setup(7, 3, 0xFFFFFF, "A");
    s.look.DrawButton(kStateUp, true), s.canvas.Fill(kMarker);
    s.look.DrawButton(kStateUp, false);  // unforced with the same state and caption: nothing
    EXPECT_EQ(s.Pixel(20, 10), kMarker);
    s.look.Caption = "B", s.look.DrawButton(kStateUp, false);  // a changed caption paints without force
    EXPECT_EQ(s.Pixel(20, 1), 0xC0C0C0u);
    // Suspended painting or no height: nothing, and the last state and caption stay.
    s.canvas.Fill(kMarker), s.look.IsShown = false, s.look.DrawButton(kStateDown, true);
    s.look.IsShown = true, s.look.ButtonHeight = 0, s.look.Caption = "C", s.look.DrawButton(kStateDown, true);
    EXPECT_EQ(s.Pixel(20, 1), kMarker);
    const std::string kept = Xy(s.look.LastState, s.look.LastCaption == "B");
    // A value without the toggle behaviour does not press.
    s.look.ButtonHeight = 20, s.look.value = true, s.look.DrawButton(kStateUp, true);
    EXPECT_EQ(kept + " " + std::to_string(s.look.LastState), Xy(kStateUp, true) + " 0");
}

namespace {

constexpr int kW = 97, kH = 25;
enum : unsigned { Up = 1, Hover = 2, Focus = 4, Down = 8, Off = 16, DefUp = 32, DefDown = 64, All = 31 };
constexpr COLORREF kBehind = RGB(40, 180, 90);

// The table's letters in scheme 3 (fixed greys): F face, L light, H hilite, S shadow,
// D dark shadow and text, o hot, l hot light; 8 light +8; 6 3 d x 5 4 m p shadow -64 -32
// -16 -26 -50 -48 +13 +16; c 9 a face +12 -9 -32; b hot lightened by 128; 7 and O the hot
// colour and the hover text of scheme 2 on white; B the captured background; P the
// picture, q blended with the face; g the type-14 gradient at the pixel's row.
const std::map<char, COLORREF> kLetters = {
    {'F', 0xC0C0C0}, {'L', 0xDFDFDF}, {'H', 0xFFFFFF}, {'S', 0x808080}, {'D', 0}, {'o', 0x800000},
    {'l', 0xD1ADAD}, {'8', 0xE7E7E7}, {'6', 0x404040}, {'3', 0x606060}, {'d', 0x707070}, {'x', 0x666666},
    {'5', 0x4E4E4E}, {'4', 0x505050}, {'m', 0x8D8D8D}, {'p', 0x909090}, {'c', 0xCCCCCC}, {'9', 0xB7B7B7},
    {'a', 0xA0A0A0}, {'b', 0xBF8080}, {'7', 0x7F7F7F}, {'O', 0xFF0000}, {'B', kBehind}, {'P', kPicture},
    {'q', 0x4040C5}};

COLORREF LetterColour(char letter, int y) {
    if (letter == 'g') return ShiftColor(0xFFFFFF, std::lround(-static_cast<double>(float(58.0 / kH)) * y), false, false);
    auto it = kLetters.find(letter);
    return it == kLetters.end() ? CLR_INVALID : it->second;
}

// The letter of a pixel: the expected one if it matches, else the first that does, else '?'.
char LetterOf(COLORREF c, int y, char expected = 0) {
    if (LetterColour(expected, y) == c) return expected;
    for (const auto& [letter, colour] : kLetters)
        if (colour == c) return letter;
    return '?';
}

// edges: four pixels in from the top and the bottom edge, through the middle (the left and
// the right edge show the same); ink: the colours inside the caption rectangle ("*": not
// checked); focus: the inset of the dotted focus rectangle (6: type 14's own; -1: type 5's
// caption box); picture: where the picture's top-left pixel lies and its letter, if unusual.
struct LookRow {
    long type; unsigned states; const char *edges, *ink; int focus = 0; const char* picture = nullptr; long scheme = 3;
};

// Hover, pressed and disabled looks are painted with the pointer over the button; every
// state but Up and Hover has the focus (the disabled and most up looks must not show it).
const LookRow kLooks[] = {
    {1, Up | Hover | Focus, "DHHF DSSF", "DF", 4}, {1, Down, "DSSF DHHF", "DF", 4}, {1, Off, "DHHF DSSF", "FHS"},
    {2, Up | Hover | Focus, "HLFF DSFF", "DF"}, {2, Down, "DSFF HLFF", "DF"}, {2, Off, "HLFF DSFF", "FHS"},
    {2, DefUp, "DHLF DDSF", "DF", 4}, {2, DefDown, "DSFF DSFF", "DF", 4},  // default button
    {4, Up | Hover | Focus, "DLHL DSFL", "DL"}, {4, Down, "D63d DdSd", "Ld"}, {4, Off, "DLHL DSFL", "HLS"},
    {5, Up | Hover | Focus, "xHcc Hxcc", "Dc", -1}, {5, Down, "xppp Hxpp", "Dp", -1, "0P"}, {5, Off, "SFFF SFFF", "FS"},
    {6, Up | Hover | Focus, "88FF SSFF", "DF", 4}, {6, Down, "SSFF 88FF", "DF", 4}, {6, Off, "88FF SSFF", "FS"},
    {7, Up | Hover | Focus, "HFFF SFFF", "DF", 3}, {7, Down, "SFFF HFFF", "DF", 3}, {7, Off, "HFFF SFFF", "FHS"},
    {8, Up | Focus, "FFFF FFFF", "DF", 3}, {8, Hover, "HFFF SFFF", "DF", 3}, {8, Down, "SFFF HFFF", "DF", 3},
    {8, Off, "FFFF FFFF", "FHS"}, {9, Up | Focus, "FFFF FFFF", "DF", 3, "0q"}, {9, Hover, "olll olll", "Dl", 3, "-P"},
    {9, Down, "obbb obbb", "Db", 3, "0P"}, {9, Off, "FFFF FFFF", "FS", 0, "0m"},
    {9, Down, "7LLL 7LLL", "LO", 3, "0P", 2},  // scheme 2: the hot light darkened by 32
    {11, Up | Hover | Focus | Down, "BBBB BBBB", "BD", 3}, {11, Off, "BBBB BBBB", "BHS"},
    {12, Up | Focus, "FFFF FFFF", "DF", 3}, {12, Hover, "HLFF DSFF", "DF", 3}, {12, Down, "DSFF HLFF", "DF", 3},
    {12, Off, "FFFF FFFF", "FHS"}, {13, Up | Focus, "FFFF FFFF", "DF"}, {13, Off, "FFFF FFFF", "FHS"},
    {13, Hover, "SFFF SSFF", "DF"}, {13, Down, "Daaa DDaa", "Da"},  // a 2-pixel pen
    {14, Up | Focus | Off, "59HH 59gg", "*", 6}, {14, Hover, "59HH 59LL", "DL", 6}, {14, Down, "4999 4H99", "59H", 6},
    {10, All, "FFFF FFFF", "F"}, {0, All, "FFFF FFFF", "F"}, {15, All, "FFFF FFFF", "F"},  // no look at all
};

std::unique_ptr<Surface> PaintLook(const LookRow& row, unsigned state, bool focus, const PictureView& pic,
                                   HDC behind) {
    auto s = std::make_unique<Surface>(kW, kH);
    s->Setup(row.type, row.scheme, 0xFFFFFF, "Type " + std::to_string(row.type), &pic);
    s->look.BackgroundDC = behind;
    s->look.IsOver = state & (Hover | Down | Off | DefDown);
    s->look.HasFocus = focus;
    s->look.Enabled = state != Off;
    s->displayAsDefault = state & (DefUp | DefDown);
    s->look.DrawButton(state & (Down | DefDown) ? kStateDown : kStateUp, true);
    return s;
}

bool OnFrame(const RECT& r, int x, int y) {
    const bool inX = x >= r.left && x < r.right, inY = y >= r.top && y < r.bottom;
    return (inY && (x == r.left || x == r.right - 1)) || (inX && (y == r.top || y == r.bottom - 1));
}

}  // namespace

TEST(KivoXPLooks, EveryTypeInEveryState) {
    auto pic = MakePicture(8, 8, [](int, int) { return kPicture; });
    DibCanvas behind(kW, kH);
    behind.Fill(kBehind);
    for (const LookRow& row : kLooks)
        for (unsigned state = 1; state <= DefDown; state <<= 1) {
            if (!(row.states & state)) continue;
            const bool focused = !(state & (Up | Hover));
            auto s = PaintLook(row, state, focused, pic.ref, behind.Dc());
            auto plain = focused ? PaintLook(row, state, false, pic.ref, behind.Dc()) : nullptr;
            const std::string where = "type " + std::to_string(row.type) + " state " + std::to_string(state);
            std::string edges;
            for (int side = 0; side < 4; ++side)
                for (int i = 0; i < 5; ++i) {
                    const int x = side < 2 ? kW / 2 : side == 2 ? i : kW - 1 - i;
                    const int y = side >= 2 ? kH / 2 : side == 0 ? i : kH - 1 - i;
                    edges += i == 4 ? ' ' : LetterOf(s->Pixel(x, y), y, row.edges[side % 2 * 5 + i]);
                }
            EXPECT_EQ(edges, std::string(row.edges) + " " + row.edges + " ") << where;
            std::set<char> ink;
            const RECT& c = s->look.CaptionRect;
            for (int y = c.top; y < c.bottom; ++y)
                for (int x = c.left; x < c.right; ++x) ink.insert(LetterOf((plain ? plain : s)->Pixel(x, y), y));
            EXPECT_EQ(*row.ink == '*' ? "*" : std::string(ink.begin(), ink.end()), row.ink) << where << " ink";
            // The picture: pressed at (1, 1), disabled as a shadow silhouette over a light one.
            const char* p = row.picture ? row.picture : state & (Down | DefDown) ? "1P" : state == Off ? "0S" : "0P";
            const int d = p[0] == '-' ? -1 : p[0] - '0', px = s->look.PictureX + d, py = s->look.PictureY + d;
            EXPECT_EQ(LetterOf(s->Pixel(px, py), py, p[1]), p[1]) << where << " picture";
            EXPECT_NE(s->Pixel(px - 1, py - 1), LetterColour(p[1], py)) << where << " picture";
            if (!plain) continue;
            // What the focus adds: its mark in its place, nothing else.
            const int f = state == Off ? 0 : row.focus;
            const RECT m = f < 0 ? RECT{c.left - 2, c.top - 1, c.right + 2, c.bottom + 1}
                                 : RECT{f, f, kW - std::min(f, 4), kH - std::min(f, 4)};
            int on = 0, off = 0;
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x)
                    if (s->Pixel(x, y) != plain->Pixel(x, y)) ++(OnFrame(m, x, y) ? on : off);
            EXPECT_EQ(Xy(on > 0, off), Xy(f != 0, 0)) << where << " focus";
            EXPECT_TRUE(f >= 0 || s->Pixel(m.left, m.top) == 0xCC9999) << where << " caption box";
        }
}

// Every rule for a row of pixels: the mask colour, sums 384 and 385, white, red and black
// (the last column lies beyond the drawn width); the row below is all mask colour, so a
// picture read upside down or with rows unpadded (6 pixels: 18 bytes, padded to 20) shows.
TEST(KivoXPPicture, PixelRules) {
    constexpr COLORREF kMask = 0xC0C0C0, w = 0xFFFFFF, g = RGB(128, 128, 128), g1 = RGB(129, 128, 128),
                       red = RGB(255, 0, 0), sil = RGB(1, 2, 3);
    const COLORREF cols[] = {kMask, g, g1, w, red, 0, red};
    auto pic = MakePicture(7, 2, [&](int x, int y) { return y ? kMask : cols[x]; });
    PixelRules grey{long(kMask)}, blend{long(kMask)}, all{long(kMask), long(sil)};
    grey.Greyscale = blend.Blend = all.Greyscale = all.Blend = true;
    const struct { PixelRules rules; COLORREF back; std::vector<COLORREF> row; } cases[] = {
        {{long(kMask)}, w, {w, g, g1, w, red, 0, w}},
        {{-1}, w, {kMask, g, g1, w, red, 0, w}},  // without a mask colour every pixel is drawn
        {{long(kMask), long(sil)}, w, {w, sil, sil, sil, sil, sil, w}},
        {{long(kMask), long(sil), true}, w, {w, sil, w, w, sil, sil, w}},  // the dark pixels only
        {grey, w, {w, g, RGB(129, 129, 129), RGB(254, 254, 254), RGB(76, 76, 76), 0, w}},
        {blend, w, {w, RGB(170, 170, 170), RGB(171, 170, 170), w, RGB(255, 85, 85), RGB(85, 85, 85), w}},
        {blend, 0, {0, RGB(85, 85, 85), RGB(86, 85, 85), RGB(170, 170, 170), RGB(170, 0, 0), 0, 0}},
        {all, w, {w, sil, sil, sil, sil, sil, w}},  // a silhouette wins over greyscale and blend
    };
    DibCanvas c(8, 2);
    for (const auto& k : cases) {
        c.Fill(k.back);
        DrawPicture(c.Dc(), 0, 0, 6, 2, pic.ref, k.rules, kMask);
        for (int x = 0; x < 7; ++x) EXPECT_EQ(c.Pixel(x, 0), k.row[x]) << "case " << &k - cases << " column " << x;
        EXPECT_EQ(c.CountOther(k.back, {0, 1, 8, 2}), k.rules.MaskColor < 0 ? 6 : 0) << "case " << &k - cases;
    }
    c.Fill(w);  // a width or height of 0 draws nothing
    DrawPicture(c.Dc(), 0, 0, 0, 2, pic.ref, {-1}, kMask);
    DrawPicture(c.Dc(), 0, 0, 6, 0, pic.ref, {-1}, kMask);
    EXPECT_EQ(c.CountOther(w, {0, 0, 8, 2}), 0);
}

// The program's buttons put the picture left of the caption: the pair is centred, the
// text starts after the picture's room, and pressed it moves by (1, 1). A blank caption
// or a picture behind it leaves the picture centred.
TEST(KivoXPPicture, CaptionAndPictureLayout) {
    auto pic = MakePicture(16, 16, [](int, int) { return 0; });
    Surface s{97, 25};
    s.Setup(3, 1, 0xFFFFFF, "Internet", &pic.ref);
    const RECT& c = s.look.CaptionRect;
    const int tw = s.look.CaptionWidth, th = s.look.CaptionHeight;
    EXPECT_GT(tw, 20);
    EXPECT_EQ(Xy(c.left, c.top), Xy(17 + (97 - (17 + tw)) / 2, 1 + (25 - (1 + th)) / 2));
    EXPECT_EQ(Xy(s.look.PictureX, s.look.PictureY), Xy(c.left - 20, 4));
    EXPECT_EQ(Xy(s.look.CaptionRectDown.left, s.look.CaptionRectDown.top), Xy(c.left + 1, c.top + 1));
    Surface tall{80, 60};
    tall.Setup(3, 1);
    for (auto [caption, position] : {std::pair{"   ", 0L}, {"", 2L}, {"Go", 4L}}) {
        tall.look.PicturePosition = position;
        tall.Lay(caption, &pic.ref);
        EXPECT_EQ(Xy(tall.look.PictureX, tall.look.PictureY), "32,22") << '"' << caption << '"' << position;
    }
    // The caption is drawn clipped to its measured box: italic letters, which lean out of
    // it, leave no ink beyond it.
    gf::GdiObject<HFONT> italic(
        CreateFontA(-16, 0, 0, 0, FW_NORMAL, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, "Tahoma"));
    Surface lean{97, 25};
    lean.Setup(3, 1);
    SelectObject(lean.canvas.Dc(), italic.Get());
    lean.Lay("Staff", nullptr);
    lean.canvas.Fill(0xFFFFFF);
    lean.look.DrawCaptionText(0);
    const RECT& box = lean.look.CaptionRect;
    EXPECT_GT(lean.canvas.CountOther(0xFFFFFF, box), 20);
    EXPECT_EQ(lean.canvas.CountOther(0xFFFFFF, {0, 0, 97, 25}), lean.canvas.CountOther(0xFFFFFF, box));
}

namespace {

gf::PictureRef Square(int size) { return SolidPicture(RGB(200, 30, 30), size, size); }

// How many more regions the process could make (each freed again): a leak eats into it.
int SpareRegions() {
    std::vector<gf::GdiObject<HRGN>> made;
    while (HRGN r = CreateRectRgn(0, 0, 1, 1)) made.emplace_back(r);
    return static_cast<int>(made.size());
}

class Button : public ::testing::Test {
protected:
    HostWindow host{60, 60, 400, 300, RGB(30, 120, 60)};
    Log log;

    // A button at (x, y) of the host, its events logged with its name.
    std::unique_ptr<KivoXPButton> Make(const std::string& name, const PropertyBag* bag = nullptr, int x = 10, int y = 10) {
        auto b = std::make_unique<KivoXPButton>(name);
        b->Move(gf::PixelsToTwipsX(x), gf::PixelsToTwipsY(y), gf::PixelsToTwipsX(75), gf::PixelsToTwipsY(23));
        b->Load(host.Hwnd(), bag);
        auto note = [this, name](const std::string& what) { log.push_back(name + " " + what); };
        b->MouseDown = LogMouse(log, name + " MouseDown");
        b->MouseUp = LogMouse(log, name + " MouseUp");
        // The released look is painted before the host hears of the click.
        b->Click = [note, p = b.get()] { note("Click " + std::to_string(p->Look().LastState)); };
        b->KeyDown = [note](short& key, short&) { note("KeyDown " + std::to_string(key)); };
        b->KeyUp = [note](short& key, short&) { note("KeyUp " + std::to_string(key)); };
        b->MouseOver = [note] { note("MouseOver"); };
        b->MOUSEOUT = [note] { note("MOUSEOUT"); };
        return b;
    }
    Log Take() { return std::exchange(log, {}); }
    static COLORREF At(KivoXPButton& b, int x, int y) { return GetPixel(b.Surface().hDC(), x, y); }
    // Marks the surface so that a later paint shows.
    static void Mark(KivoXPButton& b) {
        RECT r{0, 0, 4000, 4000};
        FillRect(b.Surface().hDC(), &r, gf::Brush(CreateSolidBrush(kMarker)).Get());
    }
    static bool Painted(KivoXPButton& b) { return At(b, 10, 10) != kMarker; }
    // Moves the pointer and waits until the system reports it there (the display may
    // still deliver an older position first).
    static bool PointerAt(POINT p) {
        return PumpUntil([p] {
            POINT now{};
            GetCursorPos(&now);
            return (now.x == p.x && now.y == p.y) || (SetCursorPos(p.x, p.y), false);
        });
    }
    static void Key(HWND h, UINT msg, WPARAM key) { SendMessageA(h, msg, key, msg == WM_KEYUP ? 0xC0000001 : 1); }
};

}  // namespace

// Every key is saved in its order; a new control and one restored from nothing take their
// own defaults; a key restored alone comes back as saved, every other key at its default:
// no key is read for another ("HAND" is never read; the hover colours follow those read).
TEST_F(Button, SavedKeysTheirDefaultsAndEachReadOnItsOwn) {
    const long face = long(GetSysColor(COLOR_BTNFACE)), text = long(GetSysColor(COLOR_BTNTEXT));
    const gf::PictureRef none, icon = Square(8), picture = Square(16);
    const struct { const char* key; gf::PropertyValue fresh, loaded, other; } keys[] = {
        {"BTYPE", 3L, 2L, 7L}, {"TX", "cmdKeys", "", "&Go"}, {"ENAB", true, true, false},
        {"FONT", {}, {}, gf::StdFont{"Tahoma"}}, {"COLTYPE", 1L, 1L, 2L}, {"FOCUSR", true, true, false},
        {"BCOL", 0xFFFFFFL, face, 0x102030L}, {"BCOLO", 0xFFFFFFL, face, 0x405060L}, {"FCOL", text, text, 0x708090L},
        {"FCOLO", 0xFF0000L, text, 0xA0B0C0L}, {"MCOL", 0xC0C0C0L, 0xC0C0C0L, 0x00FF00L}, {"MPTR", 0L, 0L, 11L},
        {"MICON", none, none, icon}, {"PICN", none, none, picture}, {"PICH", none, none, picture},
        {"UMCOL", true, true, false}, {"SOFT", false, false, true}, {"PICPOS", 0L, 0L, 2L}, {"NGREY", false, false, true},
        {"FX", 0L, 0L, 1L}, {"HAND", true, false, true}, {"CHECK", false, false, true}, {"VALUE", false, false, true},
        {"ImageIndex", {}, {}, 5L},  // not stored while 0
    };
    auto saved = [&](const PropertyBag* from) {
        PropertyBag bag;
        Make("cmdKeys", from)->SaveProperties(bag);
        return bag;
    };
    const PropertyBag empty, fresh = saved(nullptr), loaded = saved(&empty);
    Log expected{"_ExtentX", "_ExtentY"};
    for (const auto& k : keys) {
        const std::string key = k.key;
        if (key != "ImageIndex") expected.push_back(key);
        EXPECT_TRUE(key == "FONT" || gf::SamePropertyValue(fresh.ReadProperty(key), k.fresh)) << "new " << key;
        EXPECT_TRUE(key == "FONT" || gf::SamePropertyValue(loaded.ReadProperty(key), k.loaded)) << "loaded " << key;
        PropertyBag one;
        one.WriteProperty(key, k.other);
        const PropertyBag back = saved(&one);
        for (const auto& [name, value] : back.Entries()) {
            const bool same = (name == key && key != "HAND") || name == key + "O";  // BCOL and FCOL carry BCOLO, FCOLO
            EXPECT_TRUE(gf::SamePropertyValue(value, same ? k.other : loaded.ReadProperty(name))) << key << ": " << name;
        }
        EXPECT_EQ(back.Entries().size(), loaded.Entries().size() + (key == "ImageIndex")) << key;
    }
    EXPECT_EQ(KeysOf(fresh), expected);
    EXPECT_EQ(std::get<gf::StdFont>(fresh.ReadProperty("FONT")).Name, "Verdana");
    // A system colour saved unsigned (as ButtonEx saves colours) loads as one saved signed.
    PropertyBag system;
    system.WriteProperty("BCOL", double(0x8000000F));
    system.WriteProperty("FCOL", long(-2147483630));
    auto b = Make("cmdSystem", &system);
    EXPECT_EQ(Xy(b->BackColor(), b->ForeColor()) + b->Version(), Xy(0x8000000F, 0x80000012) + "2.0.6");
}

// Each setter reports its saved key (PictureOver as "PICO", the font's parts nothing) and
// repaints only when the change shows; while the host designs, the colours carry their
// hover colours along and type 5 makes the caption bold; DisableRefresh and Hide hold
// painting until Refresh or Show.
TEST_F(Button, SettersReportTheirKeyAndRepaintWhenItShows) {
    auto b = Make("cmdSet");
    std::string reported;
    b->OnPropertyChanged = [&](const std::string& key) { reported += key; };
    gf::StdFont font = b->Font();
    const struct { const char* key; bool repaint; std::function<void()> set; } steps[] = {
        // Not hovered, no picture, not a toggle: nothing shows.
        {"PICO", false, [&] { b->SetPictureOver(Square(16)); }}, {"UMCOL", false, [&] { b->SetUseMaskColor(false); }},
        {"NGREY", false, [&] { b->SetUseGreyscale(false); }}, {"VALUE", false, [&] { b->SetValue(true); }},
        {"MPTR", false, [&] { b->SetMousePointer(11); }}, {"MICON", false, [&] { b->SetMouseIcon(Square(8)); }},
        {"ImageIndex", false, [&] { b->SetImageIndex(5); }}, {"PICN", true, [&] { b->SetPictureNormal(Square(16)); }},
        {"NGREY", true, [&] { b->SetUseGreyscale(true); }},
        {"", true, [&] { b->SetAmbientDisplayAsDefault(true); }},  // the container's colours may change
        {"BCOLO", true, [&] { b->SetBackOver(0x405060); }}, {"BCOL", true, [&] { b->SetBackColor(0x102030); }},
        {"FCOLO", true, [&] { b->SetForeOver(0xA0B0C0); }}, {"FCOL", true, [&] { b->SetForeColor(0x708090); }},
        {"MCOL", true, [&] { b->SetMaskColor(0x00FF00); }}, {"TX", true, [&] { b->SetCaption("&Go"); }},
        {"FONT", true, [&] { b->SetFont((font.Size = 8.5, font)); }}, {"", true, [&] { b->SetFontItalic(true); }},
        {"BTYPE", true, [&] { b->SetButtonType(5); }},  // bold only while the host designs
        {"COLTYPE", true, [&] { b->SetColorScheme(2); }},
        {"", false, [&] { b->SetAmbientDisplayAsDefault(false); }},  // the custom scheme ignores the container
        {"FOCUSR", true, [&] { b->SetShowFocusRect(false); }}, {"SOFT", true, [&] { b->SetSoftBevel(true); }},
        {"PICPOS", true, [&] { b->SetPicturePosition(2); }}, {"FX", true, [&] { b->SetSpecialEffect(1); }},
        {"CHECK", true, [&] { b->SetCheckBoxBehaviour(true); }}, {"VALUE", true, [&] { b->SetValue(true); }},
        {"ENAB", true, [&] { b->SetEnabled(false); }},
        {"", false, [&] { b->DisableRefresh(), b->SetFontSize(20); }}, {"", true, [&] { b->Refresh(); }},
        {"", false, [&] { b->SetVisible(false), b->SetFontItalic(false); }}, {"", true, [&] { b->SetVisible(true); }},
    };
    for (const auto& step : steps) {
        Mark(*b), reported.clear(), step.set();
        EXPECT_EQ(reported + (Painted(*b) ? " painted" : ""), step.key + std::string(step.repaint ? " painted" : ""));
    }
    EXPECT_FALSE(IsWindowEnabled(b->Hwnd()) || b->FontBold());
    EXPECT_EQ(Xy(b->BackOver(), b->ForeOver()), Xy(0x405060, 0xA0B0C0));
    EXPECT_EQ(Xy(b->Look().PictureWidth, b->AccessKeys() == "g"), Xy(16, true));
    // The font size reads rounded, halves to even; a new size measures the caption again.
    EXPECT_EQ(b->FontSize(), 20);
    const int large = b->Look().CaptionHeight;
    for (auto [size, rounded] : {std::pair{8.5, 8}, {9.5, 10}}) {
        b->SetFont((font.Size = size, font));
        EXPECT_EQ(b->FontSize(), rounded) << size;
    }
    EXPECT_LT(b->Look().CaptionHeight, large);
    b->SetAmbientUserMode(false);
    b->SetBackColor(0x112233), b->SetForeColor(0x445566), b->SetButtonType(5);
    EXPECT_EQ(Xy(b->BackOver(), b->ForeOver()) + (b->FontBold() ? " bold" : ""), Xy(0x112233, 0x445566) + " bold");
}

// Each type's outline, the window's shape from its first real size on, and the focus rectangle.
TEST_F(Button, RegionsGiveEachTypeItsOutlineAndResizePlacesTheFocusRectangle) {
    const std::pair<long, int> missing[] = {{3, 12}, {4, 12}, {1, 4}, {14, 4}, {5, 2}, {2, 0}, {6, 0},
                                            {10, 0}, {11, 0}, {12, 0}, {0, 0}, {15, 0}};
    for (auto [type, fewer] : missing)
        EXPECT_EQ(WindowRegion(MakeRegion(type, 75, 23)).Count(75, 23), 75 * 23 - fewer) << "type " << type;
    WindowRegion r3(MakeRegion(3, 75, 23)), r5(MakeRegion(5, 75, 23)), ellipse(MakeRegion(13, 80, 40));
    EXPECT_FALSE(r3.Contains(1, 0) || r3.Contains(74, 21) || r5.Contains(0, 22) || r5.Contains(74, 0) ||
                 ellipse.Contains(2, 2));
    EXPECT_TRUE(r3.Contains(1, 1) && r5.Contains(0, 0) && ellipse.Contains(40, 20));
    EXPECT_NEAR(ellipse.Count(80, 40), 3.14159 * 40 * 20, 150);
    KivoXPButton early("cmdEarly");  // its type set before it has a window: no region
    const int spare = SpareRegions();
    for (int i = 0; i < 100; ++i) early.SetButtonType(i % 2 ? 13 : 7);
    EXPECT_LT(spare - SpareRegions(), 50);
    auto b = Make("cmdShape");
    EXPECT_EQ(WindowRegion(b->Hwnd()).Count(75, 23), 75 * 23 - 12);
    // A paint of the window does not take the shape away.
    RedrawWindow(b->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(WindowRegion(b->Hwnd()).Contains(0, 0));
    b->SetButtonType(13);  // an ellipse now
    EXPECT_TRUE(!WindowRegion(b->Hwnd()).Contains(1, 1) && WindowRegion(b->Hwnd()).Contains(37, 11));
    b->Move(b->Left(), b->Top(), gf::PixelsToTwipsX(120), gf::PixelsToTwipsY(40));
    EXPECT_EQ(Xy(b->Look().ButtonWidth, b->Look().FocusRect.right), Xy(120, 117));
}

TEST_F(Button, MouseAccessKeyAndKeysPressAndClick) {
    const std::pair<const char*, const char*> table[] = {
        {"&Save", "s"}, {"Save&", ""}, {"&", ""}, {"S", ""}, {"&A", "a"}, {"A&&B", ""},
        {"&&&Go", "g"}, {"Fish && &Chips", "c"}, {"A&&B&&C", ""}, {"&&&", ""}, {"No key", ""}};
    for (auto [caption, key] : table) EXPECT_EQ(KivoXPButton::AccessKeyOf(caption), key) << caption;
    auto a = Make("A"), b = Make("B", nullptr, 10, 50);
    a->SetCaption("&A");
    HWND h = a->Hwnd(), hb = b->Hwnd();
    SetForegroundWindow(host.Hwnd());
    SetFocus(h);
    ASSERT_TRUE(GetFocus() == h && a->Look().HasFocus);
    auto access = [&] { gf::UserControl::DeliverAccessKey(host.Hwnd(), 'a'); };
    auto arrow = [&](HWND from, WPARAM key, HWND to) {
        Key(from, WM_KEYDOWN, key);
        EXPECT_EQ(GetFocus(), to) << key;
    };
    // Each step, the look it leaves on A and the events it raises.
    const struct { std::function<void()> act; int state; Log events; } steps[] = {
        {[&] { SendMouse(h, WM_LBUTTONDOWN, 5, 6, MK_LBUTTON); }, 2, {"A MouseDown 1 5,6"}},
        {[&] { SendMouse(h, WM_LBUTTONUP, 5, 6); }, 0, {"A MouseUp 1 5,6", "A Click 0"}},
        // Right: the events, no pressed look, no click; middle: the pressed look, no click.
        {[&] { SendMouse(h, WM_RBUTTONDOWN, 3, 3, MK_RBUTTON); }, 0, {"A MouseDown 2 3,3"}},
        {[&] { SendMouse(h, WM_RBUTTONUP, 3, 3); }, 0, {"A MouseUp 2 3,3"}},
        {[&] { SendMouse(h, WM_MBUTTONDOWN, 3, 3, MK_MBUTTON); }, 2, {"A MouseDown 4 3,3"}},
        {[&] { SendMouse(h, WM_MBUTTONUP, 3, 3); }, 0, {"A MouseUp 4 3,3"}},
        {access, 0, {"A Click 0"}},  // whatever was pressed before
        // A double click presses again (reported at 0, 0), holds the mouse, clicks once.
        {[&] { SendClick(h, 7, 7), SendMouse(h, WM_LBUTTONDBLCLK, 7, 7, MK_LBUTTON); }, 2,
         {"A MouseDown 1 7,7", "A MouseUp 1 7,7", "A Click 0", "A MouseDown 1 0,0"}},
        {[&] { EXPECT_EQ(GetCapture(), h); SendMouse(h, WM_LBUTTONUP, 7, 7); }, 0, {"A MouseUp 1 7,7"}},
        // Space presses, its release clicks; the last key down stays Space, so a lone release
        // clicks again; a release after another key does nothing.
        {[&] { Key(h, WM_KEYDOWN, VK_SPACE); }, 2, {"A KeyDown 32"}},
        {[&] { Key(h, WM_KEYUP, VK_SPACE); }, 0, {"A KeyUp 32", "A Click 0"}},
        {[&] { Key(h, WM_KEYUP, VK_SPACE); }, 0, {"A KeyUp 32", "A Click 0"}},
        {[&] { Key(h, WM_KEYDOWN, 'X'), Key(h, WM_KEYUP, VK_SPACE); }, 0, {"A KeyDown 88", "A KeyUp 32"}},
        // A toggle: every click flips the value, which holds the pressed look.
        {[&] { a->SetCheckBoxBehaviour(true), access(); }, 2, {"A Click 2"}},
        {[&] { SendClick(h, 7, 7); }, 0, {"A MouseDown 1 7,7", "A MouseUp 1 7,7", "A Click 0"}},
        {[&] { Key(h, WM_KEYDOWN, VK_SPACE), Key(h, WM_KEYUP, VK_SPACE); }, 2, {"A KeyDown 32", "A KeyUp 32", "A Click 2"}},
        // The arrows move the focus back and forth and never click.
        {[&] { arrow(h, VK_RIGHT, hb), arrow(hb, VK_UP, h); }, 2, {"A KeyDown 39", "B KeyDown 38"}},
        {[&] { arrow(h, VK_DOWN, hb), arrow(hb, VK_LEFT, h); }, 2, {"A KeyDown 40", "B KeyDown 37"}},
        // Disabled: neither a click nor the access key raises Click.
        {[&] { a->SetEnabled(false), SendClick(h, 7, 7), access(); }, 2, {"A MouseDown 1 7,7", "A MouseUp 1 7,7"}},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(a->Look().LastState, step.state) << step.events.front();
        EXPECT_EQ(Take(), step.events);
    }
}

// An arrow moves the focus to the window's previous (Left, Up) or next (Right, Down) tab
// stop, whatever kind of control holds it, passing over what takes no focus; the button
// that had the focus is drawn as unfocused again.
TEST_F(Button, ArrowsMoveTheFocusAlongTheTabStopsAndLeaveTheButtonUnfocused) {
    auto child = [&](const char* cls, DWORD style, int y) {
        return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 10, y, 75, 23, host.Hwnd(), nullptr, nullptr,
                               nullptr);
    };
    auto a = Make("A");
    child("STATIC", 0, 40);  // between A and B, no tab stop
    auto b = Make("B", nullptr, 10, 70);
    HWND edit = child("EDIT", WS_TABSTOP, 100);
    auto look = [&b] {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 75; ++x) pixels.push_back(At(*b, x, y));
        return pixels;
    };
    const auto unfocused = look();
    SetForegroundWindow(host.Hwnd());
    const std::pair<WPARAM, HWND> moves[] = {
        {VK_RIGHT, edit}, {VK_DOWN, edit}, {VK_LEFT, a->Hwnd()}, {VK_UP, a->Hwnd()}};
    for (auto [key, to] : moves) {
        SetFocus(b->Hwnd());
        ASSERT_NE(look(), unfocused) << "the focus shows";
        Key(b->Hwnd(), WM_KEYDOWN, key);
        EXPECT_EQ(GetFocus(), to) << key;
        EXPECT_EQ(look(), unfocused) << key;
    }
}

TEST_F(Button, HoverStartsOnEntryAndEndsWhenThePointerLeaves) {
    auto b = Make("A", nullptr, 40, 40);
    HWND h = b->Hwnd();
    SetForegroundWindow(host.Hwnd());
    POINT inside = HostWindow::ScreenPoint(h, 20, 10);
    ASSERT_TRUE(PointerAt(inside));
    ASSERT_EQ(WindowFromPoint(inside), h);
    // The display may send its own move on the way in: one entry either way.
    SendMouse(h, WM_MOUSEMOVE, 20, 10);
    EXPECT_TRUE(b->Look().IsOver);
    SendMouse(h, WM_MOUSEMOVE, 21, 10);  // still inside: no second entry
    EXPECT_EQ(Take(), (Log{"A MouseOver"}));
    EXPECT_EQ(At(*b, 40, 21), 0x0096E7u);  // the hover look of type 3
    // Dragging with the left button shows the pressed look; the next plain move enters again.
    SendMouse(h, WM_MOUSEMOVE, 22, 10, MK_LBUTTON);
    EXPECT_EQ(Xy(b->Look().LastState, b->Look().IsOver), Xy(2, false));
    SendMouse(h, WM_MOUSEMOVE, 22, 10);
    EXPECT_EQ(Take(), (Log{"A MouseOver"}));
    ASSERT_TRUE(PointerAt(HostWindow::ScreenPoint(host.Hwnd(), 300, 250)));
    EXPECT_TRUE(PumpUntil([&] { return !b->Look().IsOver; }, 3000));
    EXPECT_EQ(Take(), (Log{"A MOUSEOUT"}));
    EXPECT_NE(At(*b, 40, 21), 0x0096E7u);
    PumpFor(50);
    EXPECT_TRUE(Take().empty());  // the poll has stopped
}
