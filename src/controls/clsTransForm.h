#pragma once
// Cuts a window to the shape of its own pixels: every pixel of a transparent colour
// leaves the window's region, so whatever lies behind shows through. Also lets a window
// be dragged by any point of its surface.
#include <windows.h>

#include "framework/Control.h"

class clsTransForm {
public:
    // ShapeMe's error for a target of another kind.
    static constexpr long ErrWrongKind = static_cast<long>(0x800409D0);

    clsTransForm() = default;
    clsTransForm(const clsTransForm&) = delete;
    clsTransForm& operator=(const clsTransForm&) = delete;

    // Name: a form, picture box, command button, check box or option button (told by its
    // kind name), loaded; Color: the transparent colour as RGB. A form or picture box is
    // read from what its surface paints, a button from its whole window once its caption
    // is emptied and its back colour is Color; a button also loses its 2-pixel border.
    // Any other kind raises gf::Error ErrWrongKind with source "TransForm" and is left as
    // it was; a target without a window raises error 91.
    void ShapeMe(gf::Object& Name, COLORREF Color);

    // Starts moving Who as if its caption had been grabbed, when intButton is 1 (the left
    // button of a mouse-down); any other button does nothing. Failures are ignored.
    void DragForm(const gf::Object& Who, short intButton);

    // The scanned size of the last target, in pixels.
    long TargetWidth() const { return m_TargetWidth; }
    long TargetHeight() const { return m_TargetHeight; }

private:
    void PrepareTarget();

    gf::Object* m_Target = nullptr;
    long m_TargetHeight = 0;
    long m_TargetWidth = 0;
    HRGN m_WindowRegion = nullptr;  // belongs to the target's window once given to it
    HRGN m_RunRegion = nullptr;
};
