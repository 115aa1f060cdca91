#pragma once
// The program's shred start: the command line names a file to shred.
#include <string>

namespace shredder {

// The whole text is the path, quotes and spaces included, every character as given. Asks "Do you want to Shred
// <path>?" (Yes, No; Yes the default), then shows frmShred while ShredFile runs and
// unloads it. A path that cannot be shredded is refused with a message instead of the
// question; a shredding that fails says why. True when the file was shredded.
bool RunShredCommand(const std::wstring& commandLine);

inline constexpr const char* kShredTitle = "Glimmerfold File Shredder";

}  // namespace shredder
