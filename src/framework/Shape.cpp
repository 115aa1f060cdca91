#include "framework/Shape.h"

#include <algorithm>

#include "framework/Design.h"
#include "framework/Gdi.h"

namespace gf {

void Shape::ApplyDesign(const DesignProperties& props) {
    WindowlessControl::ApplyDesign(props);
    Kind = static_cast<int>(props.GetLong("Shape", Kind));
    BackStyle = static_cast<int>(props.GetLong("BackStyle", BackStyle));
    BackColor = props.GetColor("BackColor", BackColor);
    BorderStyle = static_cast<int>(props.GetLong("BorderStyle", BorderStyle));
    BorderColor = props.GetColor("BorderColor", BorderColor);
    BorderWidth = static_cast<int>(props.GetLong("BorderWidth", BorderWidth));
    Refresh();
}

void Shape::PaintWindowless(HDC dc) {
    RECT rc = PixelRect();
    if (Kind == 1 || Kind == 3 || Kind == 5) {  // square kinds: centred, side = shorter edge
        int side = std::min(rc.right - rc.left, rc.bottom - rc.top);
        int x = rc.left + (rc.right - rc.left - side) / 2, y = rc.top + (rc.bottom - rc.top - side) / 2;
        rc = RECT{x, y, x + side, y + side};
    }
    Brush fill(BackStyle ? CreateSolidBrush(ResolveColor(BackColor)) : nullptr);
    Pen border(BorderStyle ? CreatePen(PS_INSIDEFRAME, std::max(1, BorderWidth), ResolveColor(BorderColor))
                           : nullptr);
    SelectGuard b(dc, fill ? static_cast<HGDIOBJ>(fill.Get()) : GetStockObject(NULL_BRUSH));
    SelectGuard p(dc, border ? static_cast<HGDIOBJ>(border.Get()) : GetStockObject(NULL_PEN));
    int extra = border ? 0 : 1;  // without a pen the fill stops one pixel short
    if (Kind == 2 || Kind == 3) {
        Ellipse(dc, rc.left, rc.top, rc.right + extra, rc.bottom + extra);
    } else if (Kind == 4 || Kind == 5) {
        int r = std::min(rc.right - rc.left, rc.bottom - rc.top) / 4;
        RoundRect(dc, rc.left, rc.top, rc.right + extra, rc.bottom + extra, r, r);
    } else {
        Rectangle(dc, rc.left, rc.top, rc.right + extra, rc.bottom + extra);
    }
}

}  // namespace gf
