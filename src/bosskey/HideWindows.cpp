#include "bosskey/HideWindows.h"

#include <new>

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

// Upper case in the ANSI code page, as the titles are compared.
std::string Upper(std::string text) {
    if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

int ShowMatching(const std::string& caption, int command) {
    if (caption.empty()) return 0;
    int matched = 0;
    for (HWND hwnd : TopLevelWindows()) {
        if (command == SW_HIDE && !IsWindow(hwnd)) continue;
        if (!TitleContains(WindowTitle(hwnd), caption)) continue;
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

std::string WindowTitle(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return {};
    std::string title(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd, title.data(), length + 1);
    title.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return title;
}

bool TitleContains(const std::string& title, const std::string& caption) {
    if (caption.empty() || title.empty()) return false;
    return Upper(title).find(Upper(caption)) != std::string::npos;
}

int HideWindowsByCaption(const std::string& caption) { return ShowMatching(caption, SW_HIDE); }

int ShowWindowsByCaption(const std::string& caption) { return ShowMatching(caption, SW_SHOWNORMAL); }

}  // namespace bosskey
