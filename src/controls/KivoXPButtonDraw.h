#pragma once
// The drawing primitives of the drawn XP-style button and its window region. Each
// primitive makes the pen or brush it needs, deletes it before returning and leaves
// the device context with the pen and brush it had.
#include <windows.h>

namespace kivoxp {

// Fills, or outlines 1 pixel wide, (x, y)-(x + w, y + h), right and bottom exclusive.
void DrawRectangle(HDC dc, int x, int y, int w, int h, COLORREF color, bool frameOnly);
// Ellipse in the box (x, y)-(x + w, y + h): a 2-pixel outline around a solid fill.
void DrawEllipse(HDC dc, int x, int y, int w, int h, COLORREF lineColor, COLORREF fillColor);
// 1-pixel line from (x1, y1) towards (x2, y2); the end point is not drawn.
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color);
void DrawPixel(HDC dc, int x, int y, COLORREF color);

// Two-ring 3-D frame on a w x h surface. offset 0 puts the outer ring on the edge,
// -1 one pixel inside; outerOnly leaves out the inner ring.
struct BevelColors {
    COLORREF OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
};
void DrawBevel(HDC dc, int w, int h, const BevelColors& colors, short offset, bool outerOnly);

// The dotted focus rectangle, drawn with textColor as the surface's text colour.
void DrawFocus(HDC dc, const RECT& rect, COLORREF textColor);

// A new region giving a w x h button of the type its outline; the caller owns it.
HRGN MakeRegion(long buttonType, int w, int h);

}  // namespace kivoxp
