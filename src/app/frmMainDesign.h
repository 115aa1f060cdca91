#pragma once
// The main window's design: every control with its kind, container, position (twips),
// caption, tag and further properties. The window is built from this table.
#include <vector>

#include "framework/Design.h"

namespace app {

// Client area of the window, twips.
inline constexpr int kFormWidth = 9000;
inline constexpr int kFormHeight = 7455;

// Colours of the design (&H00BBGGRR), matching the skin's content panel.
inline constexpr unsigned long kPanelColour = 0xF7F6F2;   // #F2F6F7
inline constexpr unsigned long kCardColour = 0xFFFFFF;
inline constexpr unsigned long kTabStripColour = 0xEEE9E2;  // #E2E9EE
inline constexpr unsigned long kHeadingColour = 0x5A4A0E;  // #0E4A5A
inline constexpr unsigned long kMutedColour = 0x7F7463;    // #63747F

const std::vector<gf::DesignRow>& FrmMainDesign();

}  // namespace app
