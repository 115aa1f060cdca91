#pragma once
#include <string>

namespace app {

// The program's start: the shred branch for a command line, otherwise the single
// instance, the main window and the message loop. Returns the exit code.
int Main(const std::string& commandLine);

}  // namespace app
