// The caption list's horizontal extent, on a real list box with a real font.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "bosskey/ListScroll.h"

namespace {

int Measure(HFONT font, const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
}

struct ListWindow {
    HWND parent = CreateWindowExA(0, "STATIC", "holder", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0, 0,
                                120, 150, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    ListWindow() { SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }
    ~ListWindow() {
        DestroyWindow(parent);
        DeleteObject(font);
    }
    void Add(const char* text) { SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int Extent() const { return static_cast<int>(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0)); }
};

}  // namespace

TEST(ListScroll, ExtentFitsTheEntryWithMostCharactersPlusASpace) {
    ListWindow w;
    ASSERT_NE(w.list, nullptr);
    bosskey::SetListHScroll(w.list);
    EXPECT_EQ(w.Extent(), Measure(w.font, " ")) << "an empty list gets the width of a space";

    w.Add("Notepad");
    w.Add("iiiiiiiiiiiiiiii");  // most characters, though narrow
    w.Add("WWWWWWWWWW");
    w.Add("llllllllllllllll");  // as many characters, comes later: not taken
    bosskey::SetListHScroll(w.list);
    EXPECT_EQ(w.Extent(), Measure(w.font, "iiiiiiiiiiiiiiii "));
    EXPECT_GT(Measure(w.font, "WWWWWWWWWW "), w.Extent()) << "characters count, not pixels";

    // A font handed in is the one measured with.
    HFONT big = CreateFontA(-30, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    bosskey::SetListHScroll(w.list, big);
    EXPECT_EQ(w.Extent(), Measure(big, "iiiiiiiiiiiiiiii "));
    DeleteObject(big);
}
