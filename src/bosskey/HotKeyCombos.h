#pragma once
// The hot keys as the settings page shows them: three rows of two drop-down combo
// boxes, cntrlFirst(0..2) for the modifier and cntrlSecond(0..2) for the key.
#include <windows.h>

#include "bosskey/HotKeys.h"
#include "framework/ComboBox.h"
#include "framework/ControlArray.h"

namespace bosskey {

using ComboArray = gf::ControlArray<gf::ComboBox>;

// Shows each row's stored choice (default "Ctrl" + "F1") as the boxes' text, then
// fills the lists: "Ctrl", "Alt", "Shift" and "Space", "F1".."F12". Nothing is picked,
// so the texts stay exactly the stored ones. Call once as the main window loads.
void FillHotKeyCombos(const ComboArray& cntrlFirst, const ComboArray& cntrlSecond);

// The rows as the boxes show them now.
HotKeyChoices ChoicesFromCombos(const ComboArray& cntrlFirst, const ComboArray& cntrlSecond);

// Registers the rows on the main window and replaces its window procedure; once, as
// the main window loads, after FillHotKeyCombos.
HotKeyResults StartHotKeys(HWND mainWindow, const ComboArray& cntrlFirst, const ComboArray& cntrlSecond,
                           HotKeyHost& host);

// Registers the three hot keys again from the boxes' texts; at the end of every save of
// the options.
HotKeyResults RefreshHotKeys(HWND mainWindow, const ComboArray& cntrlFirst, const ComboArray& cntrlSecond);

}  // namespace bosskey
