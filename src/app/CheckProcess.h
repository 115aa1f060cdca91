#pragma once
// Finds a running program by the file name of its executable.
#include <string>
#include <vector>

namespace app {

// True when a running process's main executable has the file name `exeName`
// (for example "IEXPLORE.EXE"), compared whole, without regard to case, with
// surrounding blanks ignored. Processes of either bitness count; a process that cannot
// be opened for a limited query (another user's) is skipped.
bool IsProcessRunning(std::string exeName);

// The helpers it is made of, for its callers' tests and the benchmark.
namespace process {

// Leading and trailing spaces removed, upper case (ANSI).
std::string TrimUpper(const std::string& text);
// The last "\"-separated part of a path.
std::string LastPathPart(const std::string& path);

struct Running {
    unsigned long pid = 0;
    std::string exeName;  // as IsProcessRunning compares it: trimmed, upper case
};
// Every live process with the file name of its executable, from one system-wide list
// (the one process lists and snapshots are made from). The buffer grows until the
// list fits, starting from the size that held it last time; the message loop runs
// once before each request. Empty when Windows refuses the list.
std::vector<Running> RunningProcesses();

// One look for several executable names: element i is true when a process runs
// `names[i]` (compared as IsProcessRunning does).
std::vector<bool> FindRunning(const std::vector<std::string>& names);

}  // namespace process

}  // namespace app
