// Caption and picture layout of the drawn XP-style button, and the drawing of its
// caption modes, relief effects and picture states.
#include "controls/KivoXPButtonLook.h"

namespace kivoxp {

namespace {

constexpr UINT kMeasureFlags = DT_CALCRECT | DT_WORDBREAK;
constexpr UINT kCaptionFlags = DT_CENTER | DT_VCENTER | DT_WORDBREAK;

bool HasVisibleText(const std::string& text) { return text.find_first_not_of(' ') != std::string::npos; }

RECT Moved(RECT r, int dx, int dy) {
    OffsetRect(&r, dx, dy);
    return r;
}

}  // namespace

void Look::Resize(const RECT& client) {
    FocusRect = client;
    ButtonHeight = client.bottom;
    ButtonWidth = client.right;
    if (ButtonType >= 7 && ButtonType <= 13) {
        InflateRect(&FocusRect, -3, -3);
    } else if (ButtonType == 14) {
        InflateRect(&FocusRect, -5, -5);
        OffsetRect(&FocusRect, 1, 1);
    } else {
        InflateRect(&FocusRect, -4, -4);
    }
    CalcCaptionRect();
}

void Look::CalcCaptionRect() {
    const int w = ButtonWidth, h = ButtonHeight, pw = PictureWidth, ph = PictureHeight;
    RECT r;
    switch (PicturePosition) {
    case 0: r = {pw + 1, 1, w - 2, h - 2}; break;
    case 1: r = {1, 1, w - pw - 2, h - 2}; break;
    case 2: r = {1, ph + 1, w - 2, h - 2}; break;
    case 3: r = {1, 1, w - 2, h - ph - 2}; break;
    default: r = {1, 1, w - 2, h - 2}; break;  // behind the caption, and unknown places
    }
    ::DrawTextA(Dc(), Caption.c_str(), -1, &r, kMeasureFlags);
    CaptionWidth = r.right - r.left;
    CaptionHeight = r.bottom - r.top;
    int dx = (w - r.right) / 2, dy = (h - r.bottom) / 2;
    if (PicturePosition == 1) dx = (w - pw - r.right - 4) / 2;
    if (PicturePosition == 3) dy = (h - ph - r.bottom - 4) / 2;
    CaptionRect = Moved(r, dx, dy);
    CaptionRectDown = Moved(CaptionRect, 1, 1);
    CalcPicturePosition();
}

void Look::CalcPictureSize() {
    if (!PictureNormal) {
        PictureWidth = PictureHeight = 0;
        return;
    }
    PictureWidth = HimetricToPixels(PictureNormal.HimetricWidth, host_.TwipsPerPixelX());
    PictureHeight = HimetricToPixels(PictureNormal.HimetricHeight, host_.TwipsPerPixelY());
}

void Look::CalcPicturePosition() {
    if (!PictureNormal && !PictureOver) return;
    const int w = ButtonWidth, h = ButtonHeight, pw = PictureWidth, ph = PictureHeight;
    const RECT& c = CaptionRect;
    if (HasVisibleText(Caption) && PicturePosition >= 0 && PicturePosition <= 3) {
        switch (PicturePosition) {
        case 0: PictureX = c.left - pw - 4, PictureY = (h - ph) / 2; break;
        case 1: PictureX = c.right + 4, PictureY = (h - ph) / 2; break;
        case 2: PictureX = (w - pw) / 2, PictureY = c.top - ph - 2; break;
        case 3: PictureX = (w - pw) / 2, PictureY = c.bottom + 2; break;
        }
        return;
    }
    PictureX = (w - pw) / 2;
    PictureY = (h - ph) / 2;
}

void Look::DrawText(COLORREF color, const RECT& rect) {
    HDC dc = Dc();
    RECT r = rect;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    ::DrawTextA(dc, Caption.c_str(), -1, &r, kCaptionFlags);
}

void Look::DrawCaptionText(BYTE mode) {
    LastCaptionMode = mode;
    switch (mode) {
    case 0:
        DrawCaptionEffect(CaptionRect);
        DrawText(TextColor, CaptionRect);
        break;
    case 1:
        DrawCaptionEffect(CaptionRect);
        DrawText(TextOverColor, CaptionRect);
        break;
    case 2:
        DrawCaptionEffect(CaptionRectDown);
        DrawText(ButtonType == 4 ? LightColor : TextOverColor, CaptionRectDown);
        break;
    case 3:  // engraved
        DrawText(HiliteColor, CaptionRectDown);
        DrawText(ShadowColor, CaptionRect);
        break;
    case 4: DrawText(ShadowColor, CaptionRect); break;
    case 5: DrawText(Shift(XPFaceColor, -104, true), CaptionRect); break;
    case 6:
        DrawText(HiliteColor, CaptionRectDown);
        DrawText(FaceColor, CaptionRect);
        break;
    case 7:
        DrawText(Shift(ShadowColor, -50), CaptionRectDown);
        DrawText(HiliteColor, CaptionRect);
        break;
    default: break;
    }
}

void Look::DrawCaptionEffect(const RECT& rect) {
    if (SpecialEffect <= 0) return;
    COLORREF base = FaceColor;
    if (ButtonType == 3 || ButtonType == 4 || ButtonType == 14)
        base = XPFaceColor;
    else if (ButtonType == 9 && IsOver && LastState == kStateUp && ColorScheme != 2)
        base = HotLightColor;
    DrawText(Shift(base, SpecialEffect == 2 ? 40 : -40), Moved(rect, 1, 1));
    if (SpecialEffect == 1 || SpecialEffect == 2)
        DrawText(Shift(base, SpecialEffect == 2 ? -40 : 40), Moved(rect, -1, -1));
}

void Look::DrawButtonPicture(BYTE pictureState) {
    if (!PictureNormal) return;
    HDC dc = Dc();
    const int x = PictureX, y = PictureY, pw = PictureWidth, ph = PictureHeight;
    const long mask = MaskRGBColor;
    auto draw = [&](const PictureView& pic, int dx, int dy, long silhouette = -1, bool darkOnly = false,
                    bool greyscale = false, bool blend = false) {
        DrawPicture(dc, x + dx, y + dy, pw, ph, pic, mask, silhouette, darkOnly, greyscale, blend);
    };
    switch (pictureState) {
    case 0:
        if (IsOver && ButtonType == 9) {
            DrawPictureEffect(-1, PictureNormal);
            draw(PictureNormal, 1, 1, ShadowColor);
            draw(PictureNormal, -1, -1);
        } else if (IsOver && PictureOver) {
            DrawPictureEffect(0, PictureOver);
            draw(PictureOver, 0, 0);
        } else if (IsOver) {
            DrawPictureEffect(0, PictureNormal);
            draw(PictureNormal, 0, 0);
        } else {
            DrawPictureEffect(0, PictureNormal);
            draw(PictureNormal, 0, 0, -1, false, UseGreyscale, ButtonType == 9);
        }
        break;
    case 1:
        if (PictureOver && ButtonType != 9) {
            const int d = ButtonType == 5 ? 0 : 1;
            draw(PictureOver, d, d);
        } else if (ButtonType == 5 || ButtonType == 9) {
            DrawPictureEffect(0, PictureNormal);
            draw(PictureNormal, 0, 0);
        } else {
            DrawPictureEffect(1, PictureNormal);
            draw(PictureNormal, 1, 1);
        }
        break;
    case 2:
        if (ButtonType == 3) {
            draw(PictureNormal, 1, 1, -1, false, true);
        } else if (ButtonType == 5 || ButtonType == 6 || ButtonType == 9) {
            draw(PictureNormal, 0, 0, ButtonType == 9 ? Shift(ShadowColor, 13) : ShadowColor, true);
        } else {
            draw(PictureNormal, 1, 1, HiliteColor, true);
            draw(PictureNormal, 0, 0, ShadowColor, true);
        }
        break;
    default: break;
    }
    // A picture behind the caption must not hide it.
    if (PicturePosition == 4) DrawCaptionText(LastCaptionMode);
}

void Look::DrawPictureEffect(long offset, const PictureView& picture) {
    if (SpecialEffect <= 0) return;
    COLORREF base = FaceColor;
    if (ButtonType == 3)
        base = XPFaceColor;
    else if (offset == -1 && ColorScheme != 2)
        base = HotLightColor;
    HDC dc = Dc();
    const int x = PictureX + offset, y = PictureY + offset;
    DrawPicture(dc, x + 1, y + 1, PictureWidth, PictureHeight, picture, MaskRGBColor,
                Shift(base, SpecialEffect == 2 ? 40 : -40), false, false, false);
    if (SpecialEffect == 1 || SpecialEffect == 2)
        DrawPicture(dc, x - 1, y - 1, PictureWidth, PictureHeight, picture, MaskRGBColor,
                    Shift(base, SpecialEffect == 2 ? -40 : 40), false, false, false);
}

void Look::DrawPicture(HDC dc, int x, int y, int w, int h, const PictureView& picture, long maskColor,
                       long silhouetteColor, bool darkOnly, bool greyscale, bool blend) {
    if (w == 0 || h == 0) return;
    if (w < 0) w = HimetricToPixels(picture.HimetricWidth, host_.TwipsPerPixelX());
    if (h < 0) h = HimetricToPixels(picture.HimetricHeight, host_.TwipsPerPixelY());
    PixelRules rules;
    rules.MaskColor = UseMaskColor ? maskColor : -1;
    rules.SilhouetteColor = silhouetteColor;
    rules.DarkOnly = darkOnly;
    rules.Greyscale = greyscale;
    rules.Blend = blend;
    // Icons are laid on the translated mask colour: a system-colour reference is no RGB.
    kivoxp::DrawPicture(dc, x, y, w, h, picture, rules, MaskRGBColor);
}

}  // namespace kivoxp
