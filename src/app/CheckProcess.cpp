#include "app/CheckProcess.h"

#include <windows.h>
#include <psapi.h>

#include "framework/Runtime.h"

namespace app {

namespace process {

std::string TrimUpper(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    auto last = text.find_last_not_of(' ');
    std::string out = text.substr(first, last - first + 1);
    CharUpperBuffA(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

std::string LastPathPart(const std::string& path) {
    auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<unsigned long> ProcessIds() {
    // Windows gives no count up front: grow until the list no longer fills the buffer.
    DWORD bytes = 8;
    DWORD filled = 96;
    std::vector<DWORD> ids;
    while (bytes <= filled) {
        gf::DoEvents();
        bytes *= 2;
        ids.assign(bytes / sizeof(DWORD), 0);
        if (!EnumProcesses(ids.data(), bytes, &filled)) return {};
    }
    ids.resize(filled / sizeof(DWORD));
    return {ids.begin(), ids.end()};
}

}  // namespace process

namespace {

// RAII for a process handle.
struct ProcessHandle {
    HANDLE h;
    explicit ProcessHandle(DWORD pid) : h(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid)) {}
    ~ProcessHandle() {
        if (h) CloseHandle(h);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
};

// The upper-cased file name of the process's executable, or "" when it cannot be read.
std::string ExecutableName(DWORD pid) {
    ProcessHandle process(pid);
    if (!process.h) return {};
    // The first module is the executable itself; one entry is all we need.
    HMODULE first = nullptr;
    DWORD needed = 0;
    if (!EnumProcessModules(process.h, &first, sizeof first, &needed) || !first) return {};
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameExA(process.h, first, path, MAX_PATH);
    if (n == 0) return {};
    return process::LastPathPart(process::TrimUpper(std::string(path, n)));
}

}  // namespace

bool IsProcessRunning(std::string exeName) {
    const std::string target = process::TrimUpper(exeName);
    if (target.empty()) return false;
    for (DWORD pid : process::ProcessIds()) {
        gf::DoEvents();
        bool found = ExecutableName(pid) == target;
        if (found) return true;
        gf::DoEvents();
    }
    return false;
}

}  // namespace app
