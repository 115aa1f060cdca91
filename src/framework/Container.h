#pragma once
// A surface that holds controls: the form's client area, a frame or a picture box.
// It paints its background, then its windowless controls (labels, images, shapes);
// child windows paint over it and may ask it for what lies behind them, which is how
// check boxes and labels look transparent over a skin picture. It also hands Windows'
// notifications about a child window back to that child's control, and routes mouse
// presses to the windowless control under the pointer.
#include <windows.h>

#include <vector>

#include "framework/Control.h"

namespace gf {

// Mouse buttons and shift states as the event handlers receive them.
enum MouseButton { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum ShiftState { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

enum class MouseEvent { Down, Move, Up, Click, DblClick };

// The button and shift arguments of a mouse message.
int MouseButtonsOf(UINT msg, WPARAM wp);
int ShiftStateOf(WPARAM wp);

class Container {
public:
    virtual ~Container() = default;

    // The window that children of this surface are created in (null until created).
    virtual HWND SurfaceWindow() const = 0;
    // Paints the surface's own background (colour, picture) for area, given in this
    // surface's client pixels, into dc drawing in the same coordinates.
    virtual void PaintBackground(HDC dc, const RECT& area) = 0;

    // Paints into a child window's dc what this surface shows behind rc (child pixels).
    void PaintBehind(HWND child, HDC dc, const RECT& rc);
    // Paints the surface's own image for area (client pixels) into dc: its background,
    // decorations and windowless controls, without the child windows. What the window
    // shows, read from no screen.
    void PaintImage(HDC dc, const RECT& area);

    const std::vector<Control*>& Children() const { return children_; }
    void AddChild(Control* c) { children_.push_back(c); }

protected:
    // Common message handling of surfaces; true when msg was handled (result set).
    bool HandleSurfaceMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // Decorations drawn over the background and under windowless controls (a frame's
    // border and caption, a picture box's custom painting).
    virtual void PaintDecorations(HDC dc) {}
    // Mouse events on the surface itself (x, y in twips within the surface).
    virtual void SurfaceMouse(MouseEvent ev, int button, int shift, double x, double y) {}

private:
    void Paint(HWND hwnd);
    Control* WindowlessAt(POINT pt, bool forClick) const;
    bool RouteMouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    std::vector<Control*> children_;
    Control* pressed_ = nullptr;  // windowless control that took the last button press
};

// The window procedure shared by forms, frames and picture boxes: it hands every
// message to the object given as the last argument of CreateWindowEx.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual LRESULT WindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) = 0;
};

// Class names of the layer's own windows ("GfForm" top-level, "GfSurface" child).
const char* FormClassName();
const char* SurfaceClassName();
// The program's icon (resource 1): the class icon of every form window, so that a form
// showing it needs no icon of its own on its window.
HICON ProgramIcon();

}  // namespace gf
