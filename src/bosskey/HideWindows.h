#pragma once
// Hiding and showing every top-level window of the desktop whose title contains a
// caption, in any letter case: the boss key's hide and show actions. Nothing is
// remembered between calls; show acts on every matching titled window.
#include <windows.h>

#include <string>
#include <vector>

namespace bosskey {

// The top-level windows of the desktop in stacking order, topmost first, taken as one
// list before anything acts on them: showing a window can reorder the stack, and a
// walk that followed the live order could then revisit windows or never end.
std::vector<HWND> TopLevelWindows();

// The window's title as GetWindowTextA gives it; empty when it has none or is gone.
std::string WindowTitle(HWND hwnd);

// True when caption occurs in title without regard to letter case. An empty caption
// occurs in nothing: it would otherwise name every titled window, this program's too.
bool TitleContains(const std::string& title, const std::string& caption);

// SW_HIDE / SW_SHOWNORMAL on each matching titled top-level window; returns how many
// windows matched.
int HideWindowsByCaption(const std::string& caption);
int ShowWindowsByCaption(const std::string& caption);

}  // namespace bosskey
