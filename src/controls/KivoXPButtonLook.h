#pragma once
// The drawing core of the drawn XP-style button: its palette, caption and picture
// layout and the painting of every button type in its up, down and disabled looks.
// It paints on a device context its host supplies; the control (KivoXPButton) and
// the tests are such hosts.
#include <windows.h>

#include <string>

#include "controls/KivoXPButtonColors.h"
#include "controls/KivoXPButtonPicture.h"

namespace kivoxp {

// What the painter needs from the window it paints.
class LookHost {
public:
    virtual ~LookHost() = default;
    // The drawing surface, with the control's font selected.
    virtual HDC SurfaceDC() = 0;
    // The control's own window: its parent lends the colours of scheme 4.
    virtual HWND SurfaceWindow() { return nullptr; }
    // The container marks this button as its default button.
    virtual bool DisplayAsDefault() { return false; }
    // The font's bold attribute, set through the control's property (which lays the
    // caption out again).
    virtual bool FontBold() = 0;
    virtual void SetFontBold(bool bold) = 0;
    // Clears the surface before a paint.
    virtual void ClearSurface() {}
    // Twips per pixel of the surface, for picture sizes.
    virtual double TwipsPerPixelX();
    virtual double TwipsPerPixelY();
};

constexpr BYTE kStateUp = 0;
constexpr BYTE kStateDown = 2;

class Look : public Palette {
public:
    explicit Look(LookHost& host) : host_(host) {}

    // Appearance.
    long ButtonType = 0;
    long ColorScheme = 0;
    long PicturePosition = 0;  // 0 left, 1 right, 2 top, 3 bottom, 4 behind the caption
    long SpecialEffect = 0;
    DWORD BackColor = 0, BackOver = 0, ForeColor = 0, ForeOver = 0, MaskColor = 0;  // OLE colours
    bool UseMaskColor = false, UseGreyscale = false, SoftBevel = false;
    PictureView PictureNormal, PictureOver;
    std::string Caption;

    // Geometry, set by Resize and the layout routines.
    int ButtonWidth = 0, ButtonHeight = 0;
    RECT FocusRect{}, CaptionRect{}, CaptionRectDown{};
    int CaptionWidth = 0, CaptionHeight = 0;
    int PictureX = 0, PictureY = 0, PictureWidth = 0, PictureHeight = 0;

    // State.
    bool Enabled = false, HasFocus = false, ShowFocusRect = false;
    bool IsShown = false, IsOver = false;
    bool CheckBoxBehaviour = false, value = false;
    BYTE LastState = 0, LastCaptionMode = 0;
    std::string LastCaption;
    HDC BackgroundDC = nullptr;  // type 11: the captured parent background

    // Fills the palette slots from ColorScheme and the colours.
    void SetColors();
    // Paints the whole button: state 0 up (hovered while IsOver), 2 down. Without
    // force nothing happens when state and caption are those of the last paint.
    void DrawButton(BYTE state, bool force);

    // Takes a new client size: focus rectangle by type, then the caption layout.
    void Resize(const RECT& client);
    void CalcCaptionRect();
    void CalcPictureSize();
    void CalcPicturePosition();

    // Drawing steps, public so that each can be checked on its own.
    void DrawCaptionText(BYTE mode);
    void DrawCaptionEffect(const RECT& rect);
    void DrawButtonPicture(BYTE pictureState);
    void DrawPictureEffect(long offset, const PictureView& picture);
    void DrawPicture(HDC dc, int x, int y, int w, int h, const PictureView& picture, long maskColor,
                     long silhouetteColor, bool darkOnly, bool greyscale, bool blend);

    // ShiftColor with this button's SoftBevel.
    COLORREF Shift(COLORREF color, long amount, bool scaleBlue = false) const {
        return ShiftColor(color, amount, scaleBlue, SoftBevel);
    }

private:
    HDC Dc() { return host_.SurfaceDC(); }
    BYTE OverMode() const { return IsOver ? 1 : 0; }
    void DrawText(COLORREF color, const RECT& rect);
    void DrawFocusIfShown();
    void DrawCorners(COLORREF color);
    void Bevel(COLORREF otl, COLORREF obr, COLORREF itl, COLORREF ibr, short offset, bool outerOnly = false);
    void Gradient(COLORREF base, double range, bool scaleBlue, bool upsideDown);

    void DrawLook(BYTE state);
    void DrawType3Up();
    void DrawType3Down();
    void DrawType3Disabled();
    void DrawType1(BYTE state);
    void DrawType2(BYTE state);
    void DrawType4(BYTE state);
    void DrawType5(BYTE state);
    void DrawType6(BYTE state);
    void DrawType7And8(BYTE state);
    void DrawType9(BYTE state);
    void DrawType11(BYTE state);
    void DrawType12(BYTE state);
    void DrawType13(BYTE state);
    void DrawType14(BYTE state);
    void DrawType14Frame();

    LookHost& host_;
};

}  // namespace kivoxp
