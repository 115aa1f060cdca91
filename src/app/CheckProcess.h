#pragma once
// Finds a running program by the file name of its executable.
#include <string>
#include <vector>

namespace app {

// True when a running process's main executable has the file name `exeName`
// (for example "IEXPLORE.EXE"), compared whole, without regard to case, with
// surrounding blanks ignored. Processes that cannot be opened are skipped. Lets the
// message loop run while it walks the list, so windows stay responsive.
bool IsProcessRunning(std::string exeName);

// The helpers it is made of, for its callers' tests and the benchmark.
namespace process {

// Leading and trailing spaces removed, upper case (ANSI).
std::string TrimUpper(const std::string& text);
// The last "\"-separated part of a path.
std::string LastPathPart(const std::string& path);
// Identifiers of all processes, the buffer doubled until Windows fills less than all
// of it (starting from the size that held the list last time). Empty when Windows
// refuses the list.
std::vector<unsigned long> ProcessIds();
// One walk of the processes for several executable names: element i is true when a
// process runs `names[i]` (compared as IsProcessRunning does).
std::vector<bool> FindRunning(const std::vector<std::string>& names);

}  // namespace process

}  // namespace app
