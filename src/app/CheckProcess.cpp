#include "app/CheckProcess.h"

#include <windows.h>
#include <psapi.h>

#include "framework/Handles.h"
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
    // Each request is costly (under Wine about 10 ms), and the watcher asks every
    // 900 ms, so start from the size that sufficed last time.
    static DWORD lastBytes = 16;
    DWORD bytes = lastBytes / 2;
    DWORD filled = lastBytes;
    std::vector<DWORD> ids;
    while (bytes <= filled) {
        gf::DoEvents();
        bytes *= 2;
        ids.assign(bytes / sizeof(DWORD), 0);
        if (!EnumProcesses(ids.data(), bytes, &filled)) return {};
    }
    lastBytes = bytes;
    ids.resize(filled / sizeof(DWORD));
    return {ids.begin(), ids.end()};
}

}  // namespace process

namespace {

// The upper-cased file name of the process's executable, or "" when it cannot be read.
std::string ExecutableName(DWORD pid) {
    gf::KernelHandle handle(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!handle) return {};
    // No module handle asks for the executable's own module, the first one, without
    // listing every module of the process first.
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameExA(handle.Get(), nullptr, path, MAX_PATH);
    if (n == 0) return {};
    return process::LastPathPart(process::TrimUpper(std::string(path, n)));
}

}  // namespace

std::vector<bool> process::FindRunning(const std::vector<std::string>& names) {
    std::vector<std::string> targets;
    for (const auto& name : names) targets.push_back(TrimUpper(name));
    std::vector<bool> found(names.size(), false);
    size_t missing = 0;
    for (const auto& t : targets) missing += t.empty() ? 0 : 1;
    for (DWORD pid : ProcessIds()) {
        if (missing == 0) break;
        gf::DoEvents();
        const std::string exe = ExecutableName(pid);
        for (size_t i = 0; i < targets.size(); ++i) {
            if (!found[i] && !targets[i].empty() && exe == targets[i]) {
                found[i] = true;
                --missing;
            }
        }
        gf::DoEvents();
    }
    return found;
}

bool IsProcessRunning(std::string exeName) { return process::FindRunning({exeName})[0]; }

}  // namespace app
