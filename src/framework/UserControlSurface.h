#pragma once
// The drawing surface of a user control: a persistent image of the control's client
// area (so that what the control drew survives any repaint), measured in pixels, with
// a background picture, fore and back colours, a font, and a mask picture and mask
// colour that, with the transparent back style, cut the mask's pixels of that colour
// out of the control's window.
#include <windows.h>

#include <string>

#include "framework/OleColor.h"
#include "framework/StdPicture.h"

namespace gf {

class UserControlSurface {
public:
    enum BackStyles { Transparent = 0, Opaque = 1 };

    UserControlSurface();
    ~UserControlSurface();
    UserControlSurface(const UserControlSurface&) = delete;
    UserControlSurface& operator=(const UserControlSurface&) = delete;

    // The device context of the persistent image, with the font, text colour and
    // transparent text background selected. Asking for it marks the window for repaint,
    // since the caller is about to draw.
    HDC hDC();

    // The scale: pixels, origin at the top left.
    double ScaleLeft() const { return 0; }
    double ScaleTop() const { return 0; }
    double ScaleWidth() const { return width_; }
    double ScaleHeight() const { return height_; }

    // Clears the image to the back colour and draws the picture at the top left.
    void Cls();

    // Setting the picture redraws the background, erasing earlier drawing.
    const PictureRef& Picture() const { return picture_; }
    void SetPicture(PictureRef picture);
    const PictureRef& MaskPicture() const { return maskPicture_; }
    void SetMaskPicture(PictureRef picture);
    OLE_COLOR MaskColor() const { return maskColor_; }
    void SetMaskColor(OLE_COLOR color);
    int BackStyle() const { return backStyle_; }
    void SetBackStyle(int style);

    OLE_COLOR BackColor() const { return backColor_; }
    void SetBackColor(OLE_COLOR color);
    OLE_COLOR ForeColor() const { return foreColor_; }
    void SetForeColor(OLE_COLOR color);
    const StdFont& Font() const { return font_; }
    void SetFont(const StdFont& font);
    bool RightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool value) { rightToLeft_ = value; }

    // Size of a single line of text in the current font, in pixels.
    double TextWidth(const std::string& text);
    double TextHeight(const std::string& text);

    // The part of the window that the control keeps: null for the whole rectangle (an
    // opaque surface, or a transparent one without a mask picture), else the pixels of
    // the mask picture that differ from the mask colour. The caller owns the region.
    HRGN BuildRegion() const;
    // A value that changes whenever BuildRegion's result may change.
    std::string RegionKey() const;

    // Used by the hosting window.
    void Attach(HWND window) {
        window_ = window;
        invalid_ = false;
    }
    void ResizeTo(int width, int height);
    void PaintTo(HDC target, const RECT& area) const;
    // The window has just begun painting its client area: the next drawing must mark it
    // for repaint again.
    void Validated() { invalid_ = false; }

private:
    void EnsureImage();
    void SelectFont();
    void Invalidate();
    void FillBackground(int width, int height);

    HWND window_ = nullptr;
    // The whole window is marked for repaint and has not painted since: drawing calls
    // come by the dozen (a line each), one mark is enough.
    bool invalid_ = false;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    HFONT fontHandle_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    int width_ = 0, height_ = 0;

    PictureRef picture_;
    PictureRef maskPicture_;
    OLE_COLOR maskColor_ = 0x8000000F;
    int backStyle_ = Opaque;
    OLE_COLOR backColor_ = 0x8000000F;
    OLE_COLOR foreColor_ = 0x80000012;
    StdFont font_;
    bool rightToLeft_ = false;
};

}  // namespace gf
