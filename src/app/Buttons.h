#pragma once
// The main window's buttons: the page buttons and the drawn XP-style buttons. The form
// is built from its design table with these kinds registered; ClickOf gives the click
// handler of any of them, whatever kind stands behind the name.
#include <functional>

#include "framework/Control.h"

namespace app {

// Registers the button kinds of the main window's design ("ButtonEx", "KivoXPButton").
void RegisterButtonTypes();

// The click event of a button made from the design; throws gf::Error for another kind.
std::function<void()>& ClickOf(gf::Control& button);

}  // namespace app
