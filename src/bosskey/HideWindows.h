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

// True when caption occurs in title without regard to letter case. An empty caption
// occurs in nothing: it would otherwise name every titled window, this program's too.
bool TitleContains(const std::wstring& title, const std::wstring& caption);

// SW_HIDE / SW_SHOWNORMAL on each matching titled top-level window; returns how many
// windows matched. The caption, as the caption file holds it (ANSI), is widened through
// the code page and compared with the wide titles.
int HideWindowsByCaption(const std::string& caption);
int ShowWindowsByCaption(const std::string& caption);

}  // namespace bosskey
