#pragma once
// Small runtime services: one turn of the message loop, message boxes.
#include <windows.h>

#include <string>

namespace gf {

// Dispatches every message waiting in this thread's queue, then returns. A WM_QUIT
// found on the way is posted again so that the main loop still sees it.
void DoEvents();

// A message box owned by the active window of this thread; returns IDYES, IDNO, ...
int MsgBox(const std::string& prompt, UINT buttons = MB_OK, const std::string& title = "");
// The same for a text that may hold characters outside the ANSI code page.
int MsgBox(const std::wstring& prompt, UINT buttons = MB_OK, const std::string& title = "");

}  // namespace gf
