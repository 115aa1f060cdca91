#include "framework/CommandButton.h"

#include "framework/Gdi.h"

namespace gf {

// A 2-pixel raised edge (sunken while pressed) around a face of the back colour.
void CommandButton::Draw(HDC dc, const RECT& rc, UINT itemState) {
    FillSolid(dc, rc, ResolveColor(backColor_));
    const bool pressed = (itemState & ODS_SELECTED) != 0;
    RECT edge = rc;
    DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    RECT text{rc.left + 4, rc.top + 4, rc.right - 4, rc.bottom - 4};
    if (pressed) OffsetRect(&text, 1, 1);
    DrawCaption(dc, text, DT_CENTER, itemState);
}

}  // namespace gf
