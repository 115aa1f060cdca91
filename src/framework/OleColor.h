#pragma once
// Colour references as the skinned controls store them: 0x00BBGGRR for a plain colour,
// 0x800000nn for the system colour with index nn. Drawing code turns them into a
// COLORREF before any arithmetic or pixel comparison.
#include <windows.h>

#include <cstdint>

namespace gf {

using OLE_COLOR = std::uint32_t;

constexpr OLE_COLOR SystemColor(int index) { return 0x80000000u | static_cast<OLE_COLOR>(index); }

// The RGB value of a colour reference: a system colour through GetSysColor, a plain or
// palette-relative colour by its low three bytes. Fails (false, out untouched) for a
// system index beyond the table or an unknown high byte.
bool TranslateOleColor(OLE_COLOR color, COLORREF& out);

// As above, black when the reference cannot be translated.
COLORREF TranslateColor(OLE_COLOR color);

}  // namespace gf
