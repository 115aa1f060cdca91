#pragma once
// Texts between the program's ANSI strings (the system code page) and the wide
// strings of the system's own names.
#include <string>
#include <string_view>

namespace gf {

std::wstring Widen(std::string_view ansi);
// The ANSI form of a text; "" when a character has none (no best-fit look-alikes, so
// that no other name can come out of it).
std::string Narrow(std::wstring_view wide);

}  // namespace gf
