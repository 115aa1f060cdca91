#pragma once
// The program's shred start: the command line names a file to shred.
#include <string>

namespace shredder {

// The path that a shred start's command line names: the whole text, spaces included and
// every character as given, without one pair of double quotes around all of it (a file
// dropped on the program, sent to it or typed in a prompt comes quoted; no file name
// holds a quote). A quote anywhere else stays, and the path checks refuse it.
std::wstring ShredPathOf(const std::wstring& commandLine);

// Asks "Do you want to Shred <path>?" (Yes, No; Yes the default), then shows frmShred
// while ShredFile runs and unloads it. A path that cannot be shredded is refused with a
// message instead of the question; a shredding that fails says why. True when the file
// was shredded.
bool RunShredCommand(const std::wstring& commandLine);

inline constexpr const char* kShredTitle = "Glimmerfold File Shredder";

}  // namespace shredder
