// The looks of button types 1, 2 and 4 to 14 (type 3 is in KivoXPButtonLook.cpp).
// Each draws what lies between the face fill and the picture, for the up state, the
// down state or, when the button is disabled, the disabled look.
#include "controls/KivoXPButtonDraw.h"
#include "controls/KivoXPButtonLook.h"

namespace kivoxp {

void Look::DrawFocusIfShown() {
    if (ShowFocusRect && HasFocus) DrawFocus(Dc(), FocusRect, TextColor);
}

void Look::Bevel(COLORREF otl, COLORREF obr, COLORREF itl, COLORREF ibr, short offset, bool outerOnly) {
    DrawBevel(Dc(), ButtonWidth, ButtonHeight, {otl, obr, itl, ibr}, offset, outerOnly);
}

void Look::DrawType1(BYTE state) {
    const int w = ButtonWidth, h = ButtonHeight;
    if (!Enabled) {
        DrawCaptionText(3);
        Bevel(HiliteColor, ShadowColor, HiliteColor, ShadowColor, -1);
        DrawRectangle(Dc(), 0, 0, w, h, DarkShadowColor, true);
        return;
    }
    if (state == kStateUp) {
        DrawCaptionText(OverMode());
        Bevel(HiliteColor, ShadowColor, HiliteColor, ShadowColor, -1);
    } else {
        DrawCaptionText(2);
        Bevel(ShadowColor, HiliteColor, ShadowColor, HiliteColor, -1);
    }
    DrawRectangle(Dc(), 0, 0, w, h, DarkShadowColor, true);
    DrawFocusIfShown();
}

void Look::DrawType2(BYTE state) {
    const int w = ButtonWidth, h = ButtonHeight;
    if (!Enabled) {
        DrawCaptionText(3);
        Bevel(HiliteColor, DarkShadowColor, LightColor, ShadowColor, 0);
        return;
    }
    const bool defaultLook = ShowFocusRect && host_.DisplayAsDefault();
    if (state == kStateUp) {
        DrawCaptionText(OverMode());
        if (defaultLook) {
            Bevel(HiliteColor, DarkShadowColor, LightColor, ShadowColor, -1);
            DrawFocusIfShown();
            DrawRectangle(Dc(), 0, 0, w, h, DarkShadowColor, true);
        } else {
            Bevel(HiliteColor, DarkShadowColor, LightColor, ShadowColor, 0);
        }
        return;
    }
    DrawCaptionText(2);
    if (defaultLook) {
        DrawRectangle(Dc(), 0, 0, w, h, DarkShadowColor, true);
        DrawRectangle(Dc(), 1, 1, w - 2, h - 2, ShadowColor, true);
        DrawFocusIfShown();
    } else {
        Bevel(DarkShadowColor, HiliteColor, ShadowColor, LightColor, 0);
    }
}

void Look::DrawType4(BYTE state) {
    const int w = ButtonWidth, h = ButtonHeight;
    HDC dc = Dc();
    if (!Enabled || state == kStateUp) {
        DrawRectangle(dc, 1, 1, w - 2, h - 2, LightColor, false);
        DrawCaptionText(Enabled ? OverMode() : 3);
        DrawRectangle(dc, 0, 0, w, h, DarkShadowColor, true);
        DrawCorners(DarkShadowColor);
        DrawLine(dc, 1, 2, 2, 0, FaceColor);
        DrawLine(dc, 3, 2, w - 3, 2, HiliteColor);
        DrawLine(dc, 2, 2, 2, h - 3, HiliteColor);
        DrawPixel(dc, 3, 3, HiliteColor);
        DrawLine(dc, w - 3, 1, w - 3, h - 3, FaceColor);
        DrawLine(dc, 1, h - 3, w - 3, h - 3, FaceColor);
        DrawPixel(dc, w - 4, h - 4, FaceColor);
        DrawLine(dc, w - 2, 2, w - 2, h - 2, ShadowColor);
        DrawLine(dc, 2, h - 2, w - 2, h - 2, ShadowColor);
        DrawPixel(dc, w - 3, h - 3, ShadowColor);
        return;
    }
    const COLORREF deep = Shift(ShadowColor, -16);
    DrawRectangle(dc, 1, 1, w - 2, h - 2, deep, false);
    // The pressed caption's effect copies take their base from the sunken face.
    XPFaceColor = deep;
    DrawCaptionText(2);
    XPFaceColor = Shift(FaceColor, 48);
    DrawRectangle(dc, 0, 0, w, h, DarkShadowColor, true);
    DrawRectangle(dc, 1, 1, w - 2, h - 2, Shift(ShadowColor, -64), true);
    DrawRectangle(dc, 2, 2, w - 4, h - 4, Shift(ShadowColor, -32), true);
    DrawPixel(dc, 2, 2, Shift(ShadowColor, -64));
    DrawPixel(dc, 3, 3, Shift(ShadowColor, -32));
    DrawCorners(DarkShadowColor);
    DrawLine(dc, w - 3, 1, w - 3, h - 3, ShadowColor);
    DrawLine(dc, 1, h - 3, w - 2, h - 3, ShadowColor);
    DrawPixel(dc, w - 4, h - 4, ShadowColor);
    DrawLine(dc, w - 2, 3, w - 2, h - 2, deep);
    DrawLine(dc, 3, h - 2, w - 2, h - 2, deep);
    DrawLine(dc, w - 2, h - 3, w - 4, h - 1, Shift(ShadowColor, -32));
    DrawPixel(dc, 2, h - 2, Shift(ShadowColor, -32));
    DrawPixel(dc, w - 2, 2, Shift(ShadowColor, -32));
}

void Look::DrawType5(BYTE state) {
    const int w = ButtonWidth, h = ButtonHeight;
    HDC dc = Dc();
    if (!Enabled) {
        DrawCaptionText(4);
        DrawRectangle(dc, 0, 0, w, h, ShadowColor, true);
        return;
    }
    if (state == kStateUp) {
        DrawRectangle(dc, 1, 1, w - 1, h - 1, Shift(FaceColor, 12), false);
        DrawCaptionText(OverMode());
        DrawRectangle(dc, 1, 1, w - 1, h - 1, HiliteColor, true);
        DrawRectangle(dc, 0, 0, w - 1, h - 1, Shift(ShadowColor, -26), true);
        DrawPixel(dc, 1, h - 2, Shift(ShadowColor, 26));
        DrawPixel(dc, w - 2, 1, Shift(ShadowColor, 26));
    } else {
        DrawRectangle(dc, 1, 1, w - 2, h - 2, Shift(ShadowColor, 16), false);
        DrawRectangle(dc, 0, 0, w - 1, h - 1, Shift(ShadowColor, -26), true);
        DrawLine(dc, w - 1, 1, w - 1, h, HiliteColor);
        DrawLine(dc, 1, h - 1, w - 1, h - 1, HiliteColor);
        // The pressed caption stays in place, without a caption mode or effects.
        DrawText(TextOverColor, CaptionRect);
    }
    if (HasFocus && ShowFocusRect)
        DrawRectangle(dc, CaptionRect.left - 2, CaptionRect.top - 1, CaptionWidth + 4, CaptionHeight + 2,
                      0xCC9999, true);
}

void Look::DrawType6(BYTE state) {
    const COLORREF l8 = Shift(LightColor, 8);
    if (!Enabled) {
        DrawCaptionText(4);
        Bevel(l8, ShadowColor, l8, ShadowColor, 0);
        return;
    }
    if (state == kStateUp) {
        DrawCaptionText(OverMode());
        Bevel(l8, ShadowColor, l8, ShadowColor, 0);
    } else {
        DrawCaptionText(2);
        Bevel(ShadowColor, l8, ShadowColor, l8, 0);
    }
    DrawFocusIfShown();
}

// Type 7 always shows its thin raised frame; type 8 only under the mouse.
void Look::DrawType7And8(BYTE state) {
    const bool flat = ButtonType == 8;
    if (!Enabled) {
        DrawCaptionText(3);
        if (!flat) Bevel(HiliteColor, ShadowColor, 0, 0, 0, true);
        return;
    }
    if (state == kStateUp) {
        DrawCaptionText(OverMode());
        if (!flat || IsOver) Bevel(HiliteColor, ShadowColor, 0, 0, 0, true);
    } else {
        DrawCaptionText(2);
        Bevel(ShadowColor, HiliteColor, 0, 0, 0, true);
    }
    DrawFocusIfShown();
}

void Look::DrawType9(BYTE state) {
    const int w = ButtonWidth, h = ButtonHeight;
    HDC dc = Dc();
    if (!Enabled) {
        DrawCaptionText(4);
        return;
    }
    if (state == kStateUp) {
        if (IsOver) DrawRectangle(dc, 1, 1, w, h, HotLightColor, false);
        DrawCaptionText(OverMode());
        if (IsOver) DrawRectangle(dc, 0, 0, w, h, HotColor, true);
    } else {
        if (IsOver)
            DrawRectangle(dc, 0, 0, w, h,
                          ColorScheme == 2 ? Shift(HotLightColor, -32) : LightenColor(HotColor, 128), false);
        DrawCaptionText(2);
        DrawRectangle(dc, 0, 0, w, h, HotColor, true);
    }
    DrawFocusIfShown();
}

void Look::DrawType11(BYTE state) {
    if (BackgroundDC) BitBlt(Dc(), 0, 0, ButtonWidth, ButtonHeight, BackgroundDC, 0, 0, SRCCOPY);
    if (!Enabled) {
        DrawCaptionText(3);
        return;
    }
    DrawCaptionText(state == kStateUp ? OverMode() : 2);
    DrawFocusIfShown();
}

void Look::DrawType12(BYTE state) {
    if (!Enabled) {
        DrawCaptionText(3);
        return;
    }
    if (state == kStateUp) {
        DrawCaptionText(OverMode());
        if (IsOver) Bevel(HiliteColor, DarkShadowColor, LightColor, ShadowColor, 0);
    } else {
        DrawCaptionText(2);
        Bevel(DarkShadowColor, HiliteColor, ShadowColor, LightColor, 0);
    }
    DrawFocusIfShown();
}

void Look::DrawType13(BYTE state) {
    const int w = ButtonWidth, h = ButtonHeight;
    if (!Enabled) {
        DrawCaptionText(3);
        return;
    }
    if (state == kStateUp) {
        DrawEllipse(Dc(), 0, 0, w, h, IsOver ? ShadowColor : FaceColor, FaceColor);
        DrawCaptionText(OverMode());
    } else {
        DrawEllipse(Dc(), 0, 0, w, h, DarkShadowColor, Shift(FaceColor, -32));
        DrawCaptionText(2);
    }
}

void Look::DrawType14Frame() {
    const int w = ButtonWidth, h = ButtonHeight;
    HDC dc = Dc();
    DrawRectangle(dc, 0, 0, w, h, Shift(ShadowColor, -50), true);
    DrawRectangle(dc, 1, 1, w - 2, h - 2, Shift(FaceColor, -9), true);
    DrawRectangle(dc, 2, 2, w - 4, 2, HiliteColor, false);
    DrawRectangle(dc, 2, 4, 2, h - 6, HiliteColor, false);
}

void Look::DrawType14(BYTE state) {
    const int w = ButtonWidth, h = ButtonHeight;
    HDC dc = Dc();
    if (!Enabled) {
        Gradient(HiliteColor, 58.0, false, false);
        DrawType14Frame();
        DrawCaptionText(6);
        return;
    }
    if (state != kStateUp) {
        DrawRectangle(dc, 1, 1, w, h, Shift(FaceColor, -9), false);
        DrawRectangle(dc, 0, 0, w, h, Shift(ShadowColor, -48), true);
        DrawLine(dc, 2, h - 2, w - 2, h - 2, HiliteColor);
        DrawLine(dc, w - 2, 2, w - 2, h - 1, HiliteColor);
        DrawCaptionText(7);
        DrawFocusIfShown();
        return;
    }
    if (IsOver)
        DrawRectangle(dc, 0, 0, w, h, LightColor, false);
    else
        Gradient(HiliteColor, 58.0, false, false);
    if (host_.DisplayAsDefault()) {
        // The default button's caption is bold; painting is held off while the font
        // changes so that the property's own repaint does not recurse.
        IsShown = false;
        const bool wasBold = host_.FontBold();
        host_.SetFontBold(true);
        DrawCaptionText(OverMode());
        host_.SetFontBold(wasBold);
        IsShown = true;
    } else {
        DrawCaptionText(OverMode());
    }
    DrawType14Frame();
    DrawFocusIfShown();
}

}  // namespace kivoxp
