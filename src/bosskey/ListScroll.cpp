#include "bosskey/ListScroll.h"

#include <string>

namespace bosskey {

namespace {

std::string LongestEntry(HWND list) {
    std::string longest;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
        if (length == LB_ERR || static_cast<size_t>(length) <= longest.size()) continue;
        std::string text(static_cast<size_t>(length) + 1, '\0');
        LRESULT copied = SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        if (copied == LB_ERR) continue;
        text.resize(static_cast<size_t>(copied));
        if (text.size() > longest.size()) longest = std::move(text);
    }
    return longest;
}

int TextWidth(HWND list, HFONT font, const std::string& text) {
    HDC dc = GetDC(list);
    if (!dc) return 0;
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (old) SelectObject(dc, old);
    ReleaseDC(list, dc);
    return size.cx;
}

}  // namespace

void SetListHScroll(HWND list, HFONT font) {
    if (!font) font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    const int width = TextWidth(list, font, LongestEntry(list) + " ");
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
}

}  // namespace bosskey
