#pragma once
// Cuts a window to the shape of its own pixels: every pixel of a transparent colour
// leaves the window's region, so whatever lies behind shows through. Also lets a window
// be dragged by any point of its surface.
#include <windows.h>

#include <string>

#include "framework/Control.h"
#include "framework/OleColor.h"

// What ShapeMe sets on a button-kind target (command button, check box, option button)
// before it reads the button's pixels: no caption, the transparent colour as back
// colour, a repaint. Button controls that can be shaped provide it.
class ShapeableButton {
public:
    virtual ~ShapeableButton() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetBackColor(gf::OLE_COLOR color) = 0;
    virtual void Refresh() = 0;
};

class clsTransForm {
public:
    // ShapeMe's error for a target of another kind.
    static constexpr long ErrWrongKind = static_cast<long>(0x800409D0);

    clsTransForm() = default;
    clsTransForm(const clsTransForm&) = delete;
    clsTransForm& operator=(const clsTransForm&) = delete;

    // Name: a "Form", "PictureBox", "CommandButton", "CheckBox" or "OptionButton" (by
    // its kind name), shown and painted; Color: the transparent colour as RGB. Any other
    // kind raises gf::Error ErrWrongKind with source "TransForm" and leaves Name as it
    // was; a button kind without ShapeableButton raises error 438.
    void ShapeMe(gf::Control& Name, COLORREF Color);

    // Starts moving Who as if its caption had been grabbed, when intButton is 1 (the left
    // button of a mouse-down); any other button does nothing. Failures are ignored.
    void DragForm(HWND Who, short intButton);

    // The scanned size of the last target, in pixels.
    long TargetWidth() const { return m_TargetWidth; }
    long TargetHeight() const { return m_TargetHeight; }

private:
    void PrepareTarget();

    gf::Control* m_Target = nullptr;
    long m_TargetHeight = 0;
    long m_TargetWidth = 0;
    HRGN m_WindowRegion = nullptr;  // belongs to the target's window once given to it
    HRGN m_RunRegion = nullptr;
};
