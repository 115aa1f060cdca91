#pragma once
// The saved properties of the main window's three page buttons (the ButtonEx array
// ButtonEx1, Index 0 to 2): no caption, "MS Sans Serif" 8.25 pt, a 158 x 80 skin for
// up and one for over that also serves as the disabled look (the current page's button
// is disabled), every other property at its default, 2370 x 1200 twips.
//
//     auto& b = *buttons[i];   // ButtonEx("ButtonEx1", i)
//     b.Move(left, top, 2370, 1200);
//     b.Click = [this, i] { ButtonEx1_Click(i); };
//     gf::PropertyBag saved = PageButtonProperties(up[i], over[i]);
//     b.Load(form, &saved);
#include "framework/PropertyBag.h"

gf::PropertyBag PageButtonProperties(gf::PictureRef skinUp, gf::PictureRef skinOver);
