#include "controls/KivoXPButtonDraw.h"

#include <initializer_list>
#include <utility>

#include "framework/Gdi.h"

namespace kivoxp {

void DrawRectangle(HDC dc, int x, int y, int w, int h, COLORREF color, bool frameOnly) {
    gf::Brush brush(CreateSolidBrush(color));
    RECT r{x, y, x + w, y + h};
    if (frameOnly)
        FrameRect(dc, &r, brush.Get());
    else
        FillRect(dc, &r, brush.Get());
}

void DrawEllipse(HDC dc, int x, int y, int w, int h, COLORREF lineColor, COLORREF fillColor) {
    gf::Pen pen(CreatePen(PS_SOLID, 2, lineColor));
    gf::Brush brush(CreateSolidBrush(fillColor));
    gf::SelectGuard keepPen(dc, pen.Get());
    gf::SelectGuard keepBrush(dc, brush.Get());
    Ellipse(dc, x, y, x + w, y + h);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
    gf::Pen pen(CreatePen(PS_SOLID, 1, color));
    gf::SelectGuard keep(dc, pen.Get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void DrawPixel(HDC dc, int x, int y, COLORREF color) { SetPixel(dc, x, y, color); }

namespace {

// Draws a connected run of line-to steps in one pen from the current position.
void Polyline(HDC dc, COLORREF color, std::initializer_list<POINT> points) {
    gf::Pen pen(CreatePen(PS_SOLID, 1, color));
    gf::SelectGuard keep(dc, pen.Get());
    for (const POINT& p : points) LineTo(dc, p.x, p.y);
}

}  // namespace

void DrawBevel(HDC dc, int w, int h, const BevelColors& c, short offset, bool outerOnly) {
    const int a = offset < 0 ? -offset : offset;
    const int r = w + offset - 1;
    const int b = h + offset - 1;
    MoveToEx(dc, a, b, nullptr);
    Polyline(dc, c.OuterTopLeft, {{a, a}, {r, a}});
    Polyline(dc, c.OuterBottomRight, {{r, b}, {a - 1, b}});
    if (outerOnly) return;
    MoveToEx(dc, a + 1, b - 1, nullptr);
    Polyline(dc, c.InnerTopLeft, {{a + 1, a + 1}, {r - 1, a + 1}});
    Polyline(dc, c.InnerBottomRight, {{r - 1, b - 1}, {a, b - 1}});
}

void DrawFocus(HDC dc, const RECT& rect, COLORREF textColor) {
    SetTextColor(dc, textColor);
    DrawFocusRect(dc, &rect);
}

namespace {

void RemovePixels(HRGN region, std::initializer_list<POINT> pixels) {
    for (const POINT& p : pixels) {
        gf::GdiObject<HRGN> dot(CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1));
        CombineRgn(region, region, dot.Get(), RGN_DIFF);
    }
}

}  // namespace

HRGN MakeRegion(long buttonType, int w, int h) {
    if (buttonType == 13) return CreateEllipticRgn(0, 0, w, h);
    HRGN region = CreateRectRgn(0, 0, w, h);
    switch (buttonType) {
    case 1:
    case 14:
        RemovePixels(region, {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}});
        break;
    case 5:
        RemovePixels(region, {{0, h - 1}, {w - 1, 0}});
        break;
    case 3:
    case 4:
        RemovePixels(region, {{0, 0}, {1, 0}, {0, 1},                      // top left
                              {w - 2, 0}, {w - 1, 0}, {w - 1, 1},          // top right
                              {0, h - 1}, {1, h - 1}, {0, h - 2},          // bottom left
                              {w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}});  // bottom right
        break;
    default:
        break;
    }
    return region;
}

}  // namespace kivoxp
