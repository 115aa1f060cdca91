#pragma once
// The shredder window's pictures, drawn in code so that they need no resource files:
// two frames of a paper shredder at work, and the small "hide" picture. Drawn four
// times larger with GDI and averaged down, which gives smooth edges.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace shredder {

struct BitmapDeleter {
    void operator()(HBITMAP b) const {
        if (b) DeleteObject(b);
    }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// Frame 0: the sheet stands high above the slot, a few short strips below; frame 1:
// the sheet has sunk in and the strips are longer. A square of size pixels on the
// given background colour.
Bitmap DrawShredderFrame(int frame, int size, COLORREF background);

// A small square button face: a chevron pointing down onto a bar.
Bitmap DrawHideGlyph(int size, COLORREF background);

}  // namespace shredder
