#pragma once
// The horizontal extent of a list box: wide enough for its longest entry.
#include <windows.h>

namespace bosskey {

// Sets LB_SETHORIZONTALEXTENT to the width, in pixels, of the entry with the most
// characters (the first of equally long ones) followed by one space, measured in font
// (the list's own font when null). The main window applies it once, as it loads.
void SetListHScroll(HWND list, HFONT font = nullptr);

}  // namespace bosskey
