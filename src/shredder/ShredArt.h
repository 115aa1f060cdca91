#pragma once
// The shredder window's pictures, drawn in code so that they need no resource files:
// two frames of a paper shredder at work, and the small "hide" picture. Drawn four
// times larger with GDI and averaged down, which gives smooth edges.
#include <windows.h>

#include "framework/Bitmap.h"

namespace shredder {

// Frame 0: the sheet stands high above the slot, a few short strips below; frame 1:
// the sheet has sunk in and the strips are longer. A square of size pixels on the
// given background colour; empty if it cannot be made.
gf::Bitmap DrawShredderFrame(int frame, int size, COLORREF background);

// A small square button face: a chevron pointing down onto a bar.
gf::Bitmap DrawHideGlyph(int size, COLORREF background);

}  // namespace shredder
