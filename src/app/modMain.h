#pragma once
// The program's start. The module's other procedures live with what they serve, in the
// libraries below this one: the hot-key combo boxes, registration and name look-ups in
// bosskey/HotKeyCombos.h and bosskey/HotKeys.h, the caption list's width in
// bosskey/CaptionListBox.h, the Explorer verb in shredder/ShredVerb.h.
#include <string>
#include <string_view>

namespace app {
class frmMain;
}

namespace modMain {

// The program's start: with a command line, the shred branch; otherwise the single
// instance, the main window and its message loop. Returns the exit code.
int Main(const std::wstring& commandLine);

// The shred branch for a non-empty command line: the whole text is the path, one pair
// of double quotes around all of it taken off.
int ShredBranch(const std::wstring& commandLine);

// Everything after the program's own name in a command line as Windows keeps it
// (GetCommandLineW), unchanged: quotes stay and trailing spaces count.
std::wstring CommandLineArguments(std::wstring_view commandLine);

// Whether the stored "FirstRun" text marks a start that has yet to do the first-run
// step: only a number equal to 0 (the key's default) does; any other number, or a
// text that is no number at all, counts as done.
bool FirstRunPending(const std::string& storedText);

// The first-run step: stores "FirstRun" = "1" and "useShredder" = "1", creates the
// Explorer verb and shows "Enable File Shredder" ticked on the loaded main window,
// when FirstRunPending says so.
void RunFirstStart(app::frmMain& main);

}  // namespace modMain
