#include "bosskey/HideWindows.h"

#include <new>

#include "framework/Text.h"

namespace bosskey {

namespace {

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
    try {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
    } catch (const std::bad_alloc&) {
        return FALSE;  // out of memory: act on the windows gathered so far
    }
}

std::wstring Upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

int ShowMatching(const std::string& caption, int command) {
    // Widened as the code page reads it; the titles are read wide, so a letter the code
    // page lacks never turns into a '?' that a caption of question marks would match.
    const std::wstring wide = gf::Widen(caption);
    if (wide.empty()) return 0;
    int matched = 0;
    for (HWND hwnd : TopLevelWindows()) {
        if (command == SW_HIDE && !IsWindow(hwnd)) continue;
        if (!TitleContains(gf::WindowTextWide(hwnd), wide)) continue;
        ShowWindow(hwnd, command);
        ++matched;
    }
    return matched;
}

}  // namespace

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool TitleContains(const std::wstring& title, const std::wstring& caption) {
    if (caption.empty() || title.empty()) return false;
    return Upper(title).find(Upper(caption)) != std::wstring::npos;
}

int HideWindowsByCaption(const std::string& caption) { return ShowMatching(caption, SW_HIDE); }

int ShowWindowsByCaption(const std::string& caption) { return ShowMatching(caption, SW_SHOWNORMAL); }

}  // namespace bosskey
