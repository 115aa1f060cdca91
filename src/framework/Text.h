#pragma once
// Texts between the program's ANSI strings (the system code page) and the wide
// strings of the system's own names.
#include <windows.h>

#include <string>
#include <string_view>

namespace gf {

std::wstring Widen(std::string_view ansi);
// The ANSI form of a text; "" when a character has none (no best-fit look-alikes, so
// that no other name can come out of it).
std::string Narrow(std::wstring_view wide);

// A window's text (title) as Windows holds it, with every letter; empty when it has none
// or the window is gone.
std::wstring WindowTextWide(HWND hwnd);

}  // namespace gf
