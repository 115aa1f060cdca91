// The palette, the paint entry point and the rounded XP look (type 3) that every
// button of the program's own windows uses.
#include "controls/KivoXPButtonLook.h"

#include "controls/KivoXPButtonDraw.h"
#include "framework/Control.h"

namespace kivoxp {

double LookHost::TwipsPerPixelX() { return gf::Screen::TwipsPerPixelX(); }
double LookHost::TwipsPerPixelY() { return gf::Screen::TwipsPerPixelY(); }

void Look::SetColors() {
    PaletteSource source;
    source.ColorScheme = ColorScheme;
    source.BackColor = BackColor;
    source.ForeColor = ForeColor;
    source.ForeOver = ForeOver;
    source.MaskColor = MaskColor;
    source.SoftBevel = SoftBevel;
    source.ButtonType = ButtonType;
    if (ColorScheme == 4) source.ParentWindow = GetParent(host_.SurfaceWindow());
    static_cast<Palette&>(*this) = ComputePalette(source);
}

void Look::DrawButton(BYTE state, bool force) {
    if (CheckBoxBehaviour && value) state = kStateDown;  // a latched toggle looks pressed
    if (!force && Caption == LastCaption && state == LastState) return;
    if (ButtonHeight == 0 || !IsShown) return;
    LastState = state;
    LastCaption = Caption;
    host_.ClearSurface();

    // Scheme 2 paints a hovered button from the hover colour's palette.
    const bool hoverPalette = IsOver && ColorScheme == 2;
    const DWORD keptBackColor = BackColor;
    if (hoverPalette) {
        BackColor = BackOver;
        SetColors();
    }
    DrawRectangle(Dc(), 0, 0, ButtonWidth, ButtonHeight, FaceColor, false);
    DrawLook(state);
    if (hoverPalette) {
        BackColor = keptBackColor;
        SetColors();
    }
}

void Look::DrawLook(BYTE state) {
    const BYTE pictureState = !Enabled ? 2 : state == kStateUp ? 0 : 1;
    switch (ButtonType) {
    case 1: DrawType1(state); break;
    case 2: DrawType2(state); break;
    case 3:
        if (!Enabled)
            DrawType3Disabled();
        else if (state == kStateUp)
            DrawType3Up();
        else
            DrawType3Down();
        break;
    case 4: DrawType4(state); break;
    case 5: DrawType5(state); break;
    case 6: DrawType6(state); break;
    case 7:
    case 8: DrawType7And8(state); break;
    case 9: DrawType9(state); break;
    case 11: DrawType11(state); break;
    case 12: DrawType12(state); break;
    case 13: DrawType13(state); break;
    case 14: DrawType14(state); break;
    default: break;  // type 10 and unknown types: the face and the picture only
    }
    DrawButtonPicture(pictureState);
}

void Look::Gradient(COLORREF base, double range, bool scaleBlue, bool upsideDown) {
    const int h = ButtonHeight;
    const float step = static_cast<float>(range / h);  // kept in single precision, as the rounding expects
    for (int i = 1; i <= h; ++i) {
        const long k = RoundHalfEven(-static_cast<double>(step) * i);
        const int y = upsideDown ? h - i : i;
        DrawLine(Dc(), 0, y, ButtonWidth, y, Shift(base, k, scaleBlue));
    }
}

void Look::DrawCorners(COLORREF color) {
    const int w = ButtonWidth, h = ButtonHeight;
    DrawPixel(Dc(), 1, 1, color);
    DrawPixel(Dc(), 1, h - 2, color);
    DrawPixel(Dc(), w - 2, 1, color);
    DrawPixel(Dc(), w - 2, h - 2, color);
}

namespace {

constexpr COLORREF kType3Outline = 0x733C00;
constexpr COLORREF kType3Corner = 0x7B4D10;

// The edge colours of the hover and focus looks of type 3.
struct EdgeSet {
    COLORREF frame, bottom, right, top, top2, left;
};
constexpr EdgeSet kHoverEdges{0x31B2FF, 0x0096E7, 0x6BCBFF, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF};
constexpr EdgeSet kFocusEdges{0xE7AE8C, 0xEF826B, 0xF0D1B5, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5};

}  // namespace

void Look::DrawType3Up() {
    const int w = ButtonWidth, h = ButtonHeight;
    HDC dc = Dc();
    Gradient(XPFaceColor, 25.0, true, false);
    DrawCaptionText(OverMode());
    DrawRectangle(dc, 0, 0, w, h, kType3Outline, true);
    DrawCorners(kType3Corner);

    const bool focusLook = (HasFocus || host_.DisplayAsDefault()) && ShowFocusRect;
    if (IsOver || focusLook) {
        const EdgeSet& e = IsOver ? kHoverEdges : kFocusEdges;
        DrawRectangle(dc, 1, 2, w - 2, h - 4, e.frame, true);
        DrawLine(dc, 2, h - 2, w - 2, h - 2, e.bottom);
        DrawLine(dc, w - 3, 3, w - 3, h - 3, e.right);
        DrawLine(dc, 2, 1, w - 2, 1, e.top);
        DrawLine(dc, 1, 2, w - 1, 2, e.top2);
        DrawLine(dc, 2, 3, 2, h - 3, e.left);
    } else {
        auto edge = [&](long amount) { return Shift(XPFaceColor, amount, true); };
        DrawLine(dc, 2, h - 2, w - 2, h - 2, edge(-48));
        DrawLine(dc, 1, h - 3, w - 2, h - 3, edge(-32));
        DrawLine(dc, w - 2, 2, w - 2, h - 2, edge(-36));
        DrawLine(dc, w - 3, 3, w - 3, h - 3, edge(-24));
        DrawLine(dc, 2, 1, w - 2, 1, edge(16));
        DrawLine(dc, 1, 2, w - 2, 2, edge(10));
        DrawLine(dc, 1, 2, 1, h - 2, edge(-5));
        DrawLine(dc, 2, 3, 2, h - 3, edge(-10));
    }
}

void Look::DrawType3Down() {
    const int w = ButtonWidth, h = ButtonHeight;
    HDC dc = Dc();
    const COLORREF base = Shift(XPFaceColor, -32, true);
    Gradient(base, 25.0, true, true);
    DrawCaptionText(2);
    DrawRectangle(dc, 0, 0, w, h, kType3Outline, true);
    DrawCorners(kType3Corner);
    auto edge = [&](long amount) { return Shift(base, amount, true); };
    DrawLine(dc, 2, h - 2, w - 2, h - 2, edge(16));
    DrawLine(dc, 1, h - 3, w - 2, h - 3, edge(10));
    DrawLine(dc, w - 2, 2, w - 2, h - 2, edge(5));
    DrawLine(dc, w - 3, 3, w - 3, h - 3, XPFaceColor);
    DrawLine(dc, 2, 1, w - 2, 1, edge(-32));
    DrawLine(dc, 1, 2, w - 2, 2, edge(-24));
    DrawLine(dc, 1, 2, 1, h - 2, edge(-32));
    DrawLine(dc, 2, 2, 2, h - 2, edge(-22));
}

void Look::DrawType3Disabled() {
    const int w = ButtonWidth, h = ButtonHeight;
    DrawRectangle(Dc(), 0, 0, w, h, Shift(XPFaceColor, -24, true), false);
    DrawCaptionText(5);
    DrawRectangle(Dc(), 0, 0, w, h, Shift(XPFaceColor, -84, true), true);
    DrawCorners(Shift(XPFaceColor, -72, true));
}

}  // namespace kivoxp
