#pragma once
// The few common-controls functions the layer uses, from the library loaded on first use
// (Libraries.h): the main window shows none of its controls until a hidden page or the
// clean run's progress bar appears.
#include <windows.h>

#include <commctrl.h>

namespace gf::comctl {

// InitCommonControlsEx for the given ICC_ classes; false when the library is missing.
bool InitCommonControls(DWORD classes);
BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
LRESULT DefSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace gf::comctl
